// Presentation model of the dimension table window TTabulkaDlg: the grid
// (its fixed texts, stored when the window shows; its values, formatted from
// the gear-pair state whenever a cell is painted) and the buttons
// "Vytiskni &tabulku", "&Zkrácený tisk", "&Zpět" and "&Help". The printing
// itself is the front end's: the buttons ask for it.
#pragma once

#include <string>

#include "forms/Form.h"
#include "forms/MainForm.h"
#include "report/DimensionTable.h"

namespace kolmira {

class TableForm : public Form {
 public:
  TableForm(GearPair& g, MainForm& main);

  // Names: "StringGrid1", "Tisk", "Button1", "OkBtn", "HelpBtn", the
  // buttons' captions without '&', or "tisk", "zkraceny-tisk", "zpet",
  // "help".
  void Show() override;
  bool visible() const override { return shown_; }
  // The window's caption: "Tabulka rozměrů", or with the input file's path.
  const std::string& caption() const { return main_.tableCaption(); }
  // The grid as the window paints it.
  const DimensionTable& table() const { return table_; }
  DimensionTable& table() { return table_; }

 private:
  void LeaveField(int) override {}
  void Click(int index) override;
  void OnKey(Key key) override;

  MainForm& main_;
  DimensionTable table_;
  bool shown_ = false;
};

}  // namespace kolmira
