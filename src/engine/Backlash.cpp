// Backlash of a pair from its centre distance or from its shift sum, and
// back.
//
// Both directions rest on the tooth thicknesses at the working circle: at a
// working transverse pressure angle alpha' the backlash of a pair with the
// shift sum xSum is
//   jn = cos(alphaP) mn (z1 + z2) (inv alpha' - inv alphaT - 2 tan(alphaP) xSum / (z1 + z2)),
// which is 0 at the backlash-free working angle. Holding alpha' (the centre
// distance) and lowering the shift sum instead gives
//   jn = 2 mn sin(alphaP) (xSum - xSumBacklash).
#include "engine/Backlash.h"

#include <cmath>

#include "engine/Involute.h"

namespace kolmira {

namespace {

// Newton steps after the root finder: from 1e-11 in the involute one step
// leaves about 1e-20, the second only confirms it.
constexpr int kNewtonPolishSteps = 2;

// Involute of the backlash-free working pressure angle of the shift sum xs.
double InvoluteOfShiftSum(const GearPair& g, double xs) {
  return 2.0 * std::tan(g.alphaP) * xs / (g.z1 + g.z2) + Involute(g.alphaT);
}

// The working pressure angle of an involute value, as the engine solves it.
// No angle when the value is negative (below the limiting shift sum), when
// the root lies beyond the search, or when the pair's shifts are beyond
// their limit (the inverse involute then queues its message).
//
// The root finder stops once the involute is within 1e-11 of w; in a pair
// of many teeth and a large module that is a few 1e-9 mm of backlash, and
// backlash and centre distance would drift when converted into each other
// and back. Newton steps on inv(t) = w (slope tan^2 t > 0, the involute
// convex) take the angle the rest of the way to rounding.
std::optional<double> WorkingAngle(GearPair& g, double w) {
  if (!(w >= 0.0) || !std::isfinite(w)) return std::nullopt;
  const auto angle = InverseInvolute(g, w);
  if (!angle) return std::nullopt;
  if (*angle == 0.0) {
    if (w > 0.0) return std::nullopt;  // no root below pi/2
    return angle;
  }
  double t = *angle;
  for (int step = 0; step < kNewtonPolishSteps; ++step) {
    const double slope = std::tan(t) * std::tan(t);
    const double next = t - (Involute(t) - w) / slope;
    if (!(next > 0.0 && next < kPi / 2.0)) break;
    t = next;
  }
  return t;
}

}  // namespace

bool IsDegeneratePair(const GearPair& g) {
  return g.z2 == -g.z1;
}

double BacklashShiftSumLimit(GearPair& g) {
  g.xmez = LimitingShiftSum(g.z1 + g.z2, g.alphaT, g.alphaP);
  return g.xmez;
}

bool AwNoBacklash(GearPair& g, double xs) {
  if (g.rackMode) return true;
  if (IsDegeneratePair(g)) {
    g.awNoBacklash = std::sin(g.alphaT) * xs * g.mn;
    g.alphaWNoBacklash = kPi / 2.0;
    return true;
  }
  const auto angle = WorkingAngle(g, InvoluteOfShiftSum(g, xs));
  if (!angle) return false;
  g.alphaWNoBacklash = *angle;
  g.awNoBacklash = g.a * std::cos(g.alphaT) / std::cos(*angle);
  return true;
}

bool BacklashFromCentreDistance(GearPair& g) {
  if (g.rackMode) {
    // The rack slides away along its own normal: each flank gap opens by
    // the displacement times sin(alphaP), on both sides of the tooth.
    g.alphaWtJ = g.alphaWt;
    g.jn = 2.0 * g.awJ * std::sin(g.alphaP);
    return true;
  }
  if (std::fabs(g.awJ) < kCentreDistanceNotGiven) g.awJ = g.aw;
  if (IsDegeneratePair(g)) {
    g.jn = 2.0 * (g.awJ - g.aw);
    g.alphaWtJ = kPi / 2.0;
    return true;
  }
  // cos alphaWtJ = a cos(alphaT) / awJ, with a cos(alphaT) = aw cos(alphaWt)
  // of the backlash-free pair. Outside (0, 1] the distance is inside the
  // reach of the base circles or of the wrong sign: no pair rolls there.
  const double c = std::cos(g.alphaWt) * g.aw / g.awJ;
  if (!(c > 0.0 && c <= 1.0)) return false;
  const double alphaWtJ = std::acos(c);
  const double zSum = g.z1 + g.z2;
  double jn = std::cos(g.alphaP) * g.mn * zSum *
              (Involute(alphaWtJ) - 2.0 * std::tan(g.alphaP) * g.xSum / zSum - Involute(g.alphaT));
  if (std::fabs(jn) < kNoBacklash) jn = 0.0;
  g.alphaWtJ = alphaWtJ;
  g.jn = jn;
  return true;
}

bool CentreDistanceFromBacklash(GearPair& g) {
  if (g.rackMode) {
    g.awJ = g.jn / (2.0 * std::sin(g.alphaP));
    g.alphaWtJ = g.alphaWt;
    return true;
  }
  if (IsDegeneratePair(g)) {
    g.awJ = g.jn / 2.0 + g.aw;
    g.alphaWtJ = kPi / 2.0;
    return true;
  }
  const double zSum = g.z1 + g.z2;
  const double w = InvoluteOfShiftSum(g, g.xSum) + g.jn / g.mn / zSum / std::cos(g.alphaP);
  const auto angle = WorkingAngle(g, w);
  if (!angle) return false;
  g.alphaWtJ = *angle;
  g.awJ = g.a * std::cos(g.alphaT) / std::cos(*angle);
  return true;
}

void ShiftSumFromBacklash(GearPair& g) {
  if (IsDegeneratePair(g)) {
    g.xSumBacklash = (g.aw - g.jn / 2.0) / g.mn / std::sin(g.alphaT);
  } else {
    g.xSumBacklash = g.xSum - g.jn / (2.0 * g.mn * std::sin(g.alphaP));
  }
}

void BacklashFromShiftSum(GearPair& g) {
  if (IsDegeneratePair(g)) {
    g.jn = 2.0 * (g.aw - std::sin(g.alphaT) * g.xSumBacklash * g.mn);
  } else {
    g.jn = std::sin(g.alphaP) * 2.0 * g.mn * (g.xSum - g.xSumBacklash);
  }
}

void ResetToBacklashFree(GearPair& g) {
  g.thinAngle1 = g.thinAngle2 = 0.0;
  g.jn = 0.0;
  g.xSumBacklash = 0.0;
  g.xSum = g.xSumNoBacklash;
  g.x1 = g.x1NoBacklash;
  g.x2 = g.xSumNoBacklash - g.x1NoBacklash;
  g.aw = g.awEntered;
  if (g.rackMode) {
    g.x2 = 0.0;
    g.aw = 0.0;
  }
  g.awJ = g.aw;
  g.awNoBacklash = g.aw;
  AwNoBacklash(g, g.xSumNoBacklash);
  g.alphaWt = IsDegeneratePair(g) ? kPi / 2.0 : g.alphaWNoBacklash;
  g.alphaWtDeg = g.alphaWt * kRadToDeg;
}

}  // namespace kolmira
