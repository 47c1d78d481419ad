// kolmira-cli: a scripted user of the dialogs. Options act in the order
// given, as a user would: choose the gear type, type fields, press buttons.
//
//   kolmira-cli [FILE.dat]... [--type external|internal|bevel]
//               [--field NAME=TEXT]... [--press BUTTON]... [--check]
//               [--save FILE.dat] [--json] [--table] [--short]
//               [--map FILE.csv|FILE.svg] [--map-range X1MIN:X1MAX,X2MIN:X2MAX]
//               [--map-size N]
//   kolmira-cli --help | --version
//
// A FILE.dat is loaded first, as "&Načíst vstupy" does; --save writes the
// inputs at the end, as "&Uložit vstupy" does. Given many files, the script
// runs on each from the program's start: one JSON document per line with
// --json, else each file's output headed by its name; the exit status is
// the worst of them.
//
// Without --json it prints the report when the check has shown it (then
// the measuring dimensions and the identification results), else the
// input fields as the dialog shows them; --table and --short add the
// dimension table and the short print. --table, --short and --json show the
// results of a check: when no complete check ran since the last change of
// an input, they run it first, as "KOMPLEXNÍ KONTROLA" (--check) would after
// the other options. The JSON document is printed also when the script was
// stopped, with what stopped it.
//
// --map writes the shift map of the pair as the options left it: the
// complete check over a grid of N x N shifts (x1, x2), the centre distance
// following their sum, for external and internal pairs. A pinion with a
// rack, a bevel pair and a pair whose centre distance is kept have one
// shift: the line of x1. A .csv file gets the points, any other name the
// SVG picture.
//
// Exit status: 0 done, whether or not the check found faults; 2 an entry was
// refused or the check was stopped by an impossible shift sum (the message
// is on stderr), or the command line was wrong; 1 an internal failure.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/HelpText.h"
#include "cli/ShiftMapOutput.h"
#include "cli/StateJson.h"
#include "forms/IdentForm.h"
#include "forms/ScriptedUser.h"
#include "forms/Workspace.h"
#include "model/NumberText.h"
#include "report/DimensionTable.h"
#include "report/Report.h"
#include "report/ShiftMapExport.h"
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

  // The document kolmira-check/1: on one line in a run over many files
  // (JSON Lines), indented otherwise.
  void PrintJson(bool reportShown, std::optional<Refusal> refused,
                 std::optional<std::string> file) {
    DocumentParts parts;
    parts.messages = &messages_;
    parts.reportShown = reportShown;
    parts.refused = std::move(refused);
    parts.file = file;
    const auto doc = CheckDocument(ws_, parts);
    std::cout << (file ? doc.dump() : doc.dump(2)) << '\n';
  }

  // The text of the last message box, or of the last complaint about the
  // command line.
  std::string lastText() const {
    if (!usage_.empty()) return usage_;
    for (auto m = messages_.rbegin(); m != messages_.rend(); ++m) {
      if (m->kind != Message::Kind::Beep) return m->text;
    }
    return "";
  }
  std::string focused() const { return std::string(ws_.main().focused()); }

  void PrintReport() {
    std::cout << ReportAsText(ReportLines(ws_.pair()));
    if (ws_.pair().gearType != GearType::Bevel) PrintMeasurements();
    PrintIdentification();
  }

  // The results of the identification tab's methods that ran.
  void PrintIdentification() {
    const auto results = IdentificationResults(ws_);
    if (results.empty()) return;
    static constexpr const char* kMethods[] = {"tloušťka zubu", "míra přes zuby",
                                               "rozměr přes kuličky"};
    static constexpr const char* kParameters[] = {"modul mn", "úhel profilu alfa",
                                                  "úhel sklonu beta", "korekce x"};
    std::cout << "\nIdentifikace\n";
    for (const IdentResult& r : results) {
      std::cout << "  " << kMethods[r.method] << ": " << kParameters[r.computed] << " = ";
      if (r.result) {
        const int decimals = r.computed == kIdentModule ? 3 : 4;
        // A value that rounds to zero is written without a sign.
        auto shown = [&](double v) {
          return std::abs(v) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : v;
        };
        std::cout << FormatFixed(shown(*r.result), 0, decimals) << (r.unit == "deg" ? "°" : "")
                  << "  (odchylka " << FormatFixed(shown(*r.deviation), 0, decimals)
                  << (r.unit == "deg" ? "°" : "") << ")\n";
      } else {
        std::cout << (r.outcome == IdentOutcome::Unsolvable ? kUnsolvableText : "---") << '\n';
      }
    }
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
  const GearPair& pair() const { return ws_.pair(); }
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
    usage_ = text;
    return false;
  }

  Workspace ws_;
  ScriptedUser user_{ws_};
  std::vector<Message> messages_;  // every message box, for --json
  std::string usage_;              // the complaint that stopped the script
};

// What the script asks of each file (or of the defaults when none is
// given).
struct Script {
  const CLI::App* app = nullptr;
  const CLI::Option *typeOption = nullptr, *fieldOption = nullptr, *pressOption = nullptr,
                    *checkOption = nullptr;
  std::vector<std::string> types, fields, presses;
  bool json = false, table = false, shortPrint = false;
  std::string savePath;
  std::string mapPath, mapRange;
  int mapSize = 51;
};

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// The shift map of the pair as the script left it, written to mapPath.
int WriteMap(const Script& script, const GearPair& pair) {
  const auto fail = [](const std::string& text) {
    std::cerr << "kolmira-cli: " << text << '\n';
    return kRefused;
  };
  if (script.mapSize < 2 || script.mapSize > 1001) return fail("--map-size: from 2 to 1001");
  ShiftMapRequest request;
  request.size = script.mapSize;
  const bool line = ShapeOf(pair) != ShiftMapShape::Plane;
  if (script.mapRange.empty()) {
    request.range = DefaultShiftMapRange(pair);
  } else if (const auto range = ParseMapRange(
                 line && script.mapRange.find(',') == std::string::npos
                     ? script.mapRange + ",0:1"  // a line's range may be x1's alone
                     : script.mapRange)) {
    request.range = *range;
  } else {
    return fail("--map-range: expected X1MIN:X1MAX,X2MIN:X2MAX, each minimum below its maximum");
  }
  const ShiftMapData data = ComputeShiftMapData(pair, request);
  std::ofstream out(script.mapPath, std::ios::binary);
  if (EndsWith(script.mapPath, ".csv")) {
    out << ShiftMapCsv(data);
  } else {
    out << ShiftMapSvg(BuildShiftMapScene(pair, data, request));
  }
  if (!out) return fail("--map: cannot write " + script.mapPath);
  return 0;
}

// One run of the script over one file from the program's start. `file` is
// named in the output when many files are checked in one run.
int RunOne(const Script& script, const std::string& loadPath, bool many) {
  Session session;
  if (many && !script.json) std::cout << "== " << loadPath << " ==\n";
  auto refused = [&](std::string control) {
    session.Drain();
    if (script.json) {
      session.PrintJson(session.reportShown(), Refusal{control, session.lastText()},
                        many ? std::optional<std::string>(loadPath) : std::nullopt);
    }
    return kRefused;
  };
  std::size_t nextType = 0, nextField = 0, nextPress = 0;
  bool ok = true;
  if (!loadPath.empty()) {
    ok = session.Load(loadPath);
    session.Drain();
    if (!ok) return refused(loadPath);
  }
  for (const CLI::Option* option : script.app->parse_order()) {
    std::string control;
    if (option == script.typeOption) {
      control = script.types.at(nextType++);
      ok = session.ChooseType(control);
    } else if (option == script.fieldOption) {
      control = script.fields.at(nextField++);
      control = control.substr(0, control.find('='));
      ok = session.Field(script.fields.at(nextField - 1));
    } else if (option == script.pressOption) {
      control = script.presses.at(nextPress++);
      ok = session.Press(control);
    } else if (option == script.checkOption) {
      control = "CheckButton";
      ok = session.Check();
    }
    session.Drain();
    if (!ok) return refused(control);
  }
  ok = session.Finish();
  // Saving hides the results window (it tests the mandatory inputs first);
  // the report printed is the one the check showed.
  bool reportShown = session.reportShown();
  if (ok && !script.savePath.empty()) ok = session.Save(script.savePath);
  session.Drain();
  if (!ok) return refused(script.savePath.empty() ? session.focused() : script.savePath);
  // The table, the short print and the JSON document are the results of a
  // check of the inputs as they stand: a missing one runs now, as --check
  // given last would (after the save, which keeps the file as the options
  // left the pair).
  if ((script.json || script.table || script.shortPrint) && !session.checkCurrent()) {
    // A check that could not run (shifts not divided, an incomplete pair)
    // has given its message: there are no results to print.
    ok = session.Check() && session.checkCurrent();
    session.Drain();
    if (!ok) return refused("CheckButton");
    reportShown = session.reportShown();
  }
  if (script.json) {
    session.PrintJson(reportShown, std::nullopt,
                      many ? std::optional<std::string>(loadPath) : std::nullopt);
  } else {
    if (reportShown) {
      session.PrintReport();
    } else if (!script.table && !script.shortPrint) {
      session.PrintFields();
    }
    if (script.table) session.PrintTable();
    if (script.shortPrint) session.PrintShort();
  }
  if (!script.mapPath.empty()) return WriteMap(script, session.pair());
  return 0;
}

int Run(int argc, char** argv) {
  CLI::App app{"Kolmira: geometric check of involute gear pairs, scripted"};
  // --help is made from the forms' control tables (HelpText).
  app.set_help_flag();
  Script script;
  script.app = &app;
  bool check = false, help = false, version = false;
  std::vector<std::string> loadPaths;
  app.add_flag("-h,--help", help, "print the help");
  app.add_flag("--version", version, "print the program's name and version");
  app.add_option("FILE", loadPaths, "input files to load first (.dat)");
  app.add_option("--save", script.savePath, "save the inputs to this file at the end");
  script.typeOption =
      app.add_option("--type", script.types, "gear type: external, internal or bevel")->take_all();
  script.fieldOption = app.add_option("--field", script.fields, "type TEXT into field NAME");
  script.pressOption = app.add_option("--press", script.presses, "press a button or option");
  script.checkOption = app.add_flag("--check", check, "run the complete check");
  app.add_flag("--json", script.json, "print the document kolmira-check/1");
  app.add_flag("--table", script.table, "print the dimension table");
  app.add_flag("--short", script.shortPrint, "print the short print of the dimension table");
  app.add_option("--map", script.mapPath, "write the shift map (FILE.csv grid, else SVG)");
  app.add_option("--map-range", script.mapRange, "shift map range X1MIN:X1MAX,X2MIN:X2MAX");
  app.add_option("--map-size", script.mapSize, "shift map points along each axis (51)");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : kRefused;
  }
  if (help) {
    std::cout << HelpText(Workspace());
    return 0;
  }
  if (version) {
    std::cout << "kolmira-cli " << KOLMIRA_VERSION << '\n';
    return 0;
  }
  if (loadPaths.size() > 1 && !script.mapPath.empty()) {
    std::cerr << "kolmira-cli: --map takes one input file, not " << loadPaths.size() << '\n';
    return kRefused;
  }
  if (loadPaths.size() > 1 && !script.savePath.empty()) {
    std::cerr << "kolmira-cli: --save takes one input file, not " << loadPaths.size() << '\n';
    return kRefused;
  }
  if (loadPaths.size() <= 1) return RunOne(script, loadPaths.empty() ? "" : loadPaths[0], false);
  // Many files: each checked on its own from the program's start; the run
  // goes on after a bad one and ends with the worst exit status.
  int worst = 0;
  for (std::size_t i = 0; i < loadPaths.size(); ++i) {
    if (i > 0 && !script.json) std::cout << '\n';
    worst = std::max(worst, RunOne(script, loadPaths[i], true));
    std::cout.flush();
  }
  return worst;
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
