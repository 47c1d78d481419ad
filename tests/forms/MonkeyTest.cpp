// A user who does anything in any order: random texts typed into random
// fields of whatever window takes the input, random buttons, keys, checks
// and dialogs, for every gear type. Whatever he does, the program must not
// crash or hang, its inputs must stay numbers, a shown report and table
// must hold no "nan" or "inf", and the inputs it saves must load again.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>

#include "TestPairs.h"
#include "files/InputFile.h"
#include "forms/MainForm.h"
#include "forms/Program.h"
#include "report/Report.h"
#include "report/DimensionTable.h"

namespace kolmira {
namespace {

using test::Program;

// The windows a user reaches with the mouse and the keys; the shift map
// (a background job of its own) has its own tests.
constexpr Dialog kDialogs[] = {Dialog::Main,    Dialog::Backlash, Dialog::RackTools,
                               Dialog::ShaperCutter, Dialog::Measure,  Dialog::Ident,
                               Dialog::Report,  Dialog::Table};

// Texts a user types: numbers of every size and sign, numbers near the
// field's own value, and what is no number at all. (Not a length below the
// input file's last decimal: the dialog takes it, and the save refuses it
// with its message.)
std::string RandomText(std::mt19937& random, const std::string& current) {
  static const char* const fixed[] = {
      "",      "abc",  "0",     "-0",   "1",     "-1",     "0.5",    "-0.5", "2.5",   "20",
      "40",    "-80",  "5000",  "90",   "180",   "1e308",  "-1e308", "nan",  "inf",   "1e-9",
      "0.001", "55",   "99.99", "3.5",  "20.3060", "1000", "-15",    "8",    "1,5",   "Hřeben"};
  const int pick = std::uniform_int_distribution<int>(0, 3)(random);
  if (pick > 0) {
    return fixed[std::uniform_int_distribution<std::size_t>(0, std::size(fixed) - 1)(random)];
  }
  // The field's own value, moved a little or a lot.
  double value = 0.0;
  try {
    value = std::stod(current);
  } catch (...) {
    value = 1.0;
  }
  const double factor = std::uniform_real_distribution<double>(-2.0, 3.0)(random);
  return Program::Exact(value * factor + std::uniform_real_distribution<double>(-1, 1)(random));
}

// The visible controls of a kind a form offers now.
std::vector<std::string> Controls(const Form& form, bool fields) {
  std::vector<std::string> names;
  for (const auto& [name, state] : form.Controls()) {
    const auto index = form.Find(name);
    if (!index || !state.visible || !state.enabled) continue;
    const ControlKind kind = form.Info(*index).kind;
    const bool field = kind == ControlKind::Field;
    const bool pressable = kind == ControlKind::Button || kind == ControlKind::Option ||
                           kind == ControlKind::CheckBox || kind == ControlKind::Tab;
    if (fields ? field && !state.readOnly : pressable) names.push_back(name);
  }
  return names;
}

std::optional<Dialog> OpenModal(const Program& p) {
  for (Dialog modal : {Dialog::Backlash, Dialog::RackTools, Dialog::Table}) {
    if (p.ws.form(modal).visible()) return modal;
  }
  return std::nullopt;
}

// The window that takes the input now: an open modal dialog, or any shown
// window at random.
Dialog Target(Program& p, std::mt19937& random) {
  if (const auto modal = OpenModal(p)) return *modal;
  std::vector<Dialog> shown;
  for (Dialog d : kDialogs) {
    if (d == Dialog::Main || p.ws.form(d).visible()) shown.push_back(d);
  }
  return shown[std::uniform_int_distribution<std::size_t>(0, shown.size() - 1)(random)];
}

template <typename T>
const T& Any(std::mt19937& random, const std::vector<T>& items) {
  return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
}

// One event of the user, as it can be done again.
struct Action {
  // Slip: the mouse goes down on a button and is released elsewhere.
  // Close: the window frame's close button.
  enum class Kind { Type, Press, Key, Check, Open, Focus, Slip, Close } kind = Kind::Check;
  Dialog dialog = Dialog::Main;
  std::string control;
  std::string text;
  kolmira::Key key = Key::Enter;

  void Do(Program& p) const {
    switch (kind) {
      case Kind::Type:
        p.Type(dialog, control, text);
        break;
      case Kind::Press:
        p.Press(dialog, control);
        break;
      case Kind::Key:
        p.Key(dialog, key);
        break;
      case Kind::Check:
        p.Step([&] { return p.ws.Check(); });
        break;
      case Kind::Open:
        p.Open(dialog);
        break;
      case Kind::Focus:
        p.Focus(dialog, control);
        break;
      case Kind::Close:
        p.Step([&] {
          p.ws.Close(dialog);
          return true;
        });
        break;
      case Kind::Slip:
        p.Step([&] {
          p.ws.BeginPress(dialog, control);
          p.ws.EndPress(dialog);
          return true;
        });
        break;
    }
  }
  std::string Describe(const Program& p) const {
    const char* kinds[] = {"type", "press", "key", "check", "open", "focus", "slip", "close"};
    std::string text = kinds[static_cast<int>(kind)];
    if (kind != Kind::Check) text += " " + std::string(p.ws.form(dialog).Name());
    if (!control.empty()) text += "." + control;
    if (kind == Kind::Type) text += "='" + this->text + "'";
    if (kind == Kind::Key) text += " " + std::to_string(static_cast<int>(key));
    return text;
  }
};

// A random event the user can make now; none when the window he aims at
// offers nothing of the kind.
std::optional<Action> RandomAction(Program& p, std::mt19937& random) {
  const Dialog d = Target(p, random);
  const Form& form = p.ws.form(d);
  Action a;
  a.dialog = d;
  switch (std::uniform_int_distribution<int>(0, 10)(random)) {
    case 10:
      if (d == Dialog::Main) return std::nullopt;
      a.kind = Action::Kind::Close;
      return a;
    case 0:
    case 1:
    case 2:
    case 3: {
      const std::vector<std::string> fields = Controls(form, true);
      if (fields.empty()) return std::nullopt;
      a.kind = Action::Kind::Type;
      a.control = Any(random, fields);
      a.text = RandomText(random, p.Text(d, a.control));
      return a;
    }
    case 4:
    case 5: {
      std::vector<std::string> buttons = Controls(form, false);
      // The map starts a background job of its own.
      std::erase_if(buttons,
                    [&](const std::string& b) { return d == Dialog::Report && b == "Button3"; });
      if (buttons.empty()) return std::nullopt;
      a.control = Any(random, buttons);
      // "&Konec" ends the program: only the press that slips stays in it.
      const bool slip = a.control == "QuitButton" ||
                        std::uniform_int_distribution<int>(0, 5)(random) == 0;
      a.kind = slip ? Action::Kind::Slip : Action::Kind::Press;
      return a;
    }
    case 6: {
      const kolmira::Key keys[] = {Key::Enter, Key::Escape, Key::F1, Key::Other};
      a.kind = Action::Kind::Key;
      a.key = keys[std::uniform_int_distribution<int>(0, 3)(random)];
      return a;
    }
    case 7:
      if (OpenModal(p)) return std::nullopt;
      a.kind = Action::Kind::Check;
      return a;
    case 8:
      if (OpenModal(p)) return std::nullopt;
      a.kind = Action::Kind::Open;
      a.dialog = kDialogs[std::uniform_int_distribution<int>(1, 5)(random)];
      return a;
    default: {
      const std::vector<std::string> fields = Controls(form, true);
      if (fields.empty()) return std::nullopt;
      a.kind = Action::Kind::Focus;
      a.control = Any(random, fields);
      return a;
    }
  }
}

bool HasNoNumber(const std::string& text) {
  for (const char* word : {"nan", "inf", "NaN", "Inf"}) {
    if (text.find(word) != std::string::npos) return true;
  }
  return false;
}

// What is wrong after the last event, "" when nothing is: an input that
// is no number, or a shown report or table that holds one. (What the check
// keeps for itself may be no number where the pair does not mesh -- the
// specific sliding at a tip that reaches only the mate's base circle is
// unbounded -- or where it stopped with "… nemožné parametry soukolí"; the
// report and the table show "---" or nothing for it.)
std::string Fault(Program& p) {
  if (HasNoNumber(WriteInputFile(p.g))) return "an input that is no number";
  if (p.main.resultsVisible()) {
    if (HasNoNumber(ReportAsText(ReportLines(p.g)))) return "a report line without a number";
    if (HasNoNumber(DimensionTableText(p.g))) return "a table cell without a number";
  }
  return "";
}

// What is wrong with saving the inputs once the user has closed every
// window and left the field he typed in, "" when nothing is.
std::string SaveFault(Program& p) {
  for (Dialog d : {Dialog::Table, Dialog::Backlash, Dialog::RackTools, Dialog::ShaperCutter}) {
    if (p.ws.form(d).visible()) p.Step([&] {
        p.ws.Close(d);
        return true;
      });
  }
  const bool accepted = p.Step([&] { return p.user.Leave(Dialog::Main); });
  // The shift sum waiting to be divided is refused by the save itself; the
  // teeth of a bevel pair or a ring wait in their field until the pinion
  // has no more than the wheel.
  const bool ring = p.g.gearType != GearType::External;
  const bool teethPending =
      ring && std::fabs(p.g.gearType == GearType::Bevel ? p.g.z2Bevel : p.g.z2) <
                  (p.g.gearType == GearType::Bevel ? p.g.z1Bevel : p.g.z1);
  if (!accepted || p.g.shiftNotDistributed || teethPending) return "";
  GearPair loaded = test::StandardExternalPair();
  const InputFileResult result = ReadInputFile(WriteInputFile(p.g), loaded);
  if (result.ok) return "";
  const std::string& text = result.message.text;
  const std::size_t line = text.find("řádek ");
  return "saved inputs do not load: " +
         (line == std::string::npos ? text : text.substr(line, text.find(':', line) - line));
}

// Whether the user can make the event now: its window is shown, and no
// modal dialog but its own is open. (A shorter sequence may leave out the
// event that opened a window.)
bool CanDo(const Program& p, const Action& a) {
  const std::optional<Dialog> modal = OpenModal(p);
  if (a.kind == Action::Kind::Check || a.kind == Action::Kind::Open) return !modal;
  if (modal) return a.dialog == *modal;
  return a.dialog == Dialog::Main || p.ws.form(a.dialog).visible();
}

// The events from the start of a program of the gear type, until the first
// fault; that fault, or the fault of saving after the last event.
std::string Replay(int type, const std::vector<Action>& actions, bool save) {
  Program p;
  p.Choose(type);
  for (const Action& a : actions) {
    if (!CanDo(p, a)) continue;
    a.Do(p);
    if (std::string fault = Fault(p); !fault.empty()) return fault;
  }
  return save ? SaveFault(p) : "";
}

// The events, fewer of them while the same fault still comes: what a
// reader of a failure needs to see.
std::vector<Action> Shortest(int type, std::vector<Action> actions, const std::string& fault,
                             bool save) {
  for (std::size_t chunk = actions.size() / 2; chunk >= 1; chunk /= 2) {
    for (std::size_t at = 0; at < actions.size();) {
      std::vector<Action> fewer = actions;
      fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(at),
                  fewer.begin() + static_cast<std::ptrdiff_t>(std::min(at + chunk, fewer.size())));
      if (Replay(type, fewer, save) == fault) {
        actions = std::move(fewer);
      } else {
        at += chunk;
      }
    }
  }
  return actions;
}

std::string Describe(int type, const std::vector<Action>& actions) {
  Program p;
  std::string text = "gear type " + std::to_string(type) + ":\n";
  for (const Action& a : actions) text += "  " + a.Describe(p) + "\n";
  return text;
}

TEST(Monkey, AnySequenceOfEventsKeepsThePairSound) {
  // KOLMIRA_MONKEY_RUNS=N runs N sequences instead, to search further.
  const char* runs = std::getenv("KOLMIRA_MONKEY_RUNS");
  const int kRuns = runs != nullptr ? std::atoi(runs) : 200;
  constexpr int kEvents = 250;
  for (int run = 0; run < kRuns; ++run) {
    std::mt19937 random(static_cast<unsigned>(run) * 7919u + 17u);
    const int type = run % 3 + 1;
    Program p;
    p.Choose(type);
    std::vector<Action> done;
    for (int event = 0; event < kEvents; ++event) {
      const std::optional<Action> action = RandomAction(p, random);
      if (!action) continue;
      const auto start = std::chrono::steady_clock::now();
      action->Do(p);
      done.push_back(*action);
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      ASSERT_LT(seconds, 2.0) << "an event that hangs, " << Describe(type, done);
      if (const std::string fault = Fault(p); !fault.empty()) {
        FAIL() << fault << " (run " << run << "), "
               << Describe(type, Shortest(type, done, fault, false));
      }
    }
    if (const std::string fault = SaveFault(p); !fault.empty()) {
      FAIL() << fault << " (run " << run << "), " << Describe(type, Shortest(type, done, fault, true));
    }
  }
}

}  // namespace
}  // namespace kolmira
