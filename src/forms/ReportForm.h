// Presentation model of the results report window TCelniDlg: the findings
// of the last check (painted from the gear-pair state, see report/Report.h)
// and its four buttons, "&Zpět" (hides the window), "Tabulka &rozměrů"
// (shows the dimension table), "&Help" and "&Mapa korekcí" (shows the
// shift map). The window is shown and hidden by the main dialog's check;
// it holds no results of its own.
#pragma once

#include <string>

#include "forms/Form.h"
#include "forms/MainForm.h"

namespace kolmira {

class ReportForm : public Form {
 public:
  ReportForm(GearPair& g, MainForm& main);

  // Names: "OkBtn", "Button1", "Button2", "Button3", their captions
  // without '&', or "zpet", "tabulka", "help", "mapa".
  void Show() override;
  bool visible() const override { return main_.resultsVisible(); }
  // The window's caption: the report's own, or the input file's path.
  const std::string& caption() const { return main_.resultsCaption(); }

 private:
  void LeaveField(int) override {}
  void Click(int index) override;
  void OnKey(Key key) override;

  MainForm& main_;
};

}  // namespace kolmira
