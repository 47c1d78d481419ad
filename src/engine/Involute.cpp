// Involute primitives and the shared bracketing root finder.
#include "engine/Involute.h"

#include <cmath>

namespace kolmira {

namespace {

double Refuse(GearPair& g, const char* text) {
  g.QueueError(text);
  g.driverError = true;
  return 0.0;
}

// Sign as the root finder sees it: a zero counts as positive.
int SignOf(double v) {
  return v >= 0.0 ? 1 : -1;
}

}  // namespace

double GuardedTan(GearPair& g, double x) {
  if (x == kPi / 2.0 || !std::isfinite(x)) return Refuse(g, kTanError);
  return std::sin(x) / std::cos(x);
}

double GuardedArcCos(GearPair& g, double x) {
  if (!(x >= -1.0 && x <= 1.0)) return Refuse(g, kArcCosError);  // also NaN
  if (x == 1.0) return 0.0;
  if (x == -1.0) return kPi;
  return kPi / 2.0 - std::atan(x / std::sqrt(1.0 - x * x));
}

double GuardedArcSin(GearPair& g, double x) {
  if (!(x >= -1.0 && x <= 1.0)) return Refuse(g, kArcSinError);
  if (x == 1.0) return kPi / 2.0;
  if (x == -1.0) return -kPi / 2.0;
  return std::atan(x / std::sqrt(1.0 - x * x));
}

double Involute(double t) {
  return std::tan(t) - t;
}

double LimitingShiftSum(double teethSum, double alphaT, double alphaP) {
  return -0.5 * teethSum * Involute(alphaT) / std::tan(alphaP);
}

double FullRoundRootRadius(double alphaP, double depth) {
  return (kPi / 4.0 - depth * std::tan(alphaP)) * std::cos(alphaP) / (1.0 - std::sin(alphaP));
}

double BracketBisect(FunctionRef<double(double)> f, const BracketSearch& s) {
  if (!(s.step > 0.0) || !std::isfinite(s.step) || !std::isfinite(s.start) ||
      !std::isfinite(s.bound)) {
    return 0.0;
  }
  auto beyondBound = [&](double hi) { return s.boundInclusive ? hi >= s.bound : hi > s.bound; };
  double lo = s.start;
  double hi = s.firstHi;
  bool bracketed = false;
  int halvings = 0;
  double flo = f(lo);
  double fhi = f(hi);
  for (;;) {
    if (SignOf(flo) != SignOf(fhi)) {
      hi = (hi + lo) / 2.0;
      bracketed = true;
      ++halvings;
    } else if (bracketed) {
      const double oldLo = lo;
      lo = hi;
      flo = fhi;
      hi = hi + (hi - oldLo) / 2.0;
      ++halvings;
    } else {
      lo = hi;
      flo = fhi;
      hi = hi + s.step;
      if (beyondBound(hi)) return 0.0;
      fhi = f(hi);
      continue;
    }
    if (halvings > kMaxHalvings) return 0.0;
    fhi = f(hi);
    if (std::fabs(fhi) < s.tolerance) {
      if (s.zeroAtBound && hi >= s.bound) return 0.0;
      return hi;
    }
  }
}

double InverseInvoluteValue(double w) {
  BracketSearch search;
  search.start = 0.0;
  search.firstHi = 0.1;
  search.step = 0.1;
  search.bound = kPi / 2.0;
  search.boundInclusive = true;
  return BracketBisect([w](double t) { return Involute(t) - w; }, search);
}

std::optional<double> InverseInvolute(GearPair& g, double w) {
  g.xmez = LimitingShiftSum(g.z1 + g.z2, g.alphaT, g.alphaP);
  g.x0mez = LimitingShiftSum(g.z0 + g.z2, g.alphaT, g.alphaP);

  const double sum = g.x1 + g.x2;  // the test takes x1 + x2, not xSum
  const char* failure = nullptr;
  if (g.cutterPairSolving) {
    if (g.x0mez < g.x0 + g.x2 - kShiftSumTolerance) {
      failure = kNoSolutionCutterAboveLimit;
      g.x0SumAboveLimit = true;
    }
  } else if (!g.slidingBalanceRunning) {
    if (g.gearType == GearType::Internal) {
      if (g.xmez < sum - kShiftSumTolerance) {
        failure = kNoSolutionAboveLimit;
        g.xSumAboveLimit = true;
      }
    } else if (sum + kShiftSumTolerance < g.xmez) {
      failure = kNoSolutionBelowLimit;
      g.xSumBelowLimit = true;
    }
  }
  if (failure != nullptr) {
    g.QueueError(failure);
    g.shiftSolutionOk = false;
    return std::nullopt;
  }
  return InverseInvoluteValue(w);
}

}  // namespace kolmira
