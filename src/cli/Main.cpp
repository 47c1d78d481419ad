// kolmira-cli: a scripted user of the dialogs. Options act in the order
// given, as a user would: choose the gear type, type fields, press buttons.
//
//   kolmira-cli [FILE.dat] [--type external|internal|bevel]
//               [--field NAME=TEXT]... [--press BUTTON]... [--check]
//               [--save FILE.dat] [--json] [--table] [--short]
//
// A FILE.dat is loaded first, as "&Načíst vstupy" does; --save writes the
// inputs at the end, as "&Uložit vstupy" does.
//
// Without --json it prints the report when the check has shown it, else the
// input fields as the dialog shows them; --table and --short add the
// dimension table and the short print.
//
// Exit status: 0 done, whether or not the check found faults; 2 an entry was
// refused or the check was stopped by an impossible shift sum (the message
// is on stderr), or the command line was wrong; 1 an internal failure.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/StateJson.h"
#include "forms/BacklashForm.h"
#include "forms/DialogForm.h"
#include "forms/FellowForm.h"
#include "forms/IdentForm.h"
#include "forms/MainForm.h"
#include "forms/MeasureForm.h"
#include "forms/RackToolForm.h"
#include "model/GearPair.h"
#include "model/NumberText.h"
#include "report/DimensionTable.h"
#include "report/Report.h"
#include "report/ShortPrint.h"

namespace kolmira {
namespace {

constexpr int kRefused = 2;

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

// Buttons and options by their caption (without '&') or an ASCII alias.
std::optional<Control> ButtonByName(const std::string& name) {
  static const std::map<std::string, Control> kButtons = {
      {"KOMPLEXNÍ KONTROLA", Control::CheckButton},
      {"kontrola", Control::CheckButton},
      {"Nuluj", Control::ZeroButton},
      {"nuluj", Control::ZeroButton},
      {"Rozděl korekce", Control::DistributeButton},
      {"rozdel", Control::DistributeButton},
      {"Vyr.skluzy", Control::BalanceButton},
      {"skluzy", Control::BalanceButton},
      {"Výpočetní hlavové průměry", Control::ComputedTipsButton},
      {"hlavove", Control::ComputedTipsButton},
      {"Standard", Control::Standard},
      {"standard", Control::Standard},
      {"Nestandard", Control::NonStandard},
      {"nestandard", Control::NonStandard},
      {"Kruhová pata", Control::CircularRoot},
      {"kruhova-pata", Control::CircularRoot},
      {"DEC", Control::Dec},
      {"dec", Control::Dec},
      {"DMS", Control::Dms},
      {"dms", Control::Dms},
      {"drzet-korekce", Control::KeepShifts},
      {"Fellow", Control::FellowButton},
      {"fellow", Control::FellowButton},
      {"Nástroje", Control::ToolsButton},
      {"nastroje", Control::ToolsButton},
      {"Vnější", Control::GearExternal},
      {"vnejsi", Control::GearExternal},
      {"Vnitřní", Control::GearInternal},
      {"vnitrni", Control::GearInternal},
      {"Kuželové", Control::GearBevel},
      {"kuzelove", Control::GearBevel},
      {"Uložit vstupy", Control::SaveButton},
      {"ulozit", Control::SaveButton},
      {"Načíst vstupy", Control::LoadButton},
      {"nacist", Control::LoadButton},
      {"Konec", Control::QuitButton},
      {"konec", Control::QuitButton},
      {"Help", Control::HelpButton},
      {"help", Control::HelpButton},
  };
  if (auto it = kButtons.find(name); it != kButtons.end()) return it->second;
  if (auto c = ControlByName(name)) return c;
  return std::nullopt;
}

class Session {
 public:
  Session() : form_(pair_) {
    form_.Start();
    dialogs_.push_back(
        {std::make_unique<RackToolForm>(pair_, form_), Control::ToolsButton, Control::ToolsButton});
    dialogs_.push_back(
        {std::make_unique<FellowForm>(pair_, form_), Control::FellowButton, Control::FellowButton});
    // The measurement tab (shown by its own click).
    dialogs_.push_back(
        {std::make_unique<MeasureForm>(pair_, form_), Control::None, Control::TabMeasure});
    dialogs_.push_back(
        {std::make_unique<IdentForm>(pair_, form_), Control::None, Control::TabIdent});
    // The backlash dialog opens itself when a backlash is typed.
    dialogs_.push_back(
        {std::make_unique<BacklashForm>(pair_, form_), Control::None, Control::Edit21});
  }

  // Each returns false when the script must stop (a refusal or a bad name).
  bool ChooseType(const std::string& type) {
    const int t = type == "external" ? 1 : type == "internal" ? 2 : type == "bevel" ? 3 : 0;
    if (t == 0) return Usage("unknown gear type '" + type + "' (external, internal, bevel)");
    const Control option = t == 1   ? Control::GearExternal
                           : t == 2 ? Control::GearInternal
                                    : Control::GearBevel;
    return PressControl(option);
  }

  bool Field(const std::string& assignment) {
    const auto eq = assignment.find('=');
    if (eq == std::string::npos) return Usage("--field needs NAME=TEXT, got '" + assignment + "'");
    const std::string name = assignment.substr(0, eq);
    const std::string value = assignment.substr(eq + 1);
    if (name.find('.') != std::string::npos) return DialogField(name, value);
    Control field = Control::None;
    if (auto n = FieldByVariable(name)) {
      field = FieldControl(*n);
    } else if (auto c = ControlByName(name); c && FieldNumber(*c) != 0) {
      field = *c;
    } else {
      return Usage("unknown field '" + name + "'");
    }
    if (!LeaveDialogField()) return false;
    form_.Focus(field);
    if (Refused()) return false;
    OpenRequestedDialogs();
    form_.KeyPress();
    form_.Type(field, value);
    return true;
  }

  // "KOMPLE&XNÍ KONTROLA" as the button does it; false when the check was
  // stopped by one of its blocking shift-sum messages.
  bool Check() {
    if (!PressControl(Control::CheckButton)) return false;
    return !(pair_.xSumBelowLimit || pair_.xSumAboveLimit || pair_.x0SumAboveLimit);
  }

  bool Press(const std::string& name) {
    if (name.find('.') != std::string::npos) return DialogPress(name);
    const auto c = ButtonByName(name);
    if (!c) return Usage("unknown button '" + name + "'");
    if (*c == Control::CheckButton) return Check();
    return PressControl(*c);
  }

  // The last field is left before the results are read.
  bool Finish() {
    if (!LeaveDialogField()) return false;
    form_.Focus(Control::None);
    OpenRequestedDialogs();
    return !Refused();
  }

  bool Load(const std::string& path) {
    form_.BeginPress(Control::LoadButton);
    form_.Focus(Control::LoadButton);
    form_.Press(Control::LoadButton);
    return form_.LoadInputs(path);
  }

  bool Save(const std::string& path) {
    form_.Focus(Control::SaveButton);
    if (Refused()) return false;
    if (!form_.PrepareSave()) return false;
    return form_.SaveInputs(path);
  }

  void PrintMessages() {
    for (std::size_t i = printed_; i < pair_.messages.size(); ++i) {
      const Message& m = pair_.messages[i];
      if (m.kind == Message::Kind::Beep) {
        std::cerr << "(beep)\n";
      } else {
        std::cerr << Trim(m.title) << ": " << m.text << '\n';
      }
    }
    printed_ = pair_.messages.size();
  }

  void PrintJson(bool reportShown) {
    nlohmann::ordered_json out;
    out["state"] = StateToJson(pair_);
    out["messages"] = MessagesToJson(pair_.messages);
    out["controls"] = ControlsToJson(form_);
    out["controls"].update(DialogControlsJson());
    if (reportShown) out["report"] = ReportToJson(ReportLines(pair_));
    std::cout << out.dump(2) << '\n';
  }

  void PrintReport() {
    std::cout << ReportAsText(ReportLines(pair_));
    if (pair_.gearType != GearType::Bevel) PrintMeasurements();
  }

  // The measuring dimensions of both gears after a check.
  void PrintMeasurements() {
    const bool rack = pair_.rackMode;
    auto value = [](double v, int decimals) { return FormatFixed(v, 0, decimals); };
    auto wheel = [&](const std::string& text) { return rack ? std::string("---") : text; };
    std::cout << "\nMíry ozubení\n";
    std::cout << "  Tloušťka zubu:       sc1 = " << value(pair_.sc1, 4)
              << "  hc1 = " << value(pair_.hc1, 4) << "    sc2 = " << value(pair_.sc2, 4)
              << "  hc2 = " << value(pair_.hc2, 4) << '\n';
    std::cout << "  Míra přes zuby:      W1 = " << value(pair_.W1, 4) << " (zw1 = " << pair_.zw1
              << ")    W2 = "
              << wheel(value(pair_.W2, 4) + " (zw2 = " + std::to_string(pair_.zw2) + ")") << '\n';
    std::cout << "  Rozměr přes kuličky: M1 = " << value(pair_.M1, 4)
              << " (dt1 = " << value(pair_.dt1, 4) << ", dM1 = " << value(pair_.dM1, 4)
              << ")    M2 = "
              << wheel(value(pair_.M2, 4) + " (dt2 = " + value(pair_.dt2, 4) +
                       ", dM2 = " + value(pair_.dM2, 4) + ")")
              << '\n';
  }
  void PrintTable() { std::cout << DimensionTableText(pair_, form_.tableCaption()); }
  void PrintShort() { std::cout << ShortPrintText(pair_, form_.tableCaption()); }
  bool reportShown() const { return form_.resultsVisible(); }

  void PrintFields() {
    for (int n = 1; n <= 21; ++n) {
      const ControlState& s = form_.control(FieldControl(n));
      if (!s.visible) continue;
      std::cout << FieldVariable(n) << " = " << s.text << '\n';
    }
  }

  bool usageError() const { return usageError_; }

  nlohmann::ordered_json DialogControlsJson() const {
    nlohmann::ordered_json controls;
    for (const auto& d : dialogs_) {
      for (const auto& [name, s] : d.form->Controls()) {
        controls[std::string(d.form->Name()) + "." + name] = {{"text", s.text},
                                                              {"enabled", s.enabled},
                                                              {"visible", s.visible},
                                                              {"readOnly", s.readOnly},
                                                              {"checked", s.checked}};
      }
    }
    return controls;
  }

 private:
  // A dialog beside the main one, the main dialog's control that opens it,
  // and the control whose visibility says the dialog exists for this pair.
  struct Dialog {
    std::unique_ptr<DialogForm> form;
    Control opener;
    Control gate;
  };

  // The dialog a prefixed name addresses, opened as its button would.
  DialogForm* OpenDialog(const std::string& prefixed, std::string& rest) {
    const auto dot = prefixed.find('.');
    const std::string prefix = prefixed.substr(0, dot);
    rest = prefixed.substr(dot + 1);
    for (auto& d : dialogs_) {
      if (d.form->Name() != prefix) continue;
      if (!form_.control(d.gate).visible) {
        Usage("the dialog '" + prefix + "' does not exist for this pair");
        return nullptr;
      }
      if (!d.form->visible()) {
        if (d.opener != Control::None && !PressControl(d.opener)) return nullptr;
        d.form->Show();
      }
      return d.form.get();
    }
    Usage("no dialog '" + prefix + "'");
    return nullptr;
  }

  bool DialogField(const std::string& name, const std::string& value) {
    std::string rest;
    DialogForm* dialog = OpenDialog(name, rest);
    if (!dialog) return false;
    if (!dialog->Focus(rest)) return Usage("unknown field '" + name + "'");
    if (dialog->lastEntryRefused()) return false;
    if (!dialog->Type(rest, value)) return Usage("'" + name + "' is not a field");
    lastDialog_ = dialog;
    return true;
  }

  bool DialogPress(const std::string& name) {
    std::string rest;
    DialogForm* dialog = OpenDialog(name, rest);
    if (!dialog) return false;
    if (!dialog->Press(rest)) return Usage("unknown button '" + name + "'");
    return !dialog->lastEntryRefused();
  }

  // Dialogs the main dialog asked for (a backlash typed into its field).
  void OpenRequestedDialogs() {
    if (form_.requests().backlashDialog) {
      form_.requests().backlashDialog = false;
      for (auto& d : dialogs_) {
        if (d.form->Name() == "Vule" && !d.form->visible()) d.form->Show();
      }
    }
  }

  // A field typed into a dialog is left when the script goes on elsewhere.
  bool LeaveDialogField() {
    if (!lastDialog_) return true;
    DialogForm* dialog = lastDialog_;
    lastDialog_ = nullptr;
    dialog->Focus("");
    return !dialog->lastEntryRefused();
  }

  bool PressControl(Control c) {
    if (!LeaveDialogField()) return false;
    form_.BeginPress(c);
    form_.Focus(c);
    if (Refused()) return false;
    OpenRequestedDialogs();
    form_.Press(c);
    OpenRequestedDialogs();
    return !Refused();
  }

  bool Refused() const { return form_.lastEntryRefused(); }

  bool Usage(const std::string& text) {
    std::cerr << "kolmira-cli: " << text << '\n';
    usageError_ = true;
    return false;
  }

  GearPair pair_;
  MainForm form_;
  std::vector<Dialog> dialogs_;
  DialogForm* lastDialog_ = nullptr;
  std::size_t printed_ = 0;
  bool usageError_ = false;
};

int Run(int argc, char** argv) {
  CLI::App app{"Kolmira: geometric check of involute gear pairs, scripted"};
  std::vector<std::string> types, fields, presses;
  bool json = false, check = false, table = false, shortPrint = false;
  std::string loadPath, savePath;
  app.add_option("FILE", loadPath, "input file to load first (.dat)");
  app.add_option("--save", savePath, "save the inputs to this file at the end");
  CLI::Option* typeOption =
      app.add_option("--type", types, "gear type: external, internal or bevel")->take_all();
  CLI::Option* fieldOption =
      app.add_option("--field", fields, "type TEXT into field NAME (mn, z1, ... or Edit1 ...)");
  CLI::Option* pressOption =
      app.add_option("--press", presses, "press a button or option by its caption or alias");
  CLI::Option* checkOption =
      app.add_flag("--check", check, "run the complete check as \"KOMPLEXNÍ KONTROLA\" does");
  app.add_flag("--json", json, "print the state, messages, controls and report as JSON");
  app.add_flag("--table", table, "print the dimension table");
  app.add_flag("--short", shortPrint, "print the short print of the dimension table");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : kRefused;
  }

  Session session;
  std::size_t nextType = 0, nextField = 0, nextPress = 0;
  bool ok = true;
  if (!loadPath.empty()) {
    ok = session.Load(loadPath);
    session.PrintMessages();
    if (!ok) return kRefused;
  }
  for (const CLI::Option* option : app.parse_order()) {
    if (option == typeOption) {
      ok = session.ChooseType(types.at(nextType++));
    } else if (option == fieldOption) {
      ok = session.Field(fields.at(nextField++));
    } else if (option == pressOption) {
      ok = session.Press(presses.at(nextPress++));
    } else if (option == checkOption) {
      ok = session.Check();
    }
    session.PrintMessages();
    if (!ok) return kRefused;
  }
  ok = session.Finish();
  // Saving hides the results window (it tests the mandatory inputs first);
  // the report printed is the one the check showed.
  const bool reportShown = session.reportShown();
  if (ok && !savePath.empty()) ok = session.Save(savePath);
  session.PrintMessages();
  if (!ok) return kRefused;
  if (json) {
    session.PrintJson(reportShown);
  } else {
    if (reportShown) {
      session.PrintReport();
    } else if (!table && !shortPrint) {
      session.PrintFields();
    }
    if (table) session.PrintTable();
    if (shortPrint) session.PrintShort();
  }
  return 0;
}

}  // namespace
}  // namespace kolmira

int main(int argc, char** argv) {
  try {
    return kolmira::Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "kolmira-cli: internal failure: " << e.what() << '\n';
    return 1;
  }
}
