#include "engine/Involute.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestPairs.h"

namespace kolmira {
namespace {

TEST(Guarded, RefuseArgumentsOutsideTheirDomainWithAMessageOnly) {
  struct Case {
    double (*function)(GearPair&, double);
    double argument;
    const char* message;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {GuardedTan, kPi / 2.0, kTanError},       {GuardedTan, nan, kTanError},
      {GuardedArcCos, 1.0000001, kArcCosError}, {GuardedArcCos, -1.0000001, kArcCosError},
      {GuardedArcCos, nan, kArcCosError},       {GuardedArcSin, 1.5, kArcSinError},
      {GuardedArcSin, -HUGE_VAL, kArcSinError},
  };
  for (const auto& c : cases) {
    GearPair g;
    EXPECT_EQ(c.function(g, c.argument), 0.0) << c.message;
    EXPECT_TRUE(g.driverError);
    ASSERT_EQ(g.messages.size(), 1u);
    EXPECT_EQ(g.messages[0].title, "  Chyba !");
    EXPECT_EQ(g.messages[0].text, c.message);
  }
  // Exact values at the ends of the domain, and no message inside it.
  GearPair g;
  EXPECT_EQ(GuardedArcCos(g, 1.0), 0.0);
  EXPECT_EQ(GuardedArcCos(g, -1.0), kPi);
  EXPECT_EQ(GuardedArcSin(g, 1.0), kPi / 2.0);
  EXPECT_EQ(GuardedArcSin(g, -1.0), -kPi / 2.0);
  EXPECT_NEAR(GuardedArcCos(g, 0.5), kPi / 3.0, 1e-15);
  EXPECT_NEAR(GuardedArcSin(g, 0.5), kPi / 6.0, 1e-15);
  EXPECT_NEAR(GuardedTan(g, kPi / 4.0), 1.0, 1e-15);
  EXPECT_FALSE(g.driverError);
  EXPECT_TRUE(g.messages.empty());
}

TEST(InverseInvolute, FindsTheAngleOfAnInvolute) {
  for (double t : {0.05, 0.2, 0.35, 0.7, 1.0, 1.3, 1.45}) {
    // |inv(t') - inv(t)| < 1e-11 and inv' = tan^2, so the angle is good to
    // 1e-11 / tan^2(t).
    const double tolerance = 1e-11 / std::pow(std::tan(t), 2) + 1e-15;
    EXPECT_NEAR(InverseInvoluteValue(Involute(t)), t, tolerance) << t;
  }
}

TEST(InverseInvolute, NoAngleBelowHalfPiGivesZero) {
  // The search steps by 0.1 rad and gives up once its upper end reaches
  // pi/2: involutes of angles above 1.5 rad, and negative ones, have no root.
  EXPECT_EQ(InverseInvoluteValue(Involute(1.52)), 0.0);
  EXPECT_EQ(InverseInvoluteValue(1e6), 0.0);
  EXPECT_EQ(InverseInvoluteValue(-0.01), 0.0);
  EXPECT_EQ(InverseInvoluteValue(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(InverseInvolute, TestsTheShiftSumOfAnExternalPair) {
  GearPair g = test::StandardExternalPair();
  // xmez = -0.5 (z1 + z2) inv(alphaT) / tan(alphaP), here with alphaT = 20 deg.
  const double xmez = -0.5 * 60.0 * Involute(test::Deg(20)) / std::tan(test::Deg(20));

  g.x1 = xmez;  // at the limit: accepted
  g.x2 = 0.0;
  auto angle = InverseInvolute(g, g.invAlphaT);
  EXPECT_NEAR(g.xmez, xmez, 1e-12);
  EXPECT_TRUE(angle.has_value());
  EXPECT_TRUE(g.messages.empty());

  g.x1 = xmez - 2e-5;  // beyond the tolerance of 1e-5: refused
  angle = InverseInvolute(g, g.invAlphaT);
  EXPECT_FALSE(angle.has_value());
  EXPECT_TRUE(g.xSumBelowLimit);
  EXPECT_FALSE(g.shiftSolutionOk);
  ASSERT_EQ(g.messages.size(), 1u);
  EXPECT_EQ(g.messages[0].text, "Neexistuje řešení - součet korekcí je menší než mezní");

  // While the sliding balance iterates the test is suspended.
  g.messages.clear();
  g.slidingBalanceRunning = true;
  EXPECT_TRUE(InverseInvolute(g, g.invAlphaT).has_value());
  EXPECT_TRUE(g.messages.empty());
}

TEST(InverseInvolute, TestsTheShiftSumOfAnInternalPairAndItsCutter) {
  GearPair g = test::StandardInternalPair();
  const double tanAlphaP = std::tan(test::Deg(20));
  const double xmez = -0.5 * (20.0 - 80.0) * Involute(test::Deg(20)) / tanAlphaP;
  g.x1 = xmez + 2e-5;
  g.x2 = 0.0;
  EXPECT_FALSE(InverseInvolute(g, g.invAlphaT).has_value());
  EXPECT_TRUE(g.xSumAboveLimit);
  ASSERT_EQ(g.messages.size(), 1u);
  EXPECT_EQ(g.messages[0].text, "Neexistuje řešení - součet korekcí je větší než mezní");

  // The cutting pair cutter / ring tests x0 + x2 against x0mez instead.
  g = test::StandardInternalPair();
  const double x0mez = -0.5 * (35.0 - 80.0) * Involute(test::Deg(20)) / tanAlphaP;
  g.cutterPairSolving = true;
  g.x0 = x0mez + 2e-5;
  g.x1 = 100.0;  // not tested while the cutter is solved
  EXPECT_FALSE(InverseInvolute(g, g.invAlphaT).has_value());
  EXPECT_NEAR(g.x0mez, x0mez, 1e-12);
  EXPECT_TRUE(g.x0SumAboveLimit);
  ASSERT_EQ(g.messages.size(), 1u);
  EXPECT_EQ(g.messages[0].text,
            "Neexistuje řešení - součet korekcí pro záběr Fellow-věnec je větší než mezní");
}

TEST(BracketBisect, EndsWithoutARootAtAPoleABadStepOrBeyondTheBound) {
  BracketSearch search;
  search.start = 0.0;
  search.firstHi = search.step = 0.1;
  search.bound = 2.0;
  // A sign change at a pole never reaches the tolerance: no root, no hang.
  EXPECT_EQ(BracketBisect([](double x) { return 1.0 / (x - 0.55); }, search), 0.0);
  // A simple root is found to the tolerance.
  EXPECT_NEAR(BracketBisect([](double x) { return x * x - 2.0; }, search), std::sqrt(2.0), 1e-11);
  for (const double step : {0.0, std::numeric_limits<double>::quiet_NaN()}) {
    search.step = step;
    EXPECT_EQ(BracketBisect([](double x) { return x - 1.0; }, search), 0.0) << step;
  }

  // Bound rules: a root beyond the bound is none; a member that counts a
  // root at or beyond its bound as none.
  search.firstHi = search.step = 0.5;
  search.bound = 1.0;
  auto f = [](double x) { return x - 1.2; };
  EXPECT_EQ(BracketBisect(f, search), 0.0);
  search.bound = 1.5;
  EXPECT_NEAR(BracketBisect(f, search), 1.2, 1e-11);
  search.bound = 1.2;
  search.zeroAtBound = true;
  EXPECT_EQ(BracketBisect(f, search), 0.0);
}

}  // namespace
}  // namespace kolmira
