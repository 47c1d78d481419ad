#include "engine/Newton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "engine/TextbookGear.h"

namespace kolmira {
namespace {

using test::Deg;
using Gear = test::TextbookGear;

NewtonParams Identified(const Gear& gear) {
  NewtonParams p;
  p.mn = gear.mn, p.alphaN = gear.an, p.beta = gear.beta, p.x = gear.x;
  return p;
}

// ---------------------------------------------------------------------------

TEST(NewtonJacobian, AgreesWithCentralDifferencesOfTheResiduals) {
  const Gear wheel{3.0, 40.0, Deg(20), Deg(15), 0.2};
  const Gear ring{3.0, 60.0, Deg(20), Deg(15), 0.1, true};
  GearPair ext;  // wheel 2 and the protuberance data of both gears
  ext.mn = 3.0, ext.beta = Deg(15), ext.z2 = wheel.z, ext.da2 = wheel.D() + 7.2;
  ext.d1 = 43.5, ext.d2 = wheel.D(), ext.alphaprP01 = Deg(10), ext.alphaprP02 = Deg(12);
  ext.hFfP1 = 3.9, ext.hFfP2 = 3.75, ext.x1 = 0.1, ext.x2 = -0.2;
  ext.hprExtra1 = 0.05, ext.hprExtra2 = 0.02;
  GearPair internal = ext;
  internal.z2 = -ring.z, internal.da2 = -(ring.D() - 5.4);

  NewtonParams p = Identified(wheel);
  p.PSI = wheel.Psi(wheel.Db()), p.DB = wheel.Db(), p.C = 61.0;
  p.T = std::tan(wheel.beta) / wheel.D(), p.SC = 5.0;
  p.A = 2.0 / (wheel.Db() * wheel.CosBetaB()), p.B = 0.03, p.D2 = 0.0008, p.TL = 0.4;
  p.HCm = 3.1, p.SCm = 4.9, p.DM = 5.5, p.DK = 129.0;
  NewtonParams pRing = p;
  pRing.PSI = ring.Psi(ring.Db());
  pRing.DB = -ring.Db();  // an internal wheel's base diameter is negative
  pRing.C = 90.0, pRing.mn = ring.mn, pRing.x = ring.x;

  struct Case {
    int system;
    bool ring;
    NewtonVector x;
  };
  std::vector<Case> cases = {
      {1, false, {1.05, 0.6, 0.08}}, {1, false, {1.02, 0.2, 0.003}}, {2, false, {1.03, 0.4, 0.01}},
      {3, false, {0.03, 122.0, 0}},  {3, false, {0.012, 131.0, 0}},  {4, false, {0.03, 122.0, 0}},
      {4, false, {0.045, 117.0, 0}}, {5, true, {0.03, 185.0, 0}},    {6, true, {0.035, 188.0, 0}},
      {7, false, {0.45, 2.7, 0}},    {7, false, {0.2, 1.1, 0}},
  };
  for (int which = 0; which < 4; ++which) {
    cases.push_back({11 + which, false, {0.03, 125.0, wheel.Param(which)}});
    cases.push_back({11 + which, false, {0.02, 128.5, wheel.Param(which)}});
    cases.push_back({15 + which, false, {0.45, wheel.Param(which), 0}});
    cases.push_back({15 + which, false, {0.3, wheel.Param(which), 0}});
    cases.push_back({19 + which, true, {0.03, 188.0, ring.Param(which)}});
    cases.push_back({19 + which, true, {0.028, 183.0, ring.Param(which)}});
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "system " << c.system << " at " << c.x[0] << ", " << c.x[1]);
    GearPair g = c.ring ? internal : ext;
    const NewtonParams& par = c.ring ? pRing : p;
    const int n = NewtonSystemSize(c.system);
    NewtonVector x = c.x, f{};
    NewtonMatrix j{}, unused{};
    NewtonEvaluate(g, c.system, x, par, f, j);
    ASSERT_EQ(x, c.x) << "the point must lie clear of the clamp";
    for (int col = 0; col < n; ++col) {
      // Step 1e-5 (relative for diameters): the truncation error h^2 f'''/6
      // stays below 1e-7 of the derivative even next to the base circle,
      // where inv(acos(db/dy)) bends sharply, and rounding (1e-16 |f| / h)
      // below 1e-9. A wrong term or sign is off by far more than 1e-6.
      const double h = 1e-5 * std::max(1.0, std::fabs(x[col]));
      NewtonVector xp = x, xm = x, fp{}, fm{};
      xp[col] += h;
      xm[col] -= h;
      NewtonEvaluate(g, c.system, xp, par, fp, unused);
      NewtonEvaluate(g, c.system, xm, par, fm, unused);
      for (int row = 0; row < n; ++row) {
        const double fd = (fp[row] - fm[row]) / (2.0 * h);
        // Relative to the entry, with a floor of 1e-3 of the row's largest
        // entry for the entries that vanish.
        double scale = 0.0;
        for (int k = 0; k < n; ++k) scale = std::max(scale, 1e-3 * std::fabs(j[row][k]));
        EXPECT_LE(std::fabs(fd - j[row][col]), 1e-6 * (std::fabs(j[row][col]) + scale))
            << "J[" << row << "][" << col << "] = " << j[row][col] << ", differences " << fd;
      }
    }
    EXPECT_FALSE(g.driverError);
  }
}

TEST(InvertMatrix, PivotTiesKeepTheUpperRowAndAZeroPivotStopsSilently) {
  // Singular matrices stop at the zero pivot; what they leave behind shows
  // which row was the pivot row. Powers of two only, so the hand results
  // are exact.
  struct Case {
    int n;
    NewtonMatrix a, expected;
  };
  const Case cases[] = {
      // Tie kept: row 2 -= row 1 leaves [[1, 0], [-1, 1]] (an exchange
      // would leave [[0, 1], [1, -1]]).
      {2, {{{1, 1}, {1, 1}}}, {{{1, 0}, {-1, 1}}}},
      {2, {{{1, 1}, {-1, -1}}}, {{{1, 0}, {1, 1}}}},
      // Strictly larger below: exchange, row 1 / 2, row 2 -= row 1.
      {2, {{{1, 1}, {2, 2}}}, {{{0, 0.5}, {1, -0.5}}}},
      // Tie in the first column, pivots 2 and 2, then a zero column.
      {3,
       {{{2, 1, 0}, {-2, 1, 0}, {1, 0, 0}}},
       {{{0.25, -0.25, 0}, {0.5, 0.5, 0}, {-0.25, 0.25, 1}}}},
      // Zero first column: b stays the identity.
      {2, {{{0, 1}, {0, 3}}}, {{{1, 0}, {0, 1}}}},
      // Regular, needing exchanges; only the leading 2x2 block counts.
      {2, {{{0, 2, 7}, {1, 1, 7}, {7, 7, 7}}}, {{{-0.5, 1}, {0.5, 0}}}},
  };
  for (const auto& c : cases) {
    NewtonMatrix b{};
    InvertMatrix(c.n, c.a, b);
    EXPECT_EQ(b, c.expected) << c.a[0][0] << " " << c.a[1][0];
  }
}

// ---------------------------------------------------------------------------

const Gear kSpur{2.0, 30.0, Deg(20), 0.0, 0.1};

NewtonParams ChordAtHeight(const Gear& gear, double dy) {
  NewtonParams p;
  p.PSI = gear.Psi(gear.Db()), p.DB = gear.Db(), p.C = dy / 2.0 * std::cos(gear.Psi(dy));
  return p;
}

// A ball measurement that no value of the unknown can reduce: with a zero
// profile angle, the start alpha_K = 0 and DM = pi/2 mn (F1 exactly 0) the
// Jacobian of the shift (18) is zero and that of the helix angle (17) has
// only dF2/dbeta. The inversion stops at its first pivot, leaving the
// identity, and each iteration steps the unknown by F2 = |z2| mn/(DK cos beta) - 1.
NewtonParams Degenerate(double dk) {
  NewtonParams p;
  p.mn = 1.0, p.DM = kPi / 2.0, p.DK = dk;
  return p;
}

TEST(NewtonSolve, ToleranceLoosensOnThe250thIterationAndTheLimitIs2000) {
  // The shift drifts by the constant residual c.
  struct Case {
    double c;
    int iterations;
    bool failed;
  };
  const Case cases[] = {
      {4e-12, 1, false},    // below 1e-11 at once
      {5e-10, 250, false},  // between the tolerances: stops on the 250th
      {9e-9, 250, false},
      {2e-8, 2000, true},  // singular for good: runs into the limit
  };
  for (const auto& c : cases) {
    GearPair g;
    g.z2 = 20.0;
    const NewtonParams p = Degenerate(20.0 / (1.0 + c.c));
    const double step = 20.0 / p.DK - 1.0;
    NewtonVector x{0.0, 0.3, 0.0};
    EXPECT_EQ(NewtonSolve(g, 2, kSystemBallIdent + kIdentShift, x, p).newtonIter, c.iterations);
    EXPECT_EQ(g.newtonFailed, c.failed) << c.c;
    EXPECT_EQ(x[0], 0.0);
    // Every step is applied, the last one included (each subtraction may
    // round by half a unit of 0.3).
    EXPECT_NEAR(x[1], 0.3 - c.iterations * step, c.iterations * (1e-9 * step + 3e-17));
  }
}

TEST(NewtonSolve, ConvergingOnThe2000thIterationStillReportsFailure) {
  // Helix angle: beta <- beta - (K/cos beta - 1), K = 20/DK, attracted to
  // cos beta* = K by the factor 1 - tan beta* = 0.997, so the step shrinks
  // slowly. Followed here from 0.3 until it is below 1e-8; the solver
  // started 2000 (1999) iterates before the end meets the tolerance on
  // exactly its 2000th (1999th) step.
  const double dk = 20.0 / std::cos(std::atan(0.003));
  std::vector<double> iterates{0.3};
  for (int k = 1; k < 100000; ++k) {
    const double f2 = 20.0 / std::cos(iterates.back()) / dk - 1.0;
    iterates.push_back(iterates.back() - f2);
    if (std::fabs(f2) < 1e-8) break;
  }
  const int steps = static_cast<int>(iterates.size()) - 1;
  ASSERT_GT(steps, 2000);
  for (int needed : {1999, 2000}) {
    GearPair g;
    g.z2 = 20.0;
    NewtonVector x{0.0, iterates[steps - needed], 0.0};
    EXPECT_EQ(NewtonSolve(g, 2, kSystemBallIdent + kIdentHelixAngle, x, Degenerate(dk)).newtonIter,
              needed);
    EXPECT_EQ(g.newtonFailed, needed == 2000);
    EXPECT_NEAR(x[1], iterates.back(), 1e-12);
  }
}

TEST(NewtonSolve, AStartDiameterBelowTheBaseCircleIsRaisedFirst) {
  // Unraised, acos(db/dy) would be refused with a message.
  const double db = kSpur.Db();
  for (double start : {0.5 * db, 0.0, db - 1e-9, -0.9 * db}) {
    GearPair g;
    NewtonVector x{0.02, start, 0.0};
    NewtonSolve(g, 2, kSystemChordAtHeight, x, ChordAtHeight(kSpur, 60.5));
    EXPECT_FALSE(g.newtonFailed);
    EXPECT_TRUE(g.messages.empty()) << start;
    EXPECT_NEAR(x[1], 60.5, 1e-9);
  }
  // Raised to |DB| before the Jacobian, which there has no involute term.
  GearPair g;
  NewtonParams p = ChordAtHeight(kSpur, 60.5);
  p.DB = -db;
  NewtonVector x{0.02, 10.0, 0.0}, f{};
  NewtonMatrix j{};
  NewtonEvaluate(g, kSystemRingChordAtHeight, x, p, f, j);
  EXPECT_EQ(x[1], db);
  EXPECT_EQ(j[0][1], 0.0);
}

TEST(NewtonSolve, ImpossibleInputEndsWithoutNaNAndWithOneMessage) {
  // Zero base diameter: tan(pi/2) is refused and the Jacobian is infinite;
  // the step is not taken.
  GearPair g;
  NewtonParams p = ChordAtHeight(kSpur, 61.0);
  p.DB = 0.0;
  NewtonVector x{0.02, 61.0, 0.0};
  NewtonSolve(g, 2, kSystemChordAtHeight, x, p);
  EXPECT_TRUE(g.newtonFailed);
  EXPECT_EQ(g.messages.size(), 1u);
  EXPECT_EQ(x, (NewtonVector{0.02, 61.0, 0.0}));

  // A chord measured under the base circle: the arc cosine is refused on
  // every iteration; one message is kept.
  GearPair h;
  h.z2 = 40.0, h.da2 = 131.4;
  NewtonParams q = Identified({3.0, 40.0, Deg(20), Deg(15), 0.2});
  q.HCm = 10.0, q.SCm = 6.0;
  NewtonVector y{0.05, h.da2 - 2.0 * q.HCm, 0.2};
  EXPECT_GT(NewtonSolve(h, 3, kSystemChordIdentExternal + kIdentShift, y, q).newtonIter, 1);
  EXPECT_TRUE(h.driverError);
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].text, kArcCosError);

  // No system behind the number, or the wrong number of unknowns.
  for (auto [n, system] : {std::pair{2, 8}, std::pair{3, 0}, std::pair{3, 3}, std::pair{2, 11}}) {
    NewtonVector z{1.0, 2.0, 3.0};
    EXPECT_EQ(NewtonSolve(h, n, system, z, p).newtonIter, 0);
    EXPECT_TRUE(h.newtonFailed);
    EXPECT_EQ(z, (NewtonVector{1.0, 2.0, 3.0}));
  }
}

// ---------------------------------------------------------------------------

TEST(NewtonKnownValues, ProtuberanceUndercutMeetsTheTrochoidOfTheFlankEnd) {
  // Transverse section. The gear (pitch radius R) turns by phi while the
  // tool's rolling line, tangent to the pitch circle, moves by R phi. The
  // protuberance flank (transverse angle PHI) passes the pitch point at
  // phi = 0; its end lies h = hFfP - (x + hprExtra) mn inside the rolling
  // line. In the tool's frame
  //  - the flank touches the involute it generates at the foot of the
  //    perpendicular from the pitch point, K = (R phi cos^2 PHI, -R + R phi sin PHI cos PHI);
  //  - the flank end is at E = (R phi - h tan PHI, -R + h);
  // and a point p at roll phi has the polar angle angle(p) - phi on the gear.
  // With h > R sin^2 PHI the trochoid of E cuts the involute; the diameter
  // of that point, by bisection, is u1 times the protuberance base diameter.
  struct Case {
    int system;
    double z, betaDeg, alphaprDeg, hFfStar, x, hprExtra;
    NewtonVector start;  // from the tool's table of start values by depth
  };
  const Case cases[] = {
      {1, 12.0, 0.0, 10.0, 1.4, 0.1, 0.05, {1.05, 0.6, 0.08}},
      {1, 12.0, 20.0, 10.0, 1.0, 0.1, 0.05, {1.02, 0.2, 0.0001}},
      {2, 25.0, 12.0, 8.0, 1.2, -0.2, 0.02, {1.05, 0.6, 0.08}},
      {2, 25.0, 0.0, 12.0, 1.2, 0.3, 0.0, {1.0007, 0.07, 0.00002}},
  };
  for (const Case& c : cases) {
    const bool wheel = c.system == 2;
    GearPair g;
    g.mn = 2.0, g.beta = Deg(c.betaDeg);
    const double d = g.mn * c.z / std::cos(g.beta);
    (wheel ? g.d2 : g.d1) = d;
    (wheel ? g.alphaprP02 : g.alphaprP01) = Deg(c.alphaprDeg);
    (wheel ? g.hFfP2 : g.hFfP1) = c.hFfStar * g.mn;
    (wheel ? g.x2 : g.x1) = c.x;
    (wheel ? g.hprExtra2 : g.hprExtra1) = c.hprExtra;
    (wheel ? g.d1 : g.d2) = 1000.0;  // the other gear's data must not matter
    (wheel ? g.hFfP1 : g.hFfP2) = 77.0;

    const double R = d / 2.0;
    const double phi = std::atan(std::tan(Deg(c.alphaprDeg)) / std::cos(g.beta));
    const double s = std::sin(phi), co = std::cos(phi), tn = std::tan(phi);
    const double h = (c.hFfStar - c.x - c.hprExtra) * g.mn;
    ASSERT_GT(h, R * s * s);
    auto polar = [](double px, double py) { return std::atan2(px, -py); };
    // Trochoid minus involute in polar angle at radius r (the involute's
    // branch that reaches out to the tip, phi < tan PHI).
    auto gap = [&](double r) {
      const double phiK = (s - std::sqrt(r * r / (R * R) - co * co)) / co;
      const double phiE = (h * tn + std::sqrt(r * r - (R - h) * (R - h))) / R;
      return polar(R * phiE - h * tn, -R + h) - phiE -
             (polar(R * phiK * co * co, -R + R * phiK * s * co) - phiK);
    };
    double lo = std::max(R * co, R - h) * (1.0 + 1e-12), hi = R + h;
    ASSERT_TRUE(gap(lo) > 0.0 && gap(hi) < 0.0);
    for (int k = 0; k < 100; ++k) (gap((lo + hi) / 2.0) > 0.0 ? lo : hi) = (lo + hi) / 2.0;

    NewtonVector x = c.start;
    NewtonSolve(g, 3, c.system, x, NewtonParams{});
    EXPECT_FALSE(g.newtonFailed);
    EXPECT_NEAR(x[0] * co * d, 2.0 * lo, 1e-9) << c.system << " z " << c.z;
    EXPECT_TRUE(g.messages.empty());
  }
}

}  // namespace
}  // namespace kolmira
