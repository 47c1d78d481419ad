// Meshing quantities and limits of external and rack pairs.
#include "engine/Meshing.h"

#include <algorithm>
#include <cmath>

#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "engine/ToothThickness.h"

namespace kolmira {

namespace {

double Square(double x) {
  return x * x;
}

// Module of the check: the mean transverse module of a bevel pair's virtual
// gears, the normal module otherwise.
double CheckModule(const GearPair& g) {
  return g.gearType == GearType::Bevel ? g.mmt : g.mn;
}

// Form circle of a tooth that the straight flank of its generating rack does
// not undercut: where that flank's end generates the involute's start.
void PlainFormCircle(GearPair& g, bool pinion) {
  const double m = CheckModule(g);
  const double hFfStar = pinion ? g.hFfP1Star : g.hFfP2Star;
  const double hFf = pinion ? g.hFfP1 : g.hFfP2;
  const double x = pinion ? g.x1 : g.x2;
  const double z = pinion ? g.z1 : g.z2;
  const double d = pinion ? g.d1 : g.d2;
  const double tanAlphaT = GuardedTan(g, g.alphaT);
  const double alphaFf = std::atan(tanAlphaT - 4.0 * std::cos(g.beta) * (hFfStar - x) /
                                                   (z * std::sin(2.0 * g.alphaT)));
  const double u = (hFf - x * m) / tanAlphaT;
  const double v = d / 2.0 - hFf + x * m;
  const double dFf = 2.0 * std::sqrt(u * u + v * v);
  (pinion ? g.alphaFf1 : g.alphaFf2) = alphaFf;
  (pinion ? g.dFf1 : g.dFf2) = dFf;
  (pinion ? g.dFfPlain1 : g.dFfPlain2) = dFf;
}

// Form circle of an undercut tooth: where the trochoid of the tool's tip
// rounding meets the involute, kept above the base and the root circle.
void UndercutFormCircle(GearPair& g, bool pinion) {
  GeneratedFormCircle(g, pinion ? 1 : 2);
  double& dFf = pinion ? g.dFf1 : g.dFf2;
  const double db = pinion ? g.db1 : g.db2;
  const double df = pinion ? g.df1 : g.df2;
  if (dFf < db && dFf > 0.00000001) dFf = db + 0.00000000001;
  if (dFf < df + 0.00001) dFf = df + 0.1 * CheckModule(g);
  (pinion ? g.alphaFf1 : g.alphaFf2) = GuardedArcCos(g, db / dFf);
}

// Effective tip of gear 1 or 2: where the chamfer involute begins, cut by
// the tool's chamfering edge (angle alphaKP0 from hFfP0* above its datum
// line, a rack of its own with shift xK), or the tip circle itself. Only an
// external wheel is chamfered.
void EffectiveTip(GearPair& g, int gear) {
  const bool pinion = gear == 1;
  const bool chamfered = pinion ? g.chamfer1 : (g.chamfer2 && g.gearType == GearType::External);
  if (!chamfered) {
    (pinion ? g.da1Eff : g.da2Eff) = pinion ? g.da1 : g.da2;
    return;
  }
  const double alphaKP = pinion ? g.alphaKP01 : g.alphaKP02;
  const double height = pinion ? g.hFfP01Star : g.hFfP02Star;
  const double alphaKt = std::atan(GuardedTan(g, alphaKP) / std::cos(g.beta));
  (pinion ? g.x1K : g.x2K) =
      (pinion ? g.x1 : g.x2) + (1.0 - GuardedTan(g, g.alphaP) / GuardedTan(g, alphaKP)) * height;
  (pinion ? g.alphaKt1 : g.alphaKt2) = alphaKt;
  (pinion ? g.dbK1 : g.dbK2) = std::cos(alphaKt) * (pinion ? g.d1 : g.d2);
  TipChamfer(g, gear);
}

}  // namespace

double InvoluteRoot(double x) {
  return x > 0.0 ? std::sqrt(x) : 0.0;
}

double PressureAngleAt(GearPair& g, double db, double d) {
  if (!(d > 0.0)) return 0.0;
  return GuardedArcCos(g, db / d);
}

void CheckUndercut(GearPair& g) {
  const bool internal = g.gearType == GearType::Internal;
  const bool bevel = g.gearType == GearType::Bevel;
  const double m = CheckModule(g);
  g.pt = kPi * (bevel ? g.mmt : g.mt);
  g.pbt = g.pt * std::cos(g.alphaT);

  const double fillet = 1.0 - std::sin(g.alphaP);
  g.hFfP1Star = SnapFlankDepth(g.haP2Star + g.cP2Star - fillet * g.rhofP1Star);
  if (!internal) g.hFfP2Star = SnapFlankDepth(g.haP1Star + g.cP1Star - fillet * g.rhofP2Star);
  g.hFfP1 = g.hFfP1Star * m;
  g.hFfP2 = g.hFfP2Star * m;
  if (g.rackMode) g.hFfRack = (g.protuberance2 ? g.hFaP02Star : g.hFfP2Star) * g.mn;

  // Limits of undercut by the straight flank of the generating rack.
  const double sin2 = Square(std::sin(g.alphaT));
  const double cosBeta = std::cos(g.beta);
  g.x1min = g.hFfP1Star - g.z1 * sin2 / (2.0 * cosBeta);
  if (!g.rackMode && !internal) g.x2min = g.hFfP2Star - g.z2 * sin2 / (2.0 * cosBeta);
  g.z1min = 2.0 * cosBeta * (g.hFfP1Star - g.x1) / sin2;
  if (!internal) g.z2min = 2.0 * cosBeta * (g.hFfP2Star - g.x2) / sin2;
  g.undercut1 = g.x1min > g.x1;
  g.undercut2 = !g.rackMode && !internal && g.x2min > g.x2;

  if (g.undercut1) {
    UndercutFormCircle(g, true);
  } else {
    PlainFormCircle(g, true);
  }
  if (!g.rackMode && !internal) {
    if (g.undercut2) {
      UndercutFormCircle(g, false);
    } else {
      PlainFormCircle(g, false);
    }
  }
}

void ActiveDiameters(GearPair& g) {
  // Effective tips: where the chamfering edge of the tool begins.
  EffectiveTip(g, 1);
  EffectiveTip(g, 2);

  // Length of the line of action between the points of tangency (for an
  // internal pair the negative db2 makes it a difference).
  const double rb1 = g.db1 / 2.0, rb2 = g.db2 / 2.0;
  const double s2 = g.z2 < 0.0 ? -1.0 : 1.0;
  // A ring with as many teeth as the pinion meshes at a working pressure
  // angle of 90 degrees, where tan(alphaWt) (db1 + db2)/2 is infinity times
  // 0; its limit awEff sin(alphaWt) is the same length for every pair.
  const bool degenerate = g.gearType == GearType::Internal && g.z1 == -g.z2;
  g.T1T2 = degenerate ? g.awEff * std::sin(g.alphaWtEff)
                      : GuardedTan(g, g.alphaWtEff) * (g.db1 + g.db2) / 2.0;
  const double g2 = s2 * InvoluteRoot(Square(g.da2Eff / 2.0) - Square(rb2));
  if (g2 <= g.T1T2) {
    g.dNf1 = 2.0 * std::sqrt(Square(std::fabs(g.T1T2) - std::fabs(g2)) + Square(rb1));
    if (g.dNf1 < g.dFf1) g.dNf1 = g.dFf1;
  } else {
    g.dNf1 = g.db1;
  }
  if (g.undercut1) g.dNf1 = std::max(g.dNf1, g.dFf1);
  if (g.gearType == GearType::Internal) {
    g.dNf2 = -2.0 * std::sqrt(Square(g.T1T2 - InvoluteRoot(Square(g.da1Eff / 2.0) - Square(rb1))) +
                              Square(rb2));
  }
}

void RackActiveDiameters(GearPair& g) {
  EffectiveTip(g, 1);
  if (g.dNf1 < 0.0000001) g.dNf1 = g.db1;
  if (g.dFf2 < 0.0000001) g.dFf2 = g.db2;

  // Addendum of the rack that meshes: up to where its chamfer begins.
  double coefficient = g.ha2 / g.mn;
  if (g.chamfer2) {
    coefficient = g.hFfP02Star;
    if (g.jn > 0.0 && g.backlashDirect && g.thinByGrinding) {
      // Regrinding the flank by the rack's share u of the backlash moves its
      // meeting point with the untouched chamfer edge up the tooth.
      const double share = g.thinBoth ? g.jn / 4.0 : g.thinWheel ? g.jn / 2.0 : 0.0;
      const double spread =
          std::cos(g.alphaP) * (GuardedTan(g, g.alphaKP02) - GuardedTan(g, g.alphaP));
      if (spread > 0.0) coefficient += share / spread / g.mn;
      coefficient = std::min(coefficient, g.ha2 / g.mn);
    }
  }
  g.haRack = coefficient * g.mn;
  g.haNRack = g.haRack;
}

void CheckInterference(GearPair& g) {
  const double rb1 = g.db1 / 2.0, rb2 = g.db2 / 2.0;
  g.shortened1 = g.shortened2 = false;

  // Pinion root: contact starts where the wheel's tip meets the line of action.
  g.dNa2 = g.da2Eff;
  g.alphaA2 = GuardedArcCos(g, g.db2 / g.da2Eff);
  const double gA = g.T1T2 - InvoluteRoot(Square(g.da2Eff / 2.0) - Square(rb2));
  g.alphaNf1 = std::atan(gA / rb1);
  if (g.alphaNf1 + kInterferenceAngleTolerance <= g.alphaFf1) {
    if (g.protuberance1 || g.undercut1) {
      g.shortened1 = true;
    } else {
      g.interference1 = true;
    }
    g.dNf1 = g.dFf1;
    if (g.alphaFf1 >= 0.0) {
      g.da2Lim = 2.0 * std::sqrt(Square(g.T1T2 - rb1 * GuardedTan(g, g.alphaFf1)) + Square(rb2));
      if (g.da2Lim < g.dNa2) g.dNa2 = g.da2Lim;
    }
  } else {
    g.dNf1 = g.db1 / std::cos(g.alphaNf1);
  }

  // Wheel root, the mirror image.
  g.dNa1 = g.da1Eff;
  g.alphaA1 = GuardedArcCos(g, g.db1 / g.da1Eff);
  g.alphaNf2 = std::atan((g.T1T2 - InvoluteRoot(Square(g.da1Eff / 2.0) - Square(rb1))) / rb2);
  if (g.alphaNf2 + kInterferenceAngleTolerance <= g.alphaFf2) {
    if (g.protuberance2 || g.undercut2) {
      g.shortened2 = true;
    } else {
      g.interference2 = true;
    }
    g.dNf2 = g.dFf2;
    if (g.alphaFf2 >= 0.0) {
      g.da1Lim = 2.0 * std::sqrt(Square(g.T1T2 - rb2 * GuardedTan(g, g.alphaFf2)) + Square(rb1));
      if (g.da1Lim < g.dNa1) g.dNa1 = g.da1Lim;
    }
  } else {
    g.dNf2 = g.db2 / std::cos(g.alphaNf2);
  }
}

void CheckInterferenceRack(GearPair& g) {
  const double rb1 = g.db1 / 2.0;
  const double m = g.mn;
  const double sinAlphaT = std::sin(g.alphaT);
  g.shortened1 = g.shortened2 = false;
  g.haNRack = g.haRack;
  const double rC = rb1 * GuardedTan(g, g.alphaT);  // from T1 to the pitch point

  // Approach: from where the rack's tip line crosses the line of action.
  g.gaRack = (g.haNRack - g.x1 * m) / sinAlphaT;
  const double t1a = rC - g.gaRack;
  g.alphaNf1 = std::atan(t1a / rb1);
  const double formRoll = rb1 * GuardedTan(g, g.alphaFf1);
  if (t1a + kInterferenceAngleTolerance <= formRoll) {
    if (g.protuberance1 || g.undercut1) {
      g.shortened1 = true;
    } else {
      g.interference1 = true;
    }
    g.dNf1 = g.dFf1;
    if (g.alphaFf1 >= 0.0) {
      g.haLimRack = sinAlphaT * (rC - formRoll) + g.x1 * m;
      if (g.haLimRack < g.haNRack) g.haNRack = g.haLimRack;
      g.gaRack = rC - formRoll;
    }
  } else {
    g.dNf1 = g.db1 / std::cos(g.alphaNf1);
    g.haLimRack = g.haNRack;
  }

  // Recess: the pinion's tip against the end of the rack's straight flank.
  g.dNa1 = g.da1Eff;
  g.alphaA1 = GuardedArcCos(g, g.db1 / g.da1Eff);
  const double ce = rb1 * (GuardedTan(g, g.alphaA1) - GuardedTan(g, g.alphaT));
  const double gF = (g.x1 * m + g.hFfRack) / sinAlphaT;
  if (gF + kInterferenceAngleTolerance <= ce) {
    if (g.protuberance2) {
      g.shortened2 = true;
    } else {
      g.interference2 = true;
    }
    if (g.hFfRack >= 0.0) {
      g.grRack = gF;
      g.da1Lim = 2.0 * std::sqrt(Square(rC + gF) + Square(rb1));
      if (g.da1Lim < g.dNa1) g.dNa1 = g.da1Lim;
      g.hfNRack = g.hFfRack;
    }
  } else {
    g.da1Lim = 2.0 * std::sqrt(Square(rb1 * GuardedTan(g, g.alphaA1)) + Square(rb1));
    g.grRack = ce;
    g.hfNRack = sinAlphaT * ce - g.x1 * m;
    g.dNa1 = g.da1Lim;
  }
}

void InvoluteLengths(GearPair& g) {
  const double tanA1 = GuardedTan(g, g.alphaA1);
  const double tanF1 = GuardedTan(g, g.alphaFf1);
  g.Lev1 = (tanA1 * tanA1 - tanF1 * tanF1) * g.db1 / 4.0;
  if (!g.rackMode) {
    // The pinion tip point that meets the wheel's form circle.
    const double roll = InvoluteRoot(Square(g.dw2) - Square(g.db2)) / 2.0 -
                        InvoluteRoot(Square(g.dFf2) - Square(g.db2)) / 2.0 +
                        InvoluteRoot(Square(g.dw1) - Square(g.db1)) / 2.0;
    g.dNa1 = std::min(2.0 * std::sqrt(Square(g.db1 / 2.0) + Square(roll)), g.da1Eff);
  }
  const double tanNa1 = GuardedTan(g, PressureAngleAt(g, g.db1, g.dNa1));
  const double tanNf1 = GuardedTan(g, PressureAngleAt(g, g.db1, g.dNf1));
  g.LevF1 = (tanNa1 * tanNa1 - tanNf1 * tanNf1) * g.db1 / 4.0;

  const double cosAlphaT = std::cos(g.alphaT);
  if (g.rackMode) {
    g.Lev2 = (g.hFfRack + g.haRack) / cosAlphaT;
    g.LevF2 = (g.hfNRack + g.haNRack) / cosAlphaT;
    return;
  }
  const double tanA2 = GuardedTan(g, g.alphaA2);
  const double tanF2 = GuardedTan(g, g.alphaFf2);
  g.Lev2 = (tanA2 * tanA2 - tanF2 * tanF2) * g.db2 / 4.0;
  const double roll = InvoluteRoot(Square(g.dw1) - Square(g.db1)) / 2.0 -
                      InvoluteRoot(Square(g.dFf1) - Square(g.db1)) / 2.0 +
                      InvoluteRoot(Square(g.dw2) - Square(g.db2)) / 2.0;
  g.dNa2 = std::min(2.0 * std::sqrt(Square(g.db2 / 2.0) + Square(roll)), g.da2Eff);
  const double tanNa2 = GuardedTan(g, PressureAngleAt(g, g.db2, g.dNa2));
  const double tanNf2 = GuardedTan(g, PressureAngleAt(g, g.db2, g.dNf2));
  g.LevF2 = (tanNa2 * tanNa2 - tanNf2 * tanNf2) * g.db2 / 4.0;
}

void ContactRatios(GearPair& g) {
  const double m = g.mn;
  const double basePitch = kPi * m * std::cos(g.alphaT) / std::cos(g.beta);
  if (g.rackMode) {
    g.epsAlpha = (g.gaRack + g.grRack) / basePitch;
    // Only the sign rule applies: the tests against a mating wheel's form
    // circle and centre distance have no finite wheel to refer to.
    if (g.epsAlpha < 0.0) g.epsAlpha = 0.0;
  } else {
    if (g.dNa1 >= g.db1 && g.dNa2 >= g.db2) {
      g.epsAlpha =
          ((std::sqrt(Square(g.dNa1) - Square(g.db1)) + std::sqrt(Square(g.dNa2) - Square(g.db2))) /
               2.0 -
           g.awEff * std::sin(g.alphaWtEff)) /
          basePitch;
    }
    const double tanW = GuardedTan(g, g.alphaWtEff);
    if (g.alphaFf1 >= std::atan(tanW * (g.db1 + g.db2) / g.db1) ||
        g.alphaFf2 >= std::atan(tanW * (g.db1 + g.db2) / g.db2) || g.epsAlpha < 0.0 ||
        (g.dFf1 + g.dFf2) / 2.0 >= g.awEff) {
      g.epsAlpha = 0.0;
    }
  }
  g.epsBeta = g.b * std::sin(g.beta) / (kPi * m);
  g.epsGamma = g.epsAlpha + g.epsBeta;
}

void SpecificSliding(GearPair& g) {
  const double path = g.awEff * std::sin(g.alphaWtEff);
  if (g.dNa2 >= g.db2) {
    const double root = std::sqrt(Square(g.dNa2) - Square(g.db2));
    const double r2 = root / 2.0;
    g.thetaF1 = 1.0 - (r2 * g.z1 / g.z2) / (path - r2);
    g.thetaA2 = 1.0 - 2.0 * (g.z2 / g.z1) * (path - r2) / root;
  }
  if (g.dNa1 >= g.db1) {
    const double root = std::sqrt(Square(g.dNa1) - Square(g.db1));
    const double r1 = root / 2.0;
    g.thetaA1 = 1.0 - 2.0 * (g.z1 / g.z2) * (path - r1) / root;
    g.thetaF2 = 1.0 - (r1 * g.z2 / g.z1) / (path - r1);
  }
}

void SpecificSlidingRack(GearPair& g) {
  const double r = GuardedTan(g, g.alphaT) * g.db1 / 2.0;
  g.thetaF1 = 1.0 - r / (r - g.gaRack);
  g.thetaA2 = 1.0 - (r - g.gaRack) / r;
  g.thetaA1 = 1.0 - r / (r + g.grRack);
  g.thetaF2 = 1.0 - (r + g.grRack) / r;
}

void VirtualTeeth(GearPair& g) {
  const double factor = Square(std::cos(g.betaB)) * std::cos(g.beta);
  g.zn1 = g.z1 / factor;
  g.zn2 = g.z2 / factor;
}

void ContactLines(GearPair& g) {
  const double cosBetaB = std::cos(g.betaB);
  const double wholeAlpha = std::trunc(g.epsAlpha);
  const double fa = g.epsAlpha - wholeAlpha;
  const double fb = g.epsBeta - std::trunc(g.epsBeta);
  if (g.beta <= 0.0) {
    g.Lc1 = g.b;
    g.LcMin = g.b * wholeAlpha / cosBetaB;
    g.LcMax = g.b * (wholeAlpha + 1.0) / cosBetaB;
    return;
  }
  g.Lc1 = g.epsAlpha >= g.epsBeta ? g.b / cosBetaB : g.epsAlpha * g.pbt / std::sin(g.betaB);
  const double q = fa + fb >= 1.0 ? (1.0 - fa) * (1.0 - fb) : fa * fb;
  g.LcMin = g.b * (g.epsAlpha - q / g.epsBeta) / cosBetaB;
  const double qMax = fa <= fb ? (1.0 - fb) * fa : (1.0 - fa) * fb;
  g.LcMax = g.b * (g.epsAlpha + qMax / g.epsBeta) / cosBetaB;
}

}  // namespace kolmira
