// The gear-pair state: the one record that every computation, form and file
// routine of Kolmira reads and writes. Names are the engineering symbols of
// the pair (mn, z1, alphaWt, haP1Star ...). Lengths are millimetres, angles
// radians with a ...Deg twin for every angle the user sees, numbers of teeth
// doubles (an internal wheel is negative, and with it d2, db2, a and aw).
// Suffix 1 is the pinion, 2 the wheel (or rack, or ring); tool values carry
// 01/02; per-module coefficients end in Star.
//
// The members are listed once, in the X-macro tables below, so that the
// record, its JSON dump and its tests cannot drift apart. Each table takes
// three macros: R for a real (double), F for a flag (bool, the 0/1 byte of
// the dialogs), I for an integer.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace kolmira {

// clang-format off

// Pair definition, mandatory inputs and the basic rack.
#define KOLMIRA_STATE_INPUTS(R, F, I)                                          \
  F(rackMode)        /* the pinion meshes with a rack (z2 >= 5000) */          \
  R(mn)              /* normal module; bevel: outer transverse module */       \
  R(z1) R(z2)        /* teeth; bevel: virtual numbers */                       \
  R(z1Bevel) R(z2Bevel)                                                        \
  R(betaDeg) R(beta) /* helix angle (bevel: mean spiral angle) */              \
  R(betaMax)         /* upper bound of betaDeg, degrees */                     \
  R(b)               /* common face width */                                   \
  R(SigmaDeg) R(Sigma)                                                         \
  R(xSum) R(x1) R(x2) R(aw) R(alphaWtDeg) R(alphaWt) R(jn)                     \
  I(geometryReady)   /* computational input accepted last: 0, 6..10 */        \
  F(shiftDistributed) F(shiftNotDistributed)                                   \
  R(haP1Star) R(haP2Star) R(cP1Star) R(cP2Star) R(rhofP1Star) R(rhofP2Star)    \
  R(alphaPDeg) R(alphaP)                                                       \
  R(da1) R(da2) F(da1Given) F(da2Given)

// Quantities derived by the basic geometry of the pair.
#define KOLMIRA_STATE_GEOMETRY(R, F, I)                                        \
  R(alphaT) R(alphaTDeg) R(invAlphaT) R(invAlphaWt) R(betaB) R(betaBDeg)       \
  R(mt) R(a) R(d1) R(d2) R(db1) R(db2) R(dw1) R(dw2) R(kStar)                  \
  R(ha1) R(ha2) R(hf1) R(hf2) R(h1) R(h2) R(df1) R(df2)                        \
  R(hFfP1Star) R(hFfP2Star) R(hFfP1) R(hFfP2)                                  \
  R(xmez) R(x0mez)                                                             \
  /* bevel pair */                                                             \
  R(Le) R(bToLe) R(mmt) R(mmn) R(betaE) R(betaI) R(delta1) R(delta2)           \
  R(de1) R(de2) R(dae1) R(dae2) R(dfe1) R(dfe2)                                \
  R(deltaA1) R(deltaA2) R(deltaF1) R(deltaF2)                                  \
  R(r0)              /* spiral length constant of a spiral bevel pair */       \
  /* rack of the rack mode */                                                  \
  R(haRack) R(hFfRack) R(haNRack) R(hfNRack) R(rackHaLimit)

// Backlash and how it is produced.
#define KOLMIRA_STATE_BACKLASH(R, F, I)                                        \
  F(backlashDirect) F(backlashByShift) F(jnByApart)                            \
  F(thinBoth) F(thinPinion) F(thinWheel) F(thinByGrinding)                     \
  R(xSumNoBacklash) R(xSumBacklash) R(x1NoBacklash)                            \
  R(awNoBacklash) R(awJ) R(alphaWtJ) R(awEntered) R(alphaWNoBacklash)

// Flags and working values of the main dialog.
#define KOLMIRA_STATE_DIALOG(R, F, I)                                          \
  F(pairComputed) F(keepShifts) I(lastInputField) F(dmsMode) F(driverError)   \
  I(valCode)                                                                   \
  F(xSumBelowLimit) F(xSumAboveLimit) F(x0SumAboveLimit)                       \
  F(shiftSolutionOk) F(slidingBalanceRunning) R(xSumBalance)                   \
  F(circularRoot) F(backlashFresh) F(loadingInputs) F(gearTypeChosen)          \
  F(mandatoryComplete) F(inputsChanged) F(identInputsChanged)                  \
  R(c1) R(c2) R(rhof1) R(rhof2) F(toolsDefault) F(fileReadOk)                  \
  F(clickLoad) F(clickQuit) F(clickHelp) F(clickGearType)

// Findings and meshing quantities of the complete check.
#define KOLMIRA_STATE_CHECK(R, F, I)                                           \
  R(awEff) R(alphaWtEff)                                                       \
  F(undercut1) F(undercut2) F(interference1) F(interference2)                  \
  F(clearanceOk1) F(clearanceOk2) F(noTooth1) F(noTooth2)                      \
  F(ringBaseAboveTip) F(tipsApart) F(thinTip1) F(thinTip2)                     \
  F(tipInRoot1) F(tipInRoot2) F(tipInterference) F(tipInterferenceInfeed)      \
  F(tipTrimming) F(assemblyGap) F(assemblyTooth) F(tipsEnclosed)               \
  F(shortened1) F(shortened2)                                                  \
  R(pt) R(pbt) R(x1min) R(x2min) R(z1min) R(z2min)                             \
  R(dFf1) R(dFf2) R(alphaFf1) R(alphaFf2) R(dFfPlain1) R(dFfPlain2)            \
  R(da1Eff) R(da2Eff) R(T1T2) R(gaRack) R(grRack)                              \
  R(dNf1) R(dNf2) R(alphaNf1) R(alphaNf2) R(dNa1) R(dNa2)                      \
  R(alphaA1) R(alphaA2) R(da1Lim) R(da2Lim) R(haLimRack) R(da2Trim)            \
  R(Lev1) R(Lev2) R(LevF1) R(LevF2)                                            \
  R(epsAlpha) R(epsBeta) R(epsGamma)                                           \
  R(thetaF1) R(thetaA1) R(thetaF2) R(thetaA2)                                  \
  R(zn1) R(zn2) R(Lc1) R(LcMin) R(LcMax)                                       \
  /* tooth thicknesses (normal section) */                                     \
  R(thinAngle1) R(thinAngle2) R(jnShareRack)                                   \
  R(sb1) R(sb2) R(sf1) R(sf2) R(sFf1) R(sFf2) R(sn1) R(sn2) R(sw1) R(sw2)      \
  R(sa1) R(sa2) R(sFa1) R(sFa2) R(ew1) R(ew2) R(saEff1t) R(saEff2t)            \
  R(sa1Bevel) R(sa2Bevel) R(dai1) R(dai2)                                      \
  /* tip chamfer */                                                            \
  R(x1K) R(x2K) R(alphaKt1) R(alphaKt2) R(dbK1) R(dbK2)                        \
  F(chamferOff1) F(chamferOff2)

// Rack tools of pinion and wheel, and the protuberance computations.
#define KOLMIRA_STATE_TOOLS(R, F, I)                                           \
  R(haP01Star) R(haP02Star) R(rhoaP01Star) R(rhoaP02Star)                      \
  F(chamfer1) F(chamfer2) R(hFfP01Star) R(hFfP02Star)                          \
  R(alphaKP01Deg) R(alphaKP02Deg) R(alphaKP01) R(alphaKP02)                    \
  F(protuberance1) F(protuberance2) R(hFaP01Star) R(hFaP02Star)                \
  R(prP01) R(prP02) R(alphaprP01) R(alphaprP02)                                \
  F(protInvalid1) F(protInvalid2)                                              \
  R(hprExtra1) R(hprExtra2) R(haP01Eff) R(haP02Eff) R(haP0Max) R(rhoaP0Max)   \
  F(toolFieldDone) F(toolDlgClosing)                                           \
  R(alphaprt1) R(alphaprt2) R(dbpr1) R(dbpr2) F(protCut1) F(protCut2)          \
  R(dFfPr1) R(dFfPr2) F(protuberanceSolve) I(protSolveGear)                    \
  F(prCross1) F(prCross2) R(dPrCross1) R(dPrCross2)                            \
  F(prFormAtCross1) F(prFormAtCross2) R(dFillet1) R(dFillet2)

// Fellows shaper cutter of an internal wheel.
#define KOLMIRA_STATE_CUTTER(R, F, I)                                          \
  I(z0) R(x0) R(rhof0Star) R(rhoa0Star) F(maxFunctional) F(fullyRounded)       \
  R(rhof0Saved) R(rhoa0Saved) R(d0) R(db0) R(da0) R(hFf0Star)                  \
  R(alphaFf0) R(dL0) R(zn0) R(dn0) R(dan0) R(dbn0)                             \
  R(dk0) R(alphaK0) R(dR0) R(ca0) R(rhoa0Max) R(rhof0Max) R(sa0)               \
  R(aw0) R(alphaW0) R(invAlphaW0) F(cutterPairSolving) F(cutterUndercut)       \
  F(fellowDlgClosing) F(fellowQuiet)

// Measurement dimensions: chordal thickness, span, balls.
#define KOLMIRA_STATE_MEASURE(R, F, I)                                         \
  F(newtonFailed)                                                              \
  R(sc1) R(hc1) R(sc2) R(hc2)                                                  \
  F(scConst1) F(scRef1) F(scChosen1) F(scConst2) F(scRef2) F(scChosen2)        \
  R(sc1min) R(sc1max) R(hc1min) R(hc1max) R(sc2min) R(sc2max) R(hc2min)        \
  R(hc2max) F(scAtToothMax) F(chordShown1) F(chordShown2)                      \
  I(zw1) I(zw2) R(W1) R(W2) R(b1min) R(b2min)                                  \
  I(zwMin1) I(zwMax1) I(zwMin2) I(zwMax2) I(zwRec1) I(zwRec2)                  \
  R(dt1) R(dt2) R(dM1) R(dM2) R(M1) R(M2)                                      \
  R(dt1min) R(dt1max) R(dt2min) R(dt2max) R(dM1lim) R(dM2lim) R(alphaK)        \
  I(ballReason)

// Identification from measurements (scalars; the per-method arrays follow).
#define KOLMIRA_STATE_IDENT(R, F, I)                                           \
  R(scMeas) R(hcMeas) I(zwMeas) R(WMeas) R(DMeas) R(MMeas) R(dKMeas)           \
  I(idSolutionCount) R(alphaExt) R(alphaExt2) R(alphaIdLow) R(alphaId2)        \
  R(alphaId3)

// Dimension table.
#define KOLMIRA_STATE_TABLE(R, F, I) F(tablePrinting)

#define KOLMIRA_STATE_ALL(R, F, I)                                             \
  KOLMIRA_STATE_INPUTS(R, F, I)                                                \
  KOLMIRA_STATE_GEOMETRY(R, F, I)                                              \
  KOLMIRA_STATE_BACKLASH(R, F, I)                                              \
  KOLMIRA_STATE_DIALOG(R, F, I)                                                \
  KOLMIRA_STATE_CHECK(R, F, I)                                                 \
  KOLMIRA_STATE_TOOLS(R, F, I)                                                 \
  KOLMIRA_STATE_CUTTER(R, F, I)                                                \
  KOLMIRA_STATE_MEASURE(R, F, I)                                               \
  KOLMIRA_STATE_IDENT(R, F, I)                                                 \
  KOLMIRA_STATE_TABLE(R, F, I)

// clang-format on

// The kind of pair; the numbers are those of the input file.
enum class GearType : int { External = 1, Internal = 2, Bevel = 3 };

// A message box that core or a form wants shown, in the order queued. The
// caller (GUI or CLI) drains the queue. A beep is a notice without a box.
struct Message {
  enum class Kind { Box, Beep };
  std::string title;
  std::string text;
  Kind kind = Kind::Box;
  bool operator==(const Message&) const = default;
};

// Titles of the program's message boxes, exactly as the user sees them.
inline constexpr const char* kErrorTitle = "  Chyba !";
inline constexpr const char* kWarningTitle = "  Upozornění !";
inline constexpr const char* kInfoTitle = "  Info !";
inline constexpr const char* kEnglishErrorTitle = "  Error !";

struct GearPair {
  GearType gearType = GearType::External;
#define KOLMIRA_DECLARE_REAL(name) double name = 0.0;
#define KOLMIRA_DECLARE_FLAG(name) bool name = false;
#define KOLMIRA_DECLARE_INT(name) int name = 0;
  KOLMIRA_STATE_ALL(KOLMIRA_DECLARE_REAL, KOLMIRA_DECLARE_FLAG, KOLMIRA_DECLARE_INT)
#undef KOLMIRA_DECLARE_REAL
#undef KOLMIRA_DECLARE_FLAG
#undef KOLMIRA_DECLARE_INT

  // Identification: one entry per method, 0 chordal, 1 span, 2 balls.
  std::array<double, 3> mnId{};
  std::array<double, 3> alphaId{};
  std::array<double, 3> betaId{};  // -1 marks an unsolvable span case
  std::array<double, 3> xId{};
  std::array<double, 3> alphaTId{};

  std::string fieldTextOnEnter;
  std::string mainCaption;

  // Message boxes queued by core and forms, oldest first.
  std::vector<Message> messages;

  void Queue(std::string title, std::string text) {
    messages.push_back({std::move(title), std::move(text), Message::Kind::Box});
  }
  void QueueError(std::string text) {
    Queue(kErrorTitle, std::move(text));
  }
  void QueueBeep() {
    messages.push_back({"", "", Message::Kind::Beep});
  }
};

// Degrees to radians and back with the program's value of pi.
inline constexpr double kPi = 3.141592653589793;
inline constexpr double kDegToRad = kPi / 180.0;
inline constexpr double kRadToDeg = 180.0 / kPi;

// Gives the inputs, tool values and flags their start values (the nine steps
// of the program's defaults); the gear type decides the basic rack.
void SetDefaults(GearPair& g);

}  // namespace kolmira
