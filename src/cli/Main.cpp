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
// dimension table and the short print. --table, --short and --json show the
// results of a check: when no complete check ran since the last change of an
// input, they run it first, as "KOMPLEXNÍ KONTROLA" (--check) would after
// the other options.
//
// Exit status: 0 done, whether or not the check found faults; 2 an entry was
// refused or the check was stopped by an impossible shift sum (the message
// is on stderr), or the command line was wrong; 1 an internal failure.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

#include "cli/StateJson.h"
#include "forms/ScriptedUser.h"
#include "forms/Workspace.h"
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

// The order in which --json lists the dialogs' controls.
constexpr Dialog kDialogsListed[] = {Dialog::RackTools, Dialog::ShaperCutter, Dialog::Measure,
                                     Dialog::Ident, Dialog::Backlash};

// The keys a dialog takes as --press PREFIX.enter / .esc / .f1.
std::optional<Key> KeyNamed(Dialog d, std::string_view name) {
  const bool tools = d == Dialog::RackTools;
  if (!tools && d != Dialog::ShaperCutter) return std::nullopt;
  if (name == "enter") return Key::Enter;
  if (name == "f1") return Key::F1;
  if (name == "esc" && tools) return Key::Escape;
  return std::nullopt;
}

// A scripted user of the Workspace: each option is one or a few events, the
// message boxes are printed as they come.
class Session {
 public:
  // Each returns false when the script must stop (a refusal or a bad name).
  bool ChooseType(const std::string& type) {
    const char* option = type == "external"   ? "GearExternal"
                         : type == "internal" ? "GearInternal"
                         : type == "bevel"    ? "GearBevel"
                                              : nullptr;
    if (option == nullptr)
      return Usage("unknown gear type '" + type + "' (external, internal, bevel)");
    return PressMain(option);
  }

  bool Field(const std::string& assignment) {
    const auto eq = assignment.find('=');
    if (eq == std::string::npos) return Usage("--field needs NAME=TEXT, got '" + assignment + "'");
    const std::string name = assignment.substr(0, eq);
    const std::string value = assignment.substr(eq + 1);
    if (const auto at = ws_.Addressed(name); at.dialog != Dialog::Main) {
      return DialogField(name, at, value);
    }
    const auto field = ws_.main().Find(name);
    if (!field || *field == 0 || ws_.main().Info(*field).kind != ControlKind::Field) {
      return Usage("unknown field '" + name + "'");
    }
    user_.Type(Dialog::Main, name, value);
    return !Refused();
  }

  bool Check() {
    const bool checked = ws_.Check();
    Drain();
    return checked;
  }

  bool Press(const std::string& name) {
    if (const auto at = ws_.Addressed(name); at.dialog != Dialog::Main) {
      return DialogPress(name, at);
    }
    const auto c = ws_.main().Find(name);
    // A field is pressed only by its control name ("Edit3"), not by the
    // variable it edits.
    if (!c || *c == 0 ||
        (ws_.main().Info(*c).kind == ControlKind::Field && ws_.main().Info(*c).name != name)) {
      return Usage("unknown button '" + name + "'");
    }
    if (*c == static_cast<int>(Control::CheckButton)) return Check();
    return PressMain(name);
  }

  // The last field is left before the results are read.
  bool Finish() {
    ws_.Focus(Dialog::Main, "");
    return !Refused();
  }

  bool Load(const std::string& path) {
    ws_.Press(Dialog::Main, "LoadButton");
    if (!Drain().load) return false;
    const bool loaded = ws_.LoadFrom(path);
    Drain();
    return loaded;
  }

  bool Save(const std::string& path) {
    ws_.Press(Dialog::Main, "SaveButton");
    const Asked asked = Drain();
    if (ws_.lastEntryRefused() || !asked.save) return false;
    const bool saved = ws_.SaveTo(path);
    Drain();
    return saved;
  }

  void PrintJson(bool reportShown) {
    nlohmann::ordered_json out;
    out["state"] = StateToJson(ws_.pair());
    out["messages"] = MessagesToJson(messages_);
    out["controls"] = ControlsToJson(ws_.main(), "");
    for (Dialog d : kDialogsListed) {
      const Form& form = ws_.form(d);
      out["controls"].update(ControlsToJson(form, std::string(form.Name()) + "."));
    }
    if (reportShown) out["report"] = ReportToJson(ReportLines(ws_.pair()));
    std::cout << out.dump(2) << '\n';
  }

  void PrintReport() {
    std::cout << ReportAsText(ReportLines(ws_.pair()));
    if (ws_.pair().gearType != GearType::Bevel) PrintMeasurements();
  }

  // The measuring dimensions of both gears after a check.
  void PrintMeasurements() {
    const GearPair& g = ws_.pair();
    const bool rack = g.rackMode;
    auto value = [](double v, int decimals) { return FormatFixed(v, 0, decimals); };
    auto wheel = [&](const std::string& text) { return rack ? std::string("---") : text; };
    std::cout << "\nMíry ozubení\n";
    std::cout << "  Tloušťka zubu:       sc1 = " << value(g.sc1, 4) << "  hc1 = " << value(g.hc1, 4)
              << "    sc2 = " << value(g.sc2, 4) << "  hc2 = " << value(g.hc2, 4) << '\n';
    std::cout << "  Míra přes zuby:      W1 = " << value(g.W1, 4) << " (zw1 = " << g.zw1
              << ")    W2 = " << wheel(value(g.W2, 4) + " (zw2 = " + std::to_string(g.zw2) + ")")
              << '\n';
    std::cout << "  Rozměr přes kuličky: M1 = " << value(g.M1, 4) << " (dt1 = " << value(g.dt1, 4)
              << ", dM1 = " << value(g.dM1, 4) << ")    M2 = "
              << wheel(value(g.M2, 4) + " (dt2 = " + value(g.dt2, 4) +
                       ", dM2 = " + value(g.dM2, 4) + ")")
              << '\n';
  }
  void PrintTable() { std::cout << DimensionTableText(ws_.pair(), ws_.main().tableCaption()); }
  void PrintShort() { std::cout << ShortPrintText(ws_.pair(), ws_.main().tableCaption()); }
  bool reportShown() const { return ws_.main().resultsVisible(); }
  bool checkCurrent() const { return ws_.main().CheckCurrent(); }

  void PrintFields() {
    for (int n = 1; n <= 21; ++n) {
      const ControlState& s = ws_.main().control(FieldControl(n));
      if (!s.visible) continue;
      std::cout << FieldVariable(n) << " = " << s.text << '\n';
    }
  }

  // The message boxes of the events so far go to stderr as TITLE: TEXT.
  struct Asked {
    bool save = false, load = false;
  };
  Asked Drain() {
    Asked asked;
    for (Outcome& o : ws_.TakeOutcomes()) {
      if (o.kind == Outcome::Kind::ChooseFile) {
        (o.file == Outcome::File::Save ? asked.save : asked.load) = true;
      }
      if (o.kind != Outcome::Kind::Message) continue;
      if (o.message.kind == Message::Kind::Beep) {
        std::cerr << "(beep)\n";
      } else {
        std::cerr << Trim(o.message.title) << ": " << o.message.text << '\n';
      }
      messages_.push_back(std::move(o.message));
    }
    return asked;
  }

 private:
  // The dialog a prefixed name addresses, opened as its button would.
  bool OpenDialog(Dialog d) {
    if (!ws_.Exists(d)) {
      return Usage("the dialog '" + std::string(ws_.form(d).Name()) +
                   "' does not exist for this pair");
    }
    if (ws_.Open(d)) return true;
    if (!Refused()) {
      Usage("the dialog '" + std::string(ws_.form(d).Name()) +
            "' did not open: the dialog that opened first takes the input until it is closed");
    }
    return false;
  }

  bool DialogField(const std::string& name, const Workspace::Address& at,
                   const std::string& value) {
    const std::string rest(at.control);
    const Dialog d = at.dialog;
    if (!OpenDialog(d)) return false;
    if (!ws_.Focus(d, rest)) return Usage("unknown field '" + name + "'");
    if (Refused()) return false;
    ws_.Key(d, Key::Other);
    if (!ws_.Type(d, rest, value)) return Usage("'" + name + "' is not a field");
    return true;
  }

  bool DialogPress(const std::string& name, const Workspace::Address& at) {
    const std::string rest(at.control);
    const Dialog d = at.dialog;
    if (!OpenDialog(d)) return false;
    if (const auto key = KeyNamed(d, rest)) {
      ws_.Key(d, *key);
      return !Refused();
    }
    if (!ws_.Press(d, rest)) return Usage("unknown button '" + name + "'");
    return !Refused();
  }

  bool PressMain(const std::string& name) {
    ws_.Press(Dialog::Main, name);
    return !Refused();
  }

  bool Refused() const { return ws_.lastEntryRefused(); }

  bool Usage(const std::string& text) {
    std::cerr << "kolmira-cli: " << text << '\n';
    return false;
  }

  Workspace ws_;
  ScriptedUser user_{ws_};
  std::vector<Message> messages_;  // every message box, for --json
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
  constexpr const char* kChecksFirst =
      "; runs the complete check first (as \"KOMPLEXNÍ KONTROLA\") when none ran since the last "
      "change of an input";
  app.add_flag(
      "--json", json,
      std::string("print the state, messages, controls and report as JSON") + kChecksFirst);
  app.add_flag("--table", table, std::string("print the dimension table") + kChecksFirst);
  app.add_flag("--short", shortPrint,
               std::string("print the short print of the dimension table") + kChecksFirst);
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
    session.Drain();
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
    session.Drain();
    if (!ok) return kRefused;
  }
  ok = session.Finish();
  // Saving hides the results window (it tests the mandatory inputs first);
  // the report printed is the one the check showed.
  bool reportShown = session.reportShown();
  if (ok && !savePath.empty()) ok = session.Save(savePath);
  session.Drain();
  if (!ok) return kRefused;
  // The table, the short print and the JSON document are the results of a
  // check of the inputs as they stand: a missing one runs now, as --check
  // given last would (after the save, which keeps the file as the options
  // left the pair).
  if ((json || table || shortPrint) && !session.checkCurrent()) {
    // A check that could not run (shifts not divided, an incomplete pair)
    // has given its message: there are no results to print.
    ok = session.Check() && session.checkCurrent();
    session.Drain();
    if (!ok) return kRefused;
    reportShown = session.reportShown();
  }
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
