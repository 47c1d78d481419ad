// Start values of the gear-pair state.
#include "model/GearPair.h"

#include <cmath>

namespace kolmira {

namespace {
// Protuberance angle of the default protuberance tool (haP0* 1.25,
// rhoaP0* 0.38, hFaP0* 0.75, pr 0.05 mm at module 1 and 20 degrees).
constexpr double kDefaultProtuberanceAngle = 0.10564477962321676;
}  // namespace

void SetDefaults(GearPair& g) {
  // 1. Basic rack of both gears.
  g.haP1Star = g.haP2Star = 1.0;
  g.cP1Star = g.cP2Star = 0.25;
  g.alphaPDeg = 20.0;
  g.rhofP1Star = g.rhofP2Star = 0.38;

  // 2. Rack of the rack mode.
  g.haRack = g.hFfRack = g.haNRack = g.hfNRack = 3.0;

  // 3. Rack tools of both gears.
  g.haP01Star = g.haP02Star = 1.25;
  g.rhoaP01Star = g.rhoaP02Star = 0.38;
  g.hFfP01Star = g.hFfP02Star = 0.75;
  g.alphaKP01 = g.alphaKP02 = kPi / 4.0;
  g.alphaKP01Deg = g.alphaKP02Deg = 45.0;
  g.alphaprP01 = g.alphaprP02 = kDefaultProtuberanceAngle;
  g.hFaP01Star = g.hFaP02Star = 0.75;
  g.prP01 = g.prP02 = 0.05;
  g.x1K = g.x2K = 0.0;
  g.dbK1 = g.dbK2 = 0.0;
  g.dbpr1 = g.dbpr2 = 0.0;
  g.hprExtra1 = g.hprExtra2 = 0.0;

  // 4. Pair.
  g.mn = 1.0;
  g.z1 = 20.0;
  g.z2 = 40.0;
  g.b = 10.0;
  g.aw = 0.0;
  g.betaDeg = 0.0;
  g.betaMax = 90.0;  // a cylindrical pair; the bevel geometry narrows it
  g.jn = 0.0;
  g.xSum = g.x1 = g.x2 = 0.0;
  g.xmez = 0.0;
  g.xSumBacklash = 0.0;
  g.awJ = 0.0;

  // 5. Shaper cutter.
  g.z0 = 35;
  g.x0 = 0.0;
  g.alphaFf0 = 0.0;
  g.rhof0Star = 0.38;
  g.x0mez = 0.0;
  g.da0 = 37.5;
  g.aw0 = -47.5;
  g.ca0 = 0.0;
  g.rhoa0Star = 0.0;

  // 6. Bevel pair.
  g.z1Bevel = g.z2Bevel = 0.0;
  g.Sigma = kPi / 2.0;
  g.SigmaDeg = 90.0;

  // 7. Basic rack by gear type.
  if (g.gearType == GearType::Internal) {
    g.rhofP2Star = 0.0;
  } else if (g.gearType == GearType::Bevel) {
    g.cP1Star = g.cP2Star = 0.2;
    g.rhofP1Star = g.rhofP2Star = 0.3;
  }

  // 8. Flags.
  g.geometryReady = 0;
  g.valCode = 0;
  g.driverError = false;
  g.shiftSolutionOk = true;
  g.pairComputed = false;
  g.shiftNotDistributed = false;
  g.undercut1 = g.undercut2 = false;
  g.interference1 = g.interference2 = false;
  g.clearanceOk1 = g.clearanceOk2 = true;
  g.noTooth1 = g.noTooth2 = false;
  g.ringBaseAboveTip = g.tipsApart = false;
  g.xSumBelowLimit = g.xSumAboveLimit = g.x0SumAboveLimit = false;
  g.thinTip1 = g.thinTip2 = false;
  g.tipInRoot1 = g.tipInRoot2 = false;
  g.tipInterference = g.tipInterferenceInfeed = g.tipTrimming = false;
  g.assemblyGap = g.assemblyTooth = false;
  g.da1Given = g.da2Given = false;
  g.gearTypeChosen = true;
  g.shiftDistributed = false;
  g.mandatoryComplete = false;
  g.fileReadOk = false;
  g.loadingInputs = false;
  g.slidingBalanceRunning = false;
  g.circularRoot = false;
  g.cutterPairSolving = false;
  g.backlashDirect = true;
  g.backlashByShift = g.jnByApart = false;
  g.thinBoth = true;
  g.thinPinion = g.thinWheel = false;
  g.thinByGrinding = false;
  g.backlashFresh = true;
  g.inputsChanged = true;
  g.scAtToothMax = false;
  g.chordShown1 = g.chordShown2 = true;
  g.identInputsChanged = true;
  g.newtonFailed = false;
  g.scConst1 = g.scConst2 = true;
  g.toolFieldDone = false;
  g.protInvalid1 = g.protInvalid2 = false;
  g.protCut1 = g.protCut2 = false;
  g.shortened1 = g.shortened2 = false;
  g.chamferOff1 = g.chamferOff2 = false;
  g.prFormAtCross1 = g.prFormAtCross2 = false;
  g.maxFunctional = g.fullyRounded = false;
  g.rackMode = false;
  g.keepShifts = false;

  // 9. Derived values of the unshifted pair.
  g.alphaP = kPi * g.alphaPDeg / 180.0;
  g.alphaT = g.alphaWt = g.alphaP;
  g.alphaWtDeg = g.alphaPDeg;
  g.beta = kPi * g.betaDeg / 180.0;
  g.betaB = g.beta;
  g.d1 = g.mn * g.z1 / std::cos(g.beta);
  g.d2 = g.mn * g.z2 / std::cos(g.beta);
  g.a = (g.z1 + g.z2) * g.mn / (2.0 * std::cos(g.beta));
  g.da1 = g.d1 + 2.0 * g.mn;
  g.da2 = g.d2 + 2.0 * g.mn;
}

}  // namespace kolmira
