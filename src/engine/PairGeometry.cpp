// Basic dimensions of external, internal, rack and bevel pairs.
#include "engine/PairGeometry.h"

#include <algorithm>
#include <cmath>

#include "engine/Involute.h"
#include "engine/ShaperCutter.h"

namespace kolmira {

namespace {

// A degenerate internal pair has as many teeth on the ring as on the pinion:
// its reference centre distance is 0 and no working pressure angle exists.
bool IsDegenerateInternal(const GearPair& g) {
  return g.z2 == -g.z1;
}

bool IsBevel(const GearPair& g) {
  return g.gearType == GearType::Bevel;
}

// The pair is defined only when the module and both numbers of teeth are
// given; a zero there means "not given", and nothing can be derived.
bool PairDefined(const GearPair& g) {
  return g.mn != 0.0 && g.z1 != 0.0 && g.z2 != 0.0;
}

void TransverseAngle(GearPair& g) {
  g.alphaT = std::atan(GuardedTan(g, g.alphaP) / std::cos(g.beta));
  g.invAlphaT = Involute(g.alphaT);
}

// Shift sum that drives the working pressure angle.
double DrivingShiftSum(const GearPair& g) {
  if (g.backlashDirect) return g.geometryReady == 6 ? g.xSum : g.x1 + g.x2;
  if (g.backlashByShift) return g.xSum;
  return g.x1 + g.x2;
}

}  // namespace

double SnapFlankDepth(double hFfStar) {
  return (hFfStar > 0.99996 && hFfStar < 1.00004) ? 1.0 : hFfStar;
}

void PairFromShifts(GearPair& g) {
  if (g.rackMode) return;
  // A bevel pair's own geometry calls this for its working angle and goes
  // on by itself: handing it back to the basic geometry would recurse.
  if (g.jnByApart && IsBevel(g)) return;
  if (!g.jnByApart) {
    TransverseAngle(g);
    if (IsDegenerateInternal(g)) {
      if (!g.backlashByShift) {
        const double s = g.geometryReady == 6 ? g.xSum : g.x1 + g.x2;
        g.aw = std::sin(g.alphaT) * s * g.mn;
      }
      g.alphaWt = kPi / 2.0;
      g.alphaWtDeg = 90.0;
    } else {
      const double sum = DrivingShiftSum(g);
      g.invAlphaWt = g.invAlphaT + 2.0 * sum * GuardedTan(g, g.alphaP) / (g.z1 + g.z2);
      if (auto angle = InverseInvolute(g, g.invAlphaWt)) g.alphaWt = *angle;
      g.alphaWtDeg = g.alphaWt * kRadToDeg;
      if (IsBevel(g)) {
        // The bevel geometry goes on by itself after the working angle.
        g.aw = std::cos(g.alphaT) * (g.z1 + g.z2) * g.mmt / 2.0 / std::cos(g.alphaWt);
        return;
      }
      g.aw = (g.z1 + g.z2) * g.mn / (2.0 * std::cos(g.beta)) * std::cos(g.alphaT) /
             std::cos(g.alphaWt);
    }
  }
  BasicGeometry(g);
}

void PairFromCentreDistance(GearPair& g) {
  if (g.rackMode) return;
  TransverseAngle(g);
  if (IsBevel(g)) {
    g.alphaT = g.alphaP;
    g.invAlphaT = Involute(g.alphaT);
  }
  if (IsDegenerateInternal(g)) {
    g.xSum = g.aw / g.mn / std::sin(g.alphaT);
    g.alphaWt = kPi / 2.0;
    g.alphaWtDeg = 90.0;
  } else {
    if (g.aw == 0.0) return;  // no centre distance given
    const double c = WorkingAngleCosine(g);
    if (!(c >= -1.0 && c <= 1.0)) return;  // no pressure angle gives this distance
    g.alphaWt = std::acos(c);
    g.invAlphaWt = Involute(g.alphaWt);
    g.alphaWtDeg = g.alphaWt * kRadToDeg;
    g.xSum = (g.invAlphaWt - g.invAlphaT) * (g.z1 + g.z2) / (2.0 * GuardedTan(g, g.alphaP));
  }
  BasicGeometry(g);
}

void PairFromPressureAngle(GearPair& g) {
  if (g.rackMode) return;
  TransverseAngle(g);
  if (IsBevel(g)) {
    g.alphaT = g.alphaP;
    g.invAlphaT = Involute(g.alphaT);
  }
  if (!IsDegenerateInternal(g)) {
    g.invAlphaWt = Involute(g.alphaWt);
    if (IsBevel(g)) {
      g.aw = std::cos(g.alphaT) * (g.z1 + g.z2) * g.mmt / 2.0 / std::cos(g.alphaWt);
    } else {
      g.aw = (g.z1 + g.z2) * g.mn / (2.0 * std::cos(g.beta)) * std::cos(g.alphaT) /
             std::cos(g.alphaWt);
    }
    g.xSum = (g.invAlphaWt - g.invAlphaT) * (g.z1 + g.z2) / (2.0 * GuardedTan(g, g.alphaP));
  }
  BasicGeometry(g);
}

void BasicGeometry(GearPair& g) {
  if (IsBevel(g)) {
    if (g.z1Bevel != 0.0 && g.z2Bevel != 0.0) BevelGeometry(g);
    if (g.Le == 0.0 || g.b == 0.0) return;
    const double denominator = g.Le - g.b / 2.0;
    const double ratio = denominator != 0.0 ? (g.Le - g.b) / denominator : -HUGE_VAL;
    g.betaMax = GuardedArcSin(g, ratio) * kRadToDeg;
    return;
  }
  if (!PairDefined(g)) return;

  // 1-2. Angles, reference and base circles.
  TransverseAngle(g);
  g.betaB = GuardedArcSin(g, std::cos(g.alphaP) * std::sin(g.beta));
  const double cosBeta = std::cos(g.beta);
  g.a = (g.z1 + g.z2) * g.mn / (2.0 * cosBeta);
  g.d1 = g.mn * g.z1 / cosBeta;
  g.d2 = g.mn * g.z2 / cosBeta;
  g.db1 = g.d1 * std::cos(g.alphaT);
  g.db2 = g.d2 * std::cos(g.alphaT);

  // 3. Working diameters.
  if (!IsDegenerateInternal(g)) {
    const double angle = g.jnByApart ? g.alphaWtJ : g.alphaWt;
    g.dw1 = g.db1 / std::cos(angle);
    g.dw2 = g.db2 / std::cos(angle);
  } else {
    g.dw1 = g.dw2 = 1e20;
    g.alphaWt = kPi / 2.0;
  }

  // 4. Addendum reduction: what the tips must lose so that a shifted pair
  // keeps its tip clearance at the working centre distance.
  if (g.aw == 0.0) {
    g.kStar = 0.0;
  } else {
    g.kStar = g.xSum - (g.aw - g.a) / g.mn;
    if (g.backlashByShift) g.kStar = g.xSumNoBacklash - (g.aw - g.a) / g.mn;
    if (g.jnByApart) g.kStar = g.xSumNoBacklash - (g.awNoBacklash - g.a) / g.mn;
  }

  // 5. A gear's dedendum is the mating tool's addendum plus the clearance at
  // the mating tip.
  g.ha1 = (g.haP1Star + g.x1 - g.kStar) * g.mn;
  g.ha2 = (g.haP2Star + g.x2 - g.kStar) * g.mn;
  g.hf1 = (g.haP2Star + g.cP2Star - g.x1) * g.mn;
  g.hf2 = (g.haP1Star + g.cP1Star - g.x2) * g.mn;
  g.h1 = g.ha1 + g.hf1;
  g.h2 = g.ha2 + g.hf2;
  g.df1 = g.d1 - 2.0 * g.hf1;
  g.df2 = g.d2 - 2.0 * g.hf2;

  // 6. Straight flank depth of the generating racks.
  const double fillet = 1.0 - std::sin(g.alphaP);
  g.hFfP1Star = SnapFlankDepth(g.haP2Star + g.cP2Star - fillet * g.rhofP1Star);
  g.hFfP2Star = SnapFlankDepth(g.haP1Star + g.cP1Star - fillet * g.rhofP2Star);
  g.hFfP1 = g.hFfP1Star * g.mn;
  g.hFfP2 = g.hFfP2Star * g.mn;

  // 7. The ring of an internal pair is cut by the shaper cutter: its root
  // circle is where the cutter's tip reaches in the cutting pair.
  if (g.gearType == GearType::Internal) {
    CutterGeometry(g);
    g.df2 = 2.0 * g.aw0 - g.da0;
  }

  // 8. Tip diameters that give exactly the clearance c* mn at each tip.
  const double centre = g.aw == 0.0 ? g.a : g.aw;
  double extra = 0.0;
  if (g.aw != 0.0 && g.backlashByShift && !g.backlashDirect && !g.jnByApart) {
    extra = (g.xSumBacklash - g.xSumNoBacklash) * g.mn;
  }
  if (!g.da1Given) g.da1 = 2.0 * (centre - g.cP1Star * g.mn + extra) - g.df2;
  if (!g.da2Given) g.da2 = 2.0 * (centre - g.cP2Star * g.mn + extra) - g.df1;

  // 9. Degree twins.
  g.alphaTDeg = g.alphaT * kRadToDeg;
  g.alphaWtDeg = g.alphaWt * kRadToDeg;
  g.betaDeg = g.beta * kRadToDeg;
  g.betaBDeg = g.betaB * kRadToDeg;
  g.mt = g.mn / cosBeta;
}

void RackGeometry(GearPair& g) {
  if (g.mn == 0.0 || g.z1 == 0.0) return;
  TransverseAngle(g);
  g.betaB = GuardedArcSin(g, std::cos(g.alphaP) * std::sin(g.beta));
  const double cosBeta = std::cos(g.beta);
  g.d1 = g.mn * g.z1 / cosBeta;
  g.db1 = g.d1 * std::cos(g.alphaT);

  // A rack rolls on the pinion's pitch line: no addendum reduction.
  g.ha1 = (g.haP1Star + g.x1) * g.mn;
  if (!g.da2Given) g.ha2 = g.haP2Star * g.mn;
  g.hf1 = (g.haP2Star + g.cP2Star - g.x1) * g.mn;
  g.hf2 = (g.haP1Star + g.cP1Star) * g.mn;
  g.h1 = g.ha1 + g.hf1;
  g.h2 = g.ha2 + g.hf2;
  g.df1 = g.d1 - 2.0 * g.hf1;

  const double fillet = 1.0 - std::sin(g.alphaP);
  g.hFfP1Star = SnapFlankDepth(g.haP2Star + g.cP2Star - fillet * g.rhofP1Star);
  g.hFfP2Star = SnapFlankDepth(g.haP1Star + g.cP1Star - fillet * g.rhofP2Star);
  g.hFfP1 = g.hFfP1Star * g.mn;
  g.hFfP2 = g.hFfP2Star * g.mn;

  if (!g.da1Given) g.da1 = g.d1 + 2.0 * g.ha1;

  g.alphaTDeg = g.alphaT * kRadToDeg;
  g.alphaWtDeg = g.alphaWt * kRadToDeg;
  g.betaDeg = g.beta * kRadToDeg;
  g.betaBDeg = g.betaB * kRadToDeg;
  g.mt = g.mn / cosBeta;
}

void PairBasicGeometry(GearPair& g) {
  if (g.rackMode) {
    RackGeometry(g);
  } else {
    BasicGeometry(g);
  }
}

void BevelGeometry(GearPair& g) {
  if (g.mn == 0.0 || g.z1Bevel == 0.0 || g.z2Bevel == 0.0) return;
  // 1. Reference cone angles.
  const double ratio = g.z2Bevel / g.z1Bevel;
  if (g.Sigma <= kPi / 2.0) {
    g.delta1 = std::atan(std::sin(g.Sigma) / (std::cos(g.Sigma) + ratio));
  } else {
    g.delta1 = std::atan(std::sin(kPi - g.Sigma) / (ratio - std::cos(kPi - g.Sigma)));
  }
  g.delta2 = g.Sigma - g.delta1;

  // 2-3. Outer cone distance, face width ratio, helix bound.
  g.Le = g.z1Bevel * g.mn / (2.0 * std::sin(g.delta1));
  g.bToLe = g.b / g.Le;
  if (g.beta == 0.0) {
    g.betaMax = 90.0;
  } else {
    const double denominator = g.Le - g.b / 2.0;
    g.betaMax =
        GuardedArcSin(g, denominator != 0.0 ? (g.Le - g.b) / denominator : -HUGE_VAL) * kRadToDeg;
  }

  // 4. Spiral angles at the outer and inner end.
  const double sinBeta = std::sin(g.beta);
  g.betaE = GuardedArcSin(g, sinBeta * (1.0 - g.bToLe / 2.0));
  const double sinBetaE = std::sin(g.betaE);
  const double inner = g.Le - g.b;
  // A face as long as the cone leaves no inner end; a spiral there has no angle.
  const double sinBetaI = sinBetaE == 0.0 ? 0.0 : inner != 0.0 ? sinBetaE * g.Le / inner : HUGE_VAL;
  g.betaI = GuardedArcSin(g, sinBetaI);
  g.betaB = GuardedArcSin(g, std::cos(g.alphaP) * sinBeta);

  // 5. Virtual spur pair on the back cone at the middle of the face.
  g.z1 = g.z1Bevel / std::cos(g.delta1);
  g.z2 = g.z2Bevel / std::cos(g.delta2);
  g.mmt = (1.0 - g.bToLe / 2.0) * g.mn;
  g.mmn = std::cos(g.beta) * g.mmt;
  g.a = (g.z1 + g.z2) * g.mmt / 2.0;

  // 6. Working pressure angle of the virtual pair.
  PairFromShifts(g);
  g.kStar = g.xSum - (g.aw - g.a) / g.mmn;

  // 7. Addenda and dedenda in the mean normal module.
  g.ha1 = (g.haP1Star + g.x1 - g.kStar) * g.mmn;
  g.ha2 = (g.haP2Star + g.x2 - g.kStar) * g.mmn;
  g.hf1 = (g.haP2Star + g.cP2Star - g.x1) * g.mmn;
  g.hf2 = (g.haP1Star + g.cP1Star - g.x2) * g.mmn;
  g.h1 = g.ha1 + g.hf1;
  g.h2 = g.ha2 + g.hf2;

  // 8. Outer diameters.
  const double outer = g.mn / g.mmt;
  g.de1 = g.mn * g.z1Bevel;
  g.de2 = g.mn * g.z2Bevel;
  g.dfe1 = g.de1 - std::cos(g.delta1) * 2.0 * g.hf1 * outer;
  g.dfe2 = g.de2 - std::cos(g.delta2) * 2.0 * g.hf2 * outer;
  g.dae1 = g.de1 + std::cos(g.delta1) * 2.0 * g.ha1 * outer;
  g.dae2 = g.de2 + std::cos(g.delta2) * 2.0 * g.ha2 * outer;

  // 9. Diameters of the virtual (mean) gears.
  g.d1 = g.mmt * g.z1;
  g.d2 = g.mmt * g.z2;
  g.df1 = g.d1 - 2.0 * g.hf1;
  g.df2 = g.d2 - 2.0 * g.hf2;
  g.da1 = g.d1 + 2.0 * g.ha1;
  g.da2 = g.d2 + 2.0 * g.ha2;
  g.db1 = g.d1 * std::cos(g.alphaT);
  g.db2 = g.d2 * std::cos(g.alphaT);

  // 10. Tip and root cone angles.
  g.deltaA1 = g.delta1 + std::atan(g.ha1 * outer / g.Le);
  g.deltaA2 = g.delta2 + std::atan(g.ha2 * outer / g.Le);
  g.deltaF1 = g.delta1 - std::atan(g.hf1 * outer / g.Le);
  g.deltaF2 = g.delta2 - std::atan(g.hf2 * outer / g.Le);

  g.alphaTDeg = g.alphaT * kRadToDeg;
  g.betaBDeg = g.betaB * kRadToDeg;
}

double DiameterAtInvoluteOffset(GearPair& g, double db, double dx, double w) {
  // The diameter d where F(d) = inv(acos(db/d)) - inv(acos(dx/d)) - w = 0.
  // Both involutes exist only outside both base circles. Newton's method on
  // F itself: F'(d) = sin(alpha_b)/db - sin(alpha_x)/dx, with alpha_b and
  // alpha_x the pressure angles at d; it converges in a few steps, where a
  // fixed point on the radius crawls and stops short of the intersection.
  const double start = InverseInvolute(g, w).value_or(0.0);
  const double floorD = std::max(std::fabs(db), std::fabs(dx));
  if (!(floorD > 0.0) || g.driverError) return 0.0;
  auto F = [&](double d) { return Involute(std::acos(db / d)) - Involute(std::acos(dx / d)) - w; };
  auto slope = [&](double d) {
    const double sb = std::sqrt(std::max(0.0, 1.0 - (db / d) * (db / d)));
    const double sx = std::sqrt(std::max(0.0, 1.0 - (dx / d) * (dx / d)));
    return sb / db - sx / dx;
  };
  double d = db / std::cos(start);
  if (!(d > floorD)) d = floorD * (1.0 + 1e-9);
  for (int round = 0; round < kMaxIntersectionRounds; ++round) {
    const double fd = F(d);
    const double dfd = slope(d);
    if (!std::isfinite(fd) || !std::isfinite(dfd) || dfd == 0.0) return 0.0;
    double next = d - fd / dfd;
    // Stay outside the base circles: halve the way towards them instead.
    if (!(next > floorD)) next = (d + floorD) / 2.0;
    if (std::fabs(next - d) < 1e-10) return next;
    d = next;
  }
  return 0.0;
}

double HelixAngleFromCentreDistance(GearPair& g) {
  if (g.aw == 0.0 || g.z1 + g.z2 == 0.0) return 0.0;
  const double tanAlphaP = GuardedTan(g, g.alphaP);
  const double k = 2.0 * (g.x1 + g.x2) * tanAlphaP / (g.z1 + g.z2);
  double alphaWt = g.alphaWt;
  auto f = [&](double beta) {
    const double alphaT = std::atan(tanAlphaP / std::cos(beta));
    const double c = std::cos(alphaT) * (g.z1 + g.z2) * g.mn / (std::cos(beta) * 2.0 * g.aw);
    if (std::fabs(c) < 1.0) alphaWt = std::acos(c);
    return Involute(alphaT) + k - Involute(alphaWt);
  };
  if (std::fabs(f(0.0)) < 1e-11) return 0.0;
  BracketSearch search;
  search.start = 0.0;
  search.firstHi = 0.01;
  search.step = 0.01;
  search.bound = 1.5697963267948967;  // pi/2 - 0.001
  search.zeroAtBound = true;
  return BracketBisect(f, search);
}

double WorkingAngleCosine(const GearPair& g) {
  return std::cos(g.alphaT) * (g.z1 + g.z2) * g.mn / (2.0 * std::cos(g.beta)) / g.aw;
}

void PairFromKeptShiftsAndCentreDistance(GearPair& g) {
  g.beta = HelixAngleFromCentreDistance(g);
  g.betaDeg = g.beta * kRadToDeg;
  TransverseAngle(g);
  g.betaB = GuardedArcSin(g, std::cos(g.alphaP) * std::sin(g.beta));
  const double c = WorkingAngleCosine(g);
  if (std::fabs(c) < 1.0) g.alphaWt = std::acos(c);
  g.alphaWtDeg = g.alphaWt * kRadToDeg;
  BasicGeometry(g);
}

double BevelSpiralConstant(GearPair& g) {
  const double rm = g.Le - g.b / 2.0;
  const double ri = g.Le - g.b;
  const double cotBeta = GuardedTan(g, kPi / 2.0 - g.beta);
  auto f = [&](double r0) {
    const double u = r0 * cotBeta - rm;
    return u * u + r0 * r0 - ri * ri;
  };
  BracketSearch search;
  search.start = 0.1;
  search.firstHi = 0.2;
  search.step = 0.1;
  search.bound = ri;
  search.zeroAtBound = true;
  return BracketBisect(f, search);
}

void GeneratedFormCircle(GearPair& g, int gear) {
  const bool pinion = gear == 1;
  double& dFf = pinion ? g.dFf1 : g.dFf2;
  dFf = 0.0;
  const double rhof = pinion ? g.rhofP1Star : g.rhofP2Star;
  const double haP0 = pinion ? g.haP01Star : g.haP02Star;
  const double x = pinion ? g.x1 : g.x2;
  const double z = pinion ? g.z1 : g.z2;
  const double d = pinion ? g.d1 : g.d2;
  const double db = pinion ? g.db1 : g.db2;
  const bool thinnedAlone = pinion ? g.thinPinion : g.thinWheel;
  if (g.mn == 0.0 || z == 0.0 || d == 0.0 || db == 0.0) return;

  // Centre of the tool tip rounding (module units) and the tooth thickness.
  const double tanAlphaP = GuardedTan(g, g.alphaP);
  const double cosAlphaP = std::cos(g.alphaP);
  const double A = kPi / 4.0 + (haP0 - rhof) * tanAlphaP + rhof / cosAlphaP;
  const double B = x + rhof - haP0;
  double s = (2.0 * x * tanAlphaP + kPi / 2.0) * g.mn;
  if (g.thinByGrinding && g.backlashDirect) {
    if (g.thinBoth) s -= g.jn / (2.0 * cosAlphaP);
    if (thinnedAlone) s -= g.jn / cosAlphaP;
  }
  const double cosBeta = std::cos(g.beta);
  const double sT = s / cosBeta;
  const double tanAlphaT = GuardedTan(g, g.alphaT);
  const double cosAlphaT = std::cos(g.alphaT);
  if (g.driverError) return;

  bool belowBase = false;
  double lastRadius = 0.0;
  int evaluations = 0;
  // Gap between the trochoid point at generating angle t and the involute
  // at the same radius, along the tooth.
  auto f = [&](double t) {
    ++evaluations;
    const double phi = std::atan(cosBeta * std::tan(t));
    const double X = (A - std::cos(phi) * rhof) * g.mn / cosBeta;
    const double Y = (B - std::sin(phi) * rhof) * g.mn;
    const double L = Y / std::sin(t);
    const double theta = 2.0 * (X - std::cos(t) * L) / d;
    const double px = std::cos(t - theta) * L + std::sin(theta) * d / 2.0;
    const double py = std::sin(t - theta) * L + std::cos(theta) * d / 2.0;
    const double r = std::sqrt(px * px + py * py);
    lastRadius = r;
    if (r < db / 2.0) {
      belowBase = true;
      return 0.0;
    }
    const double ratio = r / (db / 2.0);
    const double u = tanAlphaT + s / (g.mn * z) - std::sqrt(ratio * ratio - 1.0);
    const double w = cosAlphaT * (-(d * u - sT) / 2.0);
    const double q = std::sin(u) * d / 2.0 + std::cos(u - g.alphaT) * w;
    return px - q;
  };

  constexpr double kBound = 1.5;
  constexpr double kTolerance = 1e-10;
  double start = 0.15;
  for (int restart = 0; restart <= kMaxFormCircleRestarts; ++restart, start -= 0.01) {
    double step = 0.001;
    double lo = start;
    double hi = lo + step;
    bool bracketed = false;
    double flo = f(lo);
    double fhi = f(hi);
    for (;;) {
      if (belowBase) {
        dFf = db + 0.0001 * g.mn;
        return;
      }
      if (std::fabs(fhi) < kTolerance) {
        dFf = 2.0 * lastRadius;
        return;
      }
      if (evaluations > kMaxFormCircleEvaluations) return;
      if (std::fabs(fhi) < step) step /= 5.0;
      if ((flo >= 0.0) != (fhi >= 0.0)) {
        hi = (hi + lo) / 2.0;
        bracketed = true;
      } else if (bracketed) {
        const double oldLo = lo;
        lo = hi;
        flo = fhi;
        hi = hi + (hi - oldLo) / 2.0;
      } else {
        lo = hi;
        flo = fhi;
        hi += step;
        if (hi > kBound) break;  // no sign change: start lower
        fhi = f(hi);
        continue;
      }
      fhi = f(hi);
      if (std::fabs(fhi) < kTolerance && !belowBase) {
        dFf = 2.0 * lastRadius;
        return;
      }
    }
  }
}

}  // namespace kolmira
