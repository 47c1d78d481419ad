#include "cli/HelpText.h"

#include <sstream>

#include "forms/FieldMeaning.h"

namespace kolmira {

namespace {

constexpr int kTermWidth = 30;

// What each form is, after its prefix.
std::string_view Describe(Dialog d) {
  switch (d) {
    case Dialog::Main:
      return "the main dialog (no prefix)";
    case Dialog::Backlash:
      return "the backlash dialog; a backlash typed into jn opens it by itself, and it is "
             "modal: confirm it (--press Vule.ok) before the next press of the main dialog";
    case Dialog::RackTools:
      return "the rack tools (\"Nástroje\"); keys: Nastroj.enter, Nastroj.esc, Nastroj.f1";
    case Dialog::ShaperCutter:
      return "the shaper cutter of an internal wheel (\"Fellow\"); keys: Fellow.enter, "
             "Fellow.f1";
    case Dialog::Measure:
      return "the measurement tab (\"Míry ozubení\")";
    case Dialog::Ident:
      return "the identification tab (\"Identifikace\"); methods 0 chordal thickness, 1 span, "
             "2 balls; RadioGroupN=K chooses what method N computes: K 0 module, 1 profile "
             "angle, 2 helix angle, 3 profile shift";
    default:
      return "";
  }
}

void Entry(std::ostringstream& out, const std::string& term, const std::string& text) {
  out << "  " << term;
  const int pad = kTermWidth - 2 - static_cast<int>(term.size());
  out << std::string(pad >= 2 ? pad : 2, ' ') << text << '\n';
}

std::string Prefix(const Workspace& ws, Dialog d) {
  return d == Dialog::Main ? "" : std::string(ws.form(d).Name()) + ".";
}

void Fields(std::ostringstream& out, const Workspace& ws, Dialog d) {
  const Form& form = ws.form(d);
  const std::string prefix = Prefix(ws, d);
  for (int i = 1; i < form.ControlCount(); ++i) {
    const ControlInfo& info = form.Info(i);
    if (info.kind != ControlKind::Field) continue;
    const std::string_view variable = FieldVariable(info);
    std::string term = prefix + (variable.empty() ? "" : std::string(variable) + ", ");
    term += prefix + std::string(info.name);
    const auto meaning = MeaningOfField(form, i);
    Entry(out, term,
          meaning ? "[" + std::string(meaning->unit) + "] " + std::string(meaning->meaning)
                  : std::string("not typed: computed and hidden"));
  }
}

void Buttons(std::ostringstream& out, const Workspace& ws, Dialog d) {
  const Form& form = ws.form(d);
  const std::string prefix = Prefix(ws, d);
  for (int i = 1; i < form.ControlCount(); ++i) {
    const ControlInfo& info = form.Info(i);
    const ControlKind k = info.kind;
    if (k != ControlKind::Button && k != ControlKind::Option && k != ControlKind::CheckBox &&
        k != ControlKind::Tab) {
      continue;
    }
    // The term is the first ASCII alias, else the control's name; the
    // caption and the other aliases follow.
    const std::string_view aliases = info.aliases;
    const std::string_view first = aliases.substr(0, aliases.find('|'));
    std::string term = prefix + std::string(first.empty() ? info.name : first);
    std::string text = k == ControlKind::Button     ? "button"
                       : k == ControlKind::Option   ? "option"
                       : k == ControlKind::CheckBox ? "check box"
                                                    : "tab";
    const std::string caption = CaptionAsListed(info.caption);
    if (!caption.empty()) text += " \"" + caption + "\"";
    text += ", control " + std::string(info.name);
    if (!first.empty() && first.size() < aliases.size()) {
      std::string more(aliases.substr(first.size() + 1));
      for (char& c : more) {
        if (c == '|') c = ';';
      }
      text += "; also \"" + more + "\"";
    }
    Entry(out, term, text);
  }
}

}  // namespace

std::string CaptionAsListed(std::string_view caption) {
  std::string out;
  for (char c : caption) {
    if (c != '&') out += c;
  }
  // Trailing blanks of a tab's caption are layout, not text.
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string HelpText(const Workspace& ws) {
  std::ostringstream out;
  out << "kolmira-cli: geometric check of involute gear pairs, scripted\n"
         "\n"
         "A scripted user of the dialogs: options act in the order given, as a user\n"
         "would click and type. A field typed into is left, and its text validated,\n"
         "before an option aims at another field, dialog or tab; a refusal stops the\n"
         "script. Every message box goes to stderr as TITLE: TEXT.\n"
         "\n"
         "Usage: kolmira-cli [FILE.dat]... [--type external|internal|bevel]\n"
         "         [--field NAME=TEXT]... [--press BUTTON]... [--check]\n"
         "         [--save FILE.dat] [--json] [--table] [--short]\n"
         "         [--map FILE.csv|FILE.svg] [--map-range X1MIN:X1MAX,X2MIN:X2MAX]\n"
         "         [--map-size N]\n"
         "       kolmira-cli --version\n"
         "       kolmira-cli --help\n"
         "\n"
         "Options:\n";
  Entry(out, "FILE.dat",
        "input file loaded first, as \"Načíst vstupy\" does; given many, the script runs on "
        "each from the program's start: --json prints one document per line (JSON Lines) "
        "with its file, the text output heads each file's part with its name, and the exit "
        "status is the worst of them");
  Entry(out, "--type TYPE", "gear type: external, internal or bevel");
  Entry(out, "--field NAME=TEXT",
        "enter field NAME, type TEXT and leave it; NAME as listed under Fields below");
  Entry(out, "--press BUTTON",
        "press a button, option, check box or tab by its alias, its caption without '&' "
        "(\"Rozděl korekce\") or its control name, as listed under Buttons below");
  Entry(out, "--check",
        "run \"KOMPLEXNÍ KONTROLA\" and print the report, one finding per line, then the "
        "measuring dimensions of both gears and the results of the identification tab "
        "when it was used");
  Entry(out, "--save FILE.dat",
        "save the inputs at the end, as \"Uložit vstupy\" does (one input file at most)");
  Entry(out, "--json",
        "print the document kolmira-check/1 (docs/kolmira-check.schema.json): inputs, "
        "pinion, wheel, pair, check, measurement, identification, messages, controls; "
        "printed also when an entry is refused");
  Entry(out, "--table", "print the dimension table");
  Entry(out, "--short", "print the short print of the dimension table");
  Entry(out, "--map FILE",
        "write the shift map of the pair as left by the options: the complete check over "
        "a grid of the shifts x1, x2 (centre distance following their sum; external and "
        "internal pairs); a pinion with a rack, a bevel pair (x2 = sum - x1) and a kept "
        "centre distance (x1 + x2 kept): the line of x1; FILE.csv the points, one 0/1 "
        "column per report line, else the SVG picture");
  Entry(out, "--map-range R",
        "the map's range X1MIN:X1MAX,X2MIN:X2MAX, a line's X1MIN:X1MAX (default: from the "
        "lowest shift each field takes to the pointed tip, within -1.5 to 2.5)");
  Entry(out, "--map-size N", "points along each axis of the map (51)");
  Entry(out, "--version", "print the program's name and version");
  Entry(out, "-h, --help", "print this text");
  out << "  --table, --short and --json show the results of a check: when no complete\n"
         "  check ran since the last change of an input, they run it first, as\n"
         "  \"KOMPLEXNÍ KONTROLA\" (--check given last) would.\n"
         "\n"
         "Dialog prefixes:\n";
  for (Dialog d : kPrefixedDialogs) Entry(out, Prefix(ws, d), std::string(Describe(d)));
  out << "  A prefix is a dialog only when it names one: a caption with a dot of its\n"
         "  own is pressed as written (--press Vyr.skluzy).\n";
  for (Dialog d : {Dialog::Main, Dialog::Backlash, Dialog::RackTools, Dialog::ShaperCutter,
                   Dialog::Measure, Dialog::Ident}) {
    out << "\nFields of " << (d == Dialog::Main ? "the main dialog" : Prefix(ws, d)) << ":\n";
    Fields(out, ws, d);
  }
  for (Dialog d : {Dialog::Main, Dialog::Backlash, Dialog::RackTools, Dialog::ShaperCutter,
                   Dialog::Measure, Dialog::Ident}) {
    out << "\nButtons and options of " << (d == Dialog::Main ? "the main dialog" : Prefix(ws, d))
        << ":\n";
    Buttons(out, ws, d);
  }
  out << "\nExit status:\n";
  Entry(out, "0", "done, whether or not the check found faults");
  Entry(out, "1", "an internal failure");
  Entry(out, "2",
        "an entry refused, a check stopped by an impossible shift sum, a bad file or a bad "
        "command line");
  out << "\nExamples:\n"
         "  # A shifted external pair (m 3, 12/24 teeth, x 0.6/0.36), checked, with its table\n"
         "  kolmira-cli --field mn=3 --field z1=12 --field z2=24 --field x1=0.6 --field "
         "x2=0.36 --check --table\n"
         "\n"
         "  # An internal pair 20/-80 whose shift sum 0.3 is split for equal sliding, as JSON\n"
         "  kolmira-cli --type internal --field xSum=0.3 --press skluzy --check --json\n"
         "\n"
         "  # A catalogue of saved pairs checked in one run, one JSON document per line\n"
         "  kolmira-cli --check --json a.dat b.dat c.dat\n";
  return out.str();
}

}  // namespace kolmira
