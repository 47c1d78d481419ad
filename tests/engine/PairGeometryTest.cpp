#include "engine/PairGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "engine/ShiftDistribution.h"

namespace kolmira {
namespace {

using test::Deg;

// Tolerance of half a unit of the last digit a reference prints.
constexpr double Half(int decimals) {
  double unit = 1.0;
  for (int i = 0; i < decimals; ++i) unit /= 10.0;
  return 0.5 * unit;
}

TEST(PairGeometry, StandardPairFromTheTextbook) {
  // 20/40 teeth, module 1, spur, standard basic rack, no shift: d = m z,
  // da = d + 2 m, df = d - 2.5 m, a = (z1 + z2) m / 2.
  const GearPair g = test::StandardExternalPair();
  EXPECT_DOUBLE_EQ(g.d1, 20.0);
  EXPECT_DOUBLE_EQ(g.d2, 40.0);
  EXPECT_DOUBLE_EQ(g.da1, 22.0);
  EXPECT_DOUBLE_EQ(g.da2, 42.0);
  EXPECT_DOUBLE_EQ(g.df1, 17.5);
  EXPECT_DOUBLE_EQ(g.df2, 37.5);
  EXPECT_DOUBLE_EQ(g.a, 30.0);
  EXPECT_DOUBLE_EQ(g.aw, 30.0);
  EXPECT_DOUBLE_EQ(g.alphaWt, g.alphaT);
  EXPECT_NEAR(g.db1, 20.0 * std::cos(Deg(20)), 1e-12);
  EXPECT_DOUBLE_EQ(g.dw1, 20.0);
  EXPECT_EQ(g.hFfP1Star, 1.0);  // 1.25 - (1 - sin 20°) 0.38 = 1.00003, snapped
  EXPECT_TRUE(g.messages.empty());
}

TEST(PairGeometry, PublishedShiftedSpurPair) {
  // KHK / SDP-SI: m 3, z 12/24, x 0.6/0.36.
  GearPair g = test::StandardExternalPair();
  g.mn = 3.0;
  g.z1 = 12.0;
  g.z2 = 24.0;
  g.x1 = 0.6;
  g.x2 = 0.36;
  g.xSum = 0.96;
  g.geometryReady = 7;
  PairFromShifts(g);
  EXPECT_NEAR(g.invAlphaWt, 0.034316, Half(6));
  EXPECT_NEAR(g.alphaWtDeg, 26.0886, Half(4));
  EXPECT_NEAR(g.aw, 56.4999, Half(4));
  EXPECT_NEAR(g.db1, 33.8289, Half(4));
  EXPECT_NEAR(g.db2, 67.6579, Half(4));
  EXPECT_NEAR(g.dw1, 37.667, Half(3));
  EXPECT_NEAR(g.dw2, 75.333, Half(3));
  EXPECT_NEAR(g.ha1, 4.420, Half(3));
  EXPECT_NEAR(g.ha2, 3.700, Half(3));
  EXPECT_NEAR(g.hf1, 1.950, Half(3));
  EXPECT_NEAR(g.hf2, 2.670, Half(3));
  EXPECT_NEAR(g.da1, 44.840, Half(3));
  EXPECT_NEAR(g.da2, 79.400, Half(3));
  EXPECT_NEAR(g.df1, 32.100, Half(3));
  EXPECT_NEAR(g.df2, 66.660, Half(3));

  // The same pair defined by its centre distance gives back the shift sum.
  GearPair h = test::StandardExternalPair();
  h.mn = 3.0;
  h.z1 = 12.0;
  h.z2 = 24.0;
  ZeroShifts(h);
  h.aw = 56.5;
  h.geometryReady = 9;
  PairFromCentreDistance(h);
  EXPECT_NEAR(h.xSum, 0.960, Half(3));
  EXPECT_NEAR(h.invAlphaWt, 0.034317, 1e-6);
  EXPECT_NEAR(h.alphaWtDeg, 26.0888, Half(4));
  EXPECT_NEAR(h.a, 54.0, 1e-12);
  EXPECT_NEAR(h.invAlphaT, 0.014904, 1e-6);
  h.aw = 56.4999;
  PairFromCentreDistance(h);
  EXPECT_NEAR(h.xSum, 0.96, 1e-4);
}

TEST(PairGeometry, PublishedHelicalPair) {
  // KHK normal-system example: mn 3, z 12/60, beta 30°, x 0.09809/0.
  GearPair g = test::StandardExternalPair();
  g.mn = 3.0;
  g.z1 = 12.0;
  g.z2 = 60.0;
  g.betaDeg = 30.0;
  g.beta = Deg(30);
  g.b = 20.0;
  g.x1 = 0.09809;
  g.x2 = 0.0;
  g.xSum = 0.09809;  // as typing x1 with an undivided sum sets it
  g.geometryReady = 7;
  PairFromShifts(g);
  EXPECT_NEAR(g.a, 124.7077, Half(4));
  EXPECT_NEAR(g.alphaTDeg, 22.79588, Half(5));
  EXPECT_NEAR(g.invAlphaT, 0.022414, 1e-6);
  EXPECT_NEAR(g.alphaWtDeg, 23.1126, Half(4));
  EXPECT_NEAR(g.invAlphaWt, 0.023405, 1e-6);
  EXPECT_NEAR(g.aw, 125.000, Half(3));
  EXPECT_NEAR(g.d1, 41.569, Half(3));
  EXPECT_NEAR(g.d2, 207.846, Half(3));
  EXPECT_NEAR(g.db1, 38.322, Half(3));
  EXPECT_NEAR(g.db2, 191.611, Half(3));
  EXPECT_NEAR(g.dw1, 41.667, Half(3));
  EXPECT_NEAR(g.dw2, 208.333, Half(3));
  EXPECT_NEAR(g.ha1, 3.292, Half(3));
  EXPECT_NEAR(g.ha2, 2.998, Half(3));
  EXPECT_NEAR(g.hf1, 3.456, Half(3));
  EXPECT_NEAR(g.hf2, 3.750, Half(3));
  EXPECT_NEAR(g.da1, 48.154, Half(3));
  EXPECT_NEAR(g.da2, 213.842, Half(3));
  EXPECT_NEAR(g.df1, 34.658, Half(3));
  EXPECT_NEAR(g.df2, 200.346, Half(3));
}

TEST(PairGeometry, PublishedHelicalPairFromCentreDistance) {
  // ISO 21771 worked sheet: mn 3.5, z 31/30, beta 21°, aw 116.5.
  GearPair g = test::StandardExternalPair();
  g.mn = 3.5;
  g.z1 = 31.0;
  g.z2 = 30.0;
  g.beta = Deg(21);
  g.betaDeg = 21.0;
  ZeroShifts(g);
  g.aw = 116.5;
  g.geometryReady = 9;
  PairFromCentreDistance(g);
  EXPECT_NEAR(g.a, 114.3447280708, 1e-9);
  EXPECT_NEAR(g.alphaTDeg, 21.2990642859, 1e-9);
  EXPECT_NEAR(g.invAlphaT, 0.0181260949, 1e-10);
  EXPECT_NEAR(g.alphaWtDeg, 23.8707609654, 1e-9);
  EXPECT_NEAR(g.invAlphaWt, 0.0259052382, 1e-10);
  EXPECT_NEAR(g.xSum, 0.6518771312, 1e-9);

  // Back from the working pressure angle.
  GearPair h = g;
  h.aw = 0.0;
  h.xSum = 0.0;
  h.geometryReady = 10;
  PairFromPressureAngle(h);
  EXPECT_NEAR(h.aw, 116.5, 1e-9);
  EXPECT_NEAR(h.xSum, 0.6518771312, 1e-9);
}

TEST(PairGeometry, InternalPairIsSigned) {
  const GearPair g = test::StandardInternalPair();
  EXPECT_DOUBLE_EQ(g.a, -30.0);
  EXPECT_DOUBLE_EQ(g.aw, -30.0);
  EXPECT_DOUBLE_EQ(g.d2, -80.0);
  EXPECT_LT(g.db2, 0.0);
  EXPECT_NEAR(g.db2, -80.0 * std::cos(Deg(20)), 1e-12);
  // The ring's root is cut by the standard cutter: d2 - 2 * 1.25 m.
  EXPECT_NEAR(g.df2, -82.5, 1e-9);
  // Its tip leaves the clearance 0.25 m to the pinion's root (df1 = 17.5):
  // da2 = 2 (aw - 0.25) - df1.
  EXPECT_NEAR(g.da2, -78.0, 1e-9);
  EXPECT_NEAR(g.da1, 22.0, 1e-9);
  EXPECT_DOUBLE_EQ(g.alphaWt, g.alphaT);
}

TEST(PairGeometry, DegenerateInternalPairHasNoWorkingCircles) {
  GearPair g = test::StandardInternalPair();
  g.z2 = -20.0;
  ZeroShifts(g);
  EXPECT_EQ(g.alphaWt, kPi / 2.0);
  EXPECT_EQ(g.alphaWtDeg, 90.0);
  EXPECT_EQ(g.dw1, 1e20);
  EXPECT_EQ(g.dw2, 1e20);
  EXPECT_EQ(g.aw, 0.0);
  EXPECT_EQ(g.a, 0.0);
  // A shift sum moves the ring sideways: aw = sin(alphaT) S m.
  g.x1 = 0.3;
  g.x2 = 0.2;
  g.geometryReady = 7;
  PairFromShifts(g);
  EXPECT_NEAR(g.aw, std::sin(Deg(20)) * 0.5, 1e-12);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());
}

TEST(PairGeometry, BevelPitchCones) {
  // Sigma 90°: tan delta1 = z1 / z2.
  const GearPair g = test::StandardBevelPair();
  EXPECT_NEAR(std::tan(g.delta1), 20.0 / 30.0, 1e-12);
  EXPECT_NEAR(g.delta1 + g.delta2, kPi / 2.0, 1e-15);
  EXPECT_NEAR(g.z1, 20.0 / std::cos(g.delta1), 1e-12);

  struct Case {
    double module, z1, z2, delta1Deg, delta2Deg, le;
    double tolerance;
  };
  const Case cases[] = {
      {6.0, 30.0, 45.0, 33.7, 56.3, 162.25, 0.05},  // textbook example
      // 8 diametral pitch; the cone distance is printed as 3.162 in.
      {3.175, 16.0, 48.0, 18.43, 71.57, 80.31, 0.0127},
  };
  for (const auto& c : cases) {
    GearPair h = test::StandardBevelPair();
    h.mn = c.module;
    h.z1Bevel = c.z1;
    h.z2Bevel = c.z2;
    h.b = 20.0;
    BevelGeometry(h);
    EXPECT_NEAR(h.delta1 * kRadToDeg, c.delta1Deg, c.tolerance);
    EXPECT_NEAR(h.delta2 * kRadToDeg, c.delta2Deg, c.tolerance);
    EXPECT_NEAR(h.Le, c.le, c.tolerance);
    EXPECT_NEAR(h.de1, c.module * c.z1, 1e-12);
  }
}

TEST(PairGeometry, BevelPairWithBacklashByMovingApartDoesNotRecurse) {
  // A file may bring a bevel pair with the backlash made by moving apart;
  // the bevel geometry must still end.
  GearPair g = test::StandardBevelPair();
  g.jnByApart = true;
  g.backlashDirect = false;
  BasicGeometry(g);
  PairFromShifts(g);
  EXPECT_NEAR(std::tan(g.delta1), 20.0 / 30.0, 1e-12);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());
}

TEST(PairGeometry, BevelFaceAndRootCones) {
  // Textbook: mn 6, z 30/45, ha = 6 and hf = 1.25 ha: face cone 35.808°,
  // root cone 31.04° (the pinion).
  GearPair g = test::StandardBevelPair();
  g.mn = 6.0;
  g.z1Bevel = 30.0;
  g.z2Bevel = 45.0;
  g.b = 20.0;
  g.cP1Star = g.cP2Star = 0.25;
  BasicGeometry(g);
  // ha1 and hf1 are in the mean module; scaled to the outer end they are 6
  // and 7.5 mm.
  EXPECT_NEAR(g.ha1 * g.mn / g.mmt, 6.0, 1e-9);
  EXPECT_NEAR(g.hf1 * g.mn / g.mmt, 7.5, 1e-9);
  EXPECT_NEAR(g.deltaA1 * kRadToDeg, 35.808, 0.0005);
  EXPECT_NEAR(g.deltaF1 * kRadToDeg, 31.04, 0.005);
  // The helix bound of a bevel pair follows the face width.
  EXPECT_NEAR(g.betaMax, std::asin((g.Le - 20.0) / (g.Le - 10.0)) * kRadToDeg, 1e-9);
}

TEST(PairGeometry, FlankDepthSnapsToOneOnlyInsideTheBand) {
  EXPECT_EQ(SnapFlankDepth(0.99997), 1.0);
  EXPECT_EQ(SnapFlankDepth(1.00003), 1.0);
  EXPECT_EQ(SnapFlankDepth(0.99995), 0.99995);
  EXPECT_EQ(SnapFlankDepth(0.99996), 0.99996);  // the band is open
  EXPECT_EQ(SnapFlankDepth(1.00004), 1.00004);

  // Through the geometry: a fillet radius that makes the depth 0.99997.
  GearPair g = test::StandardExternalPair();
  g.rhofP1Star = (1.25 - 0.99997) / (1.0 - std::sin(g.alphaP));
  g.rhofP2Star = (1.25 - 0.99995) / (1.0 - std::sin(g.alphaP));
  BasicGeometry(g);
  EXPECT_EQ(g.hFfP1Star, 1.0);
  EXPECT_NEAR(g.hFfP2Star, 0.99995, 1e-12);
  EXPECT_NEAR(g.hFfP2, 0.99995, 1e-12);
}

TEST(PairGeometry, RackPairHasNoCentreDistance) {
  GearPair g = test::StandardExternalPair();
  g.rackMode = true;
  g.z2 = 5000.0;
  g.x1 = 0.2;
  RackGeometry(g);
  EXPECT_DOUBLE_EQ(g.ha1, 1.2);
  EXPECT_DOUBLE_EQ(g.ha2, 1.0);
  EXPECT_DOUBLE_EQ(g.hf1, 1.05);
  EXPECT_DOUBLE_EQ(g.hf2, 1.25);
  EXPECT_DOUBLE_EQ(g.da1, 22.4);
  EXPECT_DOUBLE_EQ(g.df1, 17.9);
  // The pair procedures leave a rack pair alone.
  const double aw = g.aw;
  g.aw = 12.0;
  PairFromCentreDistance(g);
  EXPECT_EQ(g.aw, 12.0);
  g.aw = aw;
}

TEST(PairGeometry, InvoluteIntersection) {
  // Two involutes of base circles 18 and 19 mm, turned against each other by
  // w, meet at the diameter d where inv(acos(18/d)) - inv(acos(19/d)) = w.
  GearPair g = test::StandardExternalPair();
  for (double d : {19.0001, 19.5, 21.0, 24.0, 60.0}) {
    const double w = Involute(std::acos(18.0 / d)) - Involute(std::acos(19.0 / d));
    EXPECT_NEAR(DiameterAtInvoluteOffset(g, 18.0, 19.0, w), d, 1e-9) << d;
    // The same meeting seen from the other involute.
    EXPECT_NEAR(DiameterAtInvoluteOffset(g, 19.0, 18.0, -w), d, 1e-9) << d;
  }
  EXPECT_TRUE(g.messages.empty());
}

TEST(PairGeometry, HelixAngleFromCentreDistance) {
  // Unshifted 20/40 pair: aw = a = 30 / cos(beta), so aw = 31 needs
  // cos(beta) = 30 / 31.
  GearPair g = test::StandardExternalPair();
  g.aw = 31.0;
  EXPECT_NEAR(HelixAngleFromCentreDistance(g), std::acos(30.0 / 31.0), 1e-9);

  // Shifted: the kept shifts at the angle found give the typed distance.
  g.x1 = 0.4;
  g.x2 = 0.25;
  g.aw = 32.0;
  const double beta = HelixAngleFromCentreDistance(g);
  ASSERT_GT(beta, 0.0);
  GearPair h = g;
  h.beta = beta;
  h.geometryReady = 7;
  PairFromShifts(h);
  EXPECT_NEAR(h.aw, 32.0, 1e-8);

  // A distance that no helix angle gives (below the spur pair's): none.
  g.x1 = g.x2 = 0.0;
  g.aw = 29.0;
  EXPECT_EQ(HelixAngleFromCentreDistance(g), 0.0);
}

TEST(PairGeometry, BadInputNeverLeavesNaNOrHangs) {
  struct Case {
    const char* what;
    void (*change)(GearPair&);
  };
  const Case cases[] = {
      {"zero module", [](GearPair& g) { g.mn = 0.0; }},
      {"zero pinion teeth", [](GearPair& g) { g.z1 = 0.0; }},
      {"helix angle 89.99°", [](GearPair& g) { g.beta = Deg(89.99); }},
      {"profile angle 50°", [](GearPair& g) { g.alphaP = Deg(50); }},
      {"tiny profile angle", [](GearPair& g) { g.alphaP = Deg(0.001); }},
      {"shifts at the bounds",
       [](GearPair& g) {
         g.x1 = 8.0;
         g.x2 = 8.0;
       }},
      {"very negative shifts",
       [](GearPair& g) {
         g.x1 = -15.0;
         g.x2 = -15.0;
       }},
      {"four teeth, module 50",
       [](GearPair& g) {
         g.z1 = 4.0;
         g.z2 = 4.0;
         g.mn = 50.0;
       }},
  };
  for (const auto& c : cases) {
    GearPair g = test::StandardExternalPair();
    c.change(g);
    g.geometryReady = 7;
    PairFromShifts(g);
    ZeroShifts(g);
    EXPECT_TRUE(test::NonFiniteReals(g).empty())
        << c.what << ": " << ::testing::PrintToString(test::NonFiniteReals(g));
  }
}

}  // namespace
}  // namespace kolmira
