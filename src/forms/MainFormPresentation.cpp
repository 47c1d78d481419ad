// What the fields of the main dialog show and which of them take input:
// the gear type and its presentation, rack mode, the computational group
// (shift sum, shifts, centre distance, working pressure angle), keeping the
// shifts, the fixed formats of every field and the basic rack.
#include <cmath>

#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "engine/RackTool.h"
#include "engine/ShaperCutter.h"
#include "engine/ShiftDistribution.h"
#include "forms/MainForm.h"
#include "model/NumberText.h"
#include "report/DimensionTable.h"
#include "report/Report.h"

namespace kolmira {

namespace {

constexpr const char* kRackText = "Hřeben";

bool Strictly(double lo, double v, double hi) {
  return lo < v && v < hi;
}

// The form in which each field is written from the state: width and
// decimals of the fixed-point text (an angle in DEC form).
struct FieldFormat {
  int width;
  int decimals;
};
constexpr FieldFormat kFieldFormats[22] = {
    {0, 0}, {6, 4}, {4, 1}, {4, 1}, {6, 4}, {5, 2}, {8, 6}, {8, 6}, {8, 6}, {8, 6}, {8, 6},
    {6, 4}, {6, 4}, {6, 4}, {6, 4}, {6, 4}, {6, 4}, {7, 4}, {7, 5}, {7, 5}, {7, 4}, {4, 3},
};

// The state member each field shows (the numbers of teeth and the tip
// diameters follow the pair's kind instead).
double GearPair::*const kFieldValues[22] = {
    nullptr,
    &GearPair::mn,
    nullptr,
    nullptr,
    &GearPair::betaDeg,
    &GearPair::b,
    &GearPair::xSum,
    &GearPair::x1,
    &GearPair::x2,
    &GearPair::aw,
    &GearPair::alphaWtDeg,
    &GearPair::haP1Star,
    &GearPair::haP2Star,
    &GearPair::cP1Star,
    &GearPair::cP2Star,
    &GearPair::rhofP1Star,
    &GearPair::rhofP2Star,
    &GearPair::alphaPDeg,
    nullptr,
    nullptr,
    &GearPair::SigmaDeg,
    &GearPair::jn,
};

}  // namespace

// ---------------------------------------------------------------------------
// Gear type

void MainForm::ApplyGearTypePresentation() {
  const bool bevel = g_.gearType == GearType::Bevel;
  for (Control c : {Control::GearExternal, Control::GearInternal, Control::GearBevel}) {
    state(c).bold = false;
    state(c).checked = false;
  }
  const Control chosen = g_.gearType == GearType::Internal ? Control::GearInternal
                         : g_.gearType == GearType::Bevel  ? Control::GearBevel
                                                           : Control::GearExternal;
  state(chosen).bold = true;
  state(chosen).checked = true;

  state(Control::TabMeasure).visible = state(Control::TabIdent).visible = !bevel;
  state(Control::TipDiameterGroup).visible = !bevel;
  state(Control::Edit18).visible = state(Control::Edit19).visible = !bevel;
  state(Control::ComputedTipsButton).visible = !bevel;
  state(Control::Edit9).visible = !bevel;
  state(Control::Edit10).visible = !bevel;
  state(Control::Edit21).visible = !bevel;
  state(Control::Edit20).visible = bevel;
  state(Control::ModuleLabel).text =
      bevel ? "Čelní modul vnější             m" : "Normálný modul                m";
  state(Control::ModuleSubscript).text = bevel ? "t" : "n";
  state(Control::HelixLabel).text =
      bevel ? "Sklon zubů střední             ß" : "Sklon zubů roztečný           ß";
  state(Control::FellowButton).visible = g_.gearType == GearType::Internal;
  state(Control::ToolsButton).visible = !bevel;
  state(Control::Edit16).enabled = true;
  state(Control::KeepShifts).visible = !bevel && !g_.rackMode;
}

void MainForm::ChooseGearType(GearType type) {
  g_.gearTypeChosen = true;
  resultsStale_ = true;
  HideResults();
  g_.gearType = type;
  ChangeTab(0);
  g_.rackMode = false;
  state(Control::DistributeButton).visible = true;
  for (Control c : {Control::Edit6, Control::Edit8, Control::Edit9, Control::Edit19}) {
    state(c).visible = true;
  }
  ApplyGearTypePresentation();
  if (!g_.loadingInputs) {
    SetDefaults(g_);  // every type starts from the same defaults
    g_.mn = 1.0;
    g_.z1 = 20.0;
    g_.z2 = type == GearType::Internal ? -80.0 : 40.0;
    g_.b = 10.0;
    g_.aw = type == GearType::Internal ? -30.0 : 30.0;
    if (type == GearType::Bevel) {
      g_.z1Bevel = 20.0;
      g_.z2Bevel = 30.0;
    }
    g_.da0 = 37.5;
    g_.aw0 = -47.5;
    state(Control::KeepShifts).checked = false;
    SetKeepShifts(false);
    state(Control::CircularRoot).checked = false;
    state(Control::Edit15).enabled = state(Control::Edit16).enabled = true;
    state(Control::Standard).checked = true;
    state(Control::NonStandard).checked = false;
    ZeroShiftsAndShow();
    RestoreComputationalGroup();
  }
  state(Control::TipDiameter2Label).text = "Hlavový průměr kola                  d";
  RequestFocus(Control::Edit1);
  Notify(MainEvent::GearTypeChosen);
}

// ---------------------------------------------------------------------------
// The computational group and keeping the shifts

void MainForm::RestoreComputationalGroup() {
  const bool bevel = g_.gearType == GearType::Bevel;
  if (!g_.keepShifts) {
    if (g_.rackMode) {
      state(Control::Edit6).visible = false;
      state(Control::Edit8).visible = false;
      state(Control::Edit7).visible = true;
      state(Control::Edit7).enabled = true;
    } else {
      for (Control c : {Control::Edit6, Control::Edit7, Control::Edit8}) {
        state(c).visible = true;
        state(c).enabled = true;
      }
    }
  }
  state(Control::Edit9).visible = !bevel && !g_.rackMode;
  state(Control::Edit10).visible = !bevel;
  state(Control::Edit20).visible = bevel;
  if (!g_.keepShifts) {
    state(Control::Edit9).enabled = true;
    state(Control::Edit10).enabled = !g_.rackMode && g_.z2 != -g_.z1;
  }
}

// One of the shift sum, the centre distance and the working pressure angle
// defines the pair: the other two wait, and x1, x2 are not yet divided.
void MainForm::ComputationalGroupForInput(int n) {
  state(Control::Edit7).visible = false;
  state(Control::Edit8).visible = false;
  for (int other : {kShiftSumField, kCentreDistanceField, kPressureAngleField}) {
    state(FieldControl(other)).enabled = other == n;
  }
}

// The shift sum is divided: x1 and x2 are entered, the shift sum, the
// centre distance and the working pressure angle follow from them.
void MainForm::ShowShiftsEntry() {
  state(Control::Edit6).enabled = false;
  state(Control::Edit7).visible = state(Control::Edit8).visible = true;
  state(Control::Edit7).enabled = state(Control::Edit8).enabled = true;
  state(Control::Edit9).enabled = false;
  state(Control::Edit10).enabled = false;
}

void MainForm::ZeroShiftsAndShow() {
  ZeroShifts(g_);
  WriteAllFields();
  state(Control::NonStandard).enabled = false;
}

void MainForm::SetKeepShifts(bool on) {
  state(Control::KeepShifts).checked = on;
  g_.keepShifts = on;
  if (on) {
    state(Control::Edit9).enabled = true;
    state(Control::Edit21).visible = false;
    for (Control c : {Control::Edit6, Control::Edit7, Control::Edit8}) {
      state(c).visible = true;
      state(c).enabled = false;
    }
    for (Control c : {Control::Edit10, Control::DistributeButton, Control::ZeroButton,
                      Control::BalanceButton}) {
      state(c).enabled = false;
    }
    if (g_.jn != 0.0) {
      g_.shiftNotDistributed = false;
      ResetComputationalInputs();
      PairFromShifts(g_);
      text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
    }
    RequestFocus(Control::Edit4);
  } else {
    state(Control::Edit21).visible = g_.gearType != GearType::Bevel;
    for (Control c : {Control::Edit6, Control::Edit7, Control::Edit8, Control::Edit9,
                      Control::DistributeButton, Control::ZeroButton, Control::BalanceButton}) {
      state(c).enabled = true;
    }
    state(Control::Edit10).enabled = !g_.rackMode && g_.z2 != -g_.z1;
  }
}

// ---------------------------------------------------------------------------
// Rack mode

void MainForm::RackModePresentation() {
  if (g_.rackMode) {
    text(Control::Edit3) = kRackText;
    state(Control::TipDiameter2Label).text = "Výšku hlavy zubu hřebene        h";
    text(Control::Edit19) = FormatFixed(g_.ha2, 7, 5);
    state(Control::Edit6).visible = false;
    state(Control::Edit8).visible = false;
    state(Control::Edit9).visible = false;
    state(Control::DistributeButton).visible = false;
    state(Control::Edit10).enabled = false;
  } else {
    g_.identInputsChanged = true;
    state(Control::Edit6).visible = true;
    state(Control::Edit8).visible = true;
    state(Control::Edit9).visible = g_.gearType != GearType::Bevel;
    state(Control::DistributeButton).visible = true;
    state(Control::Edit10).enabled = g_.z2 != -g_.z1 && !g_.keepShifts;
    text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
    text(Control::Edit8) = FormatFixed(g_.x2, 8, 6);
    text(Control::Edit9) = FormatFixed(g_.aw, 7, 5);
    if (!g_.shiftNotDistributed) text(Control::Edit19) = FormatFixed(g_.da2, 7, 5);
    state(Control::TipDiameter2Label).text = "Hlavový průměr kola                  d";
  }
  Notify(MainEvent::RackModePresented);
}

// ---------------------------------------------------------------------------
// Field texts

void MainForm::ShowTipDiameters() {
  if (g_.shiftNotDistributed) {
    text(Control::Edit18).clear();
    text(Control::Edit19).clear();
    return;
  }
  text(Control::Edit18) = FormatFixed(g_.da1, 7, 5);
  text(Control::Edit19) = FormatFixed(g_.rackMode ? g_.ha2 : g_.da2, 7, 5);
}

void MainForm::ShowAngle(int n, double degrees, int width, int decimals) {
  text(FieldControl(n)) =
      g_.dmsMode ? FormatDmsDialog(degrees) : FormatFixed(degrees, width, decimals);
}

void MainForm::ShowWorkingAngle() {
  ShowAngle(kPressureAngleField, (g_.jnByApart ? g_.alphaWtJ : g_.alphaWt) * kRadToDeg, 8, 6);
}

void MainForm::ShowShiftSumAndCentreDistance(double xSum, double aw) {
  text(Control::Edit6) = FormatFixed(xSum, 8, 6);
  text(Control::Edit9) = FormatFixed(aw, 8, 6);
}

void MainForm::ShowBacklashCleared() {
  text(Control::Edit21) = "0";
}

void MainForm::WriteField(int n) {
  if (n < 1 || n > 21) return;
  const bool bevel = g_.gearType == GearType::Bevel;
  const FieldFormat f = kFieldFormats[n];
  switch (n) {
    case kPinionTeethField:
      text(n) = FormatFixed(bevel ? g_.z1Bevel : g_.z1, f.width, f.decimals);
      return;
    case kWheelTeethField:
      text(n) =
          g_.rackMode ? kRackText : FormatFixed(bevel ? g_.z2Bevel : g_.z2, f.width, f.decimals);
      return;
    case kPinionTipField:
    case kWheelTipField:
      ShowTipDiameters();
      return;
    default:
      break;
  }
  if (IsAngleField(n)) {
    ShowAngle(n, g_.*kFieldValues[n], f.width, f.decimals);
  } else {
    text(n) = FormatFixed(g_.*kFieldValues[n], f.width, f.decimals);
  }
}

// The value a field shows of the pair: the member it edits, or what the
// backlash puts in its place (the shift sum with backlash, the centre
// distance and working pressure angle of the gears moved apart).
double MainForm::ShownValue(int n) const {
  const bool bevel = g_.gearType == GearType::Bevel;
  switch (n) {
    case kPinionTeethField:
      return bevel ? g_.z1Bevel : g_.z1;
    case kWheelTeethField:
      return bevel ? g_.z2Bevel : g_.z2;
    case kShiftSumField:
      return g_.backlashByShift ? g_.xSumBacklash : g_.xSum;
    case kCentreDistanceField:
      return g_.jnByApart ? g_.awJ : g_.aw;
    case kPressureAngleField:
      return (g_.jnByApart ? g_.alphaWtJ : g_.alphaWt) * kRadToDeg;
    case kPinionTipField:
      return g_.da1;
    case kWheelTipField:
      return g_.rackMode ? g_.ha2 : g_.da2;
    default:
      return g_.*kFieldValues[n];
  }
}

void MainForm::ShowPairInFields() {
  for (int n = 1; n <= 21; ++n) {
    const ControlState& shown = stored(FieldControl(n));
    // A field being edited, or holding a text it refused, keeps it; a hidden
    // or blank field (the tips while the shift sum waits to be divided)
    // shows nothing to disagree with; "Hřeben" is a rack's count.
    if (!shown.visible || shown.text.empty()) continue;
    if (focus_ == n && (lastEntryRefused_ || shown.text != g_.fieldTextOnEnter)) continue;
    if (n == kWheelTeethField && g_.rackMode) continue;
    const double value = ShownValue(n);
    const FieldFormat f = kFieldFormats[n];
    std::string written;
    if (IsAngleField(n) && g_.dmsMode) {
      written = FormatDmsDialog(value);
      if (written == shown.text) continue;
    } else {
      // A text agrees with the value it rounds: as typed ("3"), or written
      // in the field's format.
      const auto typed = ParseNumber(shown.text);
      if (typed) {
        const std::size_t point = shown.text.find('.');
        const int decimals =
            point == std::string::npos ? 0 : static_cast<int>(shown.text.size() - point - 1);
        const double half = 0.5 * std::pow(10.0, -decimals);
        if (std::fabs(*typed - value) <= half * (1.0 + 1e-9) + 1e-12 * std::fabs(value)) continue;
      }
      written = FormatFixed(value, f.width, f.decimals);
    }
    text(FieldControl(n)) = written;
    if (focus_ == n) g_.fieldTextOnEnter = written;
  }
}

void MainForm::WriteAllFields() {
  for (int n = 1; n <= 21; ++n) WriteField(n);
  if (g_.pairComputed) RackModePresentation();
}

void MainForm::WriteAngleFields(bool dms) {
  g_.dmsMode = dms;
  ShowAngle(kHelixField, g_.betaDeg, 6, 4);
  ShowAngle(kPressureAngleField, (g_.jnByApart ? g_.alphaWtJ : g_.alphaWt) * kRadToDeg, 6, 4);
  ShowAngle(kProfileAngleField, g_.alphaPDeg, 6, 4);
  ShowAngle(kShaftAngleField, g_.SigmaDeg, 6, 4);
}

// ---------------------------------------------------------------------------
// Basic rack

void MainForm::SetBasicRackEnabled(bool enabled) {
  for (Control c : {Control::Edit11, Control::Edit12, Control::Edit13, Control::Edit14,
                    Control::Edit15, Control::Edit16, Control::CircularRoot}) {
    state(c).enabled = enabled;
  }
  if (enabled && g_.circularRoot)
    state(Control::Edit15).enabled = state(Control::Edit16).enabled = false;
}

void MainForm::SetStandardChoice(bool standard, bool nonStandardEnabled) {
  state(Control::Standard).checked = standard;
  state(Control::NonStandard).checked = !standard;
  state(Control::NonStandard).enabled = nonStandardEnabled;
}

void MainForm::RederiveRootRadii() {
  ApplyCircularRoot();
}

void MainForm::ApplyCircularRoot() {
  // Pinion: full round root when asked for, and never beyond it.
  const double pinionFull = FullRoundRootRadius(g_.alphaP, g_.haP2Star + g_.cP2Star);
  if (g_.rhofP1Star > pinionFull || g_.circularRoot || g_.rhofP1Star < 0.0) {
    g_.rhofP1Star = pinionFull;
    text(Control::Edit15) = FormatFixed(g_.rhofP1Star, 6, 4);
    g_.rhoaP01Star = g_.rhofP1Star;
  }
  // The shaper cutter's root radius cuts the ring's tip region against the
  // same pinion-side limit.
  if (g_.rhof0Star > pinionFull || g_.rhof0Star < 0.0) g_.rhof0Star = pinionFull;
  if (g_.rhof0Star < 0.38 && pinionFull > 0.38) g_.rhof0Star = 0.38;

  if (g_.gearType == GearType::Internal) {
    // The ring's fillet is rounded by the cutter's tip.
    if (g_.circularRoot && !g_.fullyRounded) {
      g_.fullyRounded = true;
      CutterFullyRoundedTip(g_);
    }
    if (g_.rhoa0Star < g_.rhofP2Star || g_.fullyRounded) g_.rhofP2Star = g_.rhoa0Star;
    if (g_.rhofP2Star < 0.0) g_.rhofP2Star = 0.0;
    text(Control::Edit16) = FormatFixed(g_.rhofP2Star, 6, 4);
    return;
  }
  const double wheelFull = FullRoundRootRadius(g_.alphaP, g_.haP1Star + g_.cP1Star);
  if (g_.rhofP2Star > wheelFull || g_.circularRoot || g_.rhofP2Star < 0.0) {
    g_.rhofP2Star = wheelFull;
    text(Control::Edit16) = FormatFixed(g_.rhofP2Star, 6, 4);
    g_.rhoaP02Star = g_.rhofP2Star;
  }
}

void MainForm::StandardProfileTest() {
  const double deg = g_.alphaPDeg;
  const bool angle = Strictly(19.999999, deg, 20.000001);
  const bool addenda =
      Strictly(0.999999, g_.haP1Star, 1.0000001) && Strictly(0.9999999, g_.haP2Star, 1.0000001);
  bool rest = false;
  if (g_.gearType == GearType::Bevel) {
    rest = Strictly(0.1999999, g_.cP1Star, 0.2000001) &&
           Strictly(0.1999999, g_.cP2Star, 0.2000001) && g_.rhofP1Star >= 0.0 &&
           g_.rhofP1Star < 0.3000001 && g_.rhofP2Star >= 0.0 && g_.rhofP2Star < 0.3000001;
  } else {
    rest = Strictly(0.2499999, g_.cP1Star, 0.2500001) &&
           Strictly(0.2499999, g_.cP2Star, 0.2500001) && g_.rhofP1Star >= 0.0 &&
           g_.rhofP1Star < 0.3800001 && g_.rhofP2Star >= 0.0 && g_.rhofP2Star < 0.3800001;
  }
  g_.toolsDefault = angle && addenda && rest;
}

// ---------------------------------------------------------------------------
// Captions and the results window

void MainForm::ResetCaptions() {
  resultsCaption_ = kReportCaptionReset;
  tableCaption_ = kTableCaption;
}

void MainForm::HideResults() {
  resultsVisible_ = false;
}

}  // namespace kolmira
