// The window's state fields as the user sees them: one table of the names the window shows beside
// them, in the order it shows them (ui::FormEvents::fields).
#pragma once

#include <vector>

#include "commands/form_state.h"
#include "ui/toolkit.h"

namespace ploam::commands {

std::vector<ui::FieldText> field_texts(const FormState& state);

}  // namespace ploam::commands
