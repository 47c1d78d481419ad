// The form circle of an undercut spur tooth, checked against a direct
// simulation of the cutting: the rack tool (straight flank and tip rounding)
// rolls on the pitch circle, and at each radius the deepest cut into the tooth
// is compared with the involute. Below the form circle the tool's tip
// rounding cuts into the involute (undercut); above it the involute stands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"

namespace kolmira {
namespace {

struct Tool {
  double m, z, x, alpha, haP0, rho;  // rho and haP0 in module units
};

// Polar angle, from the tooth's centre line, of the tool boundary points at
// radius R for the rack position phi (gear turned by phi); the smallest one,
// or +inf when the boundary does not reach R.
double CutAngleAt(const Tool& t, double R, double phi) {
  const double r = t.m * t.z / 2.0;
  const double m = t.m;
  const double tanA = std::tan(t.alpha);
  const double cosA = std::cos(t.alpha), sinA = std::sin(t.alpha);
  // Rack coordinates: u along the pitch line, v above it (outward). The tool
  // tooth that cuts the right flank is centred at u = pi m / 2; its left flank
  // is u = c0 - v tan(alpha) and its tip rounding is centred at (cu, cv).
  const double c0 = kPi * m / 4.0 + t.x * m * tanA;
  const double cu = m * (kPi / 4.0 + (t.haP0 - t.rho) * tanA + t.rho / cosA);
  const double cv = m * (t.x + t.rho - t.haP0);
  const double rho = t.rho * m;
  const double tangentV = cv - rho * sinA;  // where flank and rounding meet
  const double shift = -r * phi;            // the rack rolls without slip
  double best = HUGE_VAL;
  auto consider = [&](double u, double v) {
    const double x = u + shift, y = r + v;
    best = std::min(best, std::atan2(x, y) + phi);
  };
  // Flank: (c0 - v tanA + shift)^2 + (r + v)^2 = R^2, a quadratic in v.
  {
    const double k = c0 + shift;
    const double a = tanA * tanA + 1.0;
    const double b = -2.0 * k * tanA + 2.0 * r;
    const double c = k * k + r * r - R * R;
    const double disc = b * b - 4.0 * a * c;
    if (disc >= 0.0) {
      for (double s : {-1.0, 1.0}) {
        const double v = (-b + s * std::sqrt(disc)) / (2.0 * a);
        if (v >= tangentV) consider(c0 - v * tanA, v);
      }
    }
  }
  // Tip rounding: the quarter from the tangent point down to its bottom.
  {
    const double px = cu + shift, py = r + cv;
    const double d = std::hypot(px, py);
    const double along = (R * R - rho * rho + d * d) / (2.0 * d);
    const double h2 = R * R - along * along;
    if (h2 >= 0.0 && d > 0.0) {
      const double h = std::sqrt(h2);
      const double ex = px / d, ey = py / d;
      for (double s : {-1.0, 1.0}) {
        const double qx = ex * along - s * ey * h;
        const double qy = ey * along + s * ex * h;
        const double angle = std::atan2(qy - py, qx - px);  // around the centre
        const double from = -kPi + t.alpha, to = -kPi / 2.0;
        if (angle >= from - 1e-12 && angle <= to + 1e-12) consider(qx - shift, qy - r);
      }
    }
  }
  return best;
}

// Deepest cut at radius R over all rack positions.
double DeepestCut(const Tool& t, double R) {
  double bestPhi = 0.0, best = HUGE_VAL;
  const int n = 40000;
  for (int i = 0; i <= n; ++i) {
    const double phi = -1.2 + 2.4 * i / n;
    const double a = CutAngleAt(t, R, phi);
    if (a < best) best = a, bestPhi = phi;
  }
  double lo = bestPhi - 2.4 / n, hi = bestPhi + 2.4 / n;
  for (int i = 0; i < 200 && hi - lo > 1e-14; ++i) {
    const double m1 = lo + (hi - lo) / 3.0, m2 = hi - (hi - lo) / 3.0;
    if (CutAngleAt(t, R, m1) < CutAngleAt(t, R, m2))
      hi = m2;
    else
      lo = m1;
  }
  return std::min(best, CutAngleAt(t, R, (lo + hi) / 2.0));
}

// Half angle of the involute tooth at radius R.
double InvoluteAngle(const Tool& t, double R) {
  const double rb = t.m * t.z / 2.0 * std::cos(t.alpha);
  return (kPi / 2.0 + 2.0 * t.x * std::tan(t.alpha)) / t.z + Involute(t.alpha) -
         Involute(std::acos(rb / R));
}

double SimulatedFormDiameter(const Tool& t) {
  const double rb = t.m * t.z / 2.0 * std::cos(t.alpha);
  double lo = rb * (1.0 + 1e-9), hi = t.m * t.z / 2.0;
  for (int i = 0; i < 60; ++i) {
    const double mid = (lo + hi) / 2.0;
    if (InvoluteAngle(t, mid) - DeepestCut(t, mid) > 1e-12)
      lo = mid;
    else
      hi = mid;
  }
  return lo + hi;  // diameter
}

TEST(GeneratedFormCircle, MatchesASimulatedCutOfAnUndercutTooth) {
  const Tool tools[] = {
      {1.0, 8.0, 0.0, test::Deg(20), 1.25, 0.38},
      {2.0, 10.0, -0.2, test::Deg(20), 1.25, 0.25},
      {1.5, 12.0, -0.3, test::Deg(20), 1.3, 0.2},
  };
  for (const auto& t : tools) {
    GearPair g = test::StandardExternalPair();
    g.mn = t.m, g.z1 = t.z, g.x1 = t.x, g.haP01Star = t.haP0, g.rhofP1Star = t.rho;
    BasicGeometry(g);
    GeneratedFormCircle(g, 1);
    ASSERT_GT(g.dFf1, g.db1) << t.z;
    EXPECT_NEAR(g.dFf1, SimulatedFormDiameter(t), 1e-7 * t.m) << "z " << t.z << " x " << t.x;
  }
}

}  // namespace
}  // namespace kolmira
