#include "engine/ShiftDistribution.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"
#include "engine/PairGeometry.h"

namespace kolmira {
namespace {

// Specific sliding at the two roots of an external pair, from the textbook
// definition zeta = 1 - (v of the mate) / (v of the flank) along the path of
// contact: at the pinion root the contact is at the wheel tip, and at the
// wheel root at the pinion tip; the radii of curvature there add up to T1T2.
struct RootSliding {
  double pinion, wheel;
};

RootSliding SlidingAtRoots(const GearPair& g) {
  const double rb1 = g.db1 / 2.0, rb2 = g.db2 / 2.0;
  const double t1t2 = g.aw * std::sin(g.alphaWt);
  const double wheelTip = std::sqrt(g.da2 * g.da2 / 4.0 - rb2 * rb2);
  const double pinionTip = std::sqrt(g.da1 * g.da1 / 4.0 - rb1 * rb1);
  const double u = g.z2 / g.z1;
  return {1.0 - (wheelTip / (t1t2 - wheelTip)) / u, 1.0 - (pinionTip / (t1t2 - pinionTip)) * u};
}

TEST(ZeroShifts, ReturnsToTheUnshiftedPairWithComputedTips) {
  GearPair g = test::StandardExternalPair();
  g.x1 = 0.5, g.x2 = -0.1, g.xSum = 0.4, g.kStar = 0.02;
  g.geometryReady = 7;
  PairFromShifts(g);
  ASSERT_GT(g.aw, 30.0);
  ZeroShifts(g);
  EXPECT_EQ(g.x1, 0.0);
  EXPECT_EQ(g.x2, 0.0);
  EXPECT_EQ(g.xSum, 0.0);
  EXPECT_EQ(g.kStar, 0.0);
  EXPECT_DOUBLE_EQ(g.aw, 30.0);
  EXPECT_DOUBLE_EQ(g.alphaWt, g.alphaT);
  EXPECT_DOUBLE_EQ(g.da1, 22.0);

  // A typed tip stays through the geometry; the computed tips forget it.
  g.da1 = 23.0, g.da1Given = true;
  BasicGeometry(g);
  EXPECT_EQ(g.da1, 23.0);
  ComputedTipDiameters(g);
  EXPECT_FALSE(g.da1Given);
  EXPECT_DOUBLE_EQ(g.da1, 22.0);
}

TEST(BalanceSliding, EqualisesTheSlidingAtBothRoots) {
  // The standard pair balances at about a quarter module; a helical pair
  // with a shift sum 0.3 somewhere. Cross-checked by the textbook sliding
  // at the two roots, which must be equal.
  struct Case {
    double mn, z1, z2, betaDeg, xSum;
  };
  for (const Case& c : {Case{1.0, 20.0, 40.0, 0.0, 0.0}, Case{2.0, 17.0, 53.0, 15.0, 0.3}}) {
    GearPair g = test::StandardExternalPair();
    g.mn = c.mn, g.z1 = c.z1, g.z2 = c.z2, g.beta = test::Deg(c.betaDeg);
    g.xSum = g.x1 = c.xSum, g.x2 = 0.0;
    g.geometryReady = 6;
    PairFromShifts(g);
    PrepareSlidingBalance(g);
    BalanceSliding(g);
    EXPECT_TRUE(g.messages.empty());
    ASSERT_TRUE(g.shiftSolutionOk);
    if (c.xSum == 0.0) {
      EXPECT_NEAR(g.x1, 0.25, 0.02);
    }
    g.x2 = g.xSum - g.x1, g.geometryReady = 7;
    PairFromShifts(g);
    const RootSliding s = SlidingAtRoots(g);
    EXPECT_NEAR(s.pinion, s.wheel, 1e-8) << c.z1;
    EXPECT_LT(s.pinion, 0.0);
  }
}

TEST(BalanceSliding, ReportsWhenThereIsNoBalance) {
  // Without a centre distance there is nothing to balance.
  GearPair g = test::StandardExternalPair();
  g.aw = 0.0, g.x1 = 0.123;
  PrepareSlidingBalance(g);
  BalanceSliding(g);
  ASSERT_EQ(g.messages.size(), 1u);
  EXPECT_EQ(g.messages[0].title, "  Chyba !");
  EXPECT_EQ(g.messages[0].text, "Neexistuje řešení pro vyrovnání měrných skluzů");
  EXPECT_FALSE(g.shiftSolutionOk);
  EXPECT_EQ(g.x1, 0.123);

  // A shift sum so large that for every x1 in [-2, 5] one tip lies inside
  // its base circle or the balance keeps one sign.
  GearPair h = test::StandardExternalPair();
  h.xSum = -9.0, h.geometryReady = 6, h.slidingBalanceRunning = true;
  PairFromShifts(h);
  h.slidingBalanceRunning = false;
  h.messages.clear();
  h.x1 = 0.5;
  PrepareSlidingBalance(h);
  BalanceSliding(h);
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].text, "Neexistuje řešení pro vyrovnání měrných skluzů");
  EXPECT_EQ(h.x1, 0.5);
}

TEST(BalanceSliding, InternalPairAndRackFindABalanceInsideTheRange) {
  GearPair g = test::StandardInternalPair();
  g.xSum = 0.0;
  PrepareSlidingBalance(g);
  BalanceSliding(g);
  EXPECT_TRUE(g.shiftSolutionOk);
  EXPECT_GT(g.x1, -2.0);
  EXPECT_LT(g.x1, 5.0);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());

  // A pinion against a rack balances with a positive shift.
  GearPair r = test::StandardExternalPair();
  r.rackMode = true, r.z2 = 5000.0;
  RackGeometry(r);
  BalanceSlidingRack(r);
  EXPECT_TRUE(r.shiftSolutionOk);
  EXPECT_TRUE(r.messages.empty());
  EXPECT_GT(r.x1, 0.0);
  EXPECT_LT(r.x1, 1.0);
}

}  // namespace
}  // namespace kolmira
