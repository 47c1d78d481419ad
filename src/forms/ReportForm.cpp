// The buttons and keys of the results report window.
#include "forms/ReportForm.h"

#include "forms/ShiftMapForm.h"
#include "report/Report.h"

namespace kolmira {

namespace {

enum class C : int { None, OkBtn, Button1, Button2, Button3 };

// clang-format off
constexpr ControlInfo kControls[] = {
    {"", ControlKind::Label},
    {"OkBtn", ControlKind::Button, kReportBackButton, "zpet"},
    {"Button1", ControlKind::Button, kReportTableButton, "tabulka"},
    {"Button2", ControlKind::Button, kReportHelpButton, "help"},
    {"Button3", ControlKind::Button, kShiftMapButton, "mapa"},
};
// clang-format on

}  // namespace

ReportForm::ReportForm(GearPair& g, MainForm& main) : Form(g, "Hlaseni", kControls), main_(main) {}

// Each time the window shows, "Tabulka &rozměrů" is its active control: the
// table is what an engineer reaches for after reading the findings.
void ReportForm::Show() {
  focus_ = I(C::Button1);
}

void ReportForm::Click(int index) {
  switch (static_cast<C>(index)) {
    case C::OkBtn:
      main_.HideResults();
      break;
    case C::Button1:
      Request({FormRequest::Kind::Open, Dialog::Table});
      break;
    case C::Button2:
      RequestHelp(kReportHelpContext);
      break;
    case C::Button3:
      Request({FormRequest::Kind::Open, Dialog::ShiftMap});
      break;
    case C::None:
      break;
  }
}

// Esc is the "&Zpět" of the window; F1 opens its help page.
void ReportForm::OnKey(Key key) {
  if (key == Key::Escape) main_.HideResults();
  if (key == Key::F1) RequestHelp(kReportHelpContext);
}

}  // namespace kolmira
