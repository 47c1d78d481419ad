#include "engine/ShaperCutter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"
#include "engine/Involute.h"

namespace kolmira {
namespace {

using test::Deg;

TEST(ShaperCutter, CuttingPairOfTheStandardAndAShiftedCutter) {
  GearPair g = test::StandardInternalPair();
  CutterGeometry(g);
  // 35 teeth, module 1, no shift: d0 = 35, tip = d0 + 2 (haP1* + cP1*) m.
  EXPECT_DOUBLE_EQ(g.d0, 35.0);
  EXPECT_NEAR(g.db0, 35.0 * std::cos(Deg(20)), 1e-12);
  EXPECT_DOUBLE_EQ(g.da0, 37.5);
  // Unshifted cutting pair: it works at the reference centre distance and
  // cuts the standard ring's root.
  EXPECT_NEAR(g.alphaW0, g.alphaT, 1e-10);
  EXPECT_NEAR(g.aw0, (35.0 - 80.0) / 2.0, 1e-9);
  EXPECT_NEAR(2.0 * g.aw0 - g.da0, -82.5, 1e-9);
  // Involute start of the cutter: the plain form circle of a tool with the
  // straight flank depth hFf0* = 1.25 - (1 - sin 20°) 0.38 = 0.99997, taken
  // as 1: tan(alphaFf0) = tan(20°) - 4 hFf0* / (z0 sin 40°).
  EXPECT_EQ(g.hFf0Star, 1.0);
  EXPECT_NEAR(std::tan(g.alphaFf0), std::tan(Deg(20)) - 4.0 * 1.0 / (std::sin(Deg(40)) * 35.0),
              1e-12);
  EXPECT_FALSE(g.cutterUndercut);

  // Shifted: inv(alphaW0) = 2 tan(alphaP) (x0 + x2) / (z0 + z2) + inv(alphaT).
  GearPair s = test::StandardInternalPair();
  s.x0 = 0.3;
  s.x2 = 0.1;
  CutterGeometry(s);
  const double inv = 2.0 * std::tan(Deg(20)) * 0.4 / (35.0 - 80.0) + Involute(Deg(20));
  EXPECT_NEAR(Involute(s.alphaW0), inv, 1e-11);
  EXPECT_NEAR(s.aw0, (35.0 - 80.0) / 2.0 * std::cos(Deg(20)) / std::cos(s.alphaW0), 1e-9);
  EXPECT_DOUBLE_EQ(s.da0, 2.0 * (17.5 + 0.3 + 1.25));
}

TEST(ShaperCutter, TipThicknessSharpRoundedAndFullyRounded) {
  // Sharp: the involute thickness at the tip, s = d (s0/d0 + inv(alphaT) -
  // inv(alpha at d)), s0/d0 = pi / (2 z0).
  GearPair g = test::StandardInternalPair();
  g.rhoa0Max = 0.0;
  CutterGeometry(g);
  const double alphaA = std::acos(g.db0 / g.da0);
  const double sharp = g.da0 * (kPi / 70.0 + Involute(Deg(20)) - Involute(alphaA));
  EXPECT_NEAR(g.sa0, sharp, 1e-12);
  EXPECT_GT(g.sa0, 0.0);
  // A rounded tip is thinner, but still has a land.
  g.rhoa0Max = 0.5;
  g.rhoa0Star = 0.2;
  CutterTipThickness(g);
  EXPECT_LT(g.sa0, sharp);
  EXPECT_GT(g.sa0, 0.0);

  // The largest tip radius r puts the rounding's centre on the tooth's centre
  // line at radius rc = da0/2 - r; its distance to the involute flank along
  // the flank normal (tangent to the base circle) is rb psi(rc), psi being
  // the half tooth angle there. Tangency: r = rb psi(rc).
  GearPair f = test::StandardInternalPair();
  CutterFullyRoundedTip(f);
  const double r = f.rhoa0Max;
  ASSERT_GT(r, 0.0);
  const double rc = f.da0 / 2.0 - r, rb = f.db0 / 2.0;
  EXPECT_NEAR(r, rb * (kPi / 70.0 + Involute(f.alphaT) - Involute(std::acos(rb / rc))), 1e-9);
  EXPECT_DOUBLE_EQ(f.rhoa0Star, r / f.mn);
  // The rounding reaches the involute below the tip.
  EXPECT_GT(f.ca0, 0.0);
  EXPECT_LT(f.dR0, f.da0);
  EXPECT_GT(f.dR0, f.db0);
  // With the fully rounded option the tip has no flat land left.
  f.fullyRounded = true;
  CutterTipThickness(f);
  EXPECT_EQ(f.sa0, 0.0);
}

}  // namespace
}  // namespace kolmira
