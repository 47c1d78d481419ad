// The main dialog's input-file commands: the checks before a save, and the
// application of a loaded file to the dialog.
#include <cmath>

#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "files/InputFile.h"
#include "forms/MainForm.h"
#include "report/DimensionTable.h"
#include "report/Report.h"

namespace kolmira {

void MainForm::SetFileCaptions(const std::string& path) {
  resultsCaption_ = std::string(kResultsCaptionPrefix) + path;
  g_.mainCaption = std::string(kMainCaptionPrefix) + path;
  tableCaption_ = std::string(kTableCaptionPrefix) + path;
}

bool MainForm::PrepareSave() {
  if (!CheckBeforeSave(g_)) {
    RequestFocus(Control::DistributeButton);
    return false;
  }
  // The field being edited is accepted first, as leaving it would.
  if (IsField(focus_)) {
    LeaveField(focus_);
    if (lastEntryRefused_) return false;
  }
  MandatoryTest();  // an incomplete pair is reported, and saved all the same
  if (g_.geometryReady == 0) PairBasicGeometry(g_);
  SyncWrittenAngles(g_);
  if (g_.gearType == GearType::Bevel) {
    BasicGeometry(g_);
  } else if (g_.rackMode) {
    RackGeometry(g_);
  }
  return true;
}

bool MainForm::SaveInputs(const std::string& path) {
  const InputFileResult result = SaveInputFile(path, g_);
  SetFileCaptions(path);
  if (!result.ok) g_.messages.push_back(result.message);
  return result.ok;
}

bool MainForm::LoadInputs(const std::string& path) {
  HideResults();
  const InputFileResult result = LoadInputFile(path, g_);
  if (!result.ok) {
    g_.messages.push_back(result.message);
    ChangeTab(0);
    g_.gearTypeChosen = true;
    RequestFocus(Control::Edit1);
    return false;
  }

  g_.loadingInputs = true;
  g_.inputsChanged = false;
  SetKeepShifts(false);
  SetFileCaptions(path);

  // The tools' degree twins and the protuberance flank's extra height follow
  // from the loaded radians.
  g_.alphaKP01Deg = g_.alphaKP01 * kRadToDeg;
  g_.alphaKP02Deg = g_.alphaKP02 * kRadToDeg;
  const double tanAlphaP = std::tan(g_.alphaP);
  g_.hprExtra1 = (tanAlphaP / std::tan(g_.alphaprP01) - 1.0) * g_.hFaP01Star;
  g_.haP01Eff = g_.haP01Star + g_.hprExtra1;
  g_.hprExtra2 = (tanAlphaP / std::tan(g_.alphaprP02) - 1.0) * g_.hFaP02Star;
  g_.haP02Eff = g_.haP02Star + g_.hprExtra2;

  // The pair as the file defines it.
  g_.pairComputed = true;
  if (g_.rackMode) {
    RackGeometry(g_);
  } else if (g_.gearType == GearType::Bevel) {
    BasicGeometry(g_);
  } else if (g_.geometryReady == 9) {
    PairFromCentreDistance(g_);
  } else if (g_.geometryReady == 10) {
    PairFromPressureAngle(g_);
  } else {
    PairFromShifts(g_);
  }

  ApplyGearTypePresentation();
  state(Control::Edit21).visible = g_.gearType != GearType::Bevel;
  RestoreComputationalGroup();
  state(Control::CircularRoot).checked = g_.circularRoot;
  state(Control::Edit15).enabled = state(Control::Edit16).enabled = !g_.circularRoot;
  const bool anyTool = g_.chamfer1 || g_.chamfer2 || g_.protuberance1 || g_.protuberance2;
  SetBasicRackEnabled(!(g_.protuberance1 || g_.protuberance2));
  StandardProfileTest();
  SetStandardChoice(!anyTool && g_.toolsDefault, anyTool || !g_.toolsDefault);
  WriteAllFields();
  if (g_.shiftDistributed && !g_.rackMode) {
    state(Control::Edit6).enabled = false;
    state(Control::Edit9).enabled = false;
    state(Control::Edit10).enabled = false;
  }
  g_.inputsChanged = false;
  ChangeTab(0);
  g_.gearTypeChosen = false;
  g_.fileReadOk = false;
  g_.loadingInputs = false;
  RequestFocus(Control::CheckButton);
  return true;
}

}  // namespace kolmira
