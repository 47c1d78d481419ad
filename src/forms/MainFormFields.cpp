// The acceptance of each input field of the tab "Zadání  ": its bounds and
// messages, the reset of the computational inputs that a basic input calls
// for, and the recomputation of the pair through the entry point the field
// drives (shifts, centre distance, working pressure angle).
#include <cmath>

#include "engine/Check.h"
#include "engine/InputBounds.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "engine/RackTool.h"
#include "engine/ShaperCutter.h"
#include "forms/MainForm.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

bool IsWhole(double v) {
  return v == std::trunc(v);
}

constexpr const char* kRackText = "Hřeben";
constexpr const char* kMandatoryIncomplete = "Nejsou ukončeny povinné vstupy";
constexpr const char* kNegativeFillet =
    "Nemožné parametry základního profilu - vychází záporný rádius zaoblení paty";

}  // namespace

// ---------------------------------------------------------------------------
// Mandatory inputs

bool MainForm::MandatoryTest() {
  const bool bevel = g_.gearType == GearType::Bevel;
  const double z1 = bevel ? g_.z1Bevel : g_.z1;
  const double z2 = bevel ? g_.z2Bevel : g_.z2;
  g_.pairComputed = g_.mn != 0.0 && z1 != 0.0 && z2 != 0.0 && g_.b != 0.0;
  HideResults();
  ClearPressFlags();
  if (g_.pairComputed) return true;
  g_.QueueError(kMandatoryIncomplete);
  if (g_.mn == 0.0) {
    RequestFocus(Control::Edit1);
  } else if (z1 == 0.0) {
    RequestFocus(Control::Edit2);
  } else if (z2 == 0.0) {
    RequestFocus(Control::Edit3);
  } else {
    RequestFocus(Control::Edit5);
  }
  return false;
}

void MainForm::MandatoryGroupExit() {
  if (!MandatoryTest()) return;
  if (g_.gearType == GearType::Internal || g_.gearType == GearType::Bevel) {
    const double z1 = g_.gearType == GearType::Bevel ? g_.z1Bevel : g_.z1;
    const double z2 = g_.gearType == GearType::Bevel ? g_.z2Bevel : g_.z2;
    if (std::fabs(z2) < z1) {
      g_.QueueError("Počet zubů pastorku vol menší nebo nejvýše roven počtu zubů kola");
      g_.valCode = 1;
      lastEntryRefused_ = true;
      RequestFocus(Control::Edit2);
    }
  }
}

// ---------------------------------------------------------------------------
// Field handlers

bool MainForm::Accept(int n, double value, bool changed) {
  switch (n) {
    case kModuleField:
      return AcceptModule(value, changed);
    case kPinionTeethField:
      return AcceptPinionTeeth(value, changed);
    case kWheelTeethField:
      return AcceptWheelTeeth(value, changed);
    case kHelixField:
      return AcceptHelix(value, changed);
    case kFaceWidthField:
      return AcceptFaceWidth(value, changed);
    case kShiftSumField:
      return AcceptShiftSum(value, changed);
    case kPinionShiftField:
    case kWheelShiftField:
      return AcceptShift(n, value, changed);
    case kCentreDistanceField:
      return AcceptCentreDistance(value, changed);
    case kPressureAngleField:
      return AcceptPressureAngle(value, changed);
    case kPinionAddendumField:
    case kWheelAddendumField:
    case kPinionClearanceField:
    case kWheelClearanceField:
      return AcceptProfileCoefficient(n, value, changed);
    case kPinionFilletField:
    case kWheelFilletField:
      return AcceptFilletRadius(n, value, changed);
    case kProfileAngleField:
      return AcceptProfileAngle(value, changed);
    case kPinionTipField:
    case kWheelTipField:
      return AcceptTipDiameter(n, value, changed);
    case kShaftAngleField:
      return AcceptShaftAngle(value, changed);
    case kBacklashField:
      return AcceptBacklash(value, changed);
    default:
      return false;
  }
}

bool MainForm::AcceptModule(double value, bool changed) {
  g_.mn = value;
  if (RefusedByBounds(kModuleField, value)) return false;
  if (changed) {
    MandatoryTest();
    ResetComputationalInputs();
    if (g_.pairComputed) {
      ShowTipDiameters();
      text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
      ShowWorkingAngle();
    }
    g_.protCut1 = g_.protCut2 = false;
  }
  return true;
}

bool MainForm::AcceptPinionTeeth(double value, bool changed) {
  // A fractional count is no count: the previous one stays.
  if (!IsWhole(value)) return !RefusedByBounds(kPinionTeethField, value);
  if (g_.gearType == GearType::Bevel) {
    g_.z1Bevel = value;
    if (g_.z1 == 0.0) g_.z1 = value;
  } else {
    g_.z1 = value;
  }
  if (RefusedByBounds(kPinionTeethField, value)) return false;
  if (changed) {
    MandatoryTest();
    ResetComputationalInputs();
    ShowTipDiameters();
  }
  state(Control::Edit10).enabled = !g_.rackMode && g_.z2 != -g_.z1;
  return true;
}

bool MainForm::AcceptWheelTeeth(double value, bool changed) {
  const Control field = Control::Edit3;
  // A fractional count is no count: the previous one stays.
  if (!IsWhole(value)) return !RefusedByBounds(kWheelTeethField, value);
  if (!g_.rackMode) state(Control::Edit10).enabled = true;
  const bool internal = g_.gearType == GearType::Internal;
  if (internal && value > 0.0) {
    value = -value;
    text(field) = FormatFixed(value, 4, 2);
  } else if (!internal && value < 0.0) {
    value = -value;
    text(field) = FormatFixed(value, 4, 3);
  }
  if (g_.gearType == GearType::Bevel) {
    g_.z2Bevel = value;
  } else {
    g_.z2 = value;
  }
  if (RefusedByBounds(kWheelTeethField, value)) return false;
  if (internal && std::fabs(value) <= g_.z0) {
    // The shaper cutter must have fewer teeth than the ring it cuts.
    g_.z0 = static_cast<int>(std::fabs(std::trunc(value))) - 1;
    g_.fullyRounded = g_.maxFunctional = false;
    g_.circularRoot = false;
    state(Control::CircularRoot).checked = false;
  }
  const bool wasRack = g_.rackMode;
  g_.rackMode = g_.gearType == GearType::External && value >= kRackTeeth;
  if (g_.rackMode) text(field) = kRackText;
  changed = changed || text(field) != g_.fieldTextOnEnter;
  if (changed) {
    MandatoryTest();
    ResetComputationalInputs();
    ShowTipDiameters();
  }
  if (g_.rackMode != wasRack) SetStandardProfile();
  if (g_.pairComputed) RackModePresentation();
  if (g_.z2 == -g_.z1) state(Control::Edit10).enabled = false;
  state(Control::KeepShifts).visible = g_.gearType != GearType::Bevel && !g_.rackMode;
  return true;
}

bool MainForm::AcceptHelix(double value, bool changed) {
  g_.betaDeg = value;
  if (RefusedByBounds(kHelixField, value)) return false;
  if (changed) {
    g_.beta = value * kDegToRad;
    ResetComputationalInputs();
    if (g_.keepShifts) {
      PairFromShifts(g_);
      text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
    }
    ShowTipDiameters();
    if (g_.gearType == GearType::Internal) {
      g_.fullyRounded = false;
      g_.circularRoot = false;
      state(Control::CircularRoot).checked = false;
      state(Control::Edit15).enabled = state(Control::Edit16).enabled = true;
    }
  }
  return true;
}

bool MainForm::AcceptFaceWidth(double value, bool changed) {
  g_.b = value;
  if (RefusedByBounds(kFaceWidthField, value)) return false;
  if (g_.gearType == GearType::Bevel) {
    BasicGeometry(g_);  // the helix bound follows the face width
    if (g_.betaDeg > g_.betaMax) {
      Refuse(kFaceWidthField,
             std::string(kBevelHelixTooLarge) + FormatFixed(g_.betaMax, 5, 3) + "°." + " ");
      return false;
    }
  }
  if (changed) {
    MandatoryTest();
    ShowTipDiameters();
  }
  return true;
}

// A new shift sum makes new computed tip diameters; typed ones stay.
void MainForm::ClearComputedTips() {
  if (!g_.da1Given) g_.da1 = 0.0;
  if (!g_.da2Given) g_.da2 = 0.0;
  text(Control::Edit18).clear();
  text(Control::Edit19).clear();
}

bool MainForm::RefusedByBounds(int n, double value) {
  const Refusal refusal = FieldRefusal(g_, n, value);
  if (refusal) Refuse(n, *refusal);
  return refusal.has_value();
}

bool MainForm::AcceptShiftSum(double value, bool changed) {
  g_.xSum = value;
  g_.xmez = LimitingShiftSum(g_.z1 + g_.z2, g_.alphaT, g_.alphaP);
  if (RefusedByBounds(kShiftSumField, value)) return false;
  if (changed) {
    if (g_.gearType == GearType::Bevel) {
      BevelGeometry(g_);
    } else {
      PairFromShifts(g_);
    }
    ClearComputedTips();
    if (!g_.shiftSolutionOk) RequestFocus(Control::ZeroButton);
    text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
    text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
    ShowWorkingAngle();
  }
  return true;
}

bool MainForm::AcceptShift(int n, double value, bool changed) {
  const bool pinion = n == kPinionShiftField;
  (pinion ? g_.x1 : g_.x2) = value;
  if (!g_.shiftNotDistributed) g_.xmez = LimitingShiftSum(g_.z1 + g_.z2, g_.alphaT, g_.alphaP);
  if (RefusedByBounds(n, value)) return false;
  if (!pinion && g_.gearType == GearType::Internal) {
    g_.x0mez = LimitingShiftSum(g_.z0 + g_.z2, g_.alphaT, g_.alphaP);
    if (g_.x0 + g_.x2 - kShiftSumTolerance > g_.x0mez) {
      g_.x0SumAboveLimit = true;
      g_.QueueError(CutterShiftSumAboveLimitMessage(g_.x0mez));
      return true;  // the field is left without further action
    }
  }
  if (!changed) return true;

  g_.geometryReady = n;
  g_.shiftNotDistributed = false;
  if (!g_.shiftDistributed && g_.backlashDirect) g_.xSum = g_.x1 + g_.x2;
  if (g_.shiftDistributed) {
    const double sum = g_.backlashByShift ? g_.xSumBacklash : g_.xSum;
    if (pinion) {
      g_.x2 = sum - g_.x1;
      text(Control::Edit8) = FormatFixed(g_.x2, 8, 6);
    } else {
      g_.x1 = sum - g_.x2;
      text(Control::Edit7) = FormatFixed(g_.x1, 8, 6);
    }
  }
  if (g_.gearType == GearType::Bevel) {
    BevelGeometry(g_);
  } else if (g_.rackMode) {
    RackGeometry(g_);
  } else {
    PairFromShifts(g_);
  }
  if (!g_.shiftSolutionOk) {
    RequestFocus(Control::ZeroButton);
    g_.shiftSolutionOk = true;
    return true;
  }
  text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
  text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
  ShowWorkingAngle();
  ShowTipDiameters();
  return true;
}

bool MainForm::AcceptCentreDistance(double value, bool changed) {
  g_.aw = value;
  if (RefusedByBounds(kCentreDistanceField, value)) return false;
  if (g_.keepShifts) {
    g_.shiftNotDistributed = false;
    ResetComputationalInputs();
    PairFromKeptShiftsAndCentreDistance(g_);
    ShowWorkingAngle();
    ShowAngle(4, g_.betaDeg, 6, 4);
    ShowTipDiameters();
    return true;
  }
  if (changed) {
    // A distance that no working pressure angle gives would leave the pair
    // computed for the previous distance while the field shows the new one.
    const double c = WorkingAngleCosine(g_);
    if (g_.z2 != -g_.z1 && !(c >= -1.0 && c <= 1.0)) {
      Refuse(kCentreDistanceField, "Nemožná osová vzdálenost - neexistuje pracovní úhel záběru");
      return false;
    }
    PairFromCentreDistance(g_);
    ClearComputedTips();
    text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
    ShowWorkingAngle();
  }
  return true;
}

bool MainForm::AcceptPressureAngle(double value, bool changed) {
  g_.alphaWtDeg = value;
  if (RefusedByBounds(kPressureAngleField, value)) return false;
  g_.alphaWt = value * kDegToRad;
  if (changed) {
    if (g_.gearType == GearType::Bevel) BevelGeometry(g_);
    PairFromPressureAngle(g_);
    ClearComputedTips();
    text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
    text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
  }
  return true;
}

bool MainForm::AcceptBacklash(double value, bool changed) {
  g_.jn = value;
  if (RefusedByBounds(kBacklashField, value)) return false;
  MandatoryTest();
  if (!changed) return true;
  if (g_.jn < 1e-7) ZeroCommand();
  g_.lastInputField = 21;
  HideResults();
  if (g_.jn >= 1e-7) {
    BeforeBacklashDialog();
    Request({FormRequest::Kind::Open, Dialog::Backlash});
  }
  return true;
}

void MainForm::BeforeBacklashDialog() {
  if (!g_.backlashFresh) return;
  g_.xSumNoBacklash = g_.xSum;
  g_.x1NoBacklash = g_.x1;
  g_.awEntered = g_.aw;
  g_.awNoBacklash = g_.aw;
  g_.alphaWNoBacklash = g_.alphaWt;
  g_.backlashFresh = false;
}

bool MainForm::AcceptProfileCoefficient(int n, double value, bool changed) {
  double* target = n == kPinionAddendumField    ? &g_.haP1Star
                   : n == kWheelAddendumField   ? &g_.haP2Star
                   : n == kPinionClearanceField ? &g_.cP1Star
                                                : &g_.cP2Star;
  *target = value;
  if (RefusedByBounds(n, value)) return false;
  if (changed) {
    // The pinion's addendum and clearance shape the wheel's root, and the
    // wheel's the pinion's.
    const bool wheelRoot = n == kPinionAddendumField || n == kPinionClearanceField;
    ApplyCircularRoot();
    const double fillet = wheelRoot ? g_.rhofP2Star : g_.rhofP1Star;
    const double full = wheelRoot ? FullRoundRootRadius(g_.alphaP, g_.haP1Star + g_.cP1Star)
                                  : FullRoundRootRadius(g_.alphaP, g_.haP2Star + g_.cP2Star);
    if (fillet < 0.0 || full < 0.0) {
      Refuse(n, kNegativeFillet);
      return false;
    }
    PairBasicGeometry(g_);
    ShowTipDiameters();
    // The tools follow the basic rack: a gear's tool addendum is the mating
    // gear's addendum plus its clearance.
    g_.haP02Star = g_.haP1Star + g_.cP1Star;
    g_.haP01Star = g_.haP2Star + g_.cP2Star;
    g_.rhoaP01Star = g_.rhofP1Star;
    g_.rhoaP02Star = g_.rhofP2Star;
    StandardProfileTest();
  }
  return true;
}

bool MainForm::AcceptFilletRadius(int n, double value, bool changed) {
  const bool pinion = n == kPinionFilletField;
  double& fillet = pinion ? g_.rhofP1Star : g_.rhofP2Star;
  fillet = value;
  // A protuberance that undercuts the root shapes it beyond the full round
  // root, which then bounds nothing; a negative radius is still no radius.
  const bool protuberanceUndercut = (pinion ? g_.protCut1 : g_.protCut2) && value >= 0.0;
  if (!protuberanceUndercut) {
    if (!pinion && g_.gearType == GearType::Internal) {
      // The ring's root is rounded by the shaper cutter's tip: at most the
      // cutter's fully rounded tip.
      if (RefusedByBounds(kWheelFilletField, value)) return false;
    } else {
      const double full = pinion ? FullRoundRootRadius(g_.alphaP, g_.haP2Star + g_.cP2Star)
                                 : FullRoundRootRadius(g_.alphaP, g_.haP1Star + g_.cP1Star);
      if (const Refusal warning = FilletRefusal(g_, n, value)) {
        g_.Queue(kWarningTitle, *warning);
        // A radius beyond the full round root is cut back to it; a negative
        // one is no tool radius at all and becomes 0.
        if (value >= full) fillet = full;
        if (fillet < 0.0) fillet = 0.0;
        text(FieldControl(n)) = FormatFixed(fillet, 6, 4);
        RequestFocus(FieldControl(n));
      }
    }
  }
  (pinion ? g_.rhoaP01Star : g_.rhoaP02Star) = fillet;
  if (changed) PairBasicGeometry(g_);
  return true;
}

bool MainForm::AcceptProfileAngle(double value, bool changed) {
  g_.alphaPDeg = value;
  if (RefusedByBounds(kProfileAngleField, value)) return false;
  if (changed) {
    g_.alphaP = value * kDegToRad;
    g_.protCut1 = g_.protCut2 = false;
    ApplyCircularRoot();
    if (g_.rhofP1Star < 0.0 || g_.rhofP2Star < 0.0) {
      Refuse(kProfileAngleField, kNegativeFillet);
      return false;
    }
    ResetComputationalInputs();
    ShowTipDiameters();
  }
  return true;
}

bool MainForm::AcceptTipDiameter(int n, double value, bool changed) {
  if (n == kPinionTipField) {
    g_.da1 = value;
    if (RefusedByBounds(kPinionTipField, value)) return false;
    if (changed) g_.da1Given = true;
    return true;
  }
  (g_.rackMode ? g_.ha2 : g_.da2) = value;
  if (RefusedByBounds(kWheelTipField, value)) return false;
  if (changed) g_.da2Given = true;
  return true;
}

bool MainForm::AcceptShaftAngle(double value, bool changed) {
  g_.SigmaDeg = value;
  if (RefusedByBounds(kShaftAngleField, value)) return false;
  if (changed) {
    g_.Sigma = value * kDegToRad;
    g_.pairComputed = g_.mn != 0.0 && g_.z1Bevel != 0.0 && g_.z2Bevel != 0.0 && g_.b != 0.0;
    ResetComputationalInputs();
  }
  return true;
}

// ---------------------------------------------------------------------------
// Shared actions

void MainForm::ResetComputationalInputs() {
  if (g_.rackMode && focusedControl() == Control::Edit7) return;
  const bool bevel = g_.gearType == GearType::Bevel;
  g_.shiftDistributed = false;
  g_.geometryReady = 0;
  g_.shiftNotDistributed = false;

  g_.alphaT = bevel ? g_.alphaP : std::atan(std::tan(g_.alphaP) / std::cos(g_.beta));
  if (!g_.keepShifts) {
    g_.alphaWt = g_.z2 == -g_.z1 ? kPi / 2.0 : g_.alphaT;
  } else if (g_.lastInputField == kHelixField) {
    PairFromShifts(g_);
  }
  g_.alphaWtDeg = g_.alphaWt * kRadToDeg;
  if (!g_.rackMode) {
    g_.a =
        bevel ? (g_.z1 + g_.z2) * g_.mn / 2.0 : (g_.z1 + g_.z2) * g_.mn / (2.0 * std::cos(g_.beta));
  }
  if (!g_.keepShifts) {
    g_.xSum = g_.x1 = g_.x2 = g_.kStar = 0.0;
    if (!g_.rackMode)
      g_.aw = g_.z2 == -g_.z1 ? std::sin(g_.alphaT) * (g_.x1 + g_.x2) * g_.mn : g_.a;
    g_.awJ = g_.awNoBacklash = g_.aw;
  }
  g_.xSumBacklash = 0.0;
  g_.jn = 0.0;
  g_.backlashDirect = true;
  g_.backlashByShift = g_.jnByApart = false;
  g_.thinBoth = true;
  g_.thinPinion = g_.thinWheel = false;
  g_.da1Given = g_.da2Given = false;
  if (g_.pairComputed) PairBasicGeometry(g_);

  text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
  text(Control::Edit7) = FormatFixed(g_.x1, 8, 6);
  text(Control::Edit8) = FormatFixed(g_.x2, 8, 6);
  text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
  text(Control::Edit21) = FormatFixed(g_.jn, 4, 3);
  if (!bevel) {
    ShowWorkingAngle();
    ShowTipDiameters();
  }
  RestoreComputationalGroup();
  HideResults();
  ShowTipDiameters();
}

}  // namespace kolmira
