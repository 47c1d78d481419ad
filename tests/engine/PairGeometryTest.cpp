#include "engine/PairGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "engine/ShiftDistribution.h"
#include "engine/ShiftedPair.h"

namespace kolmira {
namespace {

using test::Deg;

// Tolerance of half a unit of the last digit a reference prints.
constexpr double Half(int decimals) {
  double unit = 1.0;
  for (int i = 0; i < decimals; ++i) unit /= 10.0;
  return 0.5 * unit;
}

using test::PairData;

// The same pair defined by its working centre distance.
GearPair FromCentreDistance(const PairData& s, double aw) {
  GearPair g = test::StandardExternalPair();
  g.mn = s.mn, g.z1 = s.z1, g.z2 = s.z2, g.betaDeg = s.betaDeg, g.beta = Deg(s.betaDeg);
  ZeroShifts(g);
  g.aw = aw, g.geometryReady = 9;
  PairFromCentreDistance(g);
  return g;
}

struct Value {
  const char* name;
  double GearPair::*member;
  double expected, tolerance;
};
#define PRINTED(name, value, decimals)            \
  Value {                                         \
#name, &GearPair::name, value, Half(decimals) \
  }
#define WITHIN(name, value, tolerance)       \
  Value {                                    \
#name, &GearPair::name, value, tolerance \
  }

void ExpectValues(const GearPair& g, std::initializer_list<Value> values) {
  for (const Value& v : values) EXPECT_NEAR(g.*v.member, v.expected, v.tolerance) << v.name;
}

TEST(PairGeometry, StandardPairFromTheTextbook) {
  // 20/40 teeth, module 1, spur, standard basic rack, no shift: d = m z,
  // da = d + 2 m, df = d - 2.5 m, a = (z1 + z2) m / 2; the straight flank of
  // the tool 1.25 - (1 - sin 20°) 0.38 = 1.00003 deep, snapped to 1.
  const GearPair g = test::StandardExternalPair();
  ExpectValues(g, {WITHIN(d1, 20.0, 1e-12), WITHIN(d2, 40.0, 1e-12), WITHIN(da1, 22.0, 1e-12),
                   WITHIN(da2, 42.0, 1e-12), WITHIN(df1, 17.5, 1e-12), WITHIN(df2, 37.5, 1e-12),
                   WITHIN(a, 30.0, 1e-12), WITHIN(aw, 30.0, 1e-12), WITHIN(dw1, 20.0, 1e-12),
                   WITHIN(db1, 20.0 * std::cos(Deg(20)), 1e-12), WITHIN(hFfP1Star, 1.0, 0.0),
                   WITHIN(alphaWt, g.alphaT, 0.0)});
  EXPECT_TRUE(g.messages.empty());

  // The internal pair is signed: its ring's root is cut by the standard
  // cutter (d2 - 2 * 1.25 m), its tip leaves the clearance 0.25 m to the
  // pinion's root (df1 = 17.5): da2 = 2 (aw - 0.25) - df1.
  const GearPair r = test::StandardInternalPair();
  ExpectValues(r,
               {WITHIN(a, -30.0, 0.0), WITHIN(aw, -30.0, 0.0), WITHIN(d2, -80.0, 0.0),
                WITHIN(db2, -80.0 * std::cos(Deg(20)), 1e-12), WITHIN(df2, -82.5, 1e-9),
                WITHIN(da2, -78.0, 1e-9), WITHIN(da1, 22.0, 1e-9), WITHIN(alphaWt, r.alphaT, 0.0)});
}

TEST(PairGeometry, PublishedPairs) {
  // KHK / SDP-SI: m 3, z 12/24, x 0.6/0.36; and by the centre distance 56.5.
  const PairData khk{.mn = 3.0, .z1 = 12.0, .z2 = 24.0, .x1 = 0.6, .x2 = 0.36};
  ExpectValues(
      test::ShiftedPair(khk),
      {PRINTED(invAlphaWt, 0.034316, 6), PRINTED(alphaWtDeg, 26.0886, 4), PRINTED(aw, 56.4999, 4),
       PRINTED(db1, 33.8289, 4), PRINTED(db2, 67.6579, 4), PRINTED(dw1, 37.667, 3),
       PRINTED(dw2, 75.333, 3), PRINTED(ha1, 4.420, 3), PRINTED(ha2, 3.700, 3),
       PRINTED(hf1, 1.950, 3), PRINTED(hf2, 2.670, 3), PRINTED(da1, 44.840, 3),
       PRINTED(da2, 79.400, 3), PRINTED(df1, 32.100, 3), PRINTED(df2, 66.660, 3)});
  ExpectValues(
      FromCentreDistance(khk, 56.5),
      {PRINTED(xSum, 0.960, 3), WITHIN(invAlphaWt, 0.034317, 1e-6), PRINTED(alphaWtDeg, 26.0888, 4),
       WITHIN(a, 54.0, 1e-12), WITHIN(invAlphaT, 0.014904, 1e-6)});
  ExpectValues(FromCentreDistance(khk, 56.4999), {WITHIN(xSum, 0.96, 1e-4)});

  // KHK normal-system example: mn 3, z 12/60, beta 30°, x 0.09809/0.
  const GearPair helical =
      test::ShiftedPair({.mn = 3.0, .z1 = 12.0, .z2 = 60.0, .x1 = 0.09809, .betaDeg = 30.0});
  // clang-format off
  ExpectValues(helical, {PRINTED(a, 124.7077, 4), PRINTED(alphaTDeg, 22.79588, 5),
      WITHIN(invAlphaT, 0.022414, 1e-6), PRINTED(alphaWtDeg, 23.1126, 4),
      WITHIN(invAlphaWt, 0.023405, 1e-6), PRINTED(aw, 125.000, 3), PRINTED(d1, 41.569, 3),
      PRINTED(d2, 207.846, 3), PRINTED(db1, 38.322, 3), PRINTED(db2, 191.611, 3),
      PRINTED(dw1, 41.667, 3), PRINTED(dw2, 208.333, 3), PRINTED(ha1, 3.292, 3),
      PRINTED(ha2, 2.998, 3), PRINTED(hf1, 3.456, 3), PRINTED(hf2, 3.750, 3),
      PRINTED(da1, 48.154, 3), PRINTED(da2, 213.842, 3), PRINTED(df1, 34.658, 3),
      PRINTED(df2, 200.346, 3)});
  // clang-format on

  // ISO 21771 worked sheet: mn 3.5, z 31/30, beta 21°, aw 116.5; and back
  // from the working pressure angle.
  GearPair iso = FromCentreDistance({.mn = 3.5, .z1 = 31.0, .z2 = 30.0, .betaDeg = 21.0}, 116.5);
  ExpectValues(iso,
               {WITHIN(a, 114.3447280708, 1e-9), WITHIN(alphaTDeg, 21.2990642859, 1e-9),
                WITHIN(invAlphaT, 0.0181260949, 1e-10), WITHIN(alphaWtDeg, 23.8707609654, 1e-9),
                WITHIN(invAlphaWt, 0.0259052382, 1e-10), WITHIN(xSum, 0.6518771312, 1e-9)});
  iso.aw = iso.xSum = 0.0, iso.geometryReady = 10;
  PairFromPressureAngle(iso);
  ExpectValues(iso, {WITHIN(aw, 116.5, 1e-9), WITHIN(xSum, 0.6518771312, 1e-9)});
}

TEST(PairGeometry, DegenerateInternalPairHasNoWorkingCircles) {
  GearPair g = test::StandardInternalPair();
  g.z2 = -20.0;
  ZeroShifts(g);
  ExpectValues(
      g, {WITHIN(alphaWt, kPi / 2.0, 0.0), WITHIN(alphaWtDeg, 90.0, 0.0), WITHIN(dw1, 1e20, 0.0),
          WITHIN(dw2, 1e20, 0.0), WITHIN(aw, 0.0, 0.0), WITHIN(a, 0.0, 0.0)});
  // A shift sum moves the ring sideways: aw = sin(alphaT) S m.
  g.x1 = 0.3, g.x2 = 0.2, g.geometryReady = 7;
  PairFromShifts(g);
  EXPECT_NEAR(g.aw, std::sin(Deg(20)) * 0.5, 1e-12);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());
}

TEST(PairGeometry, BevelCones) {
  // Sigma 90°: tan delta1 = z1 / z2, the virtual pinion has z1 / cos(delta1)
  // teeth.
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
    h.mn = c.module, h.z1Bevel = c.z1, h.z2Bevel = c.z2, h.b = 20.0;
    BevelGeometry(h);
    EXPECT_NEAR(h.delta1 * kRadToDeg, c.delta1Deg, c.tolerance);
    EXPECT_NEAR(h.delta2 * kRadToDeg, c.delta2Deg, c.tolerance);
    EXPECT_NEAR(h.Le, c.le, c.tolerance);
    EXPECT_NEAR(h.de1, c.module * c.z1, 1e-12);
  }

  // Textbook: mn 6, z 30/45, ha = 6 and hf = 1.25 ha: face cone 35.808°,
  // root cone 31.04° (the pinion). ha1 and hf1 are in the mean module;
  // scaled to the outer end they are 6 and 7.5 mm. The helix bound follows
  // the face width: asin((Le - b) / (Le - b/2)) = asin(142.2498 / 152.2498)
  // = 69.11832° for the cone distance 162.2498.
  GearPair t = test::StandardBevelPair();
  t.mn = 6.0, t.z1Bevel = 30.0, t.z2Bevel = 45.0, t.b = 20.0, t.cP1Star = t.cP2Star = 0.25;
  BasicGeometry(t);
  EXPECT_NEAR(t.ha1 * t.mn / t.mmt, 6.0, 1e-9);
  EXPECT_NEAR(t.hf1 * t.mn / t.mmt, 7.5, 1e-9);
  EXPECT_NEAR(t.deltaA1 * kRadToDeg, 35.808, 0.0005);
  EXPECT_NEAR(t.deltaF1 * kRadToDeg, 31.04, 0.005);
  EXPECT_NEAR(t.betaMax, 69.11832, 5e-6);

  // A file may bring a bevel pair with the backlash made by moving apart;
  // the bevel geometry must still end.
  GearPair apart = test::StandardBevelPair();
  apart.jnByApart = true, apart.backlashDirect = false;
  BasicGeometry(apart);
  PairFromShifts(apart);
  EXPECT_NEAR(std::tan(apart.delta1), 20.0 / 30.0, 1e-12);
  EXPECT_TRUE(test::NonFiniteReals(apart).empty());
}

TEST(PairGeometry, FlankDepthSnapsToOneOnlyInsideTheBand) {
  // The band is open: 0.99996 and 1.00004 stay.
  for (const double depth : {0.99997, 1.00003, 0.99995, 0.99996, 1.00004}) {
    const bool inside = depth > 0.99996 && depth < 1.00004;
    EXPECT_EQ(SnapFlankDepth(depth), inside ? 1.0 : depth) << depth;
  }
  // Through the geometry: fillet radii that make the depths 0.99997 and 0.99995.
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
  g.rackMode = true, g.z2 = 5000.0, g.x1 = 0.2;
  RackGeometry(g);
  ExpectValues(g, {WITHIN(ha1, 1.2, 1e-15), WITHIN(ha2, 1.0, 0.0), WITHIN(hf1, 1.05, 1e-15),
                   WITHIN(hf2, 1.25, 0.0), WITHIN(da1, 22.4, 1e-14), WITHIN(df1, 17.9, 1e-14)});
  // The pair procedures leave a rack pair alone.
  g.aw = 12.0;
  PairFromCentreDistance(g);
  EXPECT_EQ(g.aw, 12.0);
}

TEST(PairGeometry, InvoluteIntersection) {
  // Two involutes of base circles 18 and 19 mm, turned against each other by
  // w, meet at the diameter d where inv(acos(18/d)) - inv(acos(19/d)) = w;
  // the same meeting seen from the other involute.
  GearPair g = test::StandardExternalPair();
  for (double d : {19.0001, 19.5, 21.0, 24.0, 60.0}) {
    const double w = Involute(std::acos(18.0 / d)) - Involute(std::acos(19.0 / d));
    EXPECT_NEAR(DiameterAtInvoluteOffset(g, 18.0, 19.0, w), d, 1e-9) << d;
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
  g.x1 = 0.4, g.x2 = 0.25, g.aw = 32.0;
  const double beta = HelixAngleFromCentreDistance(g);
  ASSERT_GT(beta, 0.0);
  GearPair h = g;
  h.beta = beta, h.geometryReady = 7;
  PairFromShifts(h);
  EXPECT_NEAR(h.aw, 32.0, 1e-8);

  // A distance that no helix angle gives (below the spur pair's): none.
  g.x1 = g.x2 = 0.0, g.aw = 29.0;
  EXPECT_EQ(HelixAngleFromCentreDistance(g), 0.0);
}

}  // namespace
}  // namespace kolmira
