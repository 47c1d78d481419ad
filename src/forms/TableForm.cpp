// The buttons and keys of the dimension table window.
#include "forms/TableForm.h"

namespace kolmira {

namespace {

enum class C : int { None, StringGrid1, Tisk, Button1, OkBtn, HelpBtn };

// clang-format off
constexpr ControlInfo kControls[] = {
    {"", ControlKind::Label},
    {"StringGrid1", ControlKind::Picture, "", "grid"},
    {"Tisk", ControlKind::Button, "Vytiskni &tabulku", "tisk"},
    {"Button1", ControlKind::Button, "&Zkrácený tisk", "zkraceny-tisk"},
    {"OkBtn", ControlKind::Button, "&Zpět", "zpet"},
    {"HelpBtn", ControlKind::Button, "&Help", "help"},
};
// clang-format on

// Help topics: the grid, and the two print commands.
constexpr int kTableHelpContext = 11;
constexpr int kPrintHelpContext = 12;

}  // namespace

TableForm::TableForm(GearPair& g, MainForm& main) : Form(g, "Tabulka", kControls), main_(main) {}

// The grid takes the focus; its fixed texts follow the pair and the file.
void TableForm::Show() {
  shown_ = true;
  focus_ = I(C::StringGrid1);
  table_.Show(g_, main_.tableCaption());
}

void TableForm::Click(int index) {
  switch (static_cast<C>(index)) {
    case C::Tisk:
      Request({FormRequest::Kind::PrintTable});
      break;
    case C::Button1:
      Request({FormRequest::Kind::PrintShort});
      break;
    case C::OkBtn:
      shown_ = false;
      break;
    case C::HelpBtn:
      RequestHelp(0);
      break;
    case C::None:
    case C::StringGrid1:
      break;
  }
}

// Esc is "&Zpět"; F1 opens the topic of the grid or of the print commands,
// else the contents.
void TableForm::OnKey(Key key) {
  if (key == Key::Escape) shown_ = false;
  if (key != Key::F1) return;
  const C focused = static_cast<C>(focus_);
  RequestHelp(focused == C::StringGrid1                     ? kTableHelpContext
              : focused == C::Tisk || focused == C::Button1 ? kPrintHelpContext
                                                            : 0);
}

}  // namespace kolmira
