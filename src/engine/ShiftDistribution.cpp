// Zeroing of the shifts and the balance of specific sliding.
#include "engine/ShiftDistribution.h"

#include <cmath>

#include "engine/FunctionRef.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "engine/ShaperCutter.h"

namespace kolmira {

namespace {

constexpr double kBalanceLow = -2.0;
constexpr double kBalanceHigh = 5.0;
constexpr double kBalanceStep = 0.1;
constexpr double kBalanceTolerance = 1e-11;

void ReportNoBalance(GearPair& g) {
  g.QueueError(kNoSlidingBalance);
  g.shiftSolutionOk = false;
}

// Bracketing search for the balancing x1 over [-2, 5]. Every round counts;
// after a hundred rounds without convergence (a sign change at a pole or a
// jump of f) the search restarts unbracketed just past the bracket.
void SearchBalance(GearPair& g, FunctionRef<double(double)> f) {
  double lo = kBalanceLow;
  double hi = lo + kBalanceStep;
  bool bracketed = false;
  int rounds = 0;
  double flo = f(lo);
  double fhi = f(hi);
  for (;;) {
    if (++rounds > kBalanceRoundsBeforeRestart) {
      lo = hi + kBalanceStep;
      hi = lo + kBalanceStep;
      bracketed = false;
      rounds = 0;
      if (hi > kBalanceHigh) break;
      flo = f(lo);
      fhi = f(hi);
      continue;
    }
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
      hi += kBalanceStep;
      if (hi > kBalanceHigh) break;
      fhi = f(hi);
      continue;
    }
    fhi = f(hi);
    if (std::fabs(fhi) < kBalanceTolerance) {
      g.x1 = hi;
      return;
    }
  }
  ReportNoBalance(g);
}

}  // namespace

void ZeroShifts(GearPair& g) {
  const bool bevel = g.gearType == GearType::Bevel;
  const bool degenerate = g.z2 == -g.z1;
  g.alphaT = bevel ? g.alphaP : std::atan(GuardedTan(g, g.alphaP) / std::cos(g.beta));
  g.alphaWt = degenerate ? kPi / 2.0 : g.alphaT;
  g.alphaWtDeg = g.alphaWt * kRadToDeg;
  g.a = bevel ? (g.z1 + g.z2) * g.mn / 2.0 : (g.z1 + g.z2) * g.mn / (2.0 * std::cos(g.beta));
  g.xSum = g.x1 = g.x2 = g.kStar = 0.0;
  g.aw = degenerate ? std::sin(g.alphaT) * (g.x1 + g.x2) * g.mn : g.a;
  PairBasicGeometry(g);
}

void PrepareSlidingBalance(GearPair& g) {
  g.awEff = g.jnByApart ? g.awJ : g.aw;
  g.alphaWtEff = g.jnByApart ? g.alphaWtJ : g.alphaWt;
  g.xSumBalance = g.backlashByShift ? g.xSumBacklash : g.xSum;
}

void BalanceSliding(GearPair& g) {
  if (g.aw == 0.0 || g.z1 == 0.0 || g.z2 == 0.0) {
    ReportNoBalance(g);
    return;
  }
  const double ratio = g.z2 / g.z1;

  if (g.gearType == GearType::Internal) {
    // Internal pair: the ring's root follows the cutter at every trial x1.
    const double k = ratio * ratio;
    const double c = k - 1.0;
    const double delta = g.backlashByShift ? g.xSumBacklash - g.xSumNoBacklash : 0.0;
    const double centre = g.backlashByShift ? g.awEff : g.aw;
    const double sinAlpha = std::sin(g.alphaWtEff);
    const double sum = g.xSumBalance;
    if (g.awEff == 0.0 || sinAlpha == 0.0) {
      ReportNoBalance(g);
      return;
    }
    SearchBalance(g, [&](double x1) {
      g.x2 = sum - x1;
      CutterGeometry(g);
      g.df2 = 2.0 * g.aw0 - g.da0;
      const double d1 = 2.0 * (centre - (g.cP1Star - delta) * g.mn) - g.df2;
      const double d2 = 2.0 * ((g.haP2Star + delta - x1) * g.mn + centre) - g.d1;
      const double a1 = d1 * d1 - g.db1 * g.db1;
      const double a2 = d2 * d2 - g.db2 * g.db2;
      if (a1 <= 0.0 || a2 <= 0.0) return 0.0;
      return 2.0 / std::sqrt(a1) + 2.0 * k / std::sqrt(a2) + c / g.awEff / sinAlpha;
    });
    return;
  }

  // External and bevel pairs: sqrt(A) is the tangent of the transverse
  // pressure angle at a tip, and f = 0 is equal specific sliding at the roots.
  const bool bevel = g.gearType == GearType::Bevel;
  const double m = bevel ? g.mmn : g.mn;
  const double sum = bevel ? g.xSum : g.xSumBalance;
  const double cosBeta = std::cos(g.beta);
  const double tanAlphaP = GuardedTan(g, g.alphaP);
  const double k = 4.0 * (cosBeta * cosBeta + tanAlphaP * tanAlphaP);
  const double working = g.awEff / m / (g.z1 + g.z2);
  const double radicand = working * working * k - 1.0;
  if (!(radicand > 0.0) || m == 0.0) {
    ReportNoBalance(g);
    return;
  }
  const double c = (ratio - 1.0) / std::sqrt(radicand);
  const bool byShift = !bevel && g.backlashByShift;
  const double delta = byShift ? g.xSumBacklash - g.xSumNoBacklash : 0.0;
  const double centre = byShift ? g.awEff : g.aw;
  const double r1 = centre / m + g.haP1Star + delta - g.z2 / (2.0 * cosBeta) - sum;
  const double r2 = centre / m + g.haP2Star + delta - g.z1 / (2.0 * cosBeta);
  SearchBalance(g, [&](double x1) {
    const double t1 = (r1 + x1) / g.z1;
    const double t2 = (r2 - x1) / g.z2;
    const double a1 = t1 * t1 * k - 1.0;
    const double a2 = t2 * t2 * k - 1.0;
    if (a1 <= 0.0 || a2 <= 0.0) return 0.0;  // a tip inside its base circle
    return 1.0 / std::sqrt(a1) - ratio / std::sqrt(a2) + c;
  });
}

void BalanceSlidingRack(GearPair& g) {
  if (g.mn == 0.0 || g.z1 == 0.0) {
    ReportNoBalance(g);
    return;
  }
  const double rolling = std::sin(g.alphaT) * g.d1 / 2.0;
  const double k = rolling * rolling;
  const double tanAlphaT = GuardedTan(g, g.alphaT);
  SearchBalance(g, [&](double x1) {
    const double depth = (g.haP2Star - x1) * g.mn;
    const double t = depth / tanAlphaT;
    const double radial = g.d1 / 2.0 - depth;
    const double s = std::sqrt(radial * radial + t * t);
    const double d = 2.0 * g.mn * (g.haP1Star + x1) + g.d1;
    if (2.0 * s < g.db1 || 2.0 * s >= d || d < g.db1) return 0.0;
    const double tipArm = d / 2.0 * std::sin(std::acos(g.db1 / d));
    const double rootArm = s * std::sin(std::acos(g.db1 / (2.0 * s)));
    return k - tipArm * rootArm;
  });
}

void ComputedTipDiameters(GearPair& g) {
  g.da1Given = g.da2Given = false;
  PairBasicGeometry(g);
}

}  // namespace kolmira
