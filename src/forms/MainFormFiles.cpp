// The main dialog's input-file commands: the checks before a save, and the
// application of a loaded file to the dialog.
#include <cmath>

#include "engine/InputBounds.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "files/InputFile.h"
#include "forms/MainForm.h"
#include "report/DimensionTable.h"
#include "report/Report.h"

namespace kolmira {

namespace {

// The pair a loaded file defines: the values the file keeps only as
// results of others (the tools' degree twins, the pair's geometry) are
// derived again from the inputs it brings.
void DeriveLoadedPair(GearPair& g) {
  // The tools' degree twins and the protuberance flank's extra height follow
  // from the loaded radians.
  g.alphaKP01Deg = g.alphaKP01 * kRadToDeg;
  g.alphaKP02Deg = g.alphaKP02 * kRadToDeg;
  const double tanAlphaP = std::tan(g.alphaP);
  g.hprExtra1 = (tanAlphaP / std::tan(g.alphaprP01) - 1.0) * g.hFaP01Star;
  g.haP01Eff = g.haP01Star + g.hprExtra1;
  g.hprExtra2 = (tanAlphaP / std::tan(g.alphaprP02) - 1.0) * g.hFaP02Star;
  g.haP02Eff = g.haP02Star + g.hprExtra2;

  // The pair as the file defines it. The shaper cutter's cutting pair
  // starts from its start values, as at the program's start: a cutter that
  // cannot cut the ring keeps them rather than those of the pair before.
  g.pairComputed = true;
  g.da0 = 37.5;
  g.aw0 = -47.5;
  if (g.jnByApart && !g.rackMode && g.gearType != GearType::Bevel) {
    // Moved apart for its backlash, the pair keeps its shifts and its
    // centre distance without backlash, which the file holds; the distance
    // moved apart and its working angle are lines of their own. Nothing of
    // the pair before the load may enter its geometry.
    g.jnByApart = false;
    PairFromShifts(g);
    g.jnByApart = true;
    g.xSumNoBacklash = g.xSum;
    g.x1NoBacklash = g.x1;
    g.awNoBacklash = g.awEntered = g.aw;
    g.alphaWNoBacklash = g.alphaWt;
    BasicGeometry(g);
    return;
  }
  if (g.rackMode) {
    RackGeometry(g);
  } else if (g.gearType == GearType::Bevel) {
    BasicGeometry(g);
  } else if (g.geometryReady == 9) {
    PairFromCentreDistance(g);
  } else if (g.geometryReady == 10) {
    PairFromPressureAngle(g);
  } else {
    PairFromShifts(g);
  }
}

// The geometry a save recomputes before it writes the pair.
void GeometryForSave(GearPair& g) {
  if (g.geometryReady == 0) PairBasicGeometry(g);
  SyncWrittenAngles(g);
  if (g.gearType == GearType::Bevel) {
    BasicGeometry(g);
  } else if (g.rackMode) {
    RackGeometry(g);
  }
}

}  // namespace

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
  GeometryForSave(g_);
  return true;
}

bool MainForm::SaveInputs(const std::string& path) {
  // The file keeps every value to 12 decimals, and what it keeps only as a
  // result (a tip diameter computed from the shifts, say) is derived again
  // when it is loaded, from the inputs as kept: the last digit may differ
  // from the one the unrounded inputs give. The pair is written as the
  // file's own pair writes it, so that a file loaded and saved again stays
  // byte for byte the same.
  GearPair restored = g_;
  if (ReadInputFile(WriteInputFile(g_), restored).ok) {
    DeriveLoadedPair(restored);
    GeometryForSave(restored);
  } else {
    restored = g_;  // the save itself says why the file would not load
  }
  const InputFileResult result = SaveInputFile(path, restored);
  SetFileCaptions(path);
  if (!result.ok) g_.messages.push_back(result.message);
  return result.ok;
}

bool MainForm::LoadInputs(const std::string& path) {
  HideResults();
  const GearPair before = g_;
  InputFileResult result = LoadInputFile(path, g_);
  if (result.ok) {
    // A file of values each within its bounds may still define a pair whose
    // dimensions are no numbers: it is refused as well, and the pair before
    // the load stays.
    DeriveLoadedPair(g_);
    if (!ConsequencesFinite()) {
      g_ = before;
      result = {false, Message{kErrorTitle, std::string(kBadInputFile) + "\r" + kNotFinite,
                               Message::Kind::Box}};
    }
  }
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
