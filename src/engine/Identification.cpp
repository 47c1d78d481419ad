// Identification of the wheel's module, profile angle, helix angle or
// profile shift from a measured chord, span or dimension over balls.
//
// Notation: an the normal profile angle, at = atan(tan an / cos beta) the
// transverse one, inv(a) = tan a - a. The span of a ring is taken over its
// teeth with the anvils in the spaces beyond them; with the ring's negative
// z2 its base tangent length has the external form with the count shifted by
// one and the signs of z2 and x turned, which the span pieces below write as
// W = mn (cos an (A + Z inv at) + 2 X sin an).
#include "engine/Identification.h"

#include <algorithm>
#include <cmath>

#include "engine/Check.h"
#include "engine/Involute.h"
#include "engine/Measurement.h"

namespace kolmira {

namespace {

bool IsRing(const GearPair& g) {
  return g.gearType == GearType::Internal;
}

double Finite(double v) {
  return std::isfinite(v) ? v : 0.0;
}

// The span's constants: W / mn = cos an (A + Z inv at) + 2 X sin an.
struct SpanForm {
  double A = 0.0;  // (k - 0.5) pi, a ring's (k + 0.5) pi
  double Z = 0.0;  // z2, a ring's -z2 (its number of teeth)
  double X = 0.0;  // x, a ring's -x
};

SpanForm SpanFormOf(const GearPair& g, double x) {
  const double k = g.zwMeas;
  if (IsRing(g)) return {(k + 0.5) * kPi, -g.z2, -x};
  return {(k - 0.5) * kPi, g.z2, x};
}

double TransverseAngle(double alphaN, double beta) {
  return std::atan(std::tan(alphaN) / std::cos(beta));
}

// The angle of an involute value to full precision (the shared bracketing
// search, then Newton steps on inv(t) - w, d inv/dt = tan^2 t); 0 when
// there is none below pi/2.
double InverseInvoluteFine(double w) {
  double t = InverseInvoluteValue(w);
  for (int i = 0; i < 4 && t > 0.0; ++i) {
    const double tanT = std::tan(t);
    const double next = t - (tanT - t - w) / (tanT * tanT);
    if (!(next > 0.0 && next < kPi / 2.0)) break;
    t = next;
  }
  return t;
}

// ---------------------------------------------------------------------------
// Saved measurement values: the preparation borrows the measurement
// computations of the wheel and gives their results back.

struct SavedMeasurements {
  double dt1, dt2, M1, M2, dM1, dM2, W1, W2, b1min, b2min;
  int zw1, zw2;
};

SavedMeasurements Save(const GearPair& g) {
  return {g.dt1, g.dt2, g.M1, g.M2, g.dM1, g.dM2, g.W1, g.W2, g.b1min, g.b2min, g.zw1, g.zw2};
}

void Restore(GearPair& g, const SavedMeasurements& s) {
  g.dt1 = s.dt1;
  g.dt2 = s.dt2;
  g.M1 = s.M1;
  g.M2 = s.M2;
  g.dM1 = s.dM1;
  g.dM2 = s.dM2;
  g.W1 = s.W1;
  g.W2 = s.W2;
  g.b1min = s.b1min;
  g.b2min = s.b2min;
  g.zw1 = s.zw1;
  g.zw2 = s.zw2;
}

// Measured values as the wheel of the pair would give them.
void DefaultMeasurements(GearPair& g) {
  if (g.rackMode) {
    // The rack's chord on its reference line.
    g.scMeas = kPi / 2.0 * g.mn;
    g.hcMeas = g.ha2;
    return;
  }
  // The chord midway between the tip thickness and the thickness at the
  // form circle, at its own height (the measurement tab's wheel chord is
  // left as it was).
  const double sc2 = g.sc2;
  const double hc2 = g.hc2;
  g.sc2 = (g.sa2 + g.sFf2) / 2.0;
  ChordAtWidth(g, 2);
  g.scMeas = Finite(g.sc2);
  g.hcMeas = Finite(g.hc2);
  g.sc2 = sc2;
  g.hc2 = hc2;

  // Span over the recommended count.
  SpanRange(g, 2);
  RecommendedSpanCount(g, 2);
  g.zw2 = g.zwRec2;
  Span(g, 2);
  g.zwMeas = g.zwRec2;
  g.WMeas = g.W2;

  // Balls a millimetre above the smallest admissible, in whole millimetres.
  BallRange(g, 2);
  g.DMeas = Finite(std::round(g.dt2min + 1.0));
  g.dt2 = g.DMeas;
  ContactForBall(g, 2);
  g.MMeas = g.M2;
}

// The Newton parameters with a method's current values.
NewtonParams MethodParams(const GearPair& g, int m) {
  NewtonParams p;
  p.mn = g.mnId[m];
  p.alphaN = g.alphaId[m];
  p.beta = g.betaId[m];
  p.x = g.xId[m];
  return p;
}

double& Parameter(GearPair& g, int m, IdentParameter which) {
  switch (which) {
    case kIdentModule:
      return g.mnId[m];
    case kIdentProfileAngle:
      return g.alphaId[m];
    case kIdentHelixAngle:
      return g.betaId[m];
    case kIdentShift:
      break;
  }
  return g.xId[m];
}

// The unknown of a Newton solve replaces the parameter when the solve
// converged. The last iterate of a solve that ran to its limit is no
// result (it may lie anywhere, a module of 1e200): the estimate stays, and
// the beep says so at once.
IdentOutcome TakeResult(GearPair& g, double& parameter, double solved) {
  if (g.newtonFailed || !std::isfinite(solved)) {
    g.QueueBeep();
    return IdentOutcome::Failed;
  }
  parameter = solved;
  return IdentOutcome::Solved;
}

// ---------------------------------------------------------------------------
// Chordal method

// A rack's tooth is as thick as pi mn / 2 on its reference line, ha2 under
// the tip, and thins by 2 tan an per unit of height: scm = pi mn / 2 -
// 2 (ha2 - hcm) tan an.
IdentOutcome RackChord(GearPair& g, IdentParameter which) {
  const double rise = g.ha2 - g.hcMeas;
  if (which == kIdentModule) {
    g.mnId[0] = Finite(2.0 * (2.0 * std::tan(g.alphaId[0]) * rise + g.scMeas) / kPi);
    return IdentOutcome::Solved;
  }
  if (which == kIdentProfileAngle) {
    const double thinning = kPi / 2.0 * g.mnId[0] - g.scMeas;
    g.alphaId[0] =
        rise != 0.0 && thinning != 0.0 ? Finite(std::atan(thinning / (2.0 * rise))) : g.alphaP;
    return IdentOutcome::Solved;
  }
  return IdentOutcome::NoResult;  // a rack has neither helix angle nor shift to find
}

// ---------------------------------------------------------------------------
// Span method

IdentOutcome SpanModule(GearPair& g) {
  const SpanForm s = SpanFormOf(g, g.xId[1]);
  const double an = g.alphaId[1];
  const double invT = Involute(TransverseAngle(an, g.betaId[1]));
  const double perModule = std::cos(an) * (s.A + s.Z * invT) + 2.0 * s.X * std::sin(an);
  // No module gives a positive span when the span of a unit module is not.
  if (!(perModule > 0.0) || !std::isfinite(g.WMeas / perModule)) return IdentOutcome::Unsolvable;
  g.mnId[1] = g.WMeas / perModule;
  return IdentOutcome::Solved;
}

IdentOutcome SpanShift(GearPair& g) {
  const SpanForm s = SpanFormOf(g, 0.0);
  const double an = g.alphaId[1];
  const double invT = Involute(TransverseAngle(an, g.betaId[1]));
  const double X = (g.WMeas / g.mnId[1] - std::cos(an) * (s.A + s.Z * invT)) / (2.0 * std::sin(an));
  if (!std::isfinite(X)) return IdentOutcome::Unsolvable;
  g.xId[1] = IsRing(g) ? -X : X;
  return IdentOutcome::Solved;
}

IdentOutcome SpanHelix(GearPair& g) {
  const SpanForm s = SpanFormOf(g, g.xId[1]);
  const double an = g.alphaId[1];
  const double invT =
      (g.WMeas / g.mnId[1] - 2.0 * s.X * std::sin(an) - std::cos(an) * s.A) / (std::cos(an) * s.Z);
  // A helix only widens the transverse pressure angle: at below an (or no
  // angle below pi/2 with this involute) has no helix angle.
  const double alphaT = std::isfinite(invT) && invT >= 0.0 ? InverseInvoluteFine(invT) : 0.0;
  if (!std::isfinite(invT) || invT < 0.0 || alphaT < an - kSpanHelixTolerance) {
    g.betaId[1] = kUnsolvableHelix;
    return IdentOutcome::Unsolvable;
  }
  if (std::fabs(alphaT - an) < kSpanHelixTolerance) {
    g.betaId[1] = 0.0;
  } else {
    g.betaId[1] = std::acos(std::min(1.0, std::tan(an) / std::tan(alphaT)));
  }
  return IdentOutcome::Solved;
}

// Up to three profile angles give the measured span: W(an) falls from
// pi mn (k -+ 0.5) at an = 0 when the shift is small and rises towards pi/2,
// and a positive shift adds a maximum before that minimum.
IdentOutcome SpanProfileAngle(GearPair& g) {
  auto f = [&g](double a) { return SpanAtProfileAngle(g, a) - g.WMeas; };
  auto slope = [&g](double a) { return SpanSlopeAtProfileAngle(g, a); };
  g.alphaExt = IdentRootSearch(slope, 1e-6, kIdentSearchEnd);
  g.alphaExt2 = 0.0;

  double found[3] = {};
  int count = 0;
  // A search without a root adds nothing: the solutions found move up.
  auto add = [&](double root) {
    if (root > 0.0) found[count++] = root;
  };
  if (g.alphaExt <= 1e-8) {
    add(IdentRootSearch(f, 1e-6, kIdentSearchEnd));  // W monotonic
  } else {
    const double fE = f(g.alphaExt);
    const double f0 = f(0.0);
    if (fE < 0.0 && f0 < 0.0) {
      add(IdentRootSearch(f, g.alphaExt + 1e-8, kIdentSearchEnd));
    } else if (fE < 0.0) {
      add(IdentRootSearch(f, 1e-5, g.alphaExt));
      add(IdentRootSearch(f, g.alphaExt + 1e-8, kIdentSearchEnd));
    } else {
      g.alphaExt2 = IdentRootSearch(slope, g.alphaExt + 1e-8, kIdentSearchEnd);
      const bool second = g.alphaExt2 > g.alphaExt;
      add(IdentRootSearch(f, g.alphaExt + 1e-8, second ? g.alphaExt2 : kIdentSearchEnd));
      if (second) add(IdentRootSearch(f, g.alphaExt2 + 1e-8, kIdentSearchEnd));
      if (f0 < 0.0) add(IdentRootSearch(f, 0.0, g.alphaExt));
    }
  }
  g.idSolutionCount = std::max(count, 1);
  g.alphaIdLow = found[0];
  g.alphaId2 = found[1];
  g.alphaId3 = found[2];
  g.alphaId[1] = found[0];
  return count > 0 ? IdentOutcome::Solved : IdentOutcome::NoResult;
}

}  // namespace

// ---------------------------------------------------------------------------

void ResetBacklashForIdentification(GearPair& g) {
  g.xSumBacklash = 0.0;
  g.jn = 0.0;
  g.backlashDirect = true;
  g.backlashByShift = g.jnByApart = false;
  g.thinBoth = true;
  g.thinPinion = g.thinWheel = false;
  g.backlashFresh = true;
}

IdentPreparation PrepareIdentification(GearPair& g) {
  IdentPreparation r;
  if (!g.pairComputed) return r;
  r.done = true;
  const SavedMeasurements saved = Save(g);
  if (g.identInputsChanged) {
    r.inputsPrepared = true;
    if (!g.loadingInputs) {
      ResetBacklashForIdentification(g);
      r.backlashReset = true;
    }
    for (int m = 0; m < 3; ++m) {
      g.mnId[m] = g.mn;
      g.alphaId[m] = g.alphaP;
      g.betaId[m] = g.beta;
      g.xId[m] = g.x2;
    }
    if (g.rackMode) {
      RunCheckRack(g);
    } else {
      RunCheckAndReport(g);
    }
    g.driverError = false;  // the check's own messages are queued; later steps run
    DefaultMeasurements(g);
    for (int m = 0; m < 3; ++m) g.alphaTId[m] = TransverseAngle(g.alphaId[m], g.betaId[m]);
  }
  Restore(g, saved);
  g.identInputsChanged = false;
  return r;
}

IdentOutcome IdentifyFromChord(GearPair& g, IdentParameter which) {
  if (g.rackMode) return RackChord(g, which);
  if (g.newtonFailed) {
    g.QueueBeep();
    return IdentOutcome::Blocked;
  }
  const double height = std::fabs(g.hcMeas - g.da2 / 2.0);
  NewtonVector u{std::atan(g.scMeas / 2.0 / std::cos(g.betaId[0]) / height),
                 std::fabs(2.0 * g.hcMeas - g.da2), Parameter(g, 0, which)};
  NewtonParams p = MethodParams(g, 0);
  p.HCm = g.hcMeas;
  p.SCm = g.scMeas;
  const int system = (IsRing(g) ? kSystemChordIdentInternal : kSystemChordIdentExternal) + which;
  NewtonSolve(g, 3, system, u, p);
  return TakeResult(g, Parameter(g, 0, which), u[2]);
}

IdentOutcome IdentifyFromSpan(GearPair& g, IdentParameter which) {
  switch (which) {
    case kIdentModule:
      return SpanModule(g);
    case kIdentProfileAngle:
      return SpanProfileAngle(g);
    case kIdentHelixAngle:
      return SpanHelix(g);
    case kIdentShift:
      break;
  }
  return SpanShift(g);
}

IdentOutcome IdentifyFromBalls(GearPair& g, IdentParameter which) {
  g.dKMeas = BallCentreDiameter(g, g.MMeas, g.DMeas);
  if (g.newtonFailed) g.QueueBeep();
  const double alphaT = TransverseAngle(g.alphaId[2], g.betaId[2]);
  // The ball centre taken on the tip circle.
  const double start =
      GuardedArcCos(g, g.z2 * g.mnId[2] / std::cos(g.betaId[2]) * std::cos(alphaT) / g.da2);
  NewtonVector u{start, Parameter(g, 2, which), 0.0};
  NewtonParams p = MethodParams(g, 2);
  p.DM = g.DMeas;
  p.DK = g.dKMeas;
  NewtonSolve(g, 2, kSystemBallIdent + which, u, p);
  return TakeResult(g, Parameter(g, 2, which), u[1]);
}

IdentOutcome Identify(GearPair& g, IdentMethod method, IdentParameter which) {
  IdentOutcome outcome = IdentOutcome::NoResult;
  switch (method) {
    case kMethodChordal:
      outcome = IdentifyFromChord(g, which);
      break;
    case kMethodSpan:
      outcome = IdentifyFromSpan(g, which);
      break;
    case kMethodBalls:
      outcome = IdentifyFromBalls(g, which);
      break;
  }
  if (g.betaId[method] != kUnsolvableHelix) {
    g.alphaTId[method] = Finite(TransverseAngle(g.alphaId[method], g.betaId[method]));
  }
  return outcome;
}

// ---------------------------------------------------------------------------

double SpanAtProfileAngle(const GearPair& g, double alphaN) {
  const SpanForm s = SpanFormOf(g, g.xId[1]);
  const double invT = Involute(TransverseAngle(alphaN, g.betaId[1]));
  return g.mnId[1] * (std::cos(alphaN) * (s.A + s.Z * invT) + 2.0 * s.X * std::sin(alphaN));
}

double SpanSlopeAtProfileAngle(const GearPair& g, double alphaN) {
  // d/dan of cos an (A + Z inv at) + 2 X sin an, with d inv(at)/d at =
  // tan^2 at = tan^2 an / cos^2 beta and d at / d an = cos beta /
  // (1 - sin^2 beta cos^2 an).
  const SpanForm s = SpanFormOf(g, g.xId[1]);
  const double beta = g.betaId[1];
  const double cosB = std::cos(beta);
  const double sinB = std::sin(beta);
  const double cosA = std::cos(alphaN);
  const double sinA = std::sin(alphaN);
  const double tanA = std::tan(alphaN);
  const double aux = sinB * sinB * cosA * cosA;
  const double invT = Involute(TransverseAngle(alphaN, beta));
  return -sinA * (s.A + s.Z * invT) + s.Z * cosA * tanA * tanA / (cosB * (1.0 - aux)) +
         2.0 * s.X * cosA;
}

double BallCentreDiameter(const GearPair& g, double Mm, double D) {
  const double z = std::fabs(g.z2);
  const bool odd = std::fmod(std::fabs(std::round(z)), 2.0) == 1.0;
  const double c = odd ? std::cos(kPi / (2.0 * z)) : 1.0;
  // Over the balls of an external gear, between those of a ring.
  return IsRing(g) ? (Mm + D) / c : (Mm - D) / c;
}

double IdentRootSearch(FunctionRef<double(double)> f, double start, double upper) {
  if (!(start < upper) || !std::isfinite(start) || !std::isfinite(upper)) return 0.0;
  // Every step moves on by 0.02 rad towards `upper`: the search ends there.
  const int maxSteps = static_cast<int>((upper - start) / kIdentSearchStep) + 2;
  double a = start;
  double fa = f(a);
  for (int i = 0; i < maxSteps; ++i) {
    const double b = std::min(a + kIdentSearchStep, upper);
    const double fb = f(b);
    if (std::isfinite(fa) && std::isfinite(fb) && (fa >= 0.0) != (fb >= 0.0)) {
      BracketSearch search;
      search.start = a;
      search.firstHi = b;
      search.step = kIdentSearchStep;
      search.bound = upper;
      search.tolerance = kIdentRootTolerance;
      return BracketBisect(f, search);
    }
    if (b >= upper) break;
    a = b;
    fa = fb;
  }
  return 0.0;
}

}  // namespace kolmira
