// Measurement dimensions against published examples, textbook formulas
// computed here, and the involute geometry behind the Newton-based modes.
#include "engine/Measurement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "TestPairs.h"
#include "engine/Check.h"
#include "engine/Involute.h"
#include "engine/Meshing.h"
#include "engine/PairGeometry.h"
#include "engine/ShiftDistribution.h"
#include "engine/ShiftedPair.h"
#include "engine/TextbookGear.h"
#include "engine/ToothThickness.h"

namespace kolmira {
namespace {

using test::Deg;

using test::Inv;
using Gear = test::TextbookGear;

// An external pair with the pinion z1, x1 (and the wheel z2, x2), checked.
GearPair CheckedPair(double mn, double z1, double z2, double x1, double x2, double betaDeg = 0.0) {
  GearPair g = test::ShiftedPair({mn, z1, z2, x1, x2, betaDeg});
  RunCheck(g);
  return g;
}

// The standard internal pair 20 / -80 with the steps that give the ring its
// thicknesses; the ring's form circle is set where its cutter would put it.
GearPair RingPair(double x2 = 0.0, double betaDeg = 0.0) {
  GearPair g = test::StandardInternalPair();
  g.betaDeg = betaDeg, g.beta = Deg(betaDeg);
  ZeroShifts(g);
  g.x2 = x2, g.xSum = x2, g.geometryReady = 8;
  PairFromShifts(g);
  g.awEff = g.aw, g.alphaWtEff = g.alphaWt;
  CheckUndercut(g);
  ActiveDiameters(g);
  g.dFf2 = g.df2 + 0.6 * g.mn / std::cos(g.beta);  // between root and tip, outside the reference
  ToothThicknesses(g);
  return g;
}

// ---------------------------------------------------------------------------
// Span

struct SpanCase {
  const char* source;
  double mn, z, x, betaDeg;
  int k;
  double W, contact, tolerance;  // published values; contact 0 when not given
};

TEST(Span, PublishedAndTextbookBaseTangentLengths) {
  const SpanCase cases[] = {
      {"KHK", 3.0, 24.0, 0.4, 0.0, 4, 32.8266, 0.0, 5e-5},
      {"textbook", 2.0, 20.0, 0.0, 0.0, 3, 15.321, 40.59, 5e-3},
      {"online calculator", 1.0, 20.0, 0.0, 0.0, 2, 4.7083, 19.3746, 5e-5},
      {"helical", 2.5, 31.0, 0.25, 17.5, 5, 0.0, 0.0, 0.0},
  };
  for (const SpanCase& c : cases) {
    SCOPED_TRACE(c.source);
    GearPair g = CheckedPair(c.mn, c.z, 2.0 * c.z + 1.0, c.x, 0.0, c.betaDeg);
    g.zw1 = c.k;
    Span(g, 1);
    EXPECT_NEAR(g.W1, Gear({c.mn, c.z, Deg(20), Deg(c.betaDeg), c.x}).Span(c.k), 1e-9);
    if (c.W != 0.0) {
      EXPECT_NEAR(g.W1, c.W, c.tolerance);
    }
    if (c.contact != 0.0) {
      EXPECT_NEAR(SpanContactDiameter(g, 1), c.contact, c.tolerance);
    }
    // The face must be at least b sin(beta) W wide for the anvils.
    EXPECT_NEAR(g.b1min, std::sin(Deg(c.betaDeg)) * g.W1, 1e-12);
    // In the plane tangent to the base cylinder the flanks are straight lines
    // at betaB to the axis, W apart normal to them; the anvils touch at the
    // ends of that common normal, W cos(betaB)/2 either side of the base
    // tangency line in the transverse direction.
    const double u = g.W1 * std::cos(g.betaB) / 2.0;
    EXPECT_NEAR(SpanContactDiameter(g, 1), 2.0 * std::hypot(g.db1 / 2.0, u), 1e-12);
  }
}

TEST(Span, BacklashThinningShortensTheSpanByItsShare) {
  GearPair g = CheckedPair(3.0, 24.0, 49.0, 0.4, 0.0);
  g.zw1 = 4, g.jn = 0.1, g.backlashDirect = true;
  // Each gear gives half the backlash, or one gear all of it.
  for (const auto& [both, pinion, loss] :
       {std::tuple{true, false, 0.05}, std::tuple{false, true, 0.1},
        std::tuple{false, false, 0.0}}) {
    g.thinBoth = both, g.thinPinion = pinion, g.thinWheel = !both && !pinion;
    Span(g, 1);
    EXPECT_NEAR(g.W1, 32.8266 - loss, 5e-5) << loss;
  }
}

TEST(Span, RecommendedCount) {
  // Up only when the fractional part exceeds 0.2; 0.2 itself rounds down.
  const struct {
    double k;
    int count;
  } rounding[] = {{3.2, 3}, {3.19, 3}, {3.21, 4}, {3.2000001, 4}, {2.7, 3}, {4.0, 4}, {1.2, 1}};
  for (const auto& c : rounding) EXPECT_EQ(RoundSpanCount(c.k), c.count) << c.k;
  // z an / pi + 1/2 with z 7 and an 18°: 0.7 + 0.5, computed in floating
  // point, is still a fractional part of 0.2.
  EXPECT_EQ(RoundSpanCount(7.0 * Deg(18.0) / kPi + 0.5), 1);

  // zw = z an/pi + 0.5: 24 teeth 3.17 -> 3; 30 teeth 3.83 -> 4; helical 31
  // teeth at 17.5°: 31 (20°/180°) / (cos^2 betaB cos beta) + 0.5 = 4.38 -> 5.
  const struct {
    double z, betaDeg;
    int count;
  } cases[] = {{24.0, 0.0, 3}, {30.0, 0.0, 4}, {31.0, 17.5, 5}, {60.0, 0.0, 7}};
  for (const auto& c : cases) {
    GearPair g = CheckedPair(2.0, c.z, 2.0 * c.z + 1.0, 0.0, 0.0, c.betaDeg);
    EXPECT_EQ(g.zwRec1, c.count) << c.z;
    EXPECT_EQ(g.zw1, c.count);  // the inputs changed: zw follows the recommendation
  }
}

TEST(Span, RangeBoundsTheContactBetweenFormCircleAndTipAndKeepsATypedCount) {
  GearPair g = CheckedPair(2.0, 40.0, 81.0, 0.0, 0.0);
  ASSERT_GE(g.zwMax1, g.zwMin1);
  for (int k = g.zwMin1 - 1; k <= g.zwMax1 + 1; ++k) {
    g.zw1 = k;
    Span(g, 1);
    const double contact = SpanContactDiameter(g, 1);
    const bool inside = contact > g.dFf1 && contact <= g.da1;
    EXPECT_EQ(inside, k >= g.zwMin1 && k <= g.zwMax1) << k;
  }
  // A typed count stays when nothing changed.
  g.inputsChanged = false, g.zw1 = g.zwMax1;
  SpanDimensions(g);
  EXPECT_EQ(g.zw1, g.zwMax1);
}

TEST(Span, ACountThePairDoesNotAdmitTakesTheRecommendedOneAtTheCheck) {
  // A count held from before -- 0 from a file saved before any check, or
  // one beyond the range of the pair as it stands now -- is replaced at the
  // check by the recommended count even when no input changed (a loaded
  // file clears that mark); an admitted count stays as it was chosen.
  const GearPair fresh = CheckedPair(3.0, 20.0, 40.0, 0.0, 0.0);
  ASSERT_EQ(fresh.zwRec1, 3);  // 20 (20/180) + 0.5 = 2.72
  ASSERT_EQ(fresh.zwRec2, 5);  // 40 (20/180) + 0.5 = 4.94
  ASSERT_GT(fresh.zwMax1, fresh.zwRec1);
  const struct {
    int zw1, zw2;  // held before the check
    int then1, then2;
  } cases[] = {
      {0, 0, 3, 5},                                              // saved before any check
      {fresh.zwMax1 + 1, 999, 3, 5},                             // beyond the range
      {fresh.zwMin1 - 1, fresh.zwMin2 - 1, 3, 5},                // below it
      {fresh.zwMax1, fresh.zwMin2, fresh.zwMax1, fresh.zwMin2},  // admitted: kept
  };
  for (const auto& c : cases) {
    GearPair g = fresh;
    g.inputsChanged = false;
    g.zw1 = c.zw1, g.zw2 = c.zw2;
    RunCheckAndReport(g);
    EXPECT_EQ(g.zw1, c.then1) << c.zw1;
    EXPECT_EQ(g.zw2, c.then2) << c.zw2;
    const Gear pinion{3.0, 20.0, Deg(20), 0.0, 0.0};
    EXPECT_NEAR(g.W1, pinion.Span(g.zw1), 1e-9) << c.zw1;
    EXPECT_GT(g.W2, 0.0) << c.zw2;
  }
}

TEST(Balls, ABallThePairDoesNotAdmitTakesTheDefaultAtTheCheck) {
  // As for the span counts: a ball held from before that the pair admits
  // stays, with its contact and dimension; none (0) or one beyond the range
  // gives way to the check's default, as for a new pair.
  const GearPair fresh = CheckedPair(3.0, 20.0, 40.0, 0.0, 0.0);
  const double inside1 = fresh.dt1min + 0.25 * (fresh.dt1max - fresh.dt1min);
  const double inside2 = fresh.dt2min + 0.75 * (fresh.dt2max - fresh.dt2min);
  ASSERT_GT(std::fabs(inside1 - fresh.dt1), 0.1);
  const struct {
    double held1, held2;
    bool inputsChanged;
    double then1, then2;
  } cases[] = {
      {0.0, 0.0, false, fresh.dt1, fresh.dt2},  // saved before any check
      {fresh.dt1max + 1.0, 0.5 * fresh.dt2min, false, fresh.dt1, fresh.dt2},  // beyond the range
      {inside1, inside2, false, inside1, inside2},                            // admitted: kept
      {inside1, inside2, true, fresh.dt1, fresh.dt2},  // a new pair: defaults
  };
  const Gear pinion{3.0, 20.0, Deg(20), 0.0, 0.0};
  for (const auto& c : cases) {
    GearPair g = fresh;
    g.inputsChanged = c.inputsChanged;
    g.dt1 = c.held1, g.dt2 = c.held2;
    RunCheckAndReport(g);
    EXPECT_NEAR(g.dt1, c.then1, 1e-9) << c.held1;
    EXPECT_NEAR(g.dt2, c.then2, 1e-9) << c.held2;
    EXPECT_NEAR(g.M1, pinion.OverBalls(g.dt1), 1e-9) << c.held1;
  }
}

TEST(Span, RingSpanOverTeethBetweenSpaces) {
  // Over k ring teeth the anvils sit in the spaces beyond them.
  for (double x2 : {0.0, 0.3}) {
    GearPair g = RingPair(x2, 12.0);
    g.zw2 = 9;
    Span(g, 2);
    EXPECT_NEAR(g.W2, Gear({1.0, 80.0, Deg(20), Deg(12), x2, true}).Span(9), 1e-9);
    EXPECT_LT(SpanContactDiameter(g, 2), 0.0);
  }
}

// ---------------------------------------------------------------------------
// Balls

struct BallCase {
  double mn, z, x, betaDeg, dp;
  double M = 0.0, contact = 0.0;  // published, when given
};

TEST(Balls, ContactAndDimensionEqualTheTextbook) {
  const BallCase cases[] = {
      // Even, spur: the published example, M 22.2941, contact 19.9594.
      {1.0, 20.0, 0.0, 0.0, 1.7, 22.2941, 19.9594},
      {1.0, 21.0, 0.0, 0.0, 1.7},    // odd, spur
      {2.5, 31.0, 0.25, 17.5, 4.5},  // odd, helical
      {3.0, 24.0, -0.2, 25.0, 5.0},  // even, helical
      {4.0, 13.0, 0.5, 8.0, 7.0},    // small odd
  };
  for (const BallCase& c : cases) {
    SCOPED_TRACE(c.z);
    GearPair g = CheckedPair(c.mn, c.z, 2.0 * c.z + 2.0, c.x, 0.0, c.betaDeg);
    g.dt1 = c.dp;
    g.dM1lim = 0.0;  // no cap
    ContactForBall(g, 1);
    const Gear gear{c.mn, c.z, Deg(20), Deg(c.betaDeg), c.x};
    EXPECT_NEAR(g.M1, gear.OverBalls(c.dp), 1e-9);
    EXPECT_NEAR(g.dM1, gear.BallContact(c.dp), 1e-9);
    if (c.M != 0.0) {
      EXPECT_NEAR(g.M1, c.M, 5e-5);
      EXPECT_NEAR(g.dM1, c.contact, 5e-5);
    }
    // Newton's solve of the ball for that contact diameter gives it back.
    const double contact = g.dM1;
    g.dt1 = 0.0;
    BallForContact(g, 1);
    EXPECT_NEAR(g.dt1, c.dp, 1e-9);
    EXPECT_NEAR(g.M1, gear.OverBalls(c.dp), 1e-9);
    EXPECT_EQ(g.dM1, contact);
  }
}

TEST(Balls, BallsOfTheWheelAndOfTheRingBetweenBalls) {
  GearPair g = CheckedPair(2.0, 19.0, 43.0, 0.1, 0.2, 10.0);
  g.dt2 = 3.5;
  ContactForBall(g, 2);
  const Gear wheel{2.0, 43.0, Deg(20), Deg(10), 0.2};
  EXPECT_NEAR(g.M2, wheel.OverBalls(3.5), 1e-9);
  EXPECT_NEAR(g.dM2, wheel.BallContact(3.5), 1e-9);

  // Between pins of the ring, its contact diameter stored negative; and back
  // through Newton's ball for that (negative) contact diameter.
  for (double betaDeg : {0.0, 15.0}) {
    SCOPED_TRACE(betaDeg);
    GearPair r = RingPair(0.3, betaDeg);
    const Gear ring{1.0, 80.0, Deg(20), Deg(betaDeg), 0.3, true};
    r.dt2 = 1.65;
    ContactForBall(r, 2);
    EXPECT_NEAR(r.M2, ring.OverBalls(1.65), 1e-9);
    EXPECT_NEAR(r.dM2, -ring.BallContact(1.65), 1e-9);
    r.dt2 = 0.0;
    BallForContact(r, 2);
    EXPECT_NEAR(r.dt2, 1.65, 1e-9);
    EXPECT_NEAR(r.M2, ring.OverBalls(1.65), 1e-9);
  }
}

TEST(Balls, RangeTouchesFromTheFormCircleToTheInvoluteEnd) {
  GearPair g = CheckedPair(1.0, 20.0, 40.0, 0.0, 0.0);
  BallRange(g, 1);
  EXPECT_DOUBLE_EQ(g.dM1lim, g.da1);
  ASSERT_LT(g.dt1min, g.dt1max);
  const double dt = g.dt1, dM = g.dM1, M = g.M1;
  g.dt1 = g.dt1min;
  ContactForBall(g, 1);
  EXPECT_NEAR(g.dM1, g.dFf1, 1e-9);
  g.dt1 = g.dt1max;
  ContactForBall(g, 1);
  EXPECT_NEAR(g.dM1, g.da1, 1e-9);
  // The range leaves the gear's ball alone.
  g.dt1 = dt, g.dM1 = dM, g.M1 = M, g.ballReason = 0;
  BallRange(g, 1);
  EXPECT_EQ(g.dt1, dt);
  EXPECT_EQ(g.dM1, dM);
  EXPECT_EQ(g.M1, M);
  EXPECT_EQ(g.ballReason, 0);  // the check's own ball fits
  // Reasons for a small ball: touching below the form circle, or its inside
  // reaching into the root (M - 2 dt below df).
  g.dt1 = g.dt1min * 0.9;
  BallRange(g, 1);
  EXPECT_EQ(g.ballReason, 3);
  g.M1 = g.df1 + 2.0 * g.dt1 - 0.5;
  const double touching = g.dt1min;
  BallRange(g, 1);
  EXPECT_EQ(g.ballReason, 2);
  EXPECT_DOUBLE_EQ(g.dt1min, std::max(touching, (g.M1 - g.df1) / 2.0));
}

TEST(Balls, FourToothPinionHasNoUpperBall) {
  GearPair g = CheckedPair(1.0, 4.0, 40.0, 0.0, 0.0);
  BallRange(g, 1);
  EXPECT_EQ(g.dt1max, kNoBallLimit);
  EXPECT_DOUBLE_EQ(g.dM1lim, std::min(0.98 * g.da1, EffectiveTipDiameter(g, 1)));
  // A five-tooth pinion has one: the ball touching at its tip.
  GearPair five = CheckedPair(1.0, 5.0, 40.0, 0.0, 0.0);
  BallRange(five, 1);
  ASSERT_NE(five.dt1max, kNoBallLimit);
  five.dt1 = five.dt1max;
  ContactForBall(five, 1);
  EXPECT_NEAR(five.dM1, five.da1, 1e-9);
}

TEST(Balls, RingRangeRunsFromItsFormCircleInwards) {
  GearPair r = RingPair(0.0);
  BallRange(r, 2);
  ASSERT_LT(r.dt2min, r.dt2max);
  r.dt2 = r.dt2min;
  ContactForBall(r, 2);
  EXPECT_NEAR(r.dM2, r.dFf2, 1e-9);  // the smallest pin touches on the form circle
  r.dt2 = r.dt2max;
  ContactForBall(r, 2);
  EXPECT_NEAR(r.dM2, r.da2, 1e-9);  // the largest at the tip
  // The check's pin lies in that range, its contact stored negative.
  MeasurementDimensions(r);
  EXPECT_LT(r.dM2, 0.0);
  EXPECT_GT(r.M2, 0.0);
  EXPECT_GE(r.dt2, r.dt2min);
  EXPECT_LE(r.dt2, r.dt2max);
  EXPECT_TRUE(test::NonFiniteReals(r).empty());
}

// ---------------------------------------------------------------------------
// Chordal thickness

TEST(Chord, ConstantChordOfTheBasicRack) {
  // sc = s cos^2 an, hc = ha - s sin(2 an)/4 with s = mn (pi/2 + 2 x tan an).
  for (double betaDeg : {0.0, 20.0}) {
    GearPair g = CheckedPair(3.0, 24.0, 49.0, 0.4, 0.0, betaDeg);
    const double an = Deg(20);
    const double s = 3.0 * (kPi / 2.0 + 2.0 * 0.4 * std::tan(an));
    ConstantChord(g, 1);
    EXPECT_NEAR(g.sc1, s * std::cos(an) * std::cos(an), 1e-12);
    EXPECT_NEAR(g.hc1, g.ha1 - s * std::sin(2.0 * an) / 4.0, 1e-12);
    if (betaDeg != 0.0) continue;
    // A spur tooth's constant chord ends on its flanks: the chord of that
    // width found on the involute (Newton) lies at the same height.
    const double sc = g.sc1, hc = g.hc1;
    ChordAtWidth(g, 1);
    EXPECT_NEAR(g.hc1, hc, 1e-9);
    ChordAtHeight(g, 1);
    EXPECT_NEAR(g.sc1, sc, 1e-9);
  }
  // The ring: the chord lies s sin(2 an)/4 inside the reference circle and
  // its height counts from the chord across the tooth tip.
  GearPair r = RingPair(0.2);
  ConstantChord(r, 2);
  const double rsc = r.sc2, rhc = r.hc2;
  ChordAtWidth(r, 2);
  EXPECT_NEAR(r.hc2, rhc, 1e-9);
  ChordAtHeight(r, 2);
  EXPECT_NEAR(r.sc2, rsc, 1e-9);
}

TEST(Chord, RingToothHalfAngleWidensOutwards) {
  // The ring's tooth is the pitch less the space of an external gear of
  // shift -x: its half angle at dy is (pi/2 + 2 x tan an)/|z| - inv at +
  // inv ay, so the angle on the base circle carries -inv at. At the tip it
  // must give the check's tip thickness (computed from the space), with or
  // without helix and thinning.
  for (double betaDeg : {0.0, 18.0}) {
    for (bool thinned : {false, true}) {
      GearPair r = RingPair(0.35, betaDeg);
      if (thinned) {
        r.jn = 0.08, r.backlashDirect = r.thinBoth = true;
        ToothThicknesses(r);
      }
      const double at = std::atan(std::tan(Deg(20)) / std::cos(r.beta));
      const double aa = std::acos(r.db2 / r.da2);
      const double tipHalf = ToothHalfAngleOnBase(r, 2) + Inv(aa);
      const double cosBetaA = std::cos(std::atan(std::tan(r.beta) * r.da2 / r.d2));
      EXPECT_NEAR(tipHalf, r.sa2 / cosBetaA / std::fabs(r.da2), 1e-12);
      if (!thinned) {
        EXPECT_NEAR(ToothHalfAngleOnBase(r, 2),
                    (kPi / 2.0 + 2.0 * 0.35 * std::tan(Deg(20))) / 80.0 - Inv(at), 1e-15);
      }
    }
  }
}

TEST(Chord, PublishedChordOnTheReferenceCylinder) {
  // SDP-SI table 10-1: mn 10, z 12, x 0.3, ha 13: 17.8256 at 13.6657.
  GearPair g = CheckedPair(10.0, 12.0, 24.0, 0.3, -0.3);
  ASSERT_NEAR(g.ha1, 13.0, 1e-9);
  ReferenceChord(g, 1);
  EXPECT_NEAR(g.sc1, 17.8256, 5e-5);
  EXPECT_NEAR(g.hc1, 13.6657, 5e-5);
}

TEST(Chord, NewtonModesMeetTheReferenceChord) {
  // The chord on the reference cylinder in closed form is the chord of that
  // width, and the chord at that height, found on the involute.
  struct Case {
    bool ring;
    double x, betaDeg;
  };
  const Case cases[] = {
      {false, 0.3, 0.0}, {false, -0.1, 22.0}, {true, 0.0, 0.0}, {true, 0.25, 14.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.betaDeg);
    GearPair g =
        c.ring ? RingPair(c.x, c.betaDeg) : CheckedPair(2.0, 27.0, 55.0, c.x, 0.0, c.betaDeg);
    const int gear = c.ring ? 2 : 1;
    ReferenceChord(g, gear);
    double& sc = c.ring ? g.sc2 : g.sc1;
    double& hc = c.ring ? g.hc2 : g.hc1;
    ASSERT_GT(sc, 0.0);
    const double refSc = sc, refHc = hc;
    hc = 0.0;
    ChordAtWidth(g, gear);
    EXPECT_NEAR(hc, refHc, 1e-9);
    sc = 0.0;
    ChordAtHeight(g, gear);
    EXPECT_NEAR(sc, refSc, 1e-9);
  }
}

TEST(Chord, LimitsAreTheChordsAtTheInvoluteEnds) {
  // Chosen height at hcmin is the chord across the involute's end (the tip,
  // or the chamfer's start), at hcmax the chord at the form circle.
  GearPair g = CheckedPair(2.0, 27.0, 55.0, 0.2, 0.0, 12.0);
  ChordLimits(g, 1);
  ASSERT_FALSE(g.scAtToothMax);
  g.hc1 = g.hc1min;
  ChordAtHeight(g, 1);
  EXPECT_NEAR(g.sc1, g.sc1min, 1e-9);
  g.hc1 = g.hc1max;
  ChordAtHeight(g, 1);
  EXPECT_NEAR(g.sc1, g.sc1max, 1e-9);

  // Spur with a tip chamfer: the lowest chord is the one at the chamfer's
  // start, below the tip.
  GearPair c = test::StandardExternalPair();
  c.mn = 2.0, c.z1 = 27.0, c.z2 = 55.0, c.chamfer1 = true, c.hFfP01Star = 0.8;
  ZeroShifts(c);
  c.geometryReady = 7;
  PairFromShifts(c);
  RunCheck(c);
  ASSERT_LT(c.da1Eff, c.da1);
  ChordLimits(c, 1);
  c.hc1 = c.hc1min;
  ChordAtHeight(c, 1);
  EXPECT_NEAR(c.sc1, c.sc1min, 1e-9);
  EXPECT_GT(c.hc1min, (c.da1 - c.da1Eff) / 2.0);
}

TEST(Chord, NarrowFormCircleLimitsAtTheWidestTooth) {
  // With the involute reaching down to the base circle the widest chord is
  // the tooth's: its flanks stand parallel where the chord is as long as the
  // base thickness, (da - db)/2 under the tip (to 1e-6 mm for 27 teeth).
  GearPair g = CheckedPair(2.0, 27.0, 55.0, 0.0, 0.0);
  g.dFf1 = g.db1, g.sFf1 = g.sb1;
  ChordLimits(g, 1);
  EXPECT_TRUE(g.scAtToothMax);
  EXPECT_DOUBLE_EQ(g.hc1max, (g.da1 - g.db1) / 2.0);
  EXPECT_DOUBLE_EQ(g.sc1max, g.sb1);
  g.hc1 = g.hc1max;
  ChordAtHeight(g, 1);
  EXPECT_NEAR(g.sc1, g.sc1max, 1e-9);
}

TEST(Chord, ThinningMovesTheChordsToTheThinnerTooth) {
  GearPair g = CheckedPair(2.0, 27.0, 55.0, 0.0, 0.0);
  ReferenceChord(g, 1);
  const double plain = g.sc1;
  g.jn = 0.2, g.backlashDirect = true, g.thinBoth = true;
  ReferenceChord(g, 1);
  // Half the backlash, jn/(2 cos an) on the reference circle, comes off the
  // pinion's tooth: its half angle shrinks by jn/(4 cos an (d/2)).
  const double psi = kPi / 2.0 / 27.0 - 0.2 / (4.0 * std::cos(Deg(20)) * g.d1 / 2.0);
  EXPECT_NEAR(g.sc1, g.d1 * std::sin(psi), 1e-12);
  EXPECT_LT(g.sc1, plain);
  // With the involute starting above the reference circle there is no chord there.
  g.dFf1 = g.d1 + 0.01;
  ReferenceChord(g, 1);
  EXPECT_EQ(g.sc1, 0.0);
  EXPECT_EQ(g.hc1, 0.0);
}

TEST(Chord, RackChordsFollowTheStraightFlank) {
  GearPair g = CheckedPair(2.0, 20.0, 5000.0, 0.0, 0.0);
  g.rackMode = true;
  RackGeometry(g);
  g.rackHaLimit = 1.0;
  RunCheckRack(g);
  const double an = Deg(20);
  ConstantChord(g, 2);
  EXPECT_NEAR(g.sc2, kPi * 2.0 / 2.0 * std::cos(an) * std::cos(an), 1e-12);
  EXPECT_NEAR(g.hc2, g.ha2 - kPi / 8.0 * 2.0 * std::sin(2.0 * an), 1e-12);
  // On a straight flank s(h) = sa + 2 h tan an from the tip.
  const double sc = g.sc2, hc = g.hc2;
  ChordAtWidth(g, 2);
  EXPECT_NEAR(g.hc2, (sc - g.sa2) / (2.0 * std::tan(an)), 1e-12);
  EXPECT_NEAR(g.hc2, hc, 1e-12);
  ReferenceChord(g, 2);
  EXPECT_NEAR(g.sc2, kPi, 1e-12);
  EXPECT_NEAR(g.hc2, 2.0, 1e-12);
  // Thinning both teeth takes jn/(2 cos an) off the rack's tooth.
  g.jn = 0.1, g.backlashDirect = g.thinBoth = true;
  ConstantChord(g, 2);
  EXPECT_NEAR(g.sc2, (kPi - 0.1 / (2.0 * std::cos(an))) * std::cos(an) * std::cos(an), 1e-12);
}

TEST(Chord, ModesKeepTheirValuesOrFallBackToTheConstantChord) {
  GearPair g = CheckedPair(2.0, 27.0, 55.0, 0.0, 0.0);
  g.scConst1 = false, g.scChosen1 = true;
  ChordLimits(g, 1);
  g.sc1 = (g.sc1min + g.sc1max) / 2.0, g.hc1 = (g.hc1min + g.hc1max) / 2.0;
  const double sc = g.sc1;
  ChordAtWidth(g, 1);
  const double hc = g.hc1;
  g.hc1 = (g.hc1min + g.hc1max) / 2.0;
  ChordDimensions(g);
  EXPECT_TRUE(g.scChosen1);
  EXPECT_EQ(g.sc1, sc);
  EXPECT_NEAR(g.hc1, hc, 1e-12);  // the height of that width, found again
  g.sc1 = g.sc1max * 2.0;
  ChordDimensions(g);
  EXPECT_TRUE(g.scConst1);
  EXPECT_FALSE(g.scChosen1);
  EXPECT_NEAR(g.sc1, g.sn1 * std::pow(std::cos(Deg(20)), 2), 1e-12);
}

// ---------------------------------------------------------------------------
// The check's step

TEST(MeasurementDimensions, DefaultsOfTheCheck) {
  GearPair g = CheckedPair(1.0, 20.0, 40.0, 0.0, 0.0);
  // The contact of the default ball is the working pitch circle, inside
  // the admissible range.
  EXPECT_NEAR(g.dM1, g.dw1, 1e-9);
  EXPECT_NEAR(g.dM2, g.dw2, 1e-9);
  EXPECT_GE(g.dt1, g.dt1min);
  EXPECT_LE(g.dt1, g.dt1max);
  const Gear pinion{1.0, 20.0, Deg(20), 0.0, 0.0};
  EXPECT_NEAR(g.M1, pinion.OverBalls(g.dt1), 1e-9);
  EXPECT_TRUE(g.scConst1 && g.scConst2);
  EXPECT_NEAR(g.sc1, kPi / 2.0 * std::pow(std::cos(Deg(20)), 2), 1e-12);
  EXPECT_EQ(g.zw1, 3);
  EXPECT_NEAR(g.W1, pinion.Span(3), 1e-12);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());
  // A pinion whose working circle lies above its tip (a large negative
  // shift sum on the wheel) starts from the middle of the flank.
  g.dw1 = g.da1 + 1.0;
  MeasurementDimensions(g);
  EXPECT_NEAR(g.dM1, (g.da1 + g.dFf1) / 2.0, 1e-9);
}

TEST(MeasurementDimensions, NothingNonFiniteFromAnyState) {
  // An empty state, a rack, a bevel pair and tiny gears never give NaN or
  // infinity.
  GearPair empty;
  MeasurementDimensions(empty);
  EXPECT_TRUE(test::NonFiniteReals(empty).empty());
  // A rack has no span.
  for (double z1 : {4.0, 5.0, 7.0, 150.0}) {
    GearPair g = CheckedPair(1.0, z1, 5000.0, 0.0, 0.0);
    g.rackMode = true;
    RackGeometry(g);
    RunCheckRack(g);
    g.zw2 = 5, g.W2 = 3.0;
    MeasurementDimensions(g);
    EXPECT_TRUE(test::NonFiniteReals(g).empty()) << z1;
    EXPECT_EQ(g.zw2, 0);
    EXPECT_EQ(g.zwMax2, 0);
    EXPECT_EQ(g.W2, 0.0);
  }
  GearPair bevel = test::StandardBevelPair();
  RunCheck(bevel);
  EXPECT_TRUE(test::NonFiniteReals(bevel).empty());
}

}  // namespace
}  // namespace kolmira
