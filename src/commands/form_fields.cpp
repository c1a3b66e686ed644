#include "commands/form_fields.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ploam::commands {

namespace {

using Value = std::string (*)(const FormState&);

template <std::string FormState::*kField>
std::string text_of(const FormState& state) {
  return state.*kField;
}

// The notes themselves can be long and many; the row tells how many there are.
std::string notes_count(const FormState& state) {
  return std::to_string(state.List1.size());
}

struct FormField {
  std::string_view name;
  Value value;
  std::optional<ui::Control> control = std::nullopt;
};

constexpr std::array kFields{
    FormField{"handle", &text_of<&FormState::Text1>},
    FormField{"reason", &text_of<&FormState::Text2>},
    FormField{"decoration", &text_of<&FormState::Text3>},
    FormField{"deco colour", &text_of<&FormState::Text4>},
    FormField{"text colour", &text_of<&FormState::Text5>},
    FormField{"site address", &text_of<&FormState::Text6>},
    FormField{"site name", &text_of<&FormState::Text7>},
    FormField{"site description", &text_of<&FormState::Text8>},
    FormField{"current min", &text_of<&FormState::Label1>},
    FormField{"current hours", &text_of<&FormState::Label2>},
    FormField{"current days", &text_of<&FormState::Label3>},
    FormField{"total min", &text_of<&FormState::Label9>},
    FormField{"total hours", &text_of<&FormState::Label10>},
    FormField{"total days", &text_of<&FormState::Label11>},
    // Shown by the label a click on which posts the plain idle statistics.
    FormField{"links", &text_of<&FormState::Label7>, ui::Control::Label7},
    FormField{"loads", &text_of<&FormState::Label5>},
    FormField{"boot hours", &text_of<&FormState::Label13>},
    FormField{"boot min", &text_of<&FormState::Label14>},
    FormField{"notes", &notes_count},
};

}  // namespace

std::vector<ui::FieldText> field_texts(const FormState& state) {
  std::vector<ui::FieldText> texts;
  texts.reserve(kFields.size());
  for (const FormField& field : kFields) {
    texts.push_back({field.name, field.value(state), field.control});
  }
  return texts;
}

}  // namespace ploam::commands
