// Driver of the complete geometric check and its basic-limit steps.
#include "engine/Check.h"

#include <cmath>

#include "engine/InternalBevel.h"
#include "engine/Involute.h"
#include "engine/Measurement.h"
#include "engine/Meshing.h"
#include "engine/PairGeometry.h"
#include "engine/ShaperCutter.h"
#include "engine/ToothThickness.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {}  // namespace

std::string ShiftSumBelowLimitMessage(double xmez) {
  return "Součet korekcí x1+x2 je menší než mezní (xmez=" + FormatFixed(xmez, 7, 4) +
         ") - záporný úhel záběru";
}

std::string CutterShiftSumAboveLimitMessage(double x0mez) {
  return "Součet korekcí x0+x2 při výrobě kolečkem Fellow je větší než mezní (x0mez=" +
         FormatFixed(x0mez, 7, 4) + ") - záporný výrobní úhel záběru.";
}

std::string ShiftSumAboveLimitMessage(double xmez) {
  return "Součet korekcí x1+x2 je větší než mezní (xmez=" + FormatFixed(xmez, 7, 4) +
         ") - záporný úhel záběru";
}

void ResetCheckFlags(GearPair& g) {
  g.driverError = false;
  g.shiftNotDistributed = false;
  g.undercut1 = g.undercut2 = false;
  g.interference1 = g.interference2 = false;
  g.clearanceOk1 = g.clearanceOk2 = true;
  g.noTooth1 = g.noTooth2 = false;
  g.ringBaseAboveTip = false;
  g.tipsApart = false;
  g.xSumBelowLimit = g.xSumAboveLimit = g.x0SumAboveLimit = false;
  g.thinTip1 = g.thinTip2 = false;
  g.tipInRoot1 = g.tipInRoot2 = false;
  g.tipInterference = g.tipInterferenceInfeed = g.tipTrimming = false;
  g.assemblyGap = g.assemblyTooth = false;
  g.shiftSolutionOk = true;
  g.tipsEnclosed = false;
}

void CheckBasicLimits(GearPair& g) {
  g.noTooth1 = g.da1 <= g.db1;
  if (!g.rackMode) {
    g.noTooth2 = g.da2 <= g.db2;
    g.tipsApart = (g.da1 + g.da2) / 2.0 <= g.awEff;
    g.xmez = LimitingShiftSum(g.z1 + g.z2, g.alphaT, g.alphaP);
    if (g.gearType != GearType::Internal)
      g.xSumBelowLimit = g.xmez - kShiftSumTolerance >= g.x1 + g.x2;
  }
}

void CheckBasicLimitsInternal(GearPair& g) {
  g.ringBaseAboveTip = std::fabs(g.db2) > std::fabs(g.da2);
  g.noTooth1 = g.da1 <= g.db1;
  g.noTooth2 = std::fabs(g.df2) <= std::fabs(g.db2);
  g.tipsApart = std::fabs(g.da2) / 2.0 >= std::fabs(g.awEff) + g.da1 / 2.0;
  g.xmez = LimitingShiftSum(g.z1 + g.z2, g.alphaT, g.alphaP);
  g.xSumAboveLimit = g.x1 + g.x2 > g.xmez + kShiftSumTolerance;
  g.x0mez = LimitingShiftSum(g.z0 + g.z2, g.alphaT, g.alphaP);
  g.x0SumAboveLimit = g.x0 + g.x2 > g.x0mez + kShiftSumTolerance;
}

void CheckClearance(GearPair& g) {
  if (g.rackMode) return;
  const double c1 = g.awEff - (g.df2 + g.da1) / 2.0;  // at the pinion tip
  const double c2 = g.awEff - (g.df1 + g.da2) / 2.0;  // at the wheel tip
  if (c1 < kClearanceFactor * g.mn) g.clearanceOk1 = false;
  if (c2 < kClearanceFactor * g.mn) g.clearanceOk2 = false;
  if (c1 < 0.0) g.tipInRoot1 = true;
  if (c2 < 0.0) g.tipInRoot2 = true;
}

void CheckClearanceBevel(GearPair& g) {
  if (kBevelClearanceFactor * g.mmt > g.cP1Star * g.mn) g.clearanceOk1 = false;
  if (kBevelClearanceFactor * g.mmt > g.cP2Star * g.mn) g.clearanceOk2 = false;
  if (g.awEff - (g.df2 + g.da1) / 2.0 < 0.0) g.tipInRoot1 = true;
  if (g.awEff - (g.df1 + g.da2) / 2.0 < 0.0) g.tipInRoot2 = true;
}

bool CheckStoppedEarly(const GearPair& g) {
  const bool tipInRoot = g.tipInRoot1 || g.tipInRoot2;
  switch (g.gearType) {
    case GearType::Internal:
      return g.ringBaseAboveTip || g.noTooth2 || g.noTooth1 || tipInRoot || g.xSumAboveLimit ||
             g.x0SumAboveLimit;
    case GearType::Bevel:
      return tipInRoot || g.xSumBelowLimit;
    case GearType::External:
      break;
  }
  return g.noTooth2 || g.noTooth1 || tipInRoot || g.xSumBelowLimit;
}

void RunCheck(GearPair& g) {
  g.awEff = g.jnByApart ? g.awJ : g.aw;
  g.alphaWtEff = g.jnByApart ? g.alphaWtJ : g.alphaWt;
  ResetCheckFlags(g);
  if (g.geometryReady == 0) PairFromShifts(g);

  // Each step runs only while no earlier one has reported an error.
  auto step = [&g](void (*procedure)(GearPair&)) {
    if (!g.driverError) procedure(g);
  };
  if (g.gearType == GearType::External) {
    step(CheckBasicLimits);
    step(CheckClearance);
    if (CheckStoppedEarly(g)) return;
    step(CheckUndercut);
    if (g.rackMode) {
      step(RackActiveDiameters);
      if (g.protuberance2) step(RackProtuberanceLimit);
    } else {
      step(ActiveDiameters);
    }
    if (g.protuberance1 || g.protuberance2) step(ProtuberanceUndercut);
    step(g.rackMode ? CheckInterferenceRack : CheckInterference);
    step(InvoluteLengths);
    step(ContactRatios);
    step(ToothThicknesses);
    if (g.rackMode) {
      step(RackThicknesses);
      step(SpecificSlidingRack);
    } else {
      step(SpecificSliding);
    }
    step(VirtualTeeth);
    step(ContactLines);
    step(MeasurementDimensions);
  } else if (g.gearType == GearType::Internal) {
    step(CheckBasicLimitsInternal);
    // The ring's root and form circle and its tip trimming come from the
    // cutter that generates it.
    step(CutterGeometry);
    if (g.rhoa0Star > 0.0) step(CutterTipRounding);
    step(CheckClearance);
    if (CheckStoppedEarly(g)) return;
    step(CheckUndercut);
    // The start-of-contact diameters are wanted even after an error.
    ActiveDiameters(g);
    step(CheckInterferenceInternal);
    step(InvoluteLengthsInternal);
    step(ContactRatiosInternal);
    step(ToothThicknesses);
    step(SpecificSlidingInternal);
    step(VirtualTeeth);
    step(ContactLines);
    step(MeasurementDimensions);
  } else if (g.gearType == GearType::Bevel) {
    // The virtual spur pair of the bevel geometry is checked; its caller
    // has computed it.
    step(CheckBasicLimits);
    step(CheckClearanceBevel);
    if (CheckStoppedEarly(g)) return;
    step(CheckUndercut);
    step(CheckInterferenceBevel);
    step(ContactRatiosBevel);
    step(ToothThicknesses);  // ends with the bevel tip thicknesses
    step(SpecificSliding);
  }
}

void RunCheckRack(GearPair& g) {
  g.alphaWt = g.alphaT;
  RunCheck(g);
}

void RunCheckAndReport(GearPair& g) {
  if (!g.pairComputed) return;
  if (g.gearType == GearType::Bevel) BevelGeometry(g);
  if (g.geometryReady == 0) PairFromShifts(g);
  RunCheck(g);
  std::string message;
  if (g.xSumBelowLimit) {
    message = ShiftSumBelowLimitMessage(g.xmez);
  } else if (g.x0SumAboveLimit) {
    message = CutterShiftSumAboveLimitMessage(g.x0mez);
  } else if (g.xSumAboveLimit) {
    message = ShiftSumAboveLimitMessage(g.xmez);
  }
  if (!message.empty()) {
    g.QueueError(message);
    g.driverError = true;
    g.lastInputField = 8;
  }
}

}  // namespace kolmira
