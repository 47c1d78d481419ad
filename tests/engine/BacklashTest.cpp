#include "engine/Backlash.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "engine/ShiftedPair.h"

namespace kolmira {
namespace {

using test::Deg;

struct PairCase {
  const char* name;
  test::PairData data;
};

// Backlash-free pairs: the published KHK spur and helical examples, the
// program's start pair, and an internal pair with shifts.
const PairCase kPairs[] = {
    {"KHK spur 12/24", {.mn = 3.0, .z1 = 12.0, .z2 = 24.0, .x1 = 0.6, .x2 = 0.36}},
    {"KHK helical 12/60", {.mn = 3.0, .z1 = 12.0, .z2 = 60.0, .x1 = 0.09809, .betaDeg = 30.0}},
    {"start pair 20/40", {}},
    {"internal 20/-80", {.mn = 2.0, .z2 = -80.0, .x1 = 0.2, .x2 = 0.1, .betaDeg = 15.0}},
};

GearPair MakePair(const PairCase& c) {
  return test::ShiftedPair(c.data);
}

// Textbook backlash of a pair with the given shifts at the centre distance
// aPrime, from the tooth thicknesses on the working circles:
//   transverse thickness on a circle dy:  sy = dy (s/d + inv alphaT - inv alphaY),
//   reference thickness:                  s  = mt (pi/2 + 2 x tan alphaN),
//   working pressure angle:               cos alpha' = a cos alphaT / a',
//   working circles:                      dw = d cos alphaT / cos alpha',
//   circumferential backlash:             jt = pi dw1 / z1 - s1w - s2w,
//   normal backlash (along the line of action, normal to the flanks):
//                                         jn = jt cos alpha' cos betaB.
// External pairs only: for a ring the same sum needs its own sign rules.
double TextbookBacklash(const test::PairData& c, double aPrime) {
  const double alphaN = Deg(20.0);
  const double beta = Deg(c.betaDeg);
  const double mt = c.mn / std::cos(beta);
  const double alphaT = std::atan(std::tan(alphaN) / std::cos(beta));
  const double betaB = std::asin(std::sin(beta) * std::cos(alphaN));
  const double d1 = mt * c.z1, d2 = mt * c.z2;
  const double a = (d1 + d2) / 2.0;
  const double alphaW = std::acos(a * std::cos(alphaT) / aPrime);
  const auto inv = [](double t) { return std::tan(t) - t; };
  const auto thickness = [&](double d, double x) {
    const double s = mt * (kPi / 2.0 + 2.0 * x * std::tan(alphaN));
    const double dw = d * std::cos(alphaT) / std::cos(alphaW);
    return dw * (s / d + inv(alphaT) - inv(alphaW));
  };
  const double dw1 = d1 * std::cos(alphaT) / std::cos(alphaW);
  const double jt = kPi * dw1 / c.z1 - thickness(d1, c.x1) - thickness(d2, c.x2);
  return jt * std::cos(alphaW) * std::cos(betaB);
}

TEST(Backlash, MovingApartGivesTheBacklashOfTheToothThicknessesOnTheWorkingCircle) {
  for (const PairCase& c : kPairs) {
    if (c.data.z2 < 0.0) continue;
    for (double apart : {0.01, 0.1, 0.5}) {
      GearPair g = MakePair(c);
      g.jnByApart = true, g.awJ = g.aw + apart;
      ASSERT_TRUE(BacklashFromCentreDistance(g)) << c.name;
      EXPECT_NEAR(g.jn, TextbookBacklash(c.data, g.awJ), 1e-9) << c.name << " +" << apart;
      EXPECT_NEAR(std::cos(g.alphaWtJ) * g.awJ, g.a * std::cos(g.alphaT), 1e-12) << c.name;
    }
  }
}

// For a small change of the centre distance the backlash is, to first
// order, jn = 2 (a' - aw) sin(alphaWt) cos(betaB): each flank moves off its
// mate along the line of action. Signed distances make it hold for a ring
// too, whose backlash grows as its negative centre distance nears zero.
TEST(Backlash, SmallMoveApartFollowsTheFirstOrderRelation) {
  for (const PairCase& c : kPairs) {
    GearPair g = MakePair(c);
    const double delta = 1e-4;
    g.awJ = g.aw + delta;
    ASSERT_TRUE(BacklashFromCentreDistance(g)) << c.name;
    const double betaB = std::asin(std::sin(Deg(c.data.betaDeg)) * std::cos(Deg(20.0)));
    const double firstOrder = 2.0 * delta * std::sin(g.alphaWt) * std::cos(betaB);
    EXPECT_GT(g.jn, 0.0) << c.name;
    EXPECT_NEAR(g.jn, firstOrder, 1e-4 * firstOrder) << c.name;
  }
}

TEST(Backlash, RoundTripsAgree) {
  for (const PairCase& c : kPairs) {
    for (double jn : {0.001, 0.05, 0.4}) {
      const double backlash = jn * c.data.mn;
      // Moving apart: jn -> awJ -> jn, and awJ -> jn -> awJ.
      GearPair g = MakePair(c);
      g.jn = backlash;
      ASSERT_TRUE(CentreDistanceFromBacklash(g)) << c.name;
      const double awJ = g.awJ;
      ASSERT_TRUE(BacklashFromCentreDistance(g)) << c.name;
      EXPECT_NEAR(g.jn, backlash, 1e-9) << c.name << " jn " << backlash;
      ASSERT_TRUE(CentreDistanceFromBacklash(g));
      EXPECT_NEAR(g.awJ, awJ, 1e-9) << c.name << " awJ";

      // Extra shift: jn -> xSumBacklash -> jn.
      GearPair s = MakePair(c);
      s.jn = backlash;
      ShiftSumFromBacklash(s);
      // jn = 2 mn sin(alphaN) (xSum - xSumBacklash)
      EXPECT_NEAR(s.xSumBacklash, s.xSum - backlash / (2.0 * c.data.mn * std::sin(Deg(20.0))),
                  1e-12);
      s.jn = 0.0;
      BacklashFromShiftSum(s);
      EXPECT_NEAR(s.jn, backlash, 1e-12) << c.name;
    }
  }
}

TEST(Backlash, CentreDistanceWithoutBacklashOfAShiftSum) {
  // KHK: mn 3, z 12/24, x1 + x2 = 0.96 mesh without backlash at aw 56.4999
  // (printed to 4 decimals) and alphaWt 26.0886 degrees.
  GearPair g = MakePair(kPairs[0]);
  ASSERT_TRUE(AwNoBacklash(g, 0.96));
  EXPECT_NEAR(g.awNoBacklash, 56.4999, 5e-5);
  EXPECT_NEAR(g.alphaWNoBacklash * kRadToDeg, 26.0886, 5e-5);
  // The shift sum taken off for a backlash pulls that distance in by
  // jn / (2 sin alphaWt) to first order.
  GearPair s = MakePair(kPairs[0]);
  s.jn = 0.003;
  ShiftSumFromBacklash(s);
  ASSERT_TRUE(AwNoBacklash(s, s.xSumBacklash));
  EXPECT_NEAR(s.aw - s.awNoBacklash, 0.003 / (2.0 * std::sin(s.alphaWt)), 1e-6);
  // A sum below the limiting one has no working pressure angle: nothing changes.
  const double before = s.awNoBacklash;
  EXPECT_FALSE(AwNoBacklash(s, -3.0));
  EXPECT_EQ(s.awNoBacklash, before);
}

TEST(Backlash, DegenerateInternalPairIsLinear) {
  // 20 teeth in a 20-tooth ring: aw = sin(alphaT) xSum mn, angles pi/2.
  GearPair g = test::StandardInternalPair();
  g.mn = 2.0, g.z2 = -20.0, g.x1 = g.x2 = -0.25, g.xSum = -0.5;
  g.geometryReady = 7;
  PairFromShifts(g);
  const double sinAlphaT = std::sin(Deg(20.0));
  ASSERT_NEAR(g.aw, -0.5 * 2.0 * sinAlphaT, 1e-15);
  ASSERT_TRUE(IsDegeneratePair(g));

  g.awJ = g.aw + 0.05;  // moved apart by 0.05: jn = 2 * 0.05
  ASSERT_TRUE(BacklashFromCentreDistance(g));
  EXPECT_NEAR(g.jn, 0.1, 1e-15);
  EXPECT_EQ(g.alphaWtJ, kPi / 2.0);
  g.jn = 0.3;
  ASSERT_TRUE(CentreDistanceFromBacklash(g));
  EXPECT_NEAR(g.awJ, g.aw + 0.15, 1e-15);
  EXPECT_EQ(g.alphaWtJ, kPi / 2.0);

  // Extra shift: the shift sum whose centre distance is 0.15 nearer.
  ShiftSumFromBacklash(g);
  EXPECT_NEAR(g.xSumBacklash, (g.aw - 0.15) / (2.0 * sinAlphaT), 1e-14);
  g.jn = 0.0;
  BacklashFromShiftSum(g);
  EXPECT_NEAR(g.jn, 0.3, 1e-14);
  ASSERT_TRUE(AwNoBacklash(g, g.xSumBacklash));
  EXPECT_NEAR(g.awNoBacklash, g.aw - 0.15, 1e-14);
  EXPECT_EQ(g.alphaWNoBacklash, kPi / 2.0);
}

TEST(Backlash, CentreDistancesThatNoPairRollsAtAreRefused) {
  GearPair g = MakePair(kPairs[2]);  // 20/40: a cos(alphaT) = 28.19
  for (double awJ : {28.0, -30.0}) {
    g.awJ = awJ, g.jn = 0.123;
    EXPECT_FALSE(BacklashFromCentreDistance(g)) << awJ;
    EXPECT_EQ(g.jn, 0.123);
  }
  g.awJ = 0.0;  // not given: the gears stay, no backlash
  ASSERT_TRUE(BacklashFromCentreDistance(g));
  EXPECT_EQ(g.awJ, g.aw);
  EXPECT_EQ(g.jn, 0.0);

  // A ring one tooth larger than its pinion cannot open 0.5 mm by moving:
  // its working angle would have to fall below zero.
  GearPair r = test::ShiftedPair({.z2 = -21.0});
  r.jn = 0.5, r.awJ = 7.0;
  EXPECT_FALSE(CentreDistanceFromBacklash(r));
  EXPECT_EQ(r.awJ, 7.0);
}

TEST(Backlash, ResetReturnsToTheBacklashFreePair) {
  struct Case {
    const char* name;
    GearType gearType;
    double z2;
    bool rack;
  };
  for (const Case& c : {Case{"external", GearType::External, 40.0, false},
                        Case{"degenerate", GearType::Internal, -20.0, false},
                        Case{"rack", GearType::External, 5000.0, true}}) {
    GearPair g = c.gearType == GearType::Internal ? test::StandardInternalPair()
                                                  : test::StandardExternalPair();
    g.z2 = c.z2, g.rackMode = c.rack, g.geometryReady = 7;
    g.x1 = 0.3, g.x2 = c.rack ? 0.0 : (c.gearType == GearType::Internal ? -0.5 : 0.2);
    g.xSum = g.x1 + g.x2;
    if (c.rack) {
      RackGeometry(g);
    } else {
      PairFromShifts(g);
    }
    g.xSumNoBacklash = g.xSum, g.x1NoBacklash = g.x1;
    g.awEntered = g.aw, g.alphaWNoBacklash = g.alphaWt;
    const double alphaWt = g.alphaWt;
    const double aw = c.rack ? 0.0 : g.aw;
    // What the backlash made of it.
    g.jn = 0.2, g.xSumBacklash = 0.1, g.x1 = g.x2 = 0.05, g.alphaWt = 0.5;
    g.aw = g.awJ = g.awNoBacklash = 31.0, g.thinAngle1 = g.thinAngle2 = 0.01;
    ResetToBacklashFree(g);
    EXPECT_EQ(g.jn, 0.0) << c.name;
    EXPECT_EQ(g.xSumBacklash, 0.0) << c.name;
    EXPECT_EQ(g.thinAngle1 + g.thinAngle2, 0.0) << c.name;
    EXPECT_EQ(g.x1, 0.3) << c.name;
    EXPECT_EQ(g.x2, c.rack ? 0.0 : g.xSumNoBacklash - 0.3) << c.name;
    EXPECT_EQ(g.aw, aw) << c.name;
    EXPECT_EQ(g.awJ, aw) << c.name;
    EXPECT_NEAR(g.awNoBacklash, aw, 1e-9) << c.name;
    EXPECT_NEAR(g.alphaWt, c.gearType == GearType::Internal ? kPi / 2.0 : alphaWt, 1e-9) << c.name;
    EXPECT_NEAR(g.alphaWtDeg, g.alphaWt * kRadToDeg, 1e-12) << c.name;
  }
}

}  // namespace
}  // namespace kolmira
