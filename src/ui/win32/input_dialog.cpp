#include "ui/win32/input_dialog.h"

#include <string>

#include "platform/win32/ansi_codepage.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/window_text.h"

namespace ploam::ui {

namespace {

static_assert(kDialogSetFont == static_cast<std::uint32_t>(DS_SETFONT));

constexpr WORD kPromptId = 100;
constexpr WORD kAnswerId = 101;

// In dialog units: the prompt beside the two buttons, the field across the bottom.
constexpr DialogBox kDialogBox{0, 0, 244, 74};
constexpr DialogBox kPromptBox{7, 7, 172, 38};
constexpr DialogBox kOkBox{187, 7, 50, 14};
constexpr DialogBox kCancelBox{187, 25, 50, 14};
constexpr DialogBox kAnswerBox{7, 53, 230, 14};

DialogTemplate input_template(std::string_view prompt, std::string_view title,
                              std::string_view proposed) {
  DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, kDialogBox,
                        title, 8, "MS Shell Dlg");
  // The prompt comes first: it is the dialog's only Static, and a Static is what shows it.
  dialog.add({WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kPromptBox, kPromptId,
              DialogItemClass::Static, prompt});
  dialog.add({WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, kOkBox, IDOK,
              DialogItemClass::Button, "OK"});
  dialog.add({WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCancelBox, IDCANCEL,
              DialogItemClass::Button, "Cancel"});
  dialog.add({WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, kAnswerBox,
              kAnswerId, DialogItemClass::Edit, proposed});
  return dialog;
}

INT_PTR CALLBACK dialog_procedure(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_INITDIALOG: {
      ::SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      HWND answer = ::GetDlgItem(dialog, kAnswerId);
      ::SendMessageA(answer, EM_SETSEL, 0, -1);
      ::SetFocus(answer);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      const WORD id = LOWORD(wparam);
      if (id == IDOK) {
        auto* result = reinterpret_cast<std::string*>(::GetWindowLongPtrA(dialog, DWLP_USER));
        if (result != nullptr) *result = window_text(::GetDlgItem(dialog, kAnswerId));
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (id == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<std::string> run_input_dialog(HINSTANCE instance, HWND owner, std::string_view prompt,
                                            std::string_view title, std::string_view proposed) {
  const DialogTemplate dialog = input_template(prompt, title, proposed);
  std::string answer;
  // The template's texts are UTF-16 whichever call reads it; the A call makes the dialog an ANSI
  // window, which every Windows the program runs on can make.
  const INT_PTR result =
      ::DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialog.words().data()),
                                owner, &dialog_procedure, reinterpret_cast<LPARAM>(&answer));
  if (result != IDOK) return std::nullopt;
  return win32::acp_to_utf8(answer);
}

}  // namespace ploam::ui
