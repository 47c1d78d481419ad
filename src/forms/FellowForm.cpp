// The shaper cutter dialog's behaviour: the validators of the cutter's
// fields with their messages, the tip radius that the cutter can carry, the
// two options, the warnings about an undercut cutter and a negative tip, and
// what the cutter changes in the ring it cuts.
#include "forms/FellowForm.h"

#include <climits>
#include <cmath>

#include "engine/Check.h"
#include "engine/InputBounds.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "engine/ShaperCutter.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

// clang-format off
constexpr ControlInfo kControls[] = {
    {"None", ControlKind::Label},
    {"Edit1", ControlKind::Field, "", "z0"},
    {"Edit2", ControlKind::Field, "", "x0"},
    {"Edit3", ControlKind::Field, "", "rhof0Star"},
    {"Edit4", ControlKind::Field, "", "rhoa0Star"},
    {"CheckBox1", ControlKind::CheckBox, "Max. funkční výška zubu nástroje", "max-funkcni"},
    {"CheckBox2", ControlKind::CheckBox, "Plně zaoblená hlava", "plne-zaoblena"},
    {"LabelDL0", ControlKind::Label},
    {"LabelAlphaL0", ControlKind::Label},
    {"LabelAlphaL0Unit", ControlKind::Label, "[°]"},
    {"LabelDa0", ControlKind::Label},
    {"LabelSa0", ControlKind::Label},
    {"LabelCa0", ControlKind::Label},
    {"OKBtn", ControlKind::Button, "&OK", "ok"},
    {"BackBtn", ControlKind::Button, "&Zpět", "zpet"},
    {"HelpBtn", ControlKind::Button, "&Help", "help"},
};
// clang-format on
static_assert(std::size(kControls) == static_cast<std::size_t>(kFellowControlCount));

constexpr const char* kShiftRange = "Korekci nástroje vol v rozsahu od -2 do 3";
constexpr const char* kRootRadiusRange =
    "Poměrný rádius zaoblení paty nástroje vol v rozsahu od 0 do ";
constexpr const char* kTipRadiusRange =
    "Poměrný rádius zaoblení hlavy nástroje vol v rozsahu od 0 do ";
constexpr const char* kNotDistributed = "Není provedeno rozdělení korekcí";

// The cutter's teeth count as undercut when its involute starts at or
// below the base circle (pressure angle there not above zero).
constexpr double kUndercutAngle = 1e-9;

// Limiting shift sum x0 + x2 of the cutting pair cutter / ring: the sum at
// which its working pressure angle falls to zero (z2 is negative).
double CutterShiftSumLimit(const GearPair& g) {
  const double alphaT = std::atan(std::tan(g.alphaP) / std::cos(g.beta));
  return LimitingShiftSum(g.z0 + g.z2, alphaT, g.alphaP);
}

// Largest root radius coefficient of the cutter: a full round root between
// its flanks, whose depth is the ring's addendum plus clearance.
double CutterFullRoundRoot(const GearPair& g) {
  return FullRoundRootRadius(g.alphaP, g.haP2Star + g.cP2Star);
}

// The angle read-out: decimal degrees, or degrees, minutes and seconds with
// the sign in front of the whole angle.
std::string AngleText(double degrees, bool dms) {
  if (!dms || !std::isfinite(degrees)) return FormatFixed(degrees, 4, 3);
  const std::string magnitude = FormatDmsDialog(std::fabs(degrees));
  return degrees < 0.0 && magnitude != "0° 0'" ? "-" + magnitude : magnitude;
}

// The pair as it was last defined: from its shifts, its centre distance or
// its working pressure angle.
void RederivePair(GearPair& g) {
  if (g.rackMode) {
    RackGeometry(g);
    return;
  }
  if (g.gearType == GearType::Bevel) BevelGeometry(g);
  switch (g.geometryReady) {
    case 9:
      PairFromCentreDistance(g);
      break;
    case 10:
      PairFromPressureAngle(g);
      break;
    default:
      PairFromShifts(g);
      break;
  }
}

}  // namespace

std::string_view FellowControlName(FellowControl c) {
  const int i = static_cast<int>(c);
  if (i < 0 || i >= kFellowControlCount) return "";
  return kControls[i].name;
}

FellowForm::FellowForm(GearPair& g, MainForm& main) : Form(g, "Fellow", kControls), main_(main) {}

// ---------------------------------------------------------------------------
// Show, the control states and the redisplay

void FellowForm::Show() {
  visible_ = true;
  lastEntryRefused_ = false;
  enterAccepted_.reset();
  refusedField_ = FellowControl::None;
  g_.fellowQuiet = false;
  Redisplay();
  // With a fully rounded tip the radius is given; otherwise start from the
  // number of teeth. CheckBox2 shows the option as it stands.
  focus_ = I(g_.fullyRounded ? FellowControl::Edit4 : FellowControl::Edit1);
}

void FellowForm::Redisplay() {
  CutterGeometry(g_);
  text(FellowControl::Edit1) = FormatInt(g_.z0);
  text(FellowControl::Edit2) = FormatFixed(g_.x0, 6, 4);
  text(FellowControl::Edit3) = FormatFixed(g_.rhof0Star, 6, 4);
  text(FellowControl::Edit4) = FormatFixed(g_.rhoa0Star, 6, 4);
  alphaL0Degrees_ = g_.alphaFf0 * kRadToDeg;
  shown_ = true;
  text(FellowControl::LabelDL0) = FormatFixed(g_.dL0, 4, 2);
  text(FellowControl::LabelDa0) = FormatFixed(g_.da0, 4, 2);
  text(FellowControl::LabelSa0) = FormatFixed(g_.sa0, 4, 2);
  text(FellowControl::LabelCa0) = FormatFixed(g_.ca0, 4, 4);
}

ControlState FellowForm::StateOf(int index) const {
  ControlState s = stored(index);
  switch (static_cast<FellowControl>(index)) {
    case FellowControl::CheckBox1:
      s.checked = g_.maxFunctional;
      break;
    case FellowControl::CheckBox2:
      s.checked = g_.fullyRounded;
      break;
    // The root radius is 0 with the largest functional height, the tip
    // radius the largest one with the fully rounded tip.
    case FellowControl::Edit3:
      s.readOnly = g_.maxFunctional;
      break;
    case FellowControl::Edit4:
      s.readOnly = g_.fullyRounded;
      break;
    case FellowControl::LabelAlphaL0:
      if (shown_) s.text = AngleText(alphaL0Degrees_, g_.dmsMode);
      break;
    case FellowControl::LabelAlphaL0Unit:
      s.visible = !g_.dmsMode;
      break;
    default:
      break;
  }
  return s;
}

// ---------------------------------------------------------------------------
// Focus and the field exits

bool FellowForm::Reachable(int index) const {
  if (!visible_) return false;  // a closed dialog takes no input
  const ControlKind kind = Info(index).kind;
  if (kind != ControlKind::Field && kind != ControlKind::CheckBox && kind != ControlKind::Button) {
    return false;
  }
  const ControlState s = StateOf(index);
  return s.visible && s.enabled;
}

void FellowForm::FocusMoved(int /*from*/, int /*to*/) {
  enterAccepted_.reset();
}

void FellowForm::LeaveField(int field) {
  if (enterAccepted_ && *enterAccepted_ == text(field)) return;
  if (Validate(static_cast<FellowControl>(field)) == Outcome::Accepted) Refresh();
}

void FellowForm::PressEnter() {
  lastEntryRefused_ = false;
  if (!IsField(focus_)) return;
  if (Validate(static_cast<FellowControl>(focus_)) == Outcome::Accepted) {
    Refresh();
    enterAccepted_ = text(focus_);
  }
}

// ---------------------------------------------------------------------------
// Validators

void FellowForm::Refuse(FellowControl field, const std::string& message) {
  Form::Refuse(I(field), kErrorTitle, message);
  enterAccepted_.reset();
}

void FellowForm::KeepForRestore(FellowControl field, double value) {
  if (refusedField_ == field) return;  // the value before the first refusal
  refusedField_ = field;
  valueBeforeRefusal_ = value;
}

FellowForm::Outcome FellowForm::Validate(FellowControl field) {
  if (g_.fellowDlgClosing) return Outcome::Unchanged;
  const std::string& typed = text(field);
  const GearPair before = g_;
  Outcome outcome = Outcome::Unchanged;
  switch (field) {
    case FellowControl::Edit1:
      outcome = AcceptTeeth(typed);
      break;
    case FellowControl::Edit2:
      outcome = AcceptShift(typed);
      break;
    case FellowControl::Edit3:
      outcome = AcceptRootRadius(typed);
      break;
    case FellowControl::Edit4:
      outcome = AcceptTipRadius(typed);
      break;
    default:
      break;
  }
  if (outcome == Outcome::Accepted) refusedField_ = FellowControl::None;
  if (outcome == Outcome::Refused) {
    // A refused value stays in its field for the user to correct, not in
    // the pair: the report and the table beside the dialog, which do not
    // leave its field, compute with the cutter as it was.
    RestorePair(before);
  }
  return outcome;
}

FellowForm::Outcome FellowForm::AcceptTeeth(const std::string& typed) {
  const FellowControl field = FellowControl::Edit1;
  const auto parsed = ParseNumber(typed);
  if (!parsed) {
    Refuse(field, kNumberFormatError);
    return Outcome::Refused;
  }
  // A fractional count is no count: the previous one stays.
  if (*parsed != std::trunc(*parsed)) {
    Refuse(field, kTeethNotWhole);
    return Outcome::Refused;
  }
  // A count beyond the integer range is no number of teeth either.
  if (*parsed < INT_MIN || *parsed > INT_MAX) {
    Refuse(field, kNumberFormatError);
    return Outcome::Refused;
  }
  const int z0 = static_cast<int>(*parsed);
  // A refused count still stands in the state: it is tested again.
  if (z0 == g_.z0 && refusedField_ != field) return Outcome::Unchanged;
  KeepForRestore(field, g_.z0);
  g_.z0 = z0;
  if (const Refusal refusal = CutterTeethRefusal(g_, z0)) {
    Refuse(field, *refusal);
    return Outcome::Refused;
  }
  g_.x0mez = CutterShiftSumLimit(g_);
  if (g_.x0 + g_.x2 - kShiftSumTolerance > g_.x0mez) {
    Refuse(field, kNoSolutionCutterAboveLimit);
    return Outcome::Refused;
  }
  CutterChanged();
  return Outcome::Accepted;
}

FellowForm::Outcome FellowForm::AcceptShift(const std::string& typed) {
  const FellowControl field = FellowControl::Edit2;
  const auto parsed = ParseNumber(typed);
  if (!parsed) {
    Refuse(field, kNumberFormatError);
    return Outcome::Refused;
  }
  if (*parsed == g_.x0 && refusedField_ != field) return Outcome::Unchanged;
  KeepForRestore(field, g_.x0);
  g_.x0 = *parsed;
  if (!(g_.x0 >= -2.0 && g_.x0 <= 3.0)) {
    Refuse(field, kShiftRange);
    return Outcome::Refused;
  }
  g_.x0mez = CutterShiftSumLimit(g_);
  if (g_.x0 + g_.x2 - kShiftSumTolerance >= g_.x0mez) {
    g_.x0SumAboveLimit = true;
    Refuse(field, CutterShiftSumAboveLimitMessage(g_.x0mez));
    return Outcome::Refused;
  }
  CutterChanged();
  return Outcome::Accepted;
}

FellowForm::Outcome FellowForm::AcceptRootRadius(const std::string& typed) {
  const FellowControl field = FellowControl::Edit3;
  const auto parsed = ParseNumber(typed);
  if (!parsed) {
    Refuse(field, kNumberFormatError);
    return Outcome::Refused;
  }
  KeepForRestore(field, g_.rhof0Star);
  g_.rhof0Star = *parsed;
  g_.rhof0Max = CutterFullRoundRoot(g_);
  if (!(g_.rhof0Star >= 0.0 && g_.rhof0Star <= g_.rhof0Max + kRadiusMargin)) {
    Refuse(field, kRootRadiusRange + FormatFixed(g_.rhof0Max, 6, 4));
    return Outcome::Refused;
  }
  CommonEnding();
  UpdatePair();
  return Outcome::Accepted;
}

FellowForm::Outcome FellowForm::AcceptTipRadius(const std::string& typed) {
  const FellowControl field = FellowControl::Edit4;
  if (g_.fullyRounded) return Outcome::Unchanged;  // the radius is the largest
  const auto parsed = ParseNumber(typed);
  if (!parsed) {
    Refuse(field, kNumberFormatError);
    return Outcome::Refused;
  }
  KeepForRestore(field, g_.rhoa0Star);
  const double largest = LargestTipRadius();
  g_.rhoa0Star = *parsed;
  if (!(g_.rhoa0Star >= 0.0 && g_.rhoa0Star <= largest + kRadiusMargin)) {
    Refuse(field, kTipRadiusRange + FormatFixed(largest, 6, 4) + " (plně zaoblená hlava)");
    return Outcome::Refused;
  }
  CutterTipRounding(g_);
  CommonEnding();
  RingFilletFromTip();
  UpdatePair();
  return Outcome::Accepted;
}

// A new number of teeth or shift makes a new cutter: the options chosen for
// the old one no longer hold, and its tip radius may be too large for it.
void FellowForm::CutterChanged() {
  g_.maxFunctional = false;
  g_.fullyRounded = false;
  CutterGeometry(g_);
  if (g_.mn > 0.0) {
    // The previous radius stays when the new cutter can carry it.
    g_.rhoa0Star = std::fmin(g_.rhoa0Star, LargestTipRadius());
    CutterTipRounding(g_);
  }
  CommonEnding();
  UpdatePair();
}

void FellowForm::CommonEnding() {
  Redisplay();
  if (!g_.fellowQuiet) Warnings();
  g_.inputsChanged = true;
  g_.identInputsChanged = true;
}

void FellowForm::Warnings() {
  if (g_.alphaFf0 < kUndercutAngle && !g_.maxFunctional) {
    g_.Queue(kFellowWarningTitle, kCutterUndercutWarning);
  }
  if (g_.sa0 < 0.0) g_.Queue(kFellowWarningTitle, kCutterNegativeTipWarning);
}

// Largest tip radius coefficient (the fully rounded tip) of the cutter as it
// stands; the tip radius of the state is kept.
double FellowForm::LargestTipRadius() {
  if (!(g_.mn > 0.0) || g_.z0 <= 0) return 0.0;
  const double kept = g_.rhoa0Star;
  CutterFullyRoundedTip(g_);
  const double largest = g_.rhoa0Star;
  g_.rhoa0Star = kept;
  return largest;
}

// The ring's root fillet is cut by the cutter's tip.
void FellowForm::RingFilletFromTip() {
  g_.rhofP2Star = g_.rhoa0Star;
  main_.StandardProfileTest();
  main_.SetStandardChoice(g_.toolsDefault, /*nonStandardEnabled=*/!g_.toolsDefault);
  main_.WriteField(16);
}

// The ring's root circle is where the cutter's tip reaches in the cutting
// pair, and the pinion's computed tip follows the ring's root: both change
// with the cutter.
void FellowForm::UpdatePair() {
  if (!g_.pairComputed) return;
  PairBasicGeometry(g_);
  main_.ShowTipDiameters();
}

// While the results are shown they follow every accepted change; an error
// of the check is reported by the main dialog, which then hides them.
void FellowForm::Refresh() {
  main_.RerunCheckIfVisible();
  g_.driverError = false;
}

// ---------------------------------------------------------------------------
// Check boxes and buttons

void FellowForm::OnBeginPress(int index) {
  // The field left for "&Zpět" is not validated.
  if (index == I(FellowControl::BackBtn)) g_.fellowDlgClosing = true;
}

// A press released elsewhere clicked nothing: the field left for it is
// validated again from now on ("&Zpět" lets it go unvalidated only while
// the mouse is down on it).
void FellowForm::EndPress() {
  g_.fellowDlgClosing = false;
}

void FellowForm::Click(int index) {
  switch (static_cast<FellowControl>(index)) {
    case FellowControl::OKBtn:
      OkCommand();
      break;
    case FellowControl::BackBtn:
      BackCommand();
      break;
    case FellowControl::HelpBtn:
      RequestHelp(kFellowHelpContext);
      break;
    case FellowControl::CheckBox1:
      ClickMaxFunctional();
      break;
    case FellowControl::CheckBox2:
      ClickFullyRounded();
      break;
    default:
      break;
  }
}

void FellowForm::OnKey(Key key) {
  if (!visible_) return;
  if (key == Key::Enter) PressEnter();
  if (key == Key::F1) RequestHelp(kFellowHelpContext);
}

void FellowForm::ClickMaxFunctional() {
  if (!g_.maxFunctional) {
    // The involute reaches down to the base circle: no root radius is left.
    g_.maxFunctional = true;
    g_.rhof0Saved = g_.rhof0Star;
    g_.alphaFf0 = 0.0;
    g_.dL0 = g_.db0;
    g_.rhof0Star = 0.0;
  } else {
    g_.maxFunctional = false;
    g_.rhof0Star = g_.rhof0Saved;
    CutterBaseGeometry(g_);  // straight flank depth and involute start again
  }
  Redisplay();
  g_.inputsChanged = true;
  g_.identInputsChanged = true;
  UpdatePair();
  Refresh();
}

void FellowForm::ClickFullyRounded() {
  if (!g_.fullyRounded) {
    g_.fullyRounded = true;
    g_.rhoa0Saved = g_.rhoa0Star;
    g_.rhoa0Star = LargestTipRadius();
    text(FellowControl::Edit4) = FormatFixed(g_.rhoa0Star, 6, 4);
  } else {
    g_.fullyRounded = false;
    g_.rhoa0Star = g_.rhoa0Saved;
  }
  CutterTipRounding(g_);
  Redisplay();
  // The ring's fillet follows before the results are refreshed, so that they
  // show the ring this tip cuts.
  RingFilletFromTip();
  g_.inputsChanged = true;
  g_.identInputsChanged = true;
  UpdatePair();
  Refresh();
}

void FellowForm::OkCommand() {
  g_.fellowQuiet = true;
  lastEntryRefused_ = false;
  if (IsField(focus_) && !(enterAccepted_ && *enterAccepted_ == text(focus_))) {
    Validate(static_cast<FellowControl>(focus_));
    if (lastEntryRefused_) return;  // the dialog stays open on the refused field
  }
  Redisplay();
  visible_ = false;
  focus_ = I(FellowControl::None);
  enterAccepted_.reset();
  if (g_.shiftNotDistributed) {
    g_.QueueError(kNotDistributed);
    return;
  }
  if (g_.pairComputed) {
    RederivePair(g_);
    main_.ShowTipDiameters();
  }
  Refresh();
}

void FellowForm::BackCommand() {
  // A value the dialog refused is not left behind in the state.
  switch (refusedField_) {
    case FellowControl::Edit1:
      g_.z0 = static_cast<int>(valueBeforeRefusal_);
      break;
    case FellowControl::Edit2:
      g_.x0 = valueBeforeRefusal_;
      break;
    case FellowControl::Edit3:
      g_.rhof0Star = valueBeforeRefusal_;
      break;
    case FellowControl::Edit4:
      g_.rhoa0Star = valueBeforeRefusal_;
      break;
    default:
      break;
  }
  refusedField_ = FellowControl::None;
  visible_ = false;
  focus_ = I(FellowControl::None);
  lastEntryRefused_ = false;
  enterAccepted_.reset();
  g_.fellowDlgClosing = false;
}

}  // namespace kolmira
