// The complete check of external pairs and racks against textbook values,
// published examples and the edges of its limits.
#include "engine/Check.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "engine/Meshing.h"
#include "engine/PairGeometry.h"
#include "engine/ShiftDistribution.h"
#include "engine/ToothThickness.h"

namespace kolmira {
namespace {

using test::Deg;

double Square(double x) {
  return x * x;
}

// A pair defined by its shifts, as after typing x1 and x2.
GearPair ShiftedPair(double mn, double z1, double z2, double x1, double x2, double betaDeg = 0.0) {
  GearPair g = test::StandardExternalPair();
  g.mn = mn;
  g.z1 = z1;
  g.z2 = z2;
  g.beta = Deg(betaDeg);
  g.betaDeg = betaDeg;
  ZeroShifts(g);
  g.x1 = x1;
  g.x2 = x2;
  g.xSum = x1 + x2;
  g.geometryReady = 7;
  PairFromShifts(g);
  return g;
}

// Textbook transverse contact ratio of an external pair from its tips.
double TextbookContactRatio(const GearPair& g) {
  const double rb1 = g.db1 / 2.0, rb2 = g.db2 / 2.0;
  return (std::sqrt(Square(g.da1 / 2.0) - Square(rb1)) +
          std::sqrt(Square(g.da2 / 2.0) - Square(rb2)) - g.aw * std::sin(g.alphaWt)) /
         (kPi * g.mn * std::cos(g.alphaT) / std::cos(g.beta));
}

TEST(Check, StandardPairMeetsTheTextbookAndFindsNothing) {
  GearPair g = ShiftedPair(1.0, 20.0, 40.0, 0.0, 0.0);
  RunCheck(g);
  EXPECT_FALSE(g.driverError);
  EXPECT_TRUE(g.messages.empty());
  // (sqrt(11² - rb1²) + sqrt(21² - rb2²) - 30 sin 20°) / (pi cos 20°) = 1.6352
  EXPECT_NEAR(g.epsAlpha, TextbookContactRatio(g), 1e-12);
  EXPECT_NEAR(g.epsAlpha, 1.6352, 5e-5);
  EXPECT_EQ(g.epsBeta, 0.0);
  EXPECT_EQ(g.epsGamma, g.epsAlpha);
  EXPECT_FALSE(g.undercut1 || g.undercut2 || g.interference1 || g.interference2);
  EXPECT_TRUE(g.clearanceOk1 && g.clearanceOk2);
  EXPECT_FALSE(g.thinTip1 || g.thinTip2 || g.tipsApart);
  // Thickness on the reference circle: pi m / 2.
  EXPECT_NEAR(g.sn1, kPi / 2.0, 1e-12);
  EXPECT_NEAR(g.sn2, kPi / 2.0, 1e-12);
  // The undercut limit of a standard 20° rack: z_min = 2 / sin² 20° = 17.1.
  EXPECT_NEAR(g.z1min, 2.0 / Square(std::sin(Deg(20))), 1e-9);
  EXPECT_NEAR(g.z1min, 17.1, 0.005);
  // Spur pair: contact lines are b times the whole contact ratio and one more.
  EXPECT_DOUBLE_EQ(g.Lc1, 10.0);
  EXPECT_DOUBLE_EQ(g.LcMin, 10.0);
  EXPECT_DOUBLE_EQ(g.LcMax, 20.0);
  EXPECT_DOUBLE_EQ(g.zn1, 20.0);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());
}

TEST(Check, PublishedShiftedSpurPairContactRatio) {
  // KHK: m 3, z 12/24, x 0.6/0.36: transverse contact ratio 1.202.
  GearPair g = ShiftedPair(3.0, 12.0, 24.0, 0.6, 0.36);
  RunCheck(g);
  EXPECT_FALSE(g.driverError);
  EXPECT_NEAR(g.epsAlpha, 1.202, 0.0005);
}

TEST(Check, PublishedHelicalPairContactRatios) {
  // KHK: mn 3, z 12/60, beta 30°, b 20, x 0.09809/0: 1.294 and 1.061.
  GearPair g = ShiftedPair(3.0, 12.0, 60.0, 0.09809, 0.0, 30.0);
  g.b = 20.0;
  RunCheck(g);
  EXPECT_NEAR(g.epsAlpha, 1.294, 0.0005);
  EXPECT_NEAR(g.epsBeta, 1.061, 0.0005);
  EXPECT_NEAR(g.epsGamma, g.epsAlpha + g.epsBeta, 1e-15);
  // Helical contact lines lie between the extremes of the overlap.
  EXPECT_GT(g.LcMax, g.LcMin);
  EXPECT_NEAR(g.zn1, 12.0 / (Square(std::cos(g.betaB)) * std::cos(Deg(30))), 1e-12);
}

TEST(Check, EightToothPinionIsUndercutWithItsLimits) {
  GearPair g = ShiftedPair(1.0, 8.0, 40.0, 0.0, 0.0);
  RunCheck(g);
  EXPECT_TRUE(g.undercut1);
  // x_min = hFfP* - z sin²(alpha) / 2, z_min = 2 hFfP* / sin²(alpha).
  EXPECT_NEAR(g.x1min, 1.0 - 8.0 * Square(std::sin(Deg(20))) / 2.0, 1e-12);
  EXPECT_NEAR(g.z1min, 17.097, 0.0005);
  // The trochoid form circle lies above the base circle.
  EXPECT_GT(g.dFf1, g.db1);
  EXPECT_LT(g.dFf1, g.d1);
}

TEST(Check, BlockingShiftSumBelowItsLimit) {
  GearPair g = test::StandardExternalPair();
  // xmez = -0.5 (z1 + z2) inv(20°) / tan(20°) = -1.22849
  const double xmez = -30.0 * Involute(Deg(20)) / std::tan(Deg(20));
  g.x1 = xmez - 0.00001;
  g.x2 = 0.0;
  g.geometryReady = 7;
  RunCheckAndReport(g);
  EXPECT_TRUE(g.xSumBelowLimit);
  EXPECT_TRUE(g.driverError);
  EXPECT_EQ(g.lastInputField, 8);
  ASSERT_FALSE(g.messages.empty());
  EXPECT_EQ(g.messages.back().text,
            "Součet korekcí x1+x2 je menší než mezní (xmez=-1.2285) - záporný úhel záběru");
  EXPECT_EQ(g.messages.back().title, "  Chyba !");
}

TEST(Check, ToothlessPinionStopsAfterTheClearance) {
  GearPair g = test::StandardExternalPair();
  g.da1 = g.db1;  // the tip on the base circle: no involute at all
  g.da1Given = true;
  g.geometryReady = 7;
  g.epsAlpha = 123.0;  // left from an earlier run
  RunCheck(g);
  EXPECT_TRUE(g.noTooth1);
  EXPECT_EQ(g.epsAlpha, 123.0) << "the steps after the stop do not run";
}

TEST(Check, TipClearanceAgainstAQuarterModuleLessAThousandth) {
  struct Case {
    double clearance;  // in modules
    bool ok;
  };
  for (const Case c :
       {Case{0.2489, false}, Case{0.2491, true}, Case{0.25, true}, Case{-0.01, false}}) {
    GearPair g = test::StandardExternalPair();
    g.geometryReady = 7;
    g.da1 = 2.0 * (30.0 - c.clearance) - g.df2;
    g.da1Given = true;
    RunCheck(g);
    EXPECT_EQ(g.clearanceOk1, c.ok) << c.clearance;
    EXPECT_EQ(g.tipInRoot1, c.clearance < 0.0) << c.clearance;
  }
}

TEST(Check, StartOfContactBelowTheFormCircleByMoreThanTheToleranceIsInterference) {
  GearPair g = test::StandardExternalPair();
  g.geometryReady = 7;
  RunCheck(g);
  ASSERT_FALSE(g.interference1);
  // Move the form circle's angle so that contact starts around it.
  const double alphaNf1 = g.alphaNf1;
  for (const double below : {-0.0000011, 0.0, 0.0000009, 0.0000011, 0.001}) {
    GearPair h = g;
    h.alphaFf1 = alphaNf1 + below;
    CheckInterference(h);
    EXPECT_EQ(h.interference1, below > 0.000001) << below;
    if (h.interference1) {
      EXPECT_EQ(h.dNf1, h.dFf1);
    }
  }
}

TEST(Check, PairPulledApartDoesNotMesh) {
  GearPair g = test::StandardExternalPair();
  g.geometryReady = 7;
  g.jnByApart = true;
  g.backlashDirect = false;
  g.awJ = 32.5;  // the tips (22 and 42) no longer overlap the path
  g.alphaWtJ = std::acos(30.0 * std::cos(Deg(20)) / 32.5);
  g.b = 10.0;
  RunCheck(g);
  EXPECT_EQ(g.awEff, 32.5);
  EXPECT_EQ(g.epsAlpha, 0.0);
  EXPECT_EQ(g.epsGamma, g.epsBeta);
}

TEST(Check, ChamferBeginsWhereTheChamferInvoluteMeetsTheMainOne) {
  // The chamfering edge of the tool leaves its flank hK above the datum line
  // at the angle alphaK. As a rack of its own it has its datum where its
  // space is pi m / 2 wide, y0 = hK (1 - tan(alpha) / tan(alphaK)) above the
  // main one, so it generates an involute of shift xK = x + y0 / m on the
  // base circle d cos(alphaK). The tooth's corner is where the two involutes
  // meet: equal half angles
  //   (pi/2 + 2 x tan a)/z + inv(a) - inv(acos(rb/r))
  //     = (pi/2 + 2 xK tan aK)/z + inv(aK) - inv(acos(rbK/r)),
  // found here by bisection over r.
  const double alpha = Deg(20), alphaK = Deg(45), z = 20.0, r0 = 10.0;
  for (const double hK : {0.5, 0.75, 0.9}) {
    GearPair g = test::StandardExternalPair();
    g.geometryReady = 7;
    g.chamfer1 = true;
    g.hFfP01Star = hK;
    RunCheck(g);
    const double xK = hK * (1.0 - std::tan(alpha) / std::tan(alphaK));
    auto gap = [&](double r) {
      const double main =
          kPi / 2.0 / z + Involute(alpha) - Involute(std::acos(r0 * std::cos(alpha) / r));
      const double edge = (kPi / 2.0 + 2.0 * xK * std::tan(alphaK)) / z + Involute(alphaK) -
                          Involute(std::acos(r0 * std::cos(alphaK) / r));
      return main - edge;
    };
    double lo = 9.5, hi = 11.0;
    for (int i = 0; i < 100; ++i) {
      const double mid = (lo + hi) / 2.0;
      ((gap(mid) > 0.0) == (gap(lo) > 0.0) ? lo : hi) = mid;
    }
    EXPECT_FALSE(g.chamferOff1) << hK;
    EXPECT_NEAR(g.da1Eff, lo + hi, 1e-9) << hK;
    EXPECT_LT(g.da1Eff, g.da1);
  }
  // An edge that begins above the tip misses the tooth.
  GearPair g = test::StandardExternalPair();
  g.geometryReady = 7;
  g.chamfer1 = true;
  g.hFfP01Star = 1.2;
  RunCheck(g);
  EXPECT_TRUE(g.chamferOff1);
  EXPECT_EQ(g.da1Eff, g.da1);
}

TEST(Check, ThinningBothGearsTakesHalfTheBacklashFromEach) {
  GearPair plain = test::StandardExternalPair();
  plain.geometryReady = 7;
  RunCheck(plain);
  GearPair thinned = plain;
  thinned.jn = 0.1;
  thinned.backlashDirect = true;
  thinned.thinBoth = true;
  RunCheck(thinned);
  // Each tooth on its reference circle loses jn / (2 cos alphaP).
  const double loss = 0.1 / (2.0 * std::cos(Deg(20)));
  EXPECT_NEAR(plain.sn1 - thinned.sn1, loss, 1e-12);
  EXPECT_NEAR(plain.sn2 - thinned.sn2, loss, 1e-12);
  // On any circle dy the loss is (dy / 4) times the thinning angle.
  const double angle = 0.1 / (std::cos(Deg(20)) * 10.0);
  EXPECT_NEAR(plain.sa1 - thinned.sa1, 22.0 / 4.0 * angle, 1e-12);
  GearPair pinionOnly = plain;
  pinionOnly.jn = 0.1;
  pinionOnly.thinBoth = false;
  pinionOnly.thinPinion = true;
  RunCheck(pinionOnly);
  EXPECT_NEAR(plain.sn1 - pinionOnly.sn1, 2.0 * loss, 1e-12);
  EXPECT_NEAR(plain.sn2 - pinionOnly.sn2, 0.0, 1e-12);
}

TEST(Check, PointedTipIsThin) {
  GearPair g = ShiftedPair(1.0, 12.0, 40.0, 0.9, -0.5);
  RunCheck(g);
  EXPECT_LT(g.sa1, 0.25);
  EXPECT_TRUE(g.thinTip1);
}

TEST(Check, PinionWithARack) {
  GearPair g = test::StandardExternalPair();
  g.rackMode = true;
  g.z2 = 5000.0;
  RackGeometry(g);
  RunCheckRack(g);
  EXPECT_FALSE(g.driverError);
  EXPECT_EQ(g.alphaWt, g.alphaT);
  // At x1 = 0 the rack's thickness on the pinion's rolling line is its
  // thickness on the reference line, pi m / 2.
  EXPECT_DOUBLE_EQ(g.sw2, g.sn2);
  EXPECT_DOUBLE_EQ(g.sn2, kPi / 2.0);
  // Rack contact ratio: (approach + recess) / base pitch, with the rack's
  // addendum line and the pinion's tip:
  // ((ha - x m) / sin alpha + sqrt(ra² - rb²) - rb tan alpha) / (pi m cos alpha).
  const double rb = 10.0 * std::cos(Deg(20));
  const double expected =
      (1.0 / std::sin(Deg(20)) + std::sqrt(121.0 - rb * rb) - rb * std::tan(Deg(20))) /
      (kPi * std::cos(Deg(20)));
  EXPECT_NEAR(g.epsAlpha, expected, 1e-9);
  EXPECT_FALSE(g.interference1);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());
}

TEST(Check, PathologicalPairsEndWithoutHangOrNaN) {
  struct Case {
    const char* what;
    double mn, z1, z2, x1, x2, alphaDeg, betaDeg;
  };
  const Case cases[] = {
      {"module 50, four teeth", 50.0, 4.0, 4.0, 0.0, 0.0, 20.0, 0.0},
      {"shifts at their bounds", 1.0, 4.0, 40.0, 8.0, 8.0, 20.0, 0.0},
      {"negative shifts", 1.0, 20.0, 40.0, -1.0, -0.2, 20.0, 0.0},
      {"profile angle 50°", 1.0, 20.0, 40.0, 0.0, 0.0, 50.0, 0.0},
      {"tiny profile angle", 1.0, 20.0, 40.0, 0.0, 0.0, 1.0, 0.0},
      {"steep helix", 2.0, 9.0, 11.0, 0.5, 0.5, 20.0, 80.0},
      {"everything at once", 50.0, 4.0, 4.0, 8.0, -15.0, 50.0, 60.0},
  };
  for (const auto& c : cases) {
    GearPair g = test::StandardExternalPair();
    g.mn = c.mn;
    g.z1 = c.z1;
    g.z2 = c.z2;
    g.alphaPDeg = c.alphaDeg;
    g.alphaP = Deg(c.alphaDeg);
    g.betaDeg = c.betaDeg;
    g.beta = Deg(c.betaDeg);
    g.x1 = c.x1;
    g.x2 = c.x2;
    g.xSum = c.x1 + c.x2;
    g.geometryReady = 0;
    g.protuberance1 = true;  // every step, the protuberance ones included
    g.chamfer1 = g.chamfer2 = true;
    RunCheckAndReport(g);
    EXPECT_TRUE(test::NonFiniteReals(g).empty())
        << c.what << ": " << ::testing::PrintToString(test::NonFiniteReals(g));
  }
}

}  // namespace
}  // namespace kolmira
