#include "engine/ShaperCutter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"
#include "engine/Involute.h"

namespace kolmira {
namespace {

using test::Deg;

TEST(ShaperCutter, StandardCutterCutsTheStandardRing) {
  GearPair g = test::StandardInternalPair();
  CutterGeometry(g);
  // 35 teeth, module 1, no shift: d0 = 35, tip = d0 + 2 (haP1* + cP1*) m.
  EXPECT_DOUBLE_EQ(g.d0, 35.0);
  EXPECT_NEAR(g.db0, 35.0 * std::cos(Deg(20)), 1e-12);
  EXPECT_DOUBLE_EQ(g.da0, 37.5);
  // Unshifted cutting pair: it works at the reference centre distance.
  EXPECT_NEAR(g.alphaW0, g.alphaT, 1e-10);
  EXPECT_NEAR(g.aw0, (35.0 - 80.0) / 2.0, 1e-9);
  EXPECT_NEAR(2.0 * g.aw0 - g.da0, -82.5, 1e-9);
  // Involute start of the cutter: the plain form circle formula with the
  // straight flank depth hFf0* = 1.25 - (1 - sin 20°) 0.38.
  const double hFf0 = 1.25 - (1.0 - std::sin(Deg(20))) * 0.38;
  EXPECT_NEAR(g.hFf0Star, 1.0, 0.0);  // snapped
  EXPECT_NEAR(std::tan(g.alphaFf0), std::tan(Deg(20)) - 4.0 * 1.0 / (std::sin(Deg(40)) * 35.0),
              1e-12);
  EXPECT_NEAR(hFf0, 0.99997, 1e-5);
  EXPECT_FALSE(g.cutterUndercut);
}

TEST(ShaperCutter, ShiftedCuttingPairFollowsTheInvoluteRelation) {
  GearPair g = test::StandardInternalPair();
  g.x0 = 0.3;
  g.x2 = 0.1;
  CutterGeometry(g);
  // inv(alphaW0) = 2 tan(alphaP) (x0 + x2) / (z0 + z2) + inv(alphaT).
  const double inv = 2.0 * std::tan(Deg(20)) * 0.4 / (35.0 - 80.0) + Involute(Deg(20));
  EXPECT_NEAR(Involute(g.alphaW0), inv, 1e-11);
  EXPECT_NEAR(g.aw0, (35.0 - 80.0) / 2.0 * std::cos(Deg(20)) / std::cos(g.alphaW0), 1e-9);
  EXPECT_DOUBLE_EQ(g.da0, 2.0 * (17.5 + 0.3 + 1.25));
}

TEST(ShaperCutter, SharpTipThicknessIsTheInvoluteThicknessAtTheTip) {
  GearPair g = test::StandardInternalPair();
  g.rhoa0Max = 0.0;
  CutterGeometry(g);
  // s = d (s0/d0 + inv(alphaT) - inv(alpha at d)), s0/d0 = pi / (2 z0).
  const double alphaA = std::acos(g.db0 / g.da0);
  const double expected = g.da0 * (kPi / 70.0 + Involute(Deg(20)) - Involute(alphaA));
  EXPECT_NEAR(g.sa0, expected, 1e-12);
  EXPECT_GT(g.sa0, 0.0);
}

TEST(ShaperCutter, FullyRoundedTipTouchesBothFlanks) {
  // The largest tip radius r puts the rounding's centre on the tooth's centre
  // line at radius rc = da0/2 - r; its distance to the involute flank along
  // the flank normal (tangent to the base circle) is rb psi(rc), psi being
  // the half tooth angle there. Tangency: r = rb psi(rc).
  for (double beta : {0.0}) {
    GearPair g = test::StandardInternalPair();
    g.beta = beta;
    CutterFullyRoundedTip(g);
    const double r = g.rhoa0Max;
    ASSERT_GT(r, 0.0);
    const double rc = g.da0 / 2.0 - r;
    const double rb = g.db0 / 2.0;
    const double psi = kPi / 70.0 + Involute(g.alphaT) - Involute(std::acos(rb / rc));
    EXPECT_NEAR(r, rb * psi, 1e-9);
    EXPECT_DOUBLE_EQ(g.rhoa0Star, r / g.mn);
    // The rounding reaches the involute below the tip.
    EXPECT_GT(g.ca0, 0.0);
    EXPECT_LT(g.dR0, g.da0);
    EXPECT_GT(g.dR0, g.db0);

    // With the fully rounded option the tip has no flat land left.
    g.fullyRounded = true;
    CutterTipThickness(g);
    EXPECT_EQ(g.sa0, 0.0);
  }
}

TEST(ShaperCutter, RoundedTipIsThinnerThanTheSharpTip) {
  GearPair g = test::StandardInternalPair();
  CutterGeometry(g);
  const double sharp = g.sa0;
  g.rhoa0Max = 0.5;  // a rounding was computed
  g.rhoa0Star = 0.2;
  CutterTipThickness(g);
  EXPECT_LT(g.sa0, sharp);
  EXPECT_GT(g.sa0, 0.0);
}

}  // namespace
}  // namespace kolmira
