// The rack tool dialog's behaviour: the validators of the tool fields with
// their messages, the option check boxes and pictures, "Nuluj" and "OK", and
// what the tools change in the main dialog's basic rack.
#include "forms/RackToolForm.h"

#include "engine/Meshing.h"
#include "engine/Protuberance.h"

#include <cmath>

#include "engine/PairGeometry.h"
#include "engine/RackTool.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

// Name of each control and the tool whose group holds it (0: common).
struct ControlInfo {
  const char* name;
  int tool;
};

// clang-format off
constexpr ControlInfo kControls[kToolControlCount] = {
    {"None", 0},
    {"Edit1", 1}, {"Edit2", 1}, {"Edit3", 1}, {"Edit4", 1}, {"Edit5", 1}, {"Edit6", 1},
    {"Edit7", 1},
    {"Edit8", 2}, {"Edit9", 2}, {"Edit10", 2}, {"Edit11", 2}, {"Edit12", 2}, {"Edit13", 2},
    {"Edit14", 2},
    {"Label35", 1}, {"Label36", 2},
    {"DegreeUnit4", 1}, {"DegreeUnit11", 2}, {"DegreeUnit35", 1}, {"DegreeUnit36", 2},
    {"CheckBox1", 1}, {"CheckBox2", 1}, {"CheckBox3", 2}, {"CheckBox4", 2},
    {"GroupBox1", 1}, {"GroupBox2", 2},
    {"PinionPlain", 1}, {"PinionChamfer", 1}, {"PinionProtuberance", 1}, {"PinionBoth", 1},
    {"WheelPlain", 2}, {"WheelChamfer", 2}, {"WheelProtuberance", 2}, {"WheelBoth", 2},
    {"OKBtn", 0}, {"Button1", 0}, {"HelpBtn", 0},
};
// clang-format on

// Other names the buttons and check boxes answer to: their captions and
// ASCII aliases for the command line.
struct Alias {
  const char* name;
  ToolControl control;
};
constexpr Alias kAliases[] = {
    {"OK", ToolControl::OKBtn},
    {"ok", ToolControl::OKBtn},
    {"Nuluj", ToolControl::Button1},
    {"nuluj", ToolControl::Button1},
    {"Help", ToolControl::HelpBtn},
    {"help", ToolControl::HelpBtn},
    {"Sražení hlavy pastorku", ToolControl::CheckBox1},
    {"srazeni1", ToolControl::CheckBox1},
    {"Protuberance pastorku", ToolControl::CheckBox2},
    {"protuberance1", ToolControl::CheckBox2},
    {"Sražení hlavy kola", ToolControl::CheckBox3},
    {"srazeni2", ToolControl::CheckBox3},
    {"Protuberance kola", ToolControl::CheckBox4},
    {"protuberance2", ToolControl::CheckBox4},
    {"haP01Star", ToolControl::Edit1},
    {"rhoaP01Star", ToolControl::Edit2},
    {"hFfP01Star", ToolControl::Edit3},
    {"alphaKP01Deg", ToolControl::Edit4},
    {"hFaP01Star", ToolControl::Edit6},
    {"prP01", ToolControl::Edit7},
    {"haP02Star", ToolControl::Edit8},
    {"rhoaP02Star", ToolControl::Edit9},
    {"hFfP02Star", ToolControl::Edit10},
    {"alphaKP02Deg", ToolControl::Edit11},
    {"hFaP02Star", ToolControl::Edit13},
    {"prP02", ToolControl::Edit14},
};

// Largest chamfer angle: just below a flank at right angles to the datum.
constexpr double kChamferAngleMax = 1.5707962267948967;  // pi/2 - 1e-7
// The chamfering edge must be steeper than the main flank by this much.
constexpr double kChamferAngleMargin = 1e-7;
// A tip radius typed as the maximum shown with 4 decimals passes.
constexpr double kTipRadiusMargin = 0.0001;

bool IsField(ToolControl c) {
  return c >= ToolControl::Edit1 && c <= ToolControl::Edit14;
}

// The tool of a control (1 pinion, 2 wheel), 0 for the common buttons.
int ToolOf(ToolControl c) {
  return kControls[static_cast<int>(c)].tool;
}

// Position of a field in its group, 1 (addendum) .. 7 (protuberance size).
int Slot(ToolControl field) {
  const int i = static_cast<int>(field) - static_cast<int>(ToolControl::Edit1);
  return i % 7 + 1;
}

// Field of a tool at a slot.
ToolControl FieldAt(int tool, int slot) {
  return static_cast<ToolControl>(static_cast<int>(ToolControl::Edit1) + (tool == 2 ? 7 : 0) +
                                  slot - 1);
}

ToolControl Picture(int tool, bool chamfer, bool protuberance) {
  const int first =
      static_cast<int>(tool == 2 ? ToolControl::WheelPlain : ToolControl::PinionPlain);
  return static_cast<ToolControl>(first + (chamfer ? 1 : 0) + (protuberance ? 2 : 0));
}

ToolControl ChamferBox(int tool) {
  return tool == 2 ? ToolControl::CheckBox3 : ToolControl::CheckBox1;
}
ToolControl ProtuberanceBox(int tool) {
  return tool == 2 ? ToolControl::CheckBox4 : ToolControl::CheckBox2;
}
ToolControl AngleLabel(int tool) {
  return tool == 2 ? ToolControl::Label36 : ToolControl::Label35;
}

// Main dialog fields of the basic rack that a tool changes: the mating
// addendum (haP1Star is field 11, haP2Star 12) and the fillet of the gear cut
// (rhofP1Star 15, rhofP2Star 16).
int MatingAddendumField(int tool) {
  return tool == 2 ? 11 : 12;
}
int FilletField(int tool) {
  return tool == 2 ? 16 : 15;
}

}  // namespace

std::string_view ToolControlName(ToolControl c) {
  const int i = static_cast<int>(c);
  if (i < 0 || i >= kToolControlCount) return "";
  return kControls[i].name;
}

std::string_view RackToolForm::Caption(ToolControl c) {
  switch (c) {
    case ToolControl::Edit1:
    case ToolControl::Edit8:
      return "Poměrná výška hlavy";
    case ToolControl::Edit2:
    case ToolControl::Edit9:
      return "Poměrný rádius zaoblení hlavy";
    case ToolControl::Edit3:
    case ToolControl::Edit10:
      return "Poměrná výška ke sražení";
    case ToolControl::Edit4:
    case ToolControl::Edit11:
      return "Úhel profilu srážecí hrany";
    case ToolControl::Label35:
    case ToolControl::Label36:
      return "Úhel profilu protuberance";
    case ToolControl::Edit6:
    case ToolControl::Edit13:
      return "Poměrná výška k protuberanci";
    case ToolControl::Edit7:
    case ToolControl::Edit14:
      return "Velikost protuberance";
    default:
      return "";
  }
}

std::string_view RackToolForm::Unit(ToolControl c) {
  switch (c) {
    case ToolControl::Edit4:
    case ToolControl::Edit11:
    case ToolControl::Label35:
    case ToolControl::Label36:
      return "[ ° ]";
    case ToolControl::Edit7:
    case ToolControl::Edit14:
      return "[ mm ]";
    default:
      return "";
  }
}

RackToolForm::RackToolForm(GearPair& g, MainForm& main) : g_(g), main_(main) {
  // "OK" with a protuberance: the limits of undercut by the protuberance
  // flank, then the gear's undercut step on them.
  protuberanceCheck_ = [](GearPair& pair, int) {
    ProtuberanceLimits(pair);
    CheckUndercut(pair);
  };
  state(ToolControl::CheckBox1).text = "Sražení hlavy pastorku";
  state(ToolControl::CheckBox2).text = "Protuberance pastorku";
  state(ToolControl::CheckBox3).text = "Sražení hlavy kola";
  state(ToolControl::CheckBox4).text = "Protuberance kola";
  state(ToolControl::GroupBox1).text = "Nástroj pro pastorek";
  state(ToolControl::GroupBox2).text = "Nástroj pro kolo";
  state(ToolControl::OKBtn).text = "OK";
  state(ToolControl::Button1).text = "Nuluj";
  state(ToolControl::HelpBtn).text = "Help";
  state(ToolControl::DegreeUnit4).text = state(ToolControl::DegreeUnit11).text = "[ ° ]";
  state(ToolControl::DegreeUnit35).text = state(ToolControl::DegreeUnit36).text = "[ ° ]";
  // The protuberance angle is computed, never typed: its fields stay hidden.
  for (ToolControl c : {ToolControl::Edit5, ToolControl::Edit12}) {
    state(c).visible = false;
    state(c).enabled = false;
  }
  Create();
}

// ---------------------------------------------------------------------------
// Creation, show and the control states

void RackToolForm::Create() {
  g_.chamfer1 = g_.chamfer2 = g_.protuberance1 = g_.protuberance2 = false;
  for (int tool : {1, 2}) {
    state(ChamferBox(tool)).checked = false;
    state(ProtuberanceBox(tool)).checked = false;
    ShowOptionControls(tool);
    ShowPicture(tool);
  }
  WriteAllFields();
}

void RackToolForm::Show() {
  visible_ = true;
  focused_ = ToolControl::None;
  lastEntryRefused_ = false;
  for (int tool : {1, 2}) {
    const RackToolVariables v = ToolVariables(g_, tool);
    state(ChamferBox(tool)).checked = v.chamfer;
    state(ProtuberanceBox(tool)).checked = v.protuberance;
    ShowOptionControls(tool);
    ShowPicture(tool);
  }
  // The main dialog may have changed the tools since the dialog was last
  // shown ("Standard", the basic rack fields, a loaded file).
  WriteAllFields();
}

void RackToolForm::ShowOptionControls(int tool) {
  const RackToolVariables v = ToolVariables(g_, tool);
  state(FieldAt(tool, 3)).visible = state(FieldAt(tool, 4)).visible = v.chamfer;
  state(FieldAt(tool, 6)).visible = state(FieldAt(tool, 7)).visible = v.protuberance;
  state(AngleLabel(tool)).visible = v.protuberance;
}

void RackToolForm::ShowPicture(int tool) {
  const RackToolVariables v = ToolVariables(g_, tool);
  for (bool chamfer : {false, true}) {
    for (bool protuberance : {false, true}) {
      state(Picture(tool, chamfer, protuberance)).visible =
          chamfer == v.chamfer && protuberance == v.protuberance;
    }
  }
}

ControlState RackToolForm::control(ToolControl c) const {
  ControlState s = controls_[Index(c)];
  const int tool = ToolOf(c);
  if (c == ToolControl::Label35 || c == ToolControl::Label36) {
    // The angle follows the data of the state, whichever dialog changed them.
    s.text.clear();
    if (tool == 1 ? g_.protuberance1 : g_.protuberance2) {
      const ProtuberanceSolution p = SolveProtuberanceAngle(g_, tool);
      if (!p.solved) {
        s.text = kToolNoSolution;
      } else {
        const double degrees = p.angle * kRadToDeg;
        s.text = g_.dmsMode ? FormatDmsDialog(degrees) : FormatFixed(degrees, 7, 4);
      }
    }
  }
  const ToolControl unitOf = c == ToolControl::DegreeUnit4    ? ToolControl::Edit4
                             : c == ToolControl::DegreeUnit11 ? ToolControl::Edit11
                             : c == ToolControl::DegreeUnit35 ? ToolControl::Label35
                             : c == ToolControl::DegreeUnit36 ? ToolControl::Label36
                                                              : ToolControl::None;
  if (unitOf != ToolControl::None) s.visible = controls_[Index(unitOf)].visible && !g_.dmsMode;
  // An internal wheel is cut by the shaper cutter, not by a rack tool.
  if (tool == 2 && !WheelGroupShown()) s.visible = false;
  return s;
}

std::vector<std::pair<std::string, ControlState>> RackToolForm::Controls() const {
  std::vector<std::pair<std::string, ControlState>> all;
  all.reserve(kToolControlCount - 1);
  for (int i = 1; i < kToolControlCount; ++i) {
    const auto c = static_cast<ToolControl>(i);
    all.emplace_back(std::string(ToolControlName(c)), control(c));
  }
  return all;
}

void RackToolForm::ShowAngleField(ToolControl field, double degrees) {
  text(field) = g_.dmsMode ? FormatDmsDialog(degrees) : FormatFixed(degrees, 7, 4);
}

void RackToolForm::WriteToolFields(int tool) {
  const RackToolVariables v = ToolVariables(g_, tool);
  text(FieldAt(tool, 1)) = FormatFixed(v.haP0Star, 6, 4);
  text(FieldAt(tool, 2)) = FormatFixed(v.rhoaP0Star, 6, 4);
  text(FieldAt(tool, 3)) = FormatFixed(v.hFfP0Star, 6, 4);
  ShowAngleField(FieldAt(tool, 4), v.alphaKP0Deg);
  text(FieldAt(tool, 6)) = FormatFixed(v.hFaP0Star, 6, 4);
  text(FieldAt(tool, 7)) = FormatFixed(v.prP0, 6, 4);
}

void RackToolForm::WriteAllFields() {
  WriteToolFields(1);
  WriteToolFields(2);
  if (IsField(focused_)) fieldTextOnEnter_ = text(focused_);
}

// ---------------------------------------------------------------------------
// Names, focus and typing

std::optional<ToolControl> RackToolForm::Lookup(std::string_view name) const {
  if (name.empty()) return ToolControl::None;
  for (int i = 1; i < kToolControlCount; ++i) {
    if (name == kControls[i].name) return static_cast<ToolControl>(i);
  }
  for (const Alias& a : kAliases) {
    if (name == a.name) return a.control;
  }
  return std::nullopt;
}

bool RackToolForm::Reachable(ToolControl c) const {
  if (!visible_) return false;  // a closed dialog takes no input
  const bool focusable =
      IsField(c) || (c >= ToolControl::CheckBox1 && c <= ToolControl::CheckBox4) ||
      c == ToolControl::OKBtn || c == ToolControl::Button1 || c == ToolControl::HelpBtn;
  if (!focusable) return false;
  const ControlState s = control(c);
  return s.visible && s.enabled;
}

bool RackToolForm::Focus(std::string_view name) {
  const auto c = Lookup(name);
  if (!c || !visible_) return false;
  if (*c != ToolControl::None && !Reachable(*c)) return false;
  MoveFocus(*c);
  return true;
}

bool RackToolForm::Type(std::string_view name, std::string value) {
  const auto c = Lookup(name);
  if (!c || !IsField(*c) || !Reachable(*c)) return false;
  MoveFocus(*c);
  if (focused_ != *c) return false;  // the field left behind refused its text
  // A text changed after Enter accepted the field must be validated when the
  // field is left, or the field would show a value the state never took.
  if (text(*c) != value) g_.toolFieldDone = false;
  text(*c) = std::move(value);
  return true;
}

void RackToolForm::MoveFocus(ToolControl target) {
  if (target == focused_) return;
  lastEntryRefused_ = false;
  if (IsField(focused_)) {
    FieldExit(focused_);
    if (lastEntryRefused_) return;  // the focus stays in the refused field
  }
  focused_ = target;
  if (IsField(target)) fieldTextOnEnter_ = text(target);
}

void RackToolForm::FieldExit(ToolControl field) {
  // A field that Enter has just accepted is not validated again.
  if (!g_.toolFieldDone) Validate(field);
  g_.toolFieldDone = false;
}

void RackToolForm::PressEnter() {
  lastEntryRefused_ = false;
  if (IsField(focused_)) Validate(focused_);
}

// ---------------------------------------------------------------------------
// Validators

void RackToolForm::Refuse(ToolControl field, const char* title, const std::string& message) {
  g_.Queue(title, message);
  lastEntryRefused_ = true;
  focused_ = field;
  g_.toolFieldDone = false;
}

void RackToolForm::Accepted() {
  g_.toolFieldDone = true;
  g_.inputsChanged = true;
  g_.identInputsChanged = true;
}

bool RackToolForm::ProtuberanceOk(int tool, ToolControl field) {
  ProtuberanceAngle(g_, tool);
  RackToolVariables v = ToolVariables(g_, tool);
  if (!v.protInvalid) return true;
  Refuse(field, kErrorTitle, kToolProtuberanceImpossible);
  v.protInvalid = false;
  return false;
}

bool RackToolForm::Validate(ToolControl field) {
  if (g_.toolDlgClosing) return false;
  const int slot = Slot(field);
  const int tool = ToolOf(field);
  if (slot == 5) return false;  // the hidden protuberance angle field
  // The chamfer angle is taken only when its text was changed.
  if (slot == 4 && text(field) == fieldTextOnEnter_) return false;
  const auto parsed = ParseNumber(text(field));
  if (!parsed) {
    Refuse(field, kErrorTitle, kNumberFormatError);
    return false;
  }
  switch (slot) {
    case 1:
      return AcceptAddendum(tool, *parsed);
    case 2:
      return AcceptTipRadius(tool, *parsed);
    case 3:
      return AcceptChamferHeight(tool, *parsed);
    case 4:
      return AcceptChamferAngle(tool, field, *parsed);
    case 6:
      return AcceptProtuberanceHeight(tool, *parsed);
    case 7:
      return AcceptProtuberanceSize(tool, *parsed);
    default:
      return false;
  }
}

bool RackToolForm::AcceptAddendum(int tool, double value) {
  const ToolControl field = FieldAt(tool, 1);
  RackToolVariables v = ToolVariables(g_, tool);
  v.haP0Star = value;
  const double largest = ToolAddendumMax(g_);
  if (!(value > 0.0 && value <= largest)) {
    Refuse(field, kErrorTitle,
           std::string(
               tool == 2
                   ? "Poměrnou výšku hlavy nástroje pro výrobu kola vol v rozsahu od 0 do "
                   : "Poměrnou výšku hlavy nástroje pro výrobu pastorku vol v rozsahu od 0 do ") +
               FormatFixed(largest, 6, 4));
    return false;
  }
  // The tool cuts the root of its gear, as deep as the mating addendum plus
  // the mating clearance; the full round root follows the new depth.
  const double tipRadiusBefore = v.rhoaP0Star;
  MatingAddendumFromTool(g_, tool);
  main_.WriteField(MatingAddendumField(tool));
  main_.RederiveRootRadii();  // may cut the fillet and the tip radius back
  const double fillet = tool == 2 ? g_.rhofP2Star : g_.rhofP1Star;
  if (v.rhoaP0Star > fillet) v.rhoaP0Star = fillet;
  if (v.rhoaP0Star != tipRadiusBefore) text(FieldAt(tool, 2)) = FormatFixed(v.rhoaP0Star, 6, 4);
  if (v.protuberance && !ProtuberanceOk(tool, field)) return false;
  // The mating gear's addendum changed: its tip diameter with it.
  main_.ResetCaptions();
  PairBasicGeometry(g_);
  main_.ShowTipDiameters();
  main_.StandardProfileTest();
  Accepted();
  return true;
}

bool RackToolForm::AcceptTipRadius(int tool, double value) {
  const ToolControl field = FieldAt(tool, 2);
  RackToolVariables v = ToolVariables(g_, tool);
  double& fillet = tool == 2 ? g_.rhofP2Star : g_.rhofP1Star;
  v.rhoaP0Star = value;
  const double largest = ToolTipRadiusMax(g_, tool);
  if (!(value >= 0.0 && value <= largest + kTipRadiusMargin)) {
    g_.Queue(
        kWarningTitle,
        std::string(
            tool == 2 ? "Poměrný rádius zaoblení hlavy nástroje pro výrobu kola vol od 0 do "
                      : "Poměrný rádius zaoblení hlavy nástroje pro výrobu pastorku vol od 0 do ") +
            FormatFixed(largest, 6, 4));
    // Not refused: the full round tip replaces the value.
    v.rhoaP0Star = largest;
    fillet = largest;
    text(field) = FormatFixed(largest, 6, 4);
    main_.WriteField(FilletField(tool));
  }
  if (v.protuberance && !ProtuberanceOk(tool, field)) return false;
  // The gear's root fillet is rounded by this tip.
  FilletFromToolTipRadius(g_, tool);
  main_.WriteField(FilletField(tool));
  PairBasicGeometry(g_);
  Accepted();
  return true;
}

bool RackToolForm::AcceptChamferHeight(int tool, double value) {
  RackToolVariables v = ToolVariables(g_, tool);
  v.hFfP0Star = value;
  // The chamfer starts within the addendum of the gear the tool cuts.
  const double addendum = tool == 2 ? g_.haP2Star : g_.haP1Star;
  if (!(value > 0.0 && value <= addendum)) {
    const char* lead =
        tool == 2
            ? "Poměrnou výšku patní části tvořícího ostří nástroje pro výrobu evolventy kola"
            : "Poměrnou výšku patní části tvořícího ostří nástroje pro výrobu evolventy pastorku";
    Refuse(FieldAt(tool, 3), kWarningTitle,
           std::string(lead) + "\r" + "vol větší než 0 do hodnoty" + FormatFixed(addendum, 6, 4) +
               (tool == 2 ? " (ha2*)." : " (ha1*)."));
    return false;
  }
  Accepted();
  return true;
}

bool RackToolForm::AcceptChamferAngle(int tool, ToolControl field, double value) {
  RackToolVariables v = ToolVariables(g_, tool);
  if (g_.dmsMode) {
    const DmsEntry entry = ReadDmsEntry(value);
    if (!entry.ok) {
      Refuse(field, kErrorTitle, entry.error);
      return false;
    }
    value = entry.degrees;
  }
  v.alphaKP0Deg = value;
  v.alphaKP0 = value * kDegToRad;
  // The chamfering edge is steeper than the flank and not at right angles.
  if (!(v.alphaKP0 >= g_.alphaP + kChamferAngleMargin && v.alphaKP0 <= kChamferAngleMax)) {
    const char* lead = tool == 2 ? "Úhel profilu ostří nástroje pro srážení hrany hlavy kola"
                                 : "Úhel profilu ostří nástroje pro srážení hrany hlavy pastorku";
    Refuse(field, kWarningTitle,
           std::string(lead) + "\r" + "vol větší než " + FormatFixed(g_.alphaPDeg, 7, 4) +
               "° (alfan) do hodnoty 90°.");
    return false;
  }
  if (g_.dmsMode) text(field) = FormatDmsDialog(value);
  fieldTextOnEnter_ = text(field);
  Accepted();
  return true;
}

bool RackToolForm::AcceptProtuberanceHeight(int tool, double value) {
  const ToolControl field = FieldAt(tool, 6);
  RackToolVariables v = ToolVariables(g_, tool);
  v.hFaP0Star = value;
  if (!(value > 0.0 && value < v.haP0Star)) {
    const char* lead =
        tool == 2
            ? "Jednotkovou výšku hlavové části tvořícího ostří nástroje pro výrobu evolventy kola"
            : "Jednotkovou výšku hlavové části tvořícího ostří nástroje pro výrobu evolventy "
              "pastorku";
    Refuse(field, kWarningTitle,
           std::string(lead) + "\r" + "vol větší než 0 do" + FormatFixed(v.haP0Star, 7, 4) +
               (tool == 2 ? " (haP02*)" : " (haP01*)"));
    return false;
  }
  if (!ProtuberanceOk(tool, field)) return false;
  Accepted();
  return true;
}

bool RackToolForm::AcceptProtuberanceSize(int tool, double value) {
  const ToolControl field = FieldAt(tool, 7);
  RackToolVariables v = ToolVariables(g_, tool);
  v.prP0 = value;
  const double largest = ProtuberanceSizeMax(g_, tool);
  if (!(value > 0.0 && value <= largest)) {
    const char* lead =
        tool == 2 ? "Velikost protuberance nástroje pro výrobu kola vol větší než 0 do "
                  : "Velikost protuberance nástroje pro výrobu pastorku vol větší než 0 do ";
    Refuse(field, kWarningTitle,
           std::string(lead) + FormatFixed(largest, 6, 4) + "[mm]" + "\r" +
               "(maximum platí pro ostrou hranu hlavy nástroje).");
    return false;
  }
  if (!ProtuberanceOk(tool, field)) return false;
  Accepted();
  return true;
}

// ---------------------------------------------------------------------------
// Check boxes and buttons

bool RackToolForm::Press(std::string_view name) {
  if (!visible_) return false;
  if (name == "enter") {
    PressEnter();
    return true;
  }
  if (name == "esc") {
    PressEscape();
    return true;
  }
  if (name == "f1") {
    PressHelp();
    return true;
  }
  const auto c = Lookup(name);
  if (!c || IsField(*c) || *c == ToolControl::None || !Reachable(*c)) return false;
  switch (*c) {
    case ToolControl::Button1:
      // The field left for "Nuluj" is not validated: every field is reset.
      g_.toolDlgClosing = true;
      MoveFocus(ToolControl::Button1);
      ResetCommand();
      break;
    case ToolControl::HelpBtn:
      PressHelp();
      break;
    case ToolControl::OKBtn:
      MoveFocus(ToolControl::OKBtn);
      if (!lastEntryRefused_) OkCommand();
      break;
    default:
      MoveFocus(*c);
      if (!lastEntryRefused_) Click(*c);
      break;
  }
  return true;
}

void RackToolForm::Click(ToolControl box) {
  const int tool = ToolOf(box);
  RackToolVariables v = ToolVariables(g_, tool);
  g_.inputsChanged = true;
  g_.identInputsChanged = true;
  const bool checked = !state(box).checked;
  state(box).checked = checked;
  if (box == ChamferBox(tool)) {
    v.chamfer = checked;
  } else {
    v.protuberance = checked;
    // While a tool has a protuberance, its data define the basic rack.
    main_.SetBasicRackEnabled(!checked);
    if (checked) ProtuberanceAngle(g_, tool);
  }
  ShowOptionControls(tool);
  ShowPicture(tool);
}

void RackToolForm::ResetCommand() {
  g_.toolDlgClosing = false;
  g_.inputsChanged = true;
  g_.identInputsChanged = true;
  g_.toolsDefault = true;
  main_.SetStandardChoice(/*standard=*/true, /*nonStandardEnabled=*/false);
  main_.SetBasicRackEnabled(true);
  RestoreToolDefaults(g_);
  for (int tool : {1, 2}) {
    state(ChamferBox(tool)).checked = false;
    state(ProtuberanceBox(tool)).checked = false;
    ShowOptionControls(tool);
    ShowPicture(tool);
  }
  WriteAllFields();
}

void RackToolForm::OkCommand() {
  // The dialog cannot be left by "OK" while a protuberance has no solution.
  if (g_.protuberance1) {
    ProtuberanceAngle(g_, 1);
    if (g_.protInvalid1) return;
  }
  if (g_.protuberance2) {
    ProtuberanceAngle(g_, 2);
    if (g_.protInvalid2) return;
  }
  if (g_.chamfer1 || g_.protuberance1 || g_.chamfer2 || g_.protuberance2) {
    g_.toolsDefault = false;
    main_.SetStandardChoice(/*standard=*/false, /*nonStandardEnabled=*/true);
  }
  if (g_.protuberance1) {
    if (protuberanceCheck_) protuberanceCheck_(g_, 1);
    state(ToolControl::CheckBox2).checked = true;
  }
  if (g_.protuberance2 && !g_.rackMode) {
    if (protuberanceCheck_) protuberanceCheck_(g_, 2);
    state(ToolControl::CheckBox4).checked = true;
  }
  visible_ = false;
  focused_ = ToolControl::None;
}

void RackToolForm::PressEscape() {
  g_.toolDlgClosing = false;
  visible_ = false;
  focused_ = ToolControl::None;
  lastEntryRefused_ = false;
}

void RackToolForm::PressHelp() {
  requests_.helpContext = kToolHelpContext;
}

void RackToolForm::HelpFailed() {
  g_.QueueError(kToolHelpNotFound);
}

}  // namespace kolmira
