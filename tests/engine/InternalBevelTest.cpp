// The complete check of internal pairs (pinion in a ring cut by a shaper
// cutter) and of bevel pairs (on their virtual spur pair), against textbook
// formulas worked out in the tests and against published values.
#include "engine/InternalBevel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TestPairs.h"
#include "engine/Check.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "engine/ShiftDistribution.h"
#include "engine/ShiftedPair.h"
#include "report/Report.h"

namespace kolmira {
namespace {

using test::Deg;

double Square(double x) {
  return x * x;
}
double Inv(double a) {
  return std::tan(a) - a;
}

// An internal spur pair of module 1 defined by its shifts, as after typing
// them, with a cutter of z0 teeth and shift 0.
GearPair Internal(double z1, double z2, double x1, double x2, int z0 = 35) {
  return test::ShiftedPair({.z1 = z1, .z2 = z2, .x1 = x1, .x2 = x2, .z0 = z0});
}

// The standard internal pair (20/-80, cutter z0 35), checked.
GearPair CheckedRing() {
  GearPair g = test::StandardInternalPair();
  g.geometryReady = 7;
  RunCheck(g);
  return g;
}

bool HasEntry(const GearPair& g, int k) {
  const auto lines = ReportLines(g);
  return std::any_of(lines.begin(), lines.end(), [k](const ReportLine& l) { return l.k == k; });
}

// ---- Internal pair -----------------------------------------------------------

TEST(InternalCheck, ContactRatioOfAPairWithoutLimitsIsTheTextbookOne) {
  // 20/-80, m 1, unshifted, with the ring's tip typed at -78.5 so that no
  // limit (pinion form circle, cutter root) shortens the path. Textbook
  // internal pair, magnitudes:
  //   eps = (sqrt(ra1² - rb1²) - sqrt(ra2² - rb2²) + a sin(aw)) / (pi m cos a)
  //       = (5.71820 - 11.30163 + 10.26060) / 2.95213 = 1.58434
  GearPair g = Internal(20.0, -80.0, 0.0, 0.0);
  g.da2Given = true;
  g.da2 = -78.5;
  PairFromShifts(g);
  RunCheck(g);
  ASSERT_FALSE(g.driverError);
  EXPECT_FALSE(g.interference1 || g.interference2 || g.tipTrimming);
  const double alpha = Deg(20), a = 30.0;
  const double rb1 = 10.0 * std::cos(alpha), rb2 = 40.0 * std::cos(alpha);
  const double ra1 = 11.0, ra2 = 39.25;
  const double approachAndRecess = std::sqrt(Square(ra1) - Square(rb1)) -
                                   std::sqrt(Square(ra2) - Square(rb2)) + a * std::sin(alpha);
  const double basePitch = kPi * std::cos(alpha);
  EXPECT_NEAR(g.epsAlpha, approachAndRecess / basePitch, 1e-9);
  EXPECT_NEAR(g.epsAlpha, 1.58434, 5e-6);
  EXPECT_EQ(g.epsBeta, 0.0);
  EXPECT_EQ(g.epsGamma, g.epsAlpha);

  // Specific sliding 1 - (w_mate rho_mate) / (w rho) with the radii of
  // curvature along the line of action: rho2 = rho1 + a sin(aw) inside a ring.
  // Start of contact A (ring tip), end of contact E (pinion tip).
  const double t1t2 = a * std::sin(alpha);
  const double rho2A = std::sqrt(Square(ra2) - Square(rb2)), rho1A = rho2A - t1t2;
  const double rho1E = std::sqrt(Square(ra1) - Square(rb1)), rho2E = rho1E + t1t2;
  const double u = 80.0 / 20.0;
  EXPECT_NEAR(g.thetaF1, 1.0 - rho2A / (u * rho1A), 1e-9);
  EXPECT_NEAR(g.thetaA2, 1.0 - u * rho1A / rho2A, 1e-9);
  EXPECT_NEAR(g.thetaA1, 1.0 - rho2E / (u * rho1E), 1e-9);
  EXPECT_NEAR(g.thetaF2, 1.0 - u * rho1E / rho2E, 1e-9);
  // Contact starts on the pinion where the ring's tip crosses the line of action.
  EXPECT_NEAR(g.dNf1, 2.0 * std::hypot(rb1, rho1A), 1e-9);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());
}

TEST(InternalCheck, StandardPairMeshesFromThePinionFormCircleOverTheInvoluteLengths) {
  // The standard ring tip (-78) reaches the pinion below its form circle:
  // the path of contact then starts at the form circle. The straight flank
  // of the generating rack ends hFfP = 1.0 m below the datum (1.25 - 0.38
  // (1 - sin 20°) = 0.99997, taken as 1), that is hFfP / sin(a) before the
  // pitch point on the line of action: T1F = rb1 tan(a) - hFfP / sin(a).
  const GearPair g = CheckedRing();
  ASSERT_FALSE(g.driverError);
  const double alpha = Deg(20);
  const double rb1 = 10.0 * std::cos(alpha);
  const double t1f = rb1 * std::tan(alpha) - 1.0 / std::sin(alpha);
  EXPECT_NEAR(g.dFf1, 2.0 * std::sqrt(Square(rb1) + Square(t1f)), 1e-9);
  EXPECT_TRUE(g.interference1);
  // The ring tip that meets the pinion exactly on its form circle:
  // T2F = T1F + a sin(a).
  const double rb2 = 40.0 * std::cos(alpha);
  const double t2f = t1f + 30.0 * std::sin(alpha);
  EXPECT_NEAR(g.da2Lim, -2.0 * std::sqrt(Square(rb2) + Square(t2f)), 1e-9);
  EXPECT_NEAR(g.dNa2, g.da2Lim, 1e-12);
  // eps = (sqrt(ra1² - rb1²) - T1F) / (pi m cos a) = (5.71820 - 0.49640) / 2.95213
  const double eps = (std::sqrt(121.0 - Square(rb1)) - t1f) / (kPi * std::cos(alpha));
  EXPECT_NEAR(g.epsAlpha, eps, 1e-9);
  EXPECT_NEAR(g.epsAlpha, 1.7688, 5e-5);
  // At every contact point the two specific slidings satisfy
  // (1 - theta1)(1 - theta2) = 1.
  EXPECT_NEAR((1.0 - g.thetaF1) * (1.0 - g.thetaA2), 1.0, 1e-12);
  EXPECT_NEAR((1.0 - g.thetaA1) * (1.0 - g.thetaF2), 1.0, 1e-12);

  // Involute length between two circles of base radius rb: (l2² - l1²) / (2 rb)
  // with l the roll lengths sqrt(r² - rb²); the ring's runs outwards.
  auto length = [](double rb, double rInner, double rOuter) {
    return (Square(rOuter) - Square(rb) - (Square(rInner) - Square(rb))) / (2.0 * rb);
  };
  EXPECT_NEAR(g.Lev2, length(rb2, std::fabs(g.da2) / 2.0, std::fabs(g.dFf2) / 2.0), 1e-9);
  EXPECT_NEAR(g.LevF2, length(rb2, std::fabs(g.dNa2) / 2.0, std::fabs(g.dNf2) / 2.0), 1e-9);
  EXPECT_NEAR(g.Lev1, length(rb1, g.dFf1 / 2.0, g.da1 / 2.0), 1e-9);
}

// The ring's root alone, on the checked standard internal pair: the pinion's
// tip meets the ring's flank T2E = T1T2 + sqrt(ra1² - rb1²) from the ring's
// point of tangency. Moved around the point of the ring's form circle, it
// interferes once it reaches more than 0.000001 rad beyond that circle.
TEST(InternalCheck, PinionTipAgainstTheRingsFormCircle) {
  const GearPair checked = CheckedRing();
  ASSERT_FALSE(checked.interference2);
  const double rb1 = checked.db1 / 2.0, rb2 = std::fabs(checked.db2) / 2.0;
  const double t1t2 = 30.0 * std::sin(Deg(20));
  for (const double offset : {-0.001, 0.0, 0.0000009, 0.0000011, 0.001}) {
    GearPair g = checked;
    const double t2e = rb2 * std::tan(checked.alphaFf2 + offset);
    g.da1Eff = 2.0 * std::hypot(rb1, t2e - t1t2);
    CheckInterferenceInternal(g);
    EXPECT_EQ(g.interference2, offset > 0.000001) << offset;
  }
}

TEST(InternalCheck, RingTipsTrimmedByTheCutterRoot) {
  // The cutter (z0 35, x0 0) cuts the unshifted ring at the reference
  // pressure angle. Its involute starts hFf0 / sin(a) before the pitch point
  // on the cutting line of action, hFf0 = 1.25 - 0.38 (1 - sin 20°) = 1 m
  // (independent of z0 for x0 = 0). The ring point generated there:
  // T2F = rb2 tan(a) - hFf0 / sin(a), da2Trim = -2 sqrt(rb2² + T2F²).
  // It lies outside the tip -78: the corners of the ring's teeth are cut off.
  const double alpha = Deg(20);
  const double rb2 = 40.0 * std::cos(alpha);
  const double trim =
      -2.0 * std::sqrt(Square(rb2) + Square(rb2 * std::tan(alpha) - 1.0 / std::sin(alpha)));
  struct Case {
    const char* what;
    bool backlash, both, wheel, grinding;
    double jn;
    double share;  // of the tip's thickness the ring's flank loses, per flank
  };
  const Case cases[] = {
      {"no backlash", false, false, false, false, 0.01, 0.0},
      {"thinned, not reground", true, true, false, false, 0.01, 0.0},
      {"both reground", true, true, false, true, 0.01, 1.0 / 8.0},
      {"ring reground", true, false, true, true, 0.01, 1.0 / 4.0},
      {"reground past the tip", true, false, true, true, 0.1, 1.0 / 4.0},
  };
  for (const Case& c : cases) {
    GearPair g = test::StandardInternalPair();
    g.geometryReady = 7, g.jn = c.jn, g.backlashDirect = c.backlash;
    g.thinBoth = c.both, g.thinWheel = c.wheel, g.thinByGrinding = c.grinding;
    RunCheck(g);
    ASSERT_FALSE(g.driverError) << c.what;
    EXPECT_TRUE(g.tipTrimming) << c.what;
    EXPECT_NEAR(g.da2Trim, trim, 1e-9) << c.what;
    // Regrinding the flank by t moves the start of the trimming t / tan 5°
    // towards the tip, but not beyond the tip itself; t on the circle
    // da2Trim with the thinning angle jn / (r2 cos a cos b).
    const double angle = c.jn / (40.0 * std::cos(alpha));
    const double t = c.share * std::fabs(trim) * angle;
    const double expected = std::min(trim + t / std::tan(Deg(5)), -78.0);
    EXPECT_NEAR(g.da2Eff, expected, 1e-9) << c.what;
    if (expected < -78.0) {
      EXPECT_NE(g.sFa2, 0.0) << c.what << ": thickness where the trimming begins";
      EXPECT_LE(g.dNa2, g.da2Eff) << c.what << ": the ring meshes at most up to the trimming";
    }
  }

  // A cutter shifted by 0.5 reaches deeper into the ring's tips: no trimming.
  // Nor does a chamfering edge of a rack tool apply to a ring.
  GearPair g = test::StandardInternalPair();
  g.geometryReady = 7, g.x0 = 0.5, g.chamfer2 = true;
  RunCheck(g);
  EXPECT_FALSE(g.tipTrimming);
  EXPECT_EQ(g.da2Eff, g.da2);
}

TEST(InternalCheck, TipAndAssemblyInterference) {
  // Textbook condition against tip (trochoid) interference of an internal
  // pair: with the tip circles crossing at
  //   th1 = acos((ra2² - ra1² - a²) / (2 a ra1)) + inv(aa1) - inv(aw)
  //   th2 = acos((a² + ra2² - ra1²) / (2 a ra2)),
  // the tips clear each other when th1 z1/z2 + inv(aw) - inv(aa2) - th2 > 0.
  // A pair whose tips foul in mesh cannot be assembled radially either; a
  // ring two teeth larger than the pinion cannot take it radially, one
  // twenty teeth larger can.
  struct Case {
    double z1, z2, x2;
    int z0;
    int assembly;  // -1: not stated
  };
  const Case cases[] = {{40, -42, -0.5, 25, 1}, {40, -44, -0.5, 25, -1}, {40, -50, -0.5, 25, -1},
                        {40, -60, -0.5, 25, 0}, {60, -62, 0.0, 30, -1},  {60, -66, 0.0, 30, -1},
                        {60, -70, 0.0, 30, -1}, {20, -80, 0.0, 35, -1}};
  int fouling = 0, clear = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.z1 << "/" << c.z2);
    GearPair g = Internal(c.z1, c.z2, 0.0, c.x2, c.z0);
    RunCheck(g);
    ASSERT_FALSE(g.driverError);
    ASSERT_FALSE(g.tipsEnclosed);
    const double a = std::fabs(g.aw);
    const double ra1 = g.da1 / 2.0, ra2 = std::fabs(g.da2) / 2.0;
    const double rb1 = g.db1 / 2.0, rb2 = std::fabs(g.db2) / 2.0;
    const double aw = std::acos((std::fabs(c.z2) - c.z1) / 2.0 * std::cos(Deg(20)) / a);
    const double aa1 = std::acos(rb1 / ra1), aa2 = std::acos(rb2 / ra2);
    const double th1 =
        std::acos((Square(ra2) - Square(ra1) - Square(a)) / (2.0 * a * ra1)) + Inv(aa1) - Inv(aw);
    const double th2 = std::acos((Square(a) + Square(ra2) - Square(ra1)) / (2.0 * a * ra2));
    const double margin = th1 * c.z1 / std::fabs(c.z2) + Inv(aw) - Inv(aa2) - th2;
    EXPECT_EQ(g.tipInterference, margin <= 0.0) << "margin " << margin;
    (g.tipInterference ? fouling : clear)++;
    if (g.tipInterference) {
      EXPECT_TRUE(g.assemblyGap && g.assemblyTooth);
    }
    if (c.assembly >= 0) {
      EXPECT_EQ(g.assemblyGap, c.assembly == 1);
      EXPECT_EQ(g.assemblyTooth, c.assembly == 1);
    }
  }
  EXPECT_GT(fouling, 0);
  EXPECT_GT(clear, 0);
  // Tip circle of the pinion around the whole tip circle of the ring at the
  // working distance (2|aw| + |da2| <= da1): every tip test fails at once.
  GearPair g = Internal(40.0, -41.0, 0.0, -0.5, 25);
  RunCheck(g);
  ASSERT_LE(2.0 * std::fabs(g.aw) + std::fabs(g.da2), g.da1);
  EXPECT_TRUE(g.tipsEnclosed);
  EXPECT_TRUE(g.tipInterference && g.assemblyGap && g.assemblyTooth);
}

TEST(InternalCheck, RingWithAsManyTeethAsThePinionSkipsTheTipAndAssemblyTests) {
  // 60/-60 at x2 = -1 (aw = sin(20°) (x1 + x2) = -0.342): the ring's teeth
  // never pass the pinion's, so there is no tip or assembly test; one tooth
  // more and the same tips foul.
  GearPair g = Internal(60.0, -60.0, 0.0, -1.0);
  RunCheck(g);
  EXPECT_FALSE(g.driverError);
  EXPECT_TRUE(g.messages.empty());
  EXPECT_NEAR(g.aw, -std::sin(Deg(20)), 1e-12);
  EXPECT_FALSE(g.tipsEnclosed);
  EXPECT_FALSE(g.tipInterference || g.assemblyGap || g.assemblyTooth);
  EXPECT_GT(g.epsAlpha, 0.0);
  EXPECT_TRUE(test::NonFiniteReals(g).empty()) << ::testing::PrintToString(test::NonFiniteReals(g));

  GearPair h = Internal(60.0, -61.0, 0.0, -1.0);
  RunCheck(h);
  EXPECT_TRUE(h.tipInterference && h.assemblyGap && h.assemblyTooth);

  // Even a pinion tip circle around the whole ring tip circle, which fails
  // every tip test of a true pair, is no finding for the degenerate one.
  for (GearPair* pair : {&g, &h}) {
    GearPair k = *pair;
    k.da1 = k.da1Eff = std::fabs(k.da2) + 2.0 * std::fabs(k.awEff) + 0.1;
    k.tipInterference = k.assemblyGap = k.assemblyTooth = false;
    CheckInterferenceInternal(k);
    const bool degenerate = pair == &g;
    EXPECT_EQ(k.tipsEnclosed, !degenerate);
    EXPECT_EQ(k.tipInterference || k.assemblyGap || k.assemblyTooth, !degenerate);
  }
}

TEST(InternalCheck, CutterFeedingInFoulsOnlyWhenNearlyAsLargeAsTheRing) {
  for (const int z0 : {35, 70}) {
    GearPair g = Internal(20.0, -80.0, 0.0, 0.0, z0);
    RunCheck(g);
    ASSERT_FALSE(g.driverError);
    EXPECT_EQ(g.tipInterferenceInfeed, z0 == 70) << z0;
  }
}

TEST(InternalCheck, ShiftSumAboveItsLimitStopsAfterTheBasicLimits) {
  // xmez = -0.5 (z1 + z2) inv(20°) / tan(20°) = 30 * 0.0149044 / 0.3639702 = 1.22849
  const double xmez = 30.0 * Inv(Deg(20)) / std::tan(Deg(20));
  struct Case {
    double above;
    bool stops;
  };
  for (const Case c : {Case{0.00002, true}, Case{0.000001, false}, Case{-0.5, false}}) {
    GearPair g = test::StandardInternalPair();
    g.geometryReady = 7;  // the geometry of the unshifted pair stays
    g.x1 = 0.5;
    g.x2 = xmez + c.above - 0.5;
    g.epsAlpha = g.dFf2 = g.Lev1 = g.thetaF1 = g.sa1 = 123.0;  // from an earlier run
    RunCheck(g);
    EXPECT_NEAR(g.xmez, xmez, 1e-12);
    EXPECT_EQ(g.xSumAboveLimit, c.stops) << c.above;
    EXPECT_FALSE(g.driverError) << c.above;
    const bool untouched = g.epsAlpha == 123.0 && g.dFf2 == 123.0 && g.Lev1 == 123.0 &&
                           g.thetaF1 == 123.0 && g.sa1 == 123.0;
    EXPECT_EQ(untouched, c.stops) << c.above;
    if (c.stops) {
      RunCheckAndReport(g);
      ASSERT_FALSE(g.messages.empty());
      EXPECT_EQ(g.messages.back().text,
                "Součet korekcí x1+x2 je větší než mezní (xmez= 1.2285) - záporný úhel záběru");
      EXPECT_TRUE(g.driverError);
    }
  }
}

TEST(InternalCheck, RingTipInsideItsBaseCircle) {
  // Met by the check itself (a tip trimmed or typed inside the base circle
  // 80 cos 20° = 75.17541): a message with the signed db2, and a stop.
  GearPair g = CheckedRing();
  ASSERT_FALSE(g.driverError);
  g.da2Eff = -75.0;
  g.dFf2 = 123.0;
  CheckInterferenceInternal(g);
  EXPECT_TRUE(g.driverError);
  ASSERT_EQ(g.messages.size(), 1u);
  EXPECT_EQ(g.messages[0].title, "  Chyba !");
  EXPECT_EQ(g.messages[0].text, "Hlavový průměr kola je menší než základní   db2= -75.1754");
  EXPECT_EQ(g.dFf2, 123.0) << "the step stops there";

  // A pinion tip on its base circle stops the step without a message.
  GearPair h = CheckedRing();
  h.da1Eff = h.db1;
  CheckInterferenceInternal(h);
  EXPECT_TRUE(h.driverError);
  EXPECT_TRUE(h.messages.empty());

  // A typed ring tip inside the base circle is a basic limit of the pair.
  GearPair k = test::StandardInternalPair();
  k.geometryReady = 7, k.da2Given = true, k.da2 = -75.0;
  RunCheck(k);
  EXPECT_TRUE(k.ringBaseAboveTip);
}

// Pairs the main dialog would not let through (a cutter as large as the
// ring among them: a state loaded or set otherwise) still give a finite
// check and a report, with the report's entry where one is due.
TEST(InternalCheck, PathologicalPairsStayFinite) {
  struct Case {
    const char* what;
    double z1, z2, x1, x2, betaDeg;
    int z0;
    double x0, rhoa0, da1, da2;  // 0: tip diameters computed
    bool apart;
    int entry = 0;  // of the report, expected
  };
  const Case cases[] = {
      {"standard", 20, -80, 0, 0, 0, 35, 0, 0, 0, 0, false},
      {"helical 30°, rounded cutter tip", 20, -80, 0.3, 0.2, 30, 35, 0.2, 0.3, 0, 0, false},
      {"undercut pinion", 8, -80, 0, 0, 0, 35, 0, 0, 0, 0, false},
      {"tips apart", 20, -80, 0, 0, 0, 35, 0, 0, 19.5, -80.0, false},
      {"tip circles enclosed", 40, -41, 0, -0.5, 0, 25, 0, 0, 0, 0, false},
      {"ring of 4000 teeth", 200, -4000, 0, 0, 0, 35, 0, 0, 0, 0, false},
      {"cutter tip inside its base circle", 20, -80, 0, 0, 0, 10, -2.0, 0, 0, 0, false},
      {"no cutter", 20, -80, 0, 0, 0, 0, 0, 0, 0, 0, false},
      {"ring without involute", 20, -24, 0, 0, 0, 15, 0, 0, 0, 0, false},
      {"large shifts", 20, -80, 1.0, -2.0, 0, 35, 1.0, 0, 0, 0, false},
      {"pulled apart", 20, -80, 0, 0, 0, 35, 0, 0, 0, 0, true},
      {"degenerate, tiny offset", 60, -60, 0, -0.001, 0, 35, 0, 0, 0, 0, false},
      {"cutter as large as the ring", 20, -80, 0, 0, 0, 80, 0, 0, 0, 0, false, 6},
      {"cutter larger than the ring", 20, -80, 0, 0, 0, 81, 0, 0, 0, 0, false, 6},
      {"cutter of 200 teeth", 20, -80, 0, 0, 0, 200, 0, 0, 0, 0, false, 6},
  };
  for (const Case& c : cases) {
    GearPair g = Internal(c.z1, c.z2, c.x1, c.x2, c.z0);
    g.betaDeg = c.betaDeg, g.beta = Deg(c.betaDeg), g.x0 = c.x0, g.rhoa0Star = c.rhoa0;
    if (c.da1 != 0.0) g.da1Given = true, g.da1 = c.da1;
    if (c.da2 != 0.0) g.da2Given = true, g.da2 = c.da2;
    if (c.apart) {
      g.jnByApart = true, g.awNoBacklash = g.aw, g.awJ = g.aw - 0.5;
      g.alphaWtJ = std::acos(g.aw * std::cos(g.alphaWt) / g.awJ);
    }
    g.backlashDirect = g.thinBoth = g.thinByGrinding = true, g.jn = 0.05;
    g.geometryReady = 0;
    g.messages.clear();
    RunCheckAndReport(g);
    EXPECT_TRUE(test::NonFiniteReals(g).empty())
        << c.what << ": " << ::testing::PrintToString(test::NonFiniteReals(g));
    EXPECT_FALSE(ReportLines(g).empty()) << c.what;
    if (c.entry != 0) {
      EXPECT_TRUE(HasEntry(g, c.entry)) << c.what;
    }
  }
}

// ---- Bevel pair --------------------------------------------------------------

// Straight bevel pair 20/30 at 90°, m 1 (outer), b 10, as the check sees it.
GearPair Bevel(double x1 = 0.0, double betaDeg = 0.0, double b = 10.0) {
  GearPair g = test::StandardBevelPair();
  g.x1 = x1, g.x2 = -x1, g.xSum = 0.0, g.betaDeg = betaDeg, g.beta = Deg(betaDeg), g.b = b;
  g.geometryReady = 7;
  RunCheckAndReport(g);
  return g;
}

// Outer cone distance of the 20/30 pair: Le = m z1 / (2 sin d1), tan d1 = 20/30.
const double kDelta1 = std::atan(20.0 / 30.0);
const double kLe = 20.0 / (2.0 * std::sin(kDelta1));  // 18.0278

TEST(BevelCheck, StraightPairMeshesAsItsVirtualSpurPairWithOverlapOnlyForASpiral) {
  // Back-cone (Tredgold) pair at the middle of the face: zv = z / cos(d),
  // module mm = m (1 - b / (2 Le)), addendum 1 mm, a = mm (zv1 + zv2) / 2.
  GearPair g = Bevel();
  ASSERT_FALSE(g.driverError);
  const double delta2 = kPi / 2.0 - kDelta1;
  const double zv1 = 20.0 / std::cos(kDelta1), zv2 = 30.0 / std::cos(delta2);
  const double mm = 1.0 - 10.0 / (2.0 * kLe);
  const double alpha = Deg(20);
  const double r1 = mm * zv1 / 2.0, r2 = mm * zv2 / 2.0;
  const double rb1 = r1 * std::cos(alpha), rb2 = r2 * std::cos(alpha);
  const double path = std::sqrt(Square(r1 + mm) - Square(rb1)) +
                      std::sqrt(Square(r2 + mm) - Square(rb2)) - (r1 + r2) * std::sin(alpha);
  EXPECT_NEAR(g.epsAlpha, path / (kPi * mm * std::cos(alpha)), 1e-9);
  EXPECT_GT(g.epsAlpha, 1.0);
  EXPECT_FALSE(g.interference1 || g.interference2 || g.undercut1);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());

  // Straight teeth, or a spiral angle within the straight-tooth tolerance:
  // no overlap. A spiral: overlap growing with the spiral angle.
  GearPair almost = test::StandardBevelPair();
  almost.beta = 0.00000005;
  almost.geometryReady = 7;
  RunCheckAndReport(almost);
  for (const GearPair* straight : {&g, &almost}) {
    EXPECT_EQ(straight->epsBeta, 0.0);
    EXPECT_EQ(straight->epsGamma, straight->epsAlpha);
  }
  double previous = 0.0;
  for (const double betaDeg : {10.0, 20.0, 30.0, 35.0}) {
    SCOPED_TRACE(betaDeg);
    GearPair s = Bevel(0.0, betaDeg);
    ASSERT_FALSE(s.driverError);
    EXPECT_GT(s.r0, 0.0);
    EXPECT_LT(s.r0, s.Le - s.b);
    EXPECT_GT(s.epsBeta, previous);
    previous = s.epsBeta;
    EXPECT_DOUBLE_EQ(s.epsGamma, s.epsAlpha + s.epsBeta);
  }
}

// Outer tip thickness of the bevel gear by hand: the spur gear of z teeth at
// the outer end, outer transverse module 1, addendum (1 + x) cos(beta) (the
// basic rack is normal to the spiral), tip diameter da = z + 2 ha, transverse
// pressure angle at = atan(tan 20° / cos(beta)); its transverse tip thickness
//   da ((pi + 4 x tan 20°) / (2z) + inv(at) - inv(acos(z cos(at) / da))),
// scaled from that tip circle to the real outer tip circle z + 2 ha cos(d).
double OuterTipThickness(double z, double x, double delta, double beta = 0.0) {
  const double at = std::atan(std::tan(Deg(20)) / std::cos(beta));
  const double ha = (1.0 + x) * std::cos(beta);
  const double da = z + 2.0 * ha;
  const double aa = std::acos(z * std::cos(at) / da);
  const double sa = da * ((kPi + 4.0 * x * std::tan(Deg(20))) / (2.0 * z) + Inv(at) - Inv(aa));
  return sa * (z + 2.0 * ha * std::cos(delta)) / da;
}

TEST(BevelCheck, TipThicknessOfTheOuterEndJudgesThinTips) {
  // Unshifted: the outer spur gear z 20 has the published tip thickness
  // 0.6949 (m 1, x 0), scaled by (20 + 2 cos d1) / 22.
  GearPair g = Bevel();
  EXPECT_NEAR(g.sa1Bevel, 0.6949 * (20.0 + 2.0 * std::cos(kDelta1)) / 22.0, 0.00005);
  // Inner end: the tip circle shrinks along the cone by (1 - b / Le).
  EXPECT_NEAR(g.dai1, g.dae1 * (1.0 - 10.0 / kLe), 1e-12);
  EXPECT_NEAR(g.sa1, g.sa1Bevel * g.dai1 / g.dae1, 1e-12);

  bool innerThinOnly = false, outerThin = false;
  for (const double x1 : {0.0, 0.5, 0.9, 1.0}) {
    GearPair h = Bevel(x1);
    ASSERT_FALSE(h.driverError) << x1;
    const double outer = OuterTipThickness(20.0, x1, kDelta1);
    EXPECT_NEAR(h.sa1Bevel, outer, 1e-9) << x1;
    EXPECT_EQ(h.thinTip1, outer < 0.25) << x1;
    EXPECT_EQ(HasEntry(h, 9), outer < 0.25) << x1;
    innerThinOnly |= h.sa1 < 0.25 && outer >= 0.25;
    outerThin |= outer < 0.25;
  }
  EXPECT_TRUE(innerThinOnly) << "a tip thin only at the inner end is not reported";
  EXPECT_TRUE(outerThin);

  // A spiral pair: normal thickness with the spiral angle at each end.
  GearPair s = Bevel(0.0, 30.0);
  const double transverse = OuterTipThickness(20.0, 0.0, kDelta1, Deg(30));
  EXPECT_NEAR(s.sa1Bevel, transverse * std::cos(s.betaE), 1e-9);
  EXPECT_NEAR(s.sa1, s.sa1Bevel / std::cos(s.betaE) * (1.0 - 10.0 / kLe) * std::cos(s.betaI),
              1e-12);
}

TEST(BevelCheck, ImpossibleFaceAndTooSteepSpiralAreReported) {
  struct Case {
    double b, betaDeg;
    bool wide, steep;
  };
  // betaMax = asin((Le - b) / (Le - b/2)) = 38.03946° for b 10.
  for (const Case c : {Case{10.0, 30.0, false, false}, Case{20.0, 0.0, true, false},
                       Case{10.0, 45.0, false, true}}) {
    GearPair g = Bevel(0.0, c.betaDeg, c.b);
    EXPECT_EQ(HasEntry(g, 11), c.wide) << c.b;
    EXPECT_EQ(HasEntry(g, 12), c.steep) << c.betaDeg;
    if (c.betaDeg != 0.0) {
      EXPECT_NEAR(g.betaMax, 38.03946, 5e-6);
    }
    EXPECT_TRUE(test::NonFiniteReals(g).empty()) << c.b << " " << c.betaDeg;
  }
}

TEST(BevelCheck, RecommendedFaceWidthOutsideAQuarterToAThirdOfTheCone) {
  for (const double share : {0.2, 0.3, 0.4}) {
    EXPECT_EQ(HasEntry(Bevel(0.0, 0.0, share * kLe), 25), share < 0.25 || share > 0.35) << share;
  }
}

TEST(BevelCheck, NoMeasurementVirtualTeethOrContactLines) {
  GearPair g = test::StandardBevelPair();
  g.geometryReady = 7;
  g.Lc1 = g.LcMin = g.LcMax = g.zn1 = g.zn2 = 123.0;
  g.W1 = g.W2 = g.M1 = g.M2 = g.sc1 = g.sc2 = 123.0;
  RunCheckAndReport(g);
  ASSERT_FALSE(g.driverError);
  for (const double v :
       {g.Lc1, g.LcMin, g.LcMax, g.zn1, g.zn2, g.W1, g.W2, g.M1, g.M2, g.sc1, g.sc2}) {
    EXPECT_EQ(v, 123.0);
  }
}

TEST(BevelCheck, InterferenceOnlyWhenThePinionIsNotUndercut) {
  // Pinion 13 of a 13/40 pair cut by a tool of tip radius 0.5 m: its
  // straight flank ends hFfP = 1.2 - 0.5 (1 - sin 20°) = 0.871 m deep, less
  // than the wheel's addendum 1 m, so the wheel tip reaches below the
  // pinion's form circle. x1min = hFfP - zv1 sin²(20°)/2, zv1 = 13 / cos(d1).
  const double hFfP = 1.2 - 0.5 * (1.0 - std::sin(Deg(20)));
  const double zv1 = 13.0 / std::cos(std::atan(13.0 / 40.0));
  const double x1min = hFfP - zv1 * Square(std::sin(Deg(20))) / 2.0;
  for (const double x1 : {0.0, 0.3}) {
    GearPair g = test::StandardBevelPair();
    g.z1Bevel = 13.0, g.z2Bevel = 40.0, g.rhofP1Star = 0.5, g.x1 = x1, g.x2 = -x1;
    g.geometryReady = 7;
    RunCheckAndReport(g);
    ASSERT_FALSE(g.driverError);
    EXPECT_EQ(g.undercut1, x1 < x1min) << x1;
    // Start of contact on the pinion, T1A = a sin(aw) - sqrt(ra2² - rb2²) on
    // the line of action of the virtual pair, against its form circle.
    const double rb1 = g.db1 / 2.0, rb2 = g.db2 / 2.0;
    const double t1a = g.aw * std::sin(g.alphaWt) - std::sqrt(Square(g.da2 / 2.0) - Square(rb2));
    const bool below = std::atan(t1a / rb1) + 1e-6 <= g.alphaFf1;
    EXPECT_EQ(g.interference1, below && !g.undercut1) << x1;
    if (!g.undercut1) {
      EXPECT_TRUE(below) << "the case meant to interfere";
    }
  }
}

TEST(BevelCheck, PathologicalPairsStayFinite) {
  struct Case {
    const char* what;
    double z1, z2, x1, betaDeg, b, sigmaDeg;
  };
  const Case cases[] = {
      {"standard", 20, 30, 0, 0, 10, 90},
      {"face as long as the cone", 20, 30, 0, 0, kLe, 90},
      {"face longer than the cone", 20, 30, 0, 0, 40, 90},
      {"spiral beyond its bound", 20, 30, 0, 80, 10, 90},
      {"spiral at a face as long as the cone", 20, 30, 0, 30, kLe, 90},
      {"five-tooth pinion", 5, 30, 0, 0, 3, 90},
      {"shifted far", 20, 30, 1.5, 0, 10, 90},
      {"negative shift", 20, 30, -1.5, 0, 10, 90},
      {"obtuse shaft angle", 20, 30, 0, 20, 5, 150},
      {"acute shaft angle", 20, 30, 0, 20, 5, 20},
      {"large pair", 200, 300, 0, 35, 500, 90},
  };
  for (const Case& c : cases) {
    GearPair g = test::StandardBevelPair();
    g.z1Bevel = c.z1, g.z2Bevel = c.z2, g.x1 = c.x1, g.x2 = -c.x1, g.b = c.b;
    g.betaDeg = c.betaDeg, g.beta = Deg(c.betaDeg), g.SigmaDeg = c.sigmaDeg,
    g.Sigma = Deg(c.sigmaDeg);
    g.geometryReady = 0;
    RunCheckAndReport(g);
    EXPECT_TRUE(test::NonFiniteReals(g).empty())
        << c.what << ": " << ::testing::PrintToString(test::NonFiniteReals(g));
    EXPECT_FALSE(ReportLines(g).empty()) << c.what;
  }
}

}  // namespace
}  // namespace kolmira
