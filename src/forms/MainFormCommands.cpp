// The command buttons of the main dialog: the complete check and its
// running, "Nuluj", "Rozděl korekce", "Vyr.skluzy", "Výpočetní hlavové
// průměry", "Standard", "Kruhová pata", the return from the backlash dialog
// and the help context of the hidden "&Help".
#include "engine/Check.h"
#include "engine/PairGeometry.h"
#include "engine/RackTool.h"
#include "engine/ShiftDistribution.h"
#include "files/InputFile.h"
#include "forms/MainForm.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

constexpr const char* kNotDistributed = "Není provedeno rozdělení korekcí";

}  // namespace

// ---------------------------------------------------------------------------
// The check

void MainForm::CheckCommand() {
  MandatoryTest();
  if (!g_.pairComputed) return;
  if (g_.shiftNotDistributed && !g_.keepShifts) {
    g_.Queue(kEnglishErrorTitle, kNotDistributed);
    RequestFocus(Control::ZeroButton);
    return;
  }
  RunCheckProcedure();
  const bool failed = lastCheckFailed_;
  HideResults();
  ShowTipDiameters();
  if (!failed) ShowResults();
}

void MainForm::RerunCheckIfVisible() {
  if (resultsVisible_) RunCheckProcedure();
}

void MainForm::RunCheckProcedure() {
  bool error = false;
  const bool runs = g_.rackMode || g_.pairComputed;
  if (g_.rackMode) {
    RunCheckRack(g_);
    error = g_.driverError;
  } else if (g_.pairComputed) {
    const std::size_t before = g_.messages.size();
    RunCheckAndReport(g_);
    const bool blocking = g_.xSumBelowLimit || g_.x0SumAboveLimit || g_.xSumAboveLimit;
    error = g_.driverError;
    if (blocking && g_.messages.size() > before) {
      RequestFocus(FieldControl(kWheelShiftField));
    } else if (error) {
      RequestFocus(FieldControl(g_.lastInputField));
    }
  }
  if (error) HideResults();
  if (resultsVisible_ && !error) resultsStale_ = false;
  lastCheckFailed_ = error;
  g_.driverError = false;
  // The inputs the check took, which its results hold for until one changes.
  const bool blocked = g_.xSumBelowLimit || g_.x0SumAboveLimit || g_.xSumAboveLimit;
  checkedInputs_ = runs && !error && !blocked ? CheckedInputsText(g_) : std::string();
  Notify(MainEvent::CheckRun);
}

bool MainForm::CheckCurrent() const {
  return !checkedInputs_.empty() && checkedInputs_ == CheckedInputsText(g_);
}

void MainForm::ShowResults() {
  resultsVisible_ = true;
  resultsStale_ = false;
}

// ---------------------------------------------------------------------------
// Shifts

void MainForm::ZeroCommand() {
  g_.driverError = false;
  ResetComputationalInputs();
  ResetCaptions();
  RerunCheckIfVisible();
  g_.backlashDirect = true;
  g_.thinBoth = true;
  g_.thinPinion = g_.thinWheel = false;
  g_.backlashFresh = true;
}

void MainForm::DistributeCommand() {
  ResetCaptions();
  g_.shiftDistributed = true;
  if (!g_.keepShifts) {
    if (g_.rackMode) {
      state(Control::Edit6).visible = false;
      state(Control::Edit8).visible = false;
      state(Control::Edit7).visible = true;
    } else {
      ShowShiftsEntry();
    }
  }
  RequestFocus(Control::Edit7);
}

void MainForm::BalanceSlidingCommand() {
  PrepareSlidingBalance(g_);
  g_.driverError = false;
  g_.slidingBalanceRunning = true;
  PairBasicGeometry(g_);
  if (g_.rackMode) {
    BalanceSlidingRack(g_);
  } else {
    BalanceSliding(g_);
  }
  g_.slidingBalanceRunning = false;
  g_.x2 = g_.xSumBalance - g_.x1;
  g_.shiftNotDistributed = false;
  RunCheckProcedure();
  PairBasicGeometry(g_);
  // The computational group shows x1 and x2, as after "Rozděl korekce".
  if (!g_.keepShifts && !g_.rackMode) ShowShiftsEntry();
  if (g_.shiftSolutionOk) {
    WriteField(kPinionShiftField);
    WriteField(kWheelShiftField);
    ShowTipDiameters();
    g_.lastInputField = kShiftSumField;
    g_.shiftDistributed = true;
    RerunCheckIfVisible();
    ResetCaptions();
  } else {
    RequestFocus(Control::BalanceButton);
    g_.shiftSolutionOk = true;
  }
}

// ---------------------------------------------------------------------------
// Tip diameters and the basic rack

void MainForm::ComputedTipsCommand() {
  ComputedTipDiameters(g_);
  ShowTipDiameters();
  ResetCaptions();
  RerunCheckIfVisible();
}

void MainForm::SetStandardProfile() {
  const bool resetFirst = g_.alphaPDeg != 20.0;
  g_.haP1Star = g_.haP2Star = 1.0;
  g_.cP1Star = g_.cP2Star = 0.25;
  g_.rhofP1Star = g_.rhofP2Star = 0.38;
  g_.alphaPDeg = 20.0;
  g_.alphaP = 20.0 * kDegToRad;
  if (g_.gearType == GearType::Internal) g_.rhofP2Star = 0.0;
  if (g_.gearType == GearType::Bevel) {
    g_.cP1Star = g_.cP2Star = 0.2;
    g_.rhofP1Star = g_.rhofP2Star = 0.3;
  }
  g_.c1 = g_.cP1Star * g_.mn;
  g_.c2 = g_.cP2Star * g_.mn;
  g_.rhof1 = g_.rhofP1Star * g_.mn;
  g_.rhof2 = g_.rhofP2Star * g_.mn;
  RestoreToolDefaults(g_);  // the standard rack tools, without options

  for (int n = kPinionAddendumField; n <= kProfileAngleField; ++n) WriteField(n);
  g_.circularRoot = false;
  state(Control::CircularRoot).checked = false;
  state(Control::Edit15).enabled = state(Control::Edit16).enabled = true;
  // No tool has a protuberance any more: the basic rack is typed again.
  SetBasicRackEnabled(true);
  state(Control::Standard).checked = true;
  state(Control::NonStandard).checked = false;
  state(Control::NonStandard).enabled = false;
  g_.toolsDefault = true;
  if (resetFirst) ResetComputationalInputs();
  PairBasicGeometry(g_);
  ShowTipDiameters();
}

void MainForm::CircularRootCommand() {
  const bool on = !g_.circularRoot;
  g_.circularRoot = on;
  state(Control::CircularRoot).checked = on;
  if (on) ApplyCircularRoot();
  state(Control::Edit15).enabled = state(Control::Edit16).enabled = !on;
  StandardProfileTest();
  PairBasicGeometry(g_);
  ResetCaptions();
  RerunCheckIfVisible();
}

// ---------------------------------------------------------------------------
// Help and the return from the backlash dialog

// The hidden "&Help" opens the topic of the group of the field accepted last.
int MainForm::HelpContextOfLastInput() const {
  const int n = g_.lastInputField;
  if (n >= kModuleField && n <= kFaceWidthField) return 2;
  if ((n >= kShiftSumField && n <= kPressureAngleField) || n == kBacklashField) return 5;
  if (n >= kPinionAddendumField && n <= kProfileAngleField) return 3;
  if (n >= kPinionTipField && n <= kShaftAngleField) return 4;
  return 0;
}

void MainForm::AfterBacklashDialog() {
  // The dialog rewrote the fields: the focused one has not been changed by
  // the user, and leaving it must not count as a change.
  if (IsField(focus_)) g_.fieldTextOnEnter = text(focus_);
  if (g_.backlashByShift) {
    if (g_.rackMode) {
      state(Control::Edit7).visible = state(Control::Edit7).enabled = true;
      RequestFocus(Control::Edit7);
    } else {
      ComputationalGroupForInput(kShiftSumField);
      RequestFocus(Control::DistributeButton);
    }
  } else if (g_.jnByApart) {
    // As after "Rozděl korekce": the kept sum is divided into x1 and x2.
    if (g_.rackMode) {
      state(Control::Edit7).visible = state(Control::Edit7).enabled = true;
    } else {
      ShowShiftsEntry();
    }
    RequestFocus(Control::Edit7);
  }
}

}  // namespace kolmira
