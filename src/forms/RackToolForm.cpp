// The rack tool dialog's behaviour: the validators of the tool fields with
// their messages, the option check boxes and pictures, "Nuluj" and "OK", and
// what the tools change in the main dialog's basic rack.
#include "forms/RackToolForm.h"

#include "engine/Meshing.h"
#include "engine/Protuberance.h"

#include <cmath>
#include <utility>

#include "engine/InputBounds.h"
#include "engine/PairGeometry.h"
#include "engine/RackTool.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

// clang-format off
constexpr ControlInfo kControls[] = {
    {"None", ControlKind::Label},
    {"Edit1", ControlKind::Field, "", "haP01Star"},
    {"Edit2", ControlKind::Field, "", "rhoaP01Star"},
    {"Edit3", ControlKind::Field, "", "hFfP01Star"},
    {"Edit4", ControlKind::Field, "", "alphaKP01Deg"},
    {"Edit5", ControlKind::Field},
    {"Edit6", ControlKind::Field, "", "hFaP01Star"},
    {"Edit7", ControlKind::Field, "", "prP01"},
    {"Edit8", ControlKind::Field, "", "haP02Star"},
    {"Edit9", ControlKind::Field, "", "rhoaP02Star"},
    {"Edit10", ControlKind::Field, "", "hFfP02Star"},
    {"Edit11", ControlKind::Field, "", "alphaKP02Deg"},
    {"Edit12", ControlKind::Field},
    {"Edit13", ControlKind::Field, "", "hFaP02Star"},
    {"Edit14", ControlKind::Field, "", "prP02"},
    {"Label35", ControlKind::Label},
    {"Label36", ControlKind::Label},
    {"DegreeUnit4", ControlKind::Label, "[ ° ]"},
    {"DegreeUnit11", ControlKind::Label, "[ ° ]"},
    {"DegreeUnit35", ControlKind::Label, "[ ° ]"},
    {"DegreeUnit36", ControlKind::Label, "[ ° ]"},
    {"CheckBox1", ControlKind::CheckBox, "Sražení hlavy pastorku", "srazeni1"},
    {"CheckBox2", ControlKind::CheckBox, "Protuberance pastorku", "protuberance1"},
    {"CheckBox3", ControlKind::CheckBox, "Sražení hlavy kola", "srazeni2"},
    {"CheckBox4", ControlKind::CheckBox, "Protuberance kola", "protuberance2"},
    {"GroupBox1", ControlKind::Group, "Nástroj pro pastorek"},
    {"GroupBox2", ControlKind::Group, "Nástroj pro kolo"},
    {"PinionPlain", ControlKind::Picture},
    {"PinionChamfer", ControlKind::Picture},
    {"PinionProtuberance", ControlKind::Picture},
    {"PinionBoth", ControlKind::Picture},
    {"WheelPlain", ControlKind::Picture},
    {"WheelChamfer", ControlKind::Picture},
    {"WheelProtuberance", ControlKind::Picture},
    {"WheelBoth", ControlKind::Picture},
    {"OKBtn", ControlKind::Button, "OK", "ok"},
    {"Button1", ControlKind::Button, "Nuluj", "nuluj"},
    {"HelpBtn", ControlKind::Button, "Help", "help"},
};
// clang-format on
static_assert(std::size(kControls) == static_cast<std::size_t>(kToolControlCount));

// A tip radius typed as the maximum shown with 4 decimals passes.
constexpr double kTipRadiusMargin = 0.0001;

// The tool of a control (1 pinion, 2 wheel), 0 for the common buttons.
int ToolOf(ToolControl c) {
  switch (c) {
    case ToolControl::Edit1:
    case ToolControl::Edit2:
    case ToolControl::Edit3:
    case ToolControl::Edit4:
    case ToolControl::Edit5:
    case ToolControl::Edit6:
    case ToolControl::Edit7:
    case ToolControl::Label35:
    case ToolControl::DegreeUnit4:
    case ToolControl::DegreeUnit35:
    case ToolControl::CheckBox1:
    case ToolControl::CheckBox2:
    case ToolControl::GroupBox1:
    case ToolControl::PinionPlain:
    case ToolControl::PinionChamfer:
    case ToolControl::PinionProtuberance:
    case ToolControl::PinionBoth:
      return 1;
    case ToolControl::OKBtn:
    case ToolControl::Button1:
    case ToolControl::HelpBtn:
    case ToolControl::None:
    case ToolControl::Count:
      return 0;
    default:
      return 2;
  }
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

RackToolForm::RackToolForm(GearPair& g, MainForm& main)
    : Form(g, "Nastroj", kControls), main_(main) {
  // "OK" with a protuberance: the limits of undercut by the protuberance
  // flank, then the gear's undercut step on them.
  protuberanceCheck_ = [](GearPair& pair, int) {
    ProtuberanceLimits(pair);
    CheckUndercut(pair);
  };
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
  refusedFrom_.reset();
  focus_ = I(ToolControl::None);
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

ControlState RackToolForm::StateOf(int index) const {
  const auto c = static_cast<ToolControl>(index);
  ControlState s = stored(index);
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
  if (unitOf != ToolControl::None) s.visible = stored(unitOf).visible && !g_.dmsMode;
  // An internal wheel is cut by the shaper cutter, not by a rack tool.
  if (tool == 2 && !WheelGroupShown()) s.visible = false;
  return s;
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
  if (IsField(focus_)) textOnEntry_ = text(focus_);
}

// ---------------------------------------------------------------------------
// Names, focus and typing

bool RackToolForm::Reachable(int index) const {
  if (!visible_) return false;  // a closed dialog takes no input
  const ControlKind kind = Info(index).kind;
  if (kind != ControlKind::Field && kind != ControlKind::CheckBox && kind != ControlKind::Button) {
    return false;
  }
  const ControlState s = StateOf(index);
  return s.visible && s.enabled;
}

// A text changed after Enter accepted the field must be validated when the
// field is left, or the field would show a value the state never took.
void RackToolForm::SetText(int field, std::string value) {
  if (text(field) != value) g_.toolFieldDone = false;
  text(field) = std::move(value);
}

void RackToolForm::LeaveField(int field) {
  // A field that Enter has just accepted is not validated again.
  if (!g_.toolFieldDone) Validate(static_cast<ToolControl>(field));
  g_.toolFieldDone = false;
}

void RackToolForm::PressEnter() {
  lastEntryRefused_ = false;
  if (IsField(focus_)) Validate(static_cast<ToolControl>(focus_));
}

// ---------------------------------------------------------------------------
// Validators

void RackToolForm::Refuse(ToolControl field, const char* title, const std::string& message) {
  Form::Refuse(I(field), title, message);
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
  if (slot == 4 && text(field) == textOnEntry_) return false;
  const auto parsed = ParseNumber(text(field));
  if (!parsed) {
    Refuse(field, kErrorTitle, kNumberFormatError);
    return false;
  }
  const GearPair before = g_;
  bool accepted = false;
  switch (slot) {
    case 1:
      accepted = AcceptAddendum(tool, *parsed);
      break;
    case 2:
      accepted = AcceptTipRadius(tool, *parsed);
      break;
    case 3:
      accepted = AcceptChamferHeight(tool, *parsed);
      break;
    case 4:
      accepted = AcceptChamferAngle(tool, field, *parsed);
      break;
    case 6:
      accepted = AcceptProtuberanceHeight(tool, *parsed);
      break;
    case 7:
      accepted = AcceptProtuberanceSize(tool, *parsed);
      break;
    default:
      return false;
  }
  if (accepted) {
    refusedFrom_.reset();
  } else if (lastEntryRefused_ && !refusedFrom_) {
    // The refused value stays in the state while the dialog shows why (the
    // protuberance angle without a solution); "Esc" must not take it along.
    refusedFrom_ = before;
  }
  return accepted;
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
  // the mating clearance; the full round root follows the new depth. A tool
  // shorter than the mating clearance would leave the mate an addendum
  // below 0, which its own field refuses.
  {
    GearPair trial = g_;
    MatingAddendumFromTool(trial, tool);
    const int mating = MatingAddendumField(tool);
    const double addendum = tool == 2 ? trial.haP1Star : trial.haP2Star;
    if (const Refusal refusal = FieldRefusal(trial, mating, addendum)) {
      Refuse(field, kErrorTitle, *refusal);
      return false;
    }
  }
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
  textOnEntry_ = text(field);
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

void RackToolForm::OnBeginPress(int index) {
  // The field left for "Nuluj" is not validated: every field is reset.
  if (index == I(ToolControl::Button1)) g_.toolDlgClosing = true;
}

// A press released elsewhere clicked nothing: the field left for it is
// validated again from now on ("Nuluj" lets it go unvalidated only while
// the mouse is down on it).
void RackToolForm::EndPress() {
  g_.toolDlgClosing = false;
}

void RackToolForm::Click(int index) {
  switch (static_cast<ToolControl>(index)) {
    case ToolControl::Button1:
      ResetCommand();
      break;
    case ToolControl::HelpBtn:
      RequestHelp(kToolHelpContext);
      break;
    case ToolControl::OKBtn:
      OkCommand();
      break;
    default:
      ClickOption(static_cast<ToolControl>(index));
      break;
  }
}

void RackToolForm::OnKey(Key key) {
  if (!visible_) return;
  switch (key) {
    case Key::Enter:
      PressEnter();
      break;
    case Key::Escape:
      PressEscape();
      break;
    case Key::F1:
      RequestHelp(kToolHelpContext);
      break;
    case Key::Other:
      break;
  }
}

void RackToolForm::ClickOption(ToolControl box) {
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
  refusedFrom_.reset();
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
  focus_ = I(ToolControl::None);
}

void RackToolForm::PressEscape() {
  if (refusedFrom_) {
    // Closed while a field holds a refused value: the pair as it was before
    // that value, with the values accepted before it.
    RestorePair(*refusedFrom_);
    refusedFrom_.reset();
    main_.ShowPairInFields();
  }
  g_.toolDlgClosing = false;
  visible_ = false;
  focus_ = I(ToolControl::None);
  lastEntryRefused_ = false;
}

}  // namespace kolmira
