// Internal and bevel pairs: the meshing steps that replace the external ones.
#include "engine/InternalBevel.h"

#include <algorithm>
#include <cmath>

#include "engine/Involute.h"
#include "engine/Meshing.h"
#include "engine/PairGeometry.h"
#include "engine/ToothThickness.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

double Square(double x) {
  return x * x;
}

double TanSquared(GearPair& g, double angle) {
  return Square(GuardedTan(g, angle));
}

// Number of steps of an assembly walk: trunc(x), none for a negative or
// undefined x, and never more than one turn of the ring.
int AssemblySteps(double x, double ringTeeth) {
  if (!(x >= 1.0)) return 0;
  const double cap = std::min(ringTeeth, static_cast<double>(kMaxAssemblyTeeth));
  return static_cast<int>(std::min(std::trunc(x), cap));
}

// Tip interference while meshing and assembly interference while the pinion
// is pushed radially into the ring (the tests that a pinion with as many
// teeth as the ring does not have).
void TipAndAssemblyInterference(GearPair& g) {
  if (g.tipsEnclosed) {
    g.tipInterference = true;
    g.assemblyGap = true;
    g.assemblyTooth = true;
    return;
  }
  const double ra1 = g.da1Eff / 2.0;
  const double ra2 = std::fabs(g.da2Eff) / 2.0;
  const double a = std::fabs(g.awEff);
  if (a == 0.0) return;
  // Where the two tip circles cross, seen from the pinion centre (delta1)
  // and from the ring centre (delta2), both from the side of the mesh.
  const double cos1 = (Square(ra2) - Square(ra1) - Square(a)) / (2.0 * a * ra1);
  const double cos2 = (Square(ra2) - Square(ra1) + Square(a)) / (2.0 * a * ra2);
  // Tip circles that do not cross (the tips stand apart): the tips never
  // meet, neither in mesh nor on the way in.
  if (!(std::fabs(cos1) <= 1.0 && std::fabs(cos2) <= 1.0)) return;
  const double delta1 = GuardedArcCos(g, cos1);
  const double delta2 = GuardedArcCos(g, cos2);

  // Tip interference (trochoid interference): the ring tip, leaving the
  // mesh, must stay ahead of the pinion tip until the tip circles part.
  const double invW = Involute(g.alphaWtEff);
  const double a1 = Involute(g.alphaA1) - invW;
  const double b2 = invW - Involute(g.alphaA2);
  const double z1 = g.z1;
  const double ringTeeth = std::fabs(g.z2);
  g.tipInterference = delta2 - b2 >= (z1 / ringTeeth) * (delta1 + a1);

  // Half the angular thickness of a pinion tooth at its tip, and half the
  // angular width of a ring space at the ring's tip (the ring's space is the
  // tooth of an external gear of shift -x2), both as made, thinned.
  const double tanAlphaP = GuardedTan(g, g.alphaP);
  const double psi1 = (kPi + 4.0 * g.x1 * tanAlphaP) / (2.0 * z1) + g.invAlphaT -
                      Involute(g.alphaA1) - ThinningPerDiameter(g, 1);
  const double psi2 = (kPi - 4.0 * g.x2 * tanAlphaP) / (2.0 * ringTeeth) + g.invAlphaT -
                      Involute(g.alphaA2) + ThinningPerDiameter(g, 2);
  const double da2 = std::fabs(g.da2Eff);
  const double twoPi = 2.0 * kPi;

  // Insertion with a pinion tooth onto a ring space: the k-th pinion tooth
  // must pass inside the k-th ring space.
  const int gapSteps = AssemblySteps(ringTeeth * (delta2 - psi2) / twoPi, ringTeeth);
  for (int k = 1; k <= gapSteps && !g.assemblyGap; ++k) {
    const double phi1 = twoPi * k / z1 + psi1;
    const double phi2 = twoPi * k / ringTeeth + psi2;
    if (g.da1Eff * std::sin(phi1) > da2 * std::sin(phi2)) g.assemblyGap = true;
  }

  // Insertion with a pinion space onto a ring tooth.
  const double psi1Tooth = psi1 + kPi / z1;
  const double psi2Tooth = kPi / ringTeeth - psi2;
  const int toothSteps = AssemblySteps(ringTeeth * (delta2 + psi2Tooth) / twoPi, ringTeeth);
  for (int k = 1; k <= toothSteps && !g.assemblyTooth; ++k) {
    const double phi1 = twoPi * (k - 1) / z1 + psi1Tooth;
    const double phi2 = twoPi * k / ringTeeth - psi2Tooth;
    if (g.da1Eff * std::sin(phi1) > da2 * std::sin(phi2)) g.assemblyTooth = true;
  }
}

// Tip interference while the shaper cutter feeds radially into the ring
// blank and generates at the same time.
void InfeedInterference(GearPair& g) {
  const double ringTeeth = std::fabs(g.z2);
  const double z0 = g.z0;
  // A cutter as large as the ring cannot cut it (reported on its own).
  if (!(z0 > 0.0 && z0 < ringTeeth && g.da0 > 0.0)) return;
  const double alphaA0 = g.da0 > g.db0 ? GuardedArcCos(g, g.db0 / g.da0) : 0.0;
  const double invW0 = Involute(g.alphaW0);
  const double a0 = Involute(alphaA0) - invW0;
  const double b0 = invW0 - Involute(g.alphaA2);
  const double ratio = Square(g.z2 / z0);
  const double q = (ratio - Square(g.da2Eff / g.da0)) / (ratio - 1.0);
  double delta0 = 0.0;
  if (q > 1.0) {
    delta0 = kPi / 2.0;
  } else if (q >= 0.0) {
    delta0 = std::asin(std::sqrt(q));
  }
  const double w = (g.da0 / std::fabs(g.da2Eff)) * std::sin(delta0);
  const double ringAngle = w > 1.0 ? kPi / 2.0 : std::asin(w);
  const double x = (ringAngle - b0) - (z0 / ringTeeth) * (delta0 + a0);
  g.tipInterferenceInfeed = x > 0.0;
}

}  // namespace

std::string RingTipInsideBaseMessage(double db2) {
  return "Hlavový průměr kola je menší než základní   db2= " + FormatFixed(db2, 1, 4);
}

void CheckInterferenceInternal(GearPair& g) {
  g.shortened1 = g.shortened2 = false;
  if (g.db1 >= g.da1Eff) {
    g.driverError = true;
    return;
  }
  if (std::fabs(g.da2Eff) < std::fabs(g.db2)) {
    g.QueueError(RingTipInsideBaseMessage(g.db2));
    g.driverError = true;
    return;
  }
  const double rb1 = g.db1 / 2.0;
  const double rb2 = g.db2 / 2.0;  // negative, like every ring length
  g.dNa1 = g.da1Eff;
  g.dNa2 = g.da2Eff;
  g.alphaA1 = GuardedArcCos(g, g.db1 / g.da1Eff);
  g.alphaA2 = GuardedArcCos(g, g.db2 / g.da2Eff);

  // Form circle of the ring: where the cutter's tip (or the start of its tip
  // rounding) generated the ring's involute. On the line of action of the
  // cutting pair, g0 is that point's distance from the ring's point of
  // tangency, negative like the ring.
  const double dG = g.rhoa0Star > 0.0 ? g.dR0 : g.da0;
  const double cutPath = g.aw0 * std::sin(g.alphaW0);  // -T0T2
  const double g0 = cutPath - InvoluteRoot(Square(dG) - Square(g.db0)) / 2.0;
  g.dFf2 = -2.0 * std::sqrt(Square(rb2) + Square(g0));
  g.alphaFf2 = GuardedArcCos(g, g.db2 / g.dFf2);

  // Along the line of action of the pair, from the pinion's point of
  // tangency T1: path = -T1T2, gA = T1A where the ring tip starts contact,
  // rF1 = T1F1 to the pinion's form circle.
  const double path = g.awEff * std::sin(g.alphaWtEff);
  const double ringTipRoll = InvoluteRoot(Square(g.da2Eff) - Square(g.db2)) / 2.0;
  const double gA = path + ringTipRoll;
  const double rF1 = rb1 * GuardedTan(g, g.alphaFf1);
  g.alphaNf1 = std::atan(gA / rb1);
  const bool belowForm1 = g.alphaNf1 + kInterferenceAngleTolerance <= g.alphaFf1;
  if (!g.undercut1) {
    if (belowForm1) g.interference1 = true;
    g.da2Lim = -2.0 * std::sqrt(Square(path - rF1) + Square(rb2));
    if (std::fabs(g.dNa2) < std::fabs(g.da2Lim)) g.dNa2 = g.da2Lim;
  } else {
    g.dNa2 = -2.0 * std::sqrt(Square(rF1 - path) + Square(rb2));
    if (std::fabs(g.dNa2) < std::fabs(g.da2Eff)) g.dNa2 = g.da2Eff;
    g.da2Lim = g.dNa2;
    if (belowForm1) g.shortened1 = true;
  }

  // Ring root: the pinion tip ends contact at gE (-T2E); the ring's root
  // lies outside its form circle, at larger pressure angles.
  const double gE = path - InvoluteRoot(Square(g.da1Eff) - Square(g.db1)) / 2.0;
  g.alphaNf2 = std::atan(std::fabs(gE) / std::fabs(rb2));
  if (g.alphaNf2 >= g.alphaFf2 + kInterferenceAngleTolerance) g.interference2 = true;
  g.da1Lim = 2.0 * std::sqrt(Square(path - g0) + Square(rb1));
  g.dNa1 = std::min(g.da1Eff, g.da1Lim);

  const bool degenerate = g.z1 == -g.z2;
  g.tipsEnclosed = !degenerate && std::fabs(2.0 * g.awEff + g.da2) <= g.da1;

  if (g.db0 > g.dL0) {
    g.driverError = true;
    return;
  }

  // Tips of the ring trimmed by the cutter's root: the ring tip lies, on the
  // cutting line of action, closer to the cutter's point of tangency T0 than
  // the start of the cutter's involute.
  g.tipTrimming = false;
  const double rb0 = g.db0 / 2.0;
  const double rF0 = rb0 * GuardedTan(g, g.alphaFf0);
  const double ringTipCut = cutPath + ringTipRoll;
  if (rb0 > 0.0 && std::atan(ringTipCut / rb0) + kInterferenceAngleTolerance <= g.alphaFf0) {
    g.tipTrimming = true;
    g.da2Trim = -2.0 * std::sqrt(Square(cutPath - rF0) + Square(rb2));
    g.da2Eff = g.da2Trim;
    if (g.backlashDirect) {
      g.thinAngle2 = g.jn / ((std::fabs(g.d2) / 2.0) * std::cos(g.alphaP) * std::cos(g.beta));
      double share = 0.0;
      if (g.thinBoth) {
        share = -g.da2Eff * g.thinAngle2 / 8.0;
      } else if (g.thinWheel) {
        share = -g.da2Eff * g.thinAngle2 / 4.0;
      }
      if (g.thinByGrinding) {
        g.da2Eff += share / std::tan(kTrimReliefAngle);
        // Regrinding cannot move the trimming beyond the tip itself.
        if (g.da2Eff > g.da2) g.da2Eff = g.da2;
      }
    }
  }
  if (std::fabs(g.dNa2) < std::fabs(g.da2Eff)) g.dNa2 = g.da2Eff;

  if (!degenerate) TipAndAssemblyInterference(g);
  InfeedInterference(g);
}

void InvoluteLengthsInternal(GearPair& g) {
  g.Lev1 = (TanSquared(g, g.alphaA1) - TanSquared(g, g.alphaFf1)) * g.db1 / 4.0;
  g.LevF1 = (TanSquared(g, PressureAngleAt(g, g.db1, g.dNa1)) -
             TanSquared(g, PressureAngleAt(g, g.db1, g.dNf1))) *
            g.db1 / 4.0;
  // The ring's form circle lies outside its tip circle.
  const double rb2Magnitude = std::fabs(g.db2);
  g.Lev2 = (rb2Magnitude / 4.0) * (TanSquared(g, g.alphaFf2) - TanSquared(g, g.alphaA2));
  g.LevF2 = (TanSquared(g, PressureAngleAt(g, rb2Magnitude, std::fabs(g.dNa2))) -
             TanSquared(g, PressureAngleAt(g, rb2Magnitude, std::fabs(g.dNf2)))) *
            g.db2 / 4.0;
}

void ContactRatiosInternal(GearPair& g) {
  const double m = g.mn;
  const double basePitch = kPi * m * std::cos(g.alphaT) / std::cos(g.beta);
  g.epsAlpha = 0.0;
  if (g.dNa1 >= g.db1 && std::fabs(g.dNa2) >= std::fabs(g.db2)) {
    // Path of contact: from where the ring tip starts contact to where the
    // pinion tip ends it; the signed centre distance adds T1T2.
    g.epsAlpha =
        ((std::sqrt(Square(g.dNa1) - Square(g.db1)) - std::sqrt(Square(g.dNa2) - Square(g.db2))) /
             2.0 -
         g.awEff * std::sin(g.alphaWtEff)) /
        basePitch;
  }
  // Form circles that do not overlap, or a path of contact that does not
  // exist: the pair does not mesh.
  if ((g.dFf1 + g.dFf2) / 2.0 >= g.awEff || g.epsAlpha < 0.0) g.epsAlpha = 0.0;
  g.epsBeta = g.b * std::sin(g.beta) / (kPi * m);
  g.epsGamma = g.epsAlpha + g.epsBeta;
}

void SpecificSlidingInternal(GearPair& g) {
  // Specific sliding 1 - (omega_mate rho_mate) / (omega rho) at the ends of
  // the path; with the signed z2 and centre distance the radii of curvature
  // of pinion and ring differ by T1T2. A contact at a point of tangency
  // (zero radius of curvature) has no finite value: it is left at 0.
  const double path = g.awEff * std::sin(g.alphaWtEff);
  g.thetaF1 = g.thetaA2 = g.thetaA1 = g.thetaF2 = 0.0;
  if (std::fabs(g.dNa2) >= std::fabs(g.db2)) {
    const double root = std::sqrt(Square(g.dNa2) - Square(g.db2));
    const double r2 = root / 2.0;     // T2A
    const double pinion = r2 + path;  // T1A
    if (pinion != 0.0) g.thetaF1 = 1.0 + (r2 * g.z1 / g.z2) / pinion;
    if (root != 0.0) g.thetaA2 = 1.0 + 2.0 * (g.z2 / g.z1) * pinion / root;
  }
  if (g.dNa1 >= g.db1) {
    const double root = std::sqrt(Square(g.dNa1) - Square(g.db1));
    const double r1 = root / 2.0;   // T1E
    const double ring = r1 - path;  // T2E
    if (root != 0.0) g.thetaA1 = 1.0 + 2.0 * (g.z1 / g.z2) * ring / root;
    if (ring != 0.0) g.thetaF2 = 1.0 + (r1 * g.z2 / g.z1) / ring;
  }
}

void CheckInterferenceBevel(GearPair& g) {
  // A bevel tooth has no tip chamfer in this check: its tips are effective.
  g.da1Eff = g.da1;
  g.da2Eff = g.da2;
  const double rb1 = g.db1 / 2.0, rb2 = g.db2 / 2.0;
  g.T1T2 = GuardedTan(g, g.alphaWtEff) * (g.db1 + g.db2) / 2.0;
  g.dNa2 = g.da2;
  g.alphaNf1 = std::atan((g.T1T2 - InvoluteRoot(Square(g.da2 / 2.0) - Square(rb2))) / rb1);
  g.interference1 = g.alphaNf1 + kInterferenceAngleTolerance <= g.alphaFf1 && !g.undercut1;
  g.dNa1 = g.da1;
  g.alphaNf2 = std::atan((g.T1T2 - InvoluteRoot(Square(g.da1 / 2.0) - Square(rb1))) / rb2);
  g.interference2 = g.alphaNf2 + kInterferenceAngleTolerance <= g.alphaFf2 && !g.undercut2;
}

void ContactRatiosBevel(GearPair& g) {
  g.dNa1 = std::max(std::min(g.dNa1, g.da1), g.db1);
  g.dNa2 = std::max(std::min(g.dNa2, g.da2), g.db2);
  g.epsAlpha =
      ((std::sqrt(Square(g.dNa1) - Square(g.db1)) + std::sqrt(Square(g.dNa2) - Square(g.db2))) /
           2.0 -
       g.awEff * std::sin(g.alphaWtEff)) /
      (kPi * g.mmt * std::cos(g.alphaT));
  if ((g.dFf1 + g.dFf2) / 2.0 >= g.awEff || !(g.epsAlpha >= 0.0)) g.epsAlpha = 0.0;

  if (g.beta <= kStraightBevelAngle) {
    g.epsBeta = 0.0;
  } else {
    // Overlap of a spiral bevel pair: the spiral turns by psi + beta - betaE
    // between the inner and the outer end of the face.
    g.r0 = BevelSpiralConstant(g);
    const double inner = g.Le - g.b;
    const double psi = std::atan2(g.r0, InvoluteRoot(Square(inner) - Square(g.r0)));
    g.epsBeta = (psi + g.beta - g.betaE) * g.Le / (kPi * g.mn);
  }
  g.epsGamma = g.epsAlpha + g.epsBeta;
}

void BevelTipThicknesses(GearPair& g) {
  g.thinTip1 = g.thinTip2 = false;
  const double m = g.mn;
  const double toOuter = g.mmt != 0.0 ? m / g.mmt : 0.0;
  for (int gear = 1; gear <= 2; ++gear) {
    const bool pinion = gear == 1;
    const double ha = pinion ? g.ha1 : g.ha2;
    const double de = pinion ? g.de1 : g.de2;
    const double dae = pinion ? g.dae1 : g.dae2;
    const double delta = pinion ? g.delta1 : g.delta2;
    const double teeth = pinion ? g.z1Bevel : g.z2Bevel;
    const double x = pinion ? g.x1 : g.x2;

    // Spur gear of the real number of teeth at the outer end: its tip and
    // base diameters; its tip thickness, scaled to the real outer tip circle
    // and from there to the inner one along the cone.
    const double tip = 2.0 * ha * toOuter + de;
    const double base = std::cos(g.alphaT) * m * teeth;
    const double inner = (std::cos(delta) * 2.0 * ha * toOuter + de) * (1.0 - g.bToLe);
    (pinion ? g.dai1 : g.dai2) = inner;
    // A tip inside the base circle carries no involute: no thickness.
    const double t = tip > 0.0 && tip >= base ? TransverseThickness(g, tip, x, teeth, base) : 0.0;
    const double outerThickness = tip > 0.0 ? t * dae / tip : 0.0;
    const double innerThickness = dae != 0.0 ? outerThickness * inner / dae : 0.0;
    // Normal section: the spiral angle at the outer and at the inner end.
    (pinion ? g.sa1Bevel : g.sa2Bevel) = outerThickness * std::cos(g.betaE);
    (pinion ? g.sa1 : g.sa2) = innerThickness * std::cos(g.betaI);
  }
  g.thinTip1 = g.sa1Bevel < 0.25 * m;
  g.thinTip2 = g.sa2Bevel < 0.25 * m;
}

}  // namespace kolmira
