// Tooth thicknesses, tip chamfer and protuberance form circles.
#include "engine/ToothThickness.h"

#include <algorithm>
#include <cmath>

#include "engine/InternalBevel.h"
#include "engine/Involute.h"
#include "engine/Meshing.h"
#include "engine/PairGeometry.h"
#include "engine/Protuberance.h"

namespace kolmira {

double ThinningAngle(const GearPair& g, double d) {
  const double radius = std::cos(g.alphaP) * std::cos(g.beta) * std::fabs(d) / 2.0;
  return radius != 0.0 ? g.jn / radius : 0.0;
}

double ThinningPerDiameter(const GearPair& g, int gear) {
  if (!g.backlashDirect) return 0.0;
  double share = 0.0;
  if (g.thinBoth) {
    share = 0.25;
  } else if (gear == 1 ? g.thinPinion : g.thinWheel) {
    share = 0.5;
  }
  return share * ThinningAngle(g, gear == 1 ? g.d1 : g.d2);
}

namespace {

// Helix angle on the circle dy of a gear of reference diameter d.
double HelixAt(const GearPair& g, double dy, double d) {
  return std::atan(std::tan(g.beta) * std::fabs(dy) / std::fabs(d));
}

}  // namespace

double TransverseThickness(GearPair& g, double dy, double x, double z, double db) {
  dy = std::fabs(dy);
  return dy * ((kPi + 4.0 * x * GuardedTan(g, g.alphaP)) / (2.0 * std::fabs(z)) + g.invAlphaT -
               Involute(GuardedArcCos(g, std::fabs(db) / dy)));
}

void TipChamfer(GearPair& g, int gear) {
  const bool pinion = gear == 1;
  const double db = pinion ? g.db1 : g.db2;
  const double d = pinion ? g.d1 : g.d2;
  const double x = pinion ? g.x1 : g.x2;
  const double z = pinion ? g.z1 : g.z2;
  const double xK = pinion ? g.x1K : g.x2K;
  const double alphaKP = pinion ? g.alphaKP01 : g.alphaKP02;
  const double alphaKt = pinion ? g.alphaKt1 : g.alphaKt2;
  const double dbK = pinion ? g.dbK1 : g.dbK2;
  const double da = pinion ? g.da1 : g.da2;
  double& daEff = pinion ? g.da1Eff : g.da2Eff;
  bool& off = pinion ? g.chamferOff1 : g.chamferOff2;

  // Thicknesses of the main involute and of the chamfer involute on the base
  // circle of the main one (before any thinning).
  const double invAtBase = Involute(GuardedArcCos(g, dbK / db));
  double sMain = db * ((kPi + 4.0 * x * GuardedTan(g, g.alphaP)) / (2.0 * z) + g.invAlphaT);
  double sK =
      db * ((kPi + 4.0 * xK * GuardedTan(g, alphaKP)) / (2.0 * z) + Involute(alphaKt) - invAtBase);
  if (g.backlashDirect) {
    (pinion ? g.thinAngle1 : g.thinAngle2) = ThinningAngle(g, d);
    const double thinning = db * ThinningPerDiameter(g, gear);
    sMain -= thinning;
    if (!g.thinByGrinding) sK -= thinning;  // a reground flank leaves the chamfer alone
  }
  daEff = DiameterAtInvoluteOffset(g, dbK, db, invAtBase + ((sK - sMain) / 2.0) / (db / 2.0));
  off = daEff >= da || daEff == 0.0;
  if (off) daEff = da;
}

void RackProtuberanceLimit(GearPair& g) {
  g.hFfRack = g.hFaP02Star * g.mn;
  double share = 0.0;
  if (g.jn > 0.0 && g.backlashDirect && g.thinByGrinding) {
    share = g.thinBoth ? g.jn / 4.0 : g.thinWheel ? g.jn / 2.0 : 0.0;
  }
  const double spread =
      std::cos(g.alphaP) * (GuardedTan(g, g.alphaP) - GuardedTan(g, g.alphaprP02));
  // The protuberance, measured normal to the flank.
  const double size =
      spread *
      ((g.haP02Star - g.hFaP02Star - (1.0 - std::sin(g.alphaprP02)) * g.rhoaP02Star) * g.mn);
  if (share <= size && spread != 0.0) g.hFfRack += share / spread;
  g.hfNRack = g.hFfRack;
}

void ProtuberanceUndercut(GearPair& g) {
  ProtuberanceLimits(g);
  CheckUndercut(g);
  for (int gear = 1; gear <= 2; ++gear) {
    const bool pinion = gear == 1;
    if (pinion ? !g.protuberance1 : (!g.protuberance2 || g.rackMode)) continue;
    const double db = pinion ? g.db1 : g.db2;
    const double d = pinion ? g.d1 : g.d2;
    const double df = pinion ? g.df1 : g.df2;
    const double x = pinion ? g.x1 : g.x2;
    const double z = pinion ? g.z1 : g.z2;
    const double dbpr = pinion ? g.dbpr1 : g.dbpr2;
    const double alphaprt = pinion ? g.alphaprt1 : g.alphaprt2;
    const double alphaprP0 = pinion ? g.alphaprP01 : g.alphaprP02;
    const double hprExtra = pinion ? g.hprExtra1 : g.hprExtra2;
    const double dFfPr = pinion ? g.dFfPr1 : g.dFfPr2;
    const bool undercut = pinion ? g.undercut1 : g.undercut2;
    const double dFfPlain = pinion ? g.dFfPlain1 : g.dFfPlain2;
    bool& formAtCross = pinion ? g.prFormAtCross1 : g.prFormAtCross2;
    bool& cross = pinion ? g.prCross1 : g.prCross2;
    double& dFillet = pinion ? g.dFillet1 : g.dFillet2;
    double& dPrCross = pinion ? g.dPrCross1 : g.dPrCross2;
    double& dFf = pinion ? g.dFf1 : g.dFf2;
    formAtCross = false;
    dFillet = 0.0;
    dPrCross = 0.0;

    // Thicknesses of the protuberance involute and of the main involute on
    // the protuberance's base circle.
    const double sPrBase =
        dbpr *
        ((kPi + 4.0 * (x + hprExtra) * GuardedTan(g, alphaprP0)) / (2.0 * z) + Involute(alphaprt));
    const double ay = GuardedArcCos(g, db / dbpr);
    double sMain =
        dbpr * ((kPi + 4.0 * x * GuardedTan(g, g.alphaP)) / (2.0 * z) + g.invAlphaT - Involute(ay));
    double sPr = sPrBase;
    if (g.backlashDirect) {
      (pinion ? g.thinAngle1 : g.thinAngle2) = ThinningAngle(g, d);
      const double thinning = dbpr * ThinningPerDiameter(g, gear);
      sMain -= thinning;
      if (!g.thinByGrinding) sPr -= thinning;
    }
    cross = sMain > sPr;
    if (cross) {
      dPrCross = DiameterAtInvoluteOffset(g, db, dbpr,
                                          Involute(ay) + ((sMain - sPr) / 2.0) / (dbpr / 2.0));
      if (dPrCross > dFfPr) {
        dFf = dPrCross;
        formAtCross = true;
      }
    }
    if (!formAtCross) {
      dFillet = ProtuberanceFilletSearch(g, gear, undercut ? db : dFfPlain);
      if (dFillet != 0.0) {
        dFf = dFillet;
      } else if (dFf < df + 0.00001) {
        dFf = df + 0.1 * g.mn;
      }
    }
    if (!undercut) dFf = std::max(dFf, dFfPlain);
    (pinion ? g.alphaFf1 : g.alphaFf2) = GuardedArcCos(g, db / dFf);
  }
}

void ToothThicknesses(GearPair& g) {
  const bool internal = g.gearType == GearType::Internal;
  const double cosAlphaWt = std::cos(g.alphaWtEff);
  const double workingPitch = kPi * g.mn * std::cos(g.alphaT) / (std::cos(g.beta) * cosAlphaWt);
  // A rack's thicknesses are those of its straight flanks (RackThicknesses).
  const int gears = g.rackMode ? 1 : 2;
  for (int gear = 1; gear <= gears; ++gear) {
    const bool pinion = gear == 1;
    const bool ring = !pinion && internal;
    // With the shift negated, the ring's computed thickness is its space
    // width (a ring tooth is the space of the external gear of that shift).
    const double x = pinion ? g.x1 : (internal ? -g.x2 : g.x2);
    const double z = std::fabs(pinion ? g.z1 : g.z2);
    const double d = std::fabs(pinion ? g.d1 : g.d2);
    const double db = std::fabs(pinion ? g.db1 : g.db2);
    const double lossPerDiameter = ThinningPerDiameter(g, gear);
    if (g.backlashDirect) (pinion ? g.thinAngle1 : g.thinAngle2) = ThinningAngle(g, d);

    // Thickness on the circle dy in the normal section, thinned.
    auto onCircle = [&](double dy, bool thinned) {
      dy = std::fabs(dy);
      double t = TransverseThickness(g, dy, x, z, db);
      if (ring) t = kPi * dy / z - t;  // transverse pitch minus the space
      if (thinned) t -= lossPerDiameter * dy;
      return t * std::cos(HelixAt(g, dy, d));
    };
    auto above = [&](double dy) { return std::fabs(dy) >= db; };

    const double df = pinion ? g.df1 : g.df2;
    const double dFf = pinion ? g.dFf1 : g.dFf2;
    const double dw = pinion ? g.dw1 : g.dw2;
    const double da = pinion ? g.da1 : g.da2;
    const double daEff = pinion ? g.da1Eff : g.da2Eff;
    double sb = db * ((kPi + 4.0 * x * GuardedTan(g, g.alphaP)) / (2.0 * z) + g.invAlphaT);
    if (ring) sb = kPi * db / z - sb;
    sb -= lossPerDiameter * db;
    (pinion ? g.sb1 : g.sb2) = sb * std::cos(HelixAt(g, db, d));
    (pinion ? g.sf1 : g.sf2) = above(df) ? onCircle(df, true) : 0.0;
    (pinion ? g.sFf1 : g.sFf2) = above(dFf) ? onCircle(dFf, true) : 0.0;
    (pinion ? g.sn1 : g.sn2) = onCircle(d, true);
    if (g.z1 != -g.z2 && above(dw)) {
      const double sw = onCircle(dw, true);
      (pinion ? g.sw1 : g.sw2) = sw;
      (pinion ? g.ew1 : g.ew2) = workingPitch * std::cos(HelixAt(g, dw, d)) - sw;
    }
    double sa = above(da) ? onCircle(da, true) : 0.0;
    double saEffT = 0.0;
    if (above(daEff)) {
      saEffT = TransverseThickness(g, daEff, x, z, db);
      if (ring) saEffT = kPi * std::fabs(daEff) / z - saEffT;
      saEffT -= lossPerDiameter * std::fabs(daEff);
    }
    (pinion ? g.saEff1t : g.saEff2t) = saEffT;

    const bool chamfer = pinion ? g.chamfer1 : (g.chamfer2 && g.gearType == GearType::External);
    // Signed: a ring's trimmed tip lies outside its tip circle (further
    // from the ring's centre), a chamfered tip inside the tip circle.
    if (daEff < da) {
      (pinion ? g.sFa1 : g.sFa2) = onCircle(daEff, true);
    }
    if (chamfer) {
      // The tip lies on the chamfer involute.
      const double xK = pinion ? g.x1K : g.x2K;
      const double alphaKP = pinion ? g.alphaKP01 : g.alphaKP02;
      const double alphaKt = pinion ? g.alphaKt1 : g.alphaKt2;
      const double dbK = pinion ? g.dbK1 : g.dbK2;
      double t = da * ((kPi + 4.0 * xK * GuardedTan(g, alphaKP)) / (2.0 * z) + Involute(alphaKt) -
                       Involute(GuardedArcCos(g, dbK / da)));
      if (!g.thinByGrinding) t -= lossPerDiameter * da;
      sa = t * std::cos(HelixAt(g, da, d));
    }
    (pinion ? g.sa1 : g.sa2) = sa;
  }
  g.thinTip1 = g.sa1 < 0.25 * g.mn;
  if (!g.rackMode) g.thinTip2 = g.sa2 < 0.25 * g.mn;
  if (g.gearType == GearType::Bevel) BevelTipThicknesses(g);
}

void RackThicknesses(GearPair& g) {
  const double m = g.mn;
  const double tanAlphaP = GuardedTan(g, g.alphaP);
  const double full = kPi * m / 2.0;
  g.sn2 = full;
  if (g.backlashDirect) {
    g.jnShareRack = g.jn / (2.0 * std::cos(g.alphaP));
    if (g.thinBoth) g.sn2 = full - g.jnShareRack;
    if (g.thinWheel) g.sn2 = full - 2.0 * g.jnShareRack;
  }
  g.sf2 = g.sn2 + 2.0 * g.hf2 * tanAlphaP;
  g.sFf2 = g.sn2 + 2.0 * (g.protuberance2 ? g.hFfRack : g.hFfP2) * tanAlphaP;
  g.sa2 = g.sn2 - 2.0 * g.ha2 * tanAlphaP;
  g.sw2 = g.sn2 - 2.0 * g.x1 * m * tanAlphaP;
  g.ew2 = kPi * m - g.sw2;
  if (!g.chamfer2) return;
  const double chamferStart = g.hFfP02Star * m;
  const double tanAlphaK = GuardedTan(g, g.alphaKP02);
  const bool reground = g.jn > 0.0 && g.thinByGrinding;
  if (!reground) {
    if (chamferStart < g.ha2) {
      g.sFa2 = g.sn2 - 2.0 * chamferStart * tanAlphaP;
      g.sa2 = g.sFa2 - 2.0 * (g.ha2 - chamferStart) * tanAlphaK;
    } else {
      g.sa2 = g.sn2 - 2.0 * g.ha2 * tanAlphaP;
      g.sFa2 = g.sa2;
    }
    return;
  }
  // A reground flank meets the untouched chamfer edge higher up, where the
  // rack's meshing addendum haRack ends; the tip keeps the chamfer's width.
  g.sFa2 = g.sn2 - 2.0 * g.haRack * tanAlphaP;
  g.sa2 = chamferStart < g.ha2
              ? full - 2.0 * chamferStart * tanAlphaP - 2.0 * (g.ha2 - chamferStart) * tanAlphaK
              : g.sFa2;
}

}  // namespace kolmira
