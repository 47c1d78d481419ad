// The complete check of external pairs and racks against textbook values,
// published examples, constructions of the generating tools and the edges of
// its limits.
#include "engine/Check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "engine/Meshing.h"
#include "engine/PairGeometry.h"
#include "engine/ShiftDistribution.h"
#include "engine/ShiftedPair.h"
#include "engine/ToothThickness.h"

namespace kolmira {
namespace {

using test::Deg;

double Square(double x) {
  return x * x;
}
// Diameter through the point of the line of action `roll` away from the
// point of tangency of the base radius rb.
double Diameter(double rb, double roll) {
  return 2.0 * std::hypot(rb, roll);
}
// Length of the involute of base radius rb between the roll lengths u and v
// (u = sqrt(r² - rb²)): (v² - u²) / (2 rb).
double InvoluteLength(double rb, double u, double v) {
  return (v * v - u * u) / (2.0 * rb);
}

using test::PairData;
using test::ShiftedPair;

GearPair Checked(const PairData& s) {
  GearPair g = ShiftedPair(s);
  RunCheck(g);
  return g;
}

// The standard pair (m 1, 20/40) as the program starts with it, its working
// pressure angle exactly the reference one, checked.
GearPair CheckedStandardPair() {
  GearPair g = test::StandardExternalPair();
  g.geometryReady = 7;
  RunCheck(g);
  return g;
}

// The standard pinion (z 20) of module mn with a rack.
GearPair RackPair(double mn = 1.0) {
  GearPair g = test::StandardExternalPair();
  g.rackMode = true, g.z2 = 5000.0, g.mn = mn;
  return g;
}

TEST(Check, StandardPairMeetsTheTextbookAndFindsNothing) {
  const GearPair g = CheckedStandardPair();
  EXPECT_FALSE(g.driverError);
  EXPECT_TRUE(g.messages.empty());
  // (sqrt(11² - rb1²) + sqrt(21² - rb2²) - 30 sin 20°) / (pi cos 20°) = 1.6352
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
  EXPECT_NEAR(g.z1min, 17.1, 0.005);
  // Spur pair: contact lines are b times the whole contact ratio and one more.
  EXPECT_DOUBLE_EQ(g.Lc1, 10.0);
  EXPECT_DOUBLE_EQ(g.LcMin, 10.0);
  EXPECT_DOUBLE_EQ(g.LcMax, 20.0);
  EXPECT_DOUBLE_EQ(g.zn1, 20.0);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());
}

TEST(Check, PublishedPairsAndUndercutLimits) {
  // KHK: m 3, z 12/24, x 0.6/0.36: transverse contact ratio 1.202.
  const GearPair g = Checked({.mn = 3.0, .z1 = 12.0, .z2 = 24.0, .x1 = 0.6, .x2 = 0.36});
  EXPECT_FALSE(g.driverError);
  EXPECT_NEAR(g.epsAlpha, 1.202, 0.0005);
  // Undercut limits of shifted gears: x_min = hFfP* - z sin²(a) / 2 and
  // z_min = 2 (hFfP* - x) / sin²(a), with hFfP* = 1 (1.25 - 0.38 (1 - sin 20°)).
  const double sin2 = Square(std::sin(Deg(20)));
  EXPECT_NEAR(g.x1min, 1.0 - 12.0 * sin2 / 2.0, 1e-12);
  EXPECT_NEAR(g.x2min, 1.0 - 24.0 * sin2 / 2.0, 1e-12);
  EXPECT_NEAR(g.z1min, 2.0 * (1.0 - 0.6) / sin2, 1e-12);
  EXPECT_NEAR(g.z2min, 2.0 * (1.0 - 0.36) / sin2, 1e-12);

  // KHK: mn 3, z 12/60, beta 30°, b 20, x 0.09809/0: 1.294 and 1.061.
  const GearPair h =
      Checked({.mn = 3.0, .z1 = 12.0, .z2 = 60.0, .x1 = 0.09809, .betaDeg = 30.0, .b = 20.0});
  EXPECT_NEAR(h.epsAlpha, 1.294, 0.0005);
  EXPECT_NEAR(h.epsBeta, 1.061, 0.0005);
  EXPECT_NEAR(h.epsGamma, h.epsAlpha + h.epsBeta, 1e-15);
  EXPECT_NEAR(h.zn1, 12.0 / (Square(std::cos(h.betaB)) * std::cos(Deg(30))), 1e-12);

  // An eight-tooth pinion is undercut; its trochoid form circle lies above
  // the base circle.
  const GearPair u = Checked({.z1 = 8.0});
  EXPECT_TRUE(u.undercut1);
  EXPECT_NEAR(u.x1min, 1.0 - 8.0 * sin2 / 2.0, 1e-12);
  EXPECT_NEAR(u.z1min, 17.097, 0.0005);
  EXPECT_GT(u.dFf1, u.db1);
  EXPECT_LT(u.dFf1, u.d1);
}

// Interference at either root against the generating racks. The straight
// flank of a tool of tip radius rho ends hFfP = (haP + cP - (1 - sin a) rho) m
// below its datum line; rolling on the reference circle it generates the
// start of the involute (the form circle) where that end crosses the line
// of action of cutting, T F = rb tan(a) - (hFfP - x m) / sin(a) from the
// point of tangency. In mesh the wheel's tip crosses the line of action at
// T1A = T1T2 - sqrt(ra2² - rb2²) from T1 and the pinion's tip at
// T2E = T1T2 - sqrt(ra1² - rb1²) from T2. A tip that crosses before the
// mating form circle interferes: contact then runs from the form circle, and
// the limiting tip diameter is the one through it. The specific sliding is
// 1 - (z1/z2) rho2/rho1 on the pinion and 1 - (z2/z1) rho1/rho2 on the
// wheel, rho1 + rho2 = T1T2 the radii of curvature.
TEST(Check, InterferenceAtEitherRootAgainstTheGeneratingRack) {
  struct Case {
    const char* what;
    double rhoPinionTool, rhoWheelTool, da1;  // da1 in modules, 0: computed
    bool interference1, interference2;
  };
  const Case cases[] = {
      {"fillets 0.3 m", 0.3, 0.3, 0.0, false, false},
      // hFfP = 1.25 - 0.658 * 0.6 = 0.855: T1F = 3.4202 - 2.5005 = 0.9197 m,
      // beyond T1A = 10.2606 - 9.3697 = 0.8909 m.
      {"round-tipped pinion tool", 0.6, 0.3, 0.0, true, false},
      // T2F = 6.8404 - 2.5005 = 4.3399 m beyond T2E = 10.2606 - 6.0941 =
      // 4.1665 m of a pinion tip of 22.4 m (clearance 0.05 m).
      {"round-tipped wheel tool, larger pinion tip", 0.3, 0.6, 22.4, false, true},
  };
  const double m = 2.0, alpha = Deg(20);
  const double rb1 = 10.0 * m * std::cos(alpha), rb2 = 20.0 * m * std::cos(alpha);
  const double t1t2 = 30.0 * m * std::sin(alpha);
  auto formRoll = [&](double rb, double rho) {
    return rb * std::tan(alpha) - (1.25 - (1.0 - std::sin(alpha)) * rho) * m / std::sin(alpha);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GearPair g = ShiftedPair({.mn = m});
    g.rhofP1Star = c.rhoPinionTool, g.rhofP2Star = c.rhoWheelTool;
    if (c.da1 != 0.0) g.da1Given = true, g.da1 = c.da1 * m;
    RunCheck(g);
    ASSERT_FALSE(g.driverError);
    const double t1f = formRoll(rb1, c.rhoPinionTool), t2f = formRoll(rb2, c.rhoWheelTool);
    const double tip1 = std::sqrt(Square(g.da1 / 2.0) - Square(rb1));
    const double tip2 = std::sqrt(Square(g.da2 / 2.0) - Square(rb2));
    ASSERT_EQ(t1t2 - tip2 < t1f, c.interference1) << "the case is what it says";
    ASSERT_EQ(t1t2 - tip1 < t2f, c.interference2) << "the case is what it says";
    EXPECT_EQ(g.interference1, c.interference1);
    EXPECT_EQ(g.interference2, c.interference2);
    EXPECT_FALSE(g.undercut1 || g.undercut2 || g.shortened1 || g.shortened2);
    // Contact on the line of action, from T1.
    const double start = std::max(t1t2 - tip2, t1f), end = std::min(tip1, t1t2 - t2f);
    EXPECT_NEAR(g.dFf1, Diameter(rb1, t1f), 1e-9);
    EXPECT_NEAR(g.dFf2, Diameter(rb2, t2f), 1e-9);
    EXPECT_NEAR(g.dNf1, Diameter(rb1, start), 1e-9);
    EXPECT_NEAR(g.dNa1, Diameter(rb1, end), 1e-9);
    EXPECT_NEAR(g.dNf2, Diameter(rb2, t1t2 - end), 1e-9);
    EXPECT_NEAR(g.dNa2, Diameter(rb2, t1t2 - start), 1e-9);
    if (c.interference1) {
      EXPECT_NEAR(g.da2Lim, Diameter(rb2, t1t2 - t1f), 1e-9);
    }
    if (c.interference2) {
      EXPECT_NEAR(g.da1Lim, Diameter(rb1, t1t2 - t2f), 1e-9);
    }
    EXPECT_NEAR(g.Lev1, InvoluteLength(rb1, t1f, tip1), 1e-9);
    EXPECT_NEAR(g.Lev2, InvoluteLength(rb2, t2f, tip2), 1e-9);
    EXPECT_NEAR(g.LevF1, InvoluteLength(rb1, start, end), 1e-9);
    EXPECT_NEAR(g.LevF2, InvoluteLength(rb2, t1t2 - end, t1t2 - start), 1e-9);
    EXPECT_NEAR(g.epsAlpha, (end - start) / (kPi * m * std::cos(alpha)), 1e-9);
    EXPECT_NEAR(g.thetaF1, 1.0 - 0.5 * (t1t2 - start) / start, 1e-9);
    EXPECT_NEAR(g.thetaA2, 1.0 - 2.0 * start / (t1t2 - start), 1e-9);
    EXPECT_NEAR(g.thetaA1, 1.0 - 0.5 * (t1t2 - end) / end, 1e-9);
    EXPECT_NEAR(g.thetaF2, 1.0 - 2.0 * end / (t1t2 - end), 1e-9);
  }
}

// A pinion (m 2, z 20, x 0.3, cut by a tool of tip radius 0.3 m) with a rack.
// The rack's pitch line rolls on the pinion's reference circle, its datum
// line x m further out; the line of action passes the pitch point C at
// rC = rb1 tan(a) from T1. Before C, the rack's tip line (ha - x m inside the
// pitch line) crosses it ga = (ha - x m) / sin(a) away, and the pinion's form
// circle (the end of its tool's straight flank, hFfP1 - x m inside the pitch
// line) (hFfP1 - x m) / sin(a) away. After C, the pinion's tip crosses it
// sqrt(ra1² - rb1²) - rC away, and the end of the rack's straight flank
// (hFf + x m outside the pitch line, hFf = (1.25 - (1 - sin a) rho) m for the
// rack's root rounding rho) (hFf + x m) / sin(a) away. Contact runs from the
// nearer of the first two to the nearer of the last two. On the rack's
// straight flank a length along the line of action g covers g tan(a) of the
// flank; the pinion slides on the rack with the specific sliding
// 1 - rC / rho1 at its flank point of radius of curvature rho1, and the rack
// with 1 - rho1 / rC.
TEST(Check, PinionWithARackMeshesBetweenBothStraightFlanks) {
  struct Case {
    const char* what;
    double ha, rhoRack, da1;  // the rack's addendum in modules (0: 1), its root
                              // rounding, the pinion's tip in mm (0: computed)
    bool interference1, interference2;
  };
  const Case cases[] = {
      {"standard addendum", 0.0, 0.3, 0.0, false, false},
      // ga = (2.6 - 0.6) / sin 20° = 5.848 beyond (2.105 - 0.6) / sin 20° = 4.401.
      {"addendum 1.3 m", 1.3, 0.3, 0.0, true, false},
      // (1.316 + 0.6) / sin 20° = 5.601 short of the pinion tip's 12.552 - 6.840 = 5.712.
      {"rack root rounding 0.9 m", 0.0, 0.9, 0.0, false, true},
      // ga = (0.4 - 0.6) / sin 20° = -0.585 and 7.127 - 6.840 = 0.287: the
      // tips do not reach each other's flanks, and the contact ratio is 0.
      {"addendum 0.2 m, pinion tip 40.2", 0.2, 0.3, 40.2, false, false},
  };
  const double m = 2.0, x = 0.3, alpha = Deg(20);
  const double sinA = std::sin(alpha), tanA = std::tan(alpha);
  const double rb1 = 20.0 * std::cos(alpha), rC = rb1 * tanA;
  const double hFfP1 = (1.25 - (1.0 - sinA) * 0.3) * m;
  const double toForm = (hFfP1 - x * m) / sinA;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GearPair g = RackPair(m);
    g.x1 = g.xSum = x, g.rhofP1Star = 0.3, g.rhofP2Star = c.rhoRack;
    if (c.ha != 0.0) g.da2Given = true, g.ha2 = c.ha * m;  // the rack's addendum typed
    if (c.da1 != 0.0) g.da1Given = true, g.da1 = c.da1;
    RackGeometry(g);
    RunCheckRack(g);
    ASSERT_FALSE(g.driverError);
    const double ha = (c.ha != 0.0 ? c.ha : 1.0) * m;
    const double hFf = (1.25 - (1.0 - sinA) * c.rhoRack) * m;
    const double toTip = (ha - x * m) / sinA, toFlankEnd = (hFf + x * m) / sinA;
    const double ra1 = c.da1 != 0.0 ? c.da1 / 2.0 : 20.0 + (1.0 + x) * m;
    const double toPinionTip = std::sqrt(Square(ra1) - Square(rb1)) - rC;
    ASSERT_EQ(toTip > toForm, c.interference1) << "the case is what it says";
    ASSERT_EQ(toPinionTip > toFlankEnd, c.interference2) << "the case is what it says";
    EXPECT_EQ(g.interference1, c.interference1);
    EXPECT_EQ(g.interference2, c.interference2);
    EXPECT_FALSE(g.shortened1 || g.shortened2);
    const double approach = std::min(toTip, toForm), recess = std::min(toPinionTip, toFlankEnd);
    EXPECT_NEAR(g.epsAlpha, std::max(0.0, (approach + recess) / (kPi * m * std::cos(alpha))), 1e-9);
    EXPECT_NEAR(g.dFf1, Diameter(rb1, rC - toForm), 1e-9);
    EXPECT_NEAR(g.dNf1, Diameter(rb1, rC - approach), 1e-9);
    EXPECT_NEAR(g.dNa1, Diameter(rb1, rC + recess), 1e-9);
    EXPECT_NEAR(g.da1Lim, Diameter(rb1, rC + recess), 1e-9);
    EXPECT_NEAR(g.Lev1, InvoluteLength(rb1, rC - toForm, rC + toPinionTip), 1e-9);
    EXPECT_NEAR(g.LevF1, InvoluteLength(rb1, rC - approach, rC + recess), 1e-9);
    // The rack's addendum that meshes; limited to the pinion's straight
    // flank depth hFfP1 where the rack's tip reaches past the form circle.
    EXPECT_NEAR(g.haNRack, approach * sinA + x * m, 1e-9);
    EXPECT_NEAR(g.haLimRack, c.interference1 ? hFfP1 : ha, 1e-9);
    EXPECT_NEAR(g.hfNRack, recess * sinA - x * m, 1e-9);
    EXPECT_NEAR(g.Lev2, (ha + hFf) / std::cos(alpha), 1e-9);
    EXPECT_NEAR(g.LevF2, (approach + recess) * tanA, 1e-9);
    EXPECT_NEAR(g.thetaF1, 1.0 - rC / (rC - approach), 1e-9);
    EXPECT_NEAR(g.thetaA2, 1.0 - (rC - approach) / rC, 1e-9);
    EXPECT_NEAR(g.thetaA1, 1.0 - rC / (rC + recess), 1e-9);
    EXPECT_NEAR(g.thetaF2, 1.0 - (rC + recess) / rC, 1e-9);
  }
}

// The standard pinion (m 1, z 20, x 0) with the standard rack rolls at the
// transverse pressure angle; the rack's thickness on the pinion's rolling
// line is its thickness on the reference line, pi m / 2. The rack's tip,
// ha / sin(a) before the pitch point, reaches exactly to the pinion's form
// circle (both straight flanks end 1 m from the datum line). Moving the form
// circle, or the pinion's tip against the end of the rack's straight flank
// (as far after the pitch point), by less than 0.000001 along the line of
// action is no interference.
TEST(Check, PinionWithAStandardRack) {
  GearPair checked = RackPair();
  RackGeometry(checked);
  RunCheckRack(checked);
  EXPECT_FALSE(checked.driverError);
  EXPECT_EQ(checked.alphaWt, checked.alphaT);
  EXPECT_DOUBLE_EQ(checked.sw2, checked.sn2);
  EXPECT_DOUBLE_EQ(checked.sn2, kPi / 2.0);
  EXPECT_TRUE(test::NonFiniteReals(checked).empty());
  ASSERT_FALSE(checked.interference1 || checked.interference2);
  const double rb1 = 10.0 * std::cos(Deg(20)), rC = rb1 * std::tan(Deg(20));
  const double edge = 1.0 / std::sin(Deg(20));
  for (const double offset : {-0.0000011, 0.0, 0.0000009, 0.0000011, 0.001}) {
    GearPair g = checked;
    g.alphaFf1 = std::atan((rC - edge + offset) / rb1);
    CheckInterferenceRack(g);
    EXPECT_EQ(g.interference1, offset > 0.000001) << offset;
    GearPair h = checked;
    h.da1Eff = Diameter(rb1, rC + edge + offset);
    CheckInterferenceRack(h);
    EXPECT_EQ(h.interference2, offset > 0.000001) << offset;
  }
}

// A rack whose tool has a chamfering edge meshes only with its straight
// flank, up to hK = hFfP02* m above its datum line where the edge (at
// alphaK) begins. Regrinding the flank by u, the rack's share of the
// backlash per flank (jn/4 when both gears give it, jn/2 when the rack does
// alone), moves that meeting point up the untouched edge: along the edge the
// distance normal to the flank changes by cos(aP) (tan(aK) - tan(aP)) per
// unit of height, so by u / (cos(aP) (tan(aK) - tan(aP))). Never above the
// rack's tip.
TEST(Check, ChamferedRackMeshesUpToItsChamfer) {
  struct Case {
    const char* what;
    double jn;
    bool both, wheel, grinding;
    double u;
  };
  const Case cases[] = {
      {"no backlash", 0.0, true, false, true, 0.0},
      {"thinned, not reground", 0.1, true, false, false, 0.0},
      {"both reground", 0.1, true, false, true, 0.025},
      {"pinion reground", 0.1, false, false, true, 0.0},
      {"rack reground", 0.1, false, true, true, 0.05},
      {"reground past the tip", 2.0, false, true, true, 1.0},
  };
  const double m = 2.0, hK = 0.8 * m, aP = Deg(20), aK = Deg(45);
  for (const Case& c : cases) {
    GearPair g = RackPair(m);
    g.chamfer2 = true, g.hFfP02Star = 0.8, g.alphaKP02 = aK;
    g.jn = c.jn, g.backlashDirect = true, g.thinByGrinding = c.grinding;
    g.thinBoth = c.both, g.thinWheel = c.wheel, g.thinPinion = !c.both && !c.wheel;
    RackGeometry(g);
    RunCheckRack(g);
    const double rise = c.u / (std::cos(aP) * (std::tan(aK) - std::tan(aP)));
    EXPECT_NEAR(g.haRack, std::min(hK + rise, 1.0 * m), 1e-12) << c.what;
  }
}

// Contact lines in the field of action: a rectangle as long as the path of
// contact (epsAlpha pbt) and as wide as the face b, crossed by straight
// contact lines at betaB to the face width, one transverse base pitch pbt
// apart along the path. The line whose trace on the face's front edge lies
// s along the path runs over y in [0, b] where 0 <= s + y tan(betaB) <= path.
// The sum of the lengths over all lines is piecewise linear in the position
// of the set, with kinks where a line passes a corner of the rectangle: its
// extremes are at those positions.
struct FieldOfAction {
  double path, b, pbt, betaB;

  double LineLength(double s) const {
    const double t = std::tan(betaB);
    const double from = std::max(0.0, -s / t), to = std::min(b, (path - s) / t);
    return std::max(0.0, to - from) / std::cos(betaB);
  }
  double Total(double s0) const {
    double sum = 0.0;
    const double first = std::floor((-b * std::tan(betaB) - s0) / pbt);
    for (double k = first; s0 + k * pbt <= path; ++k) sum += LineLength(s0 + k * pbt);
    return sum;
  }
};

TEST(Check, HelicalContactLinesAgainstTheFieldOfAction) {
  struct Case {
    const char* what;
    PairData data;
  };
  const PairData khk{.mn = 3.0, .z1 = 12.0, .z2 = 60.0, .x1 = 0.09809, .betaDeg = 30.0, .b = 20.0};
  PairData wider = khk, widest = khk;
  wider.b = 33.93;
  widest.b = 40.0;
  const Case cases[] = {
      // epsAlpha 1.294, epsBeta 1.061: fractions 0.294 + 0.061 < 1.
      {"KHK helical pair", khk},
      // epsBeta 1.80: fractions 0.294 + 0.80 >= 1.
      {"wider face", wider},
      // epsBeta 2.12 above epsAlpha: no line spans the whole face.
      {"overlap above the contact ratio", widest},
      // Half a degree of helix on a face of 500 mm: epsBeta 1.39.
      {"nearly spur", {.betaDeg = 0.5, .b = 500.0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const GearPair g = Checked(c.data);
    ASSERT_FALSE(g.driverError);
    const double beta = Deg(c.data.betaDeg), alphaN = Deg(20), b = c.data.b;
    const double alphaT = std::atan(std::tan(alphaN) / std::cos(beta));
    const double pbt = kPi * c.data.mn / std::cos(beta) * std::cos(alphaT);
    const FieldOfAction field{g.epsAlpha * pbt, b, pbt,
                              std::asin(std::sin(beta) * std::cos(alphaN))};
    const double bt = b * std::tan(field.betaB);
    EXPECT_NEAR(g.epsBeta, bt / pbt, 1e-12);
    double least = HUGE_VAL, most = 0.0, longest = 0.0;
    for (const double corner : {0.0, field.path, -bt, field.path - bt}) {
      const double s0 = corner - std::floor(corner / pbt) * pbt;
      least = std::min(least, field.Total(s0));
      most = std::max(most, field.Total(s0));
      longest = std::max(longest, field.LineLength(corner));
    }
    EXPECT_NEAR(g.LcMin, least, 1e-9 * b);
    EXPECT_NEAR(g.LcMax, most, 1e-9 * b);
    EXPECT_NEAR(g.Lc1, longest, 1e-9 * b);
  }
}

TEST(Check, BlockingShiftSumBelowItsLimit) {
  GearPair g = test::StandardExternalPair();
  // xmez = -0.5 (z1 + z2) inv(20°) / tan(20°) = -1.22849
  const double xmez = -30.0 * Involute(Deg(20)) / std::tan(Deg(20));
  g.x1 = xmez - 0.00001, g.x2 = 0.0, g.geometryReady = 7;
  RunCheckAndReport(g);
  EXPECT_TRUE(g.xSumBelowLimit);
  EXPECT_TRUE(g.driverError);
  EXPECT_EQ(g.lastInputField, 8);
  ASSERT_FALSE(g.messages.empty());
  EXPECT_EQ(g.messages.back().text,
            "Součet korekcí x1+x2 je menší než mezní (xmez=-1.2285) - záporný úhel záběru");
  EXPECT_EQ(g.messages.back().title, "  Chyba !");
}

// The pinion's tip typed: the clearance to the wheel's root is judged
// against 0.249 m; a tip in the mating root, or one on its base circle (no
// involute at all), stops the check after the clearance, leaving the
// results of an earlier run.
TEST(Check, TypedPinionTipAgainstClearanceAndBaseCircle) {
  struct Case {
    double clearance;  // in modules; NaN: the tip on the base circle
    bool ok, stops;
  };
  for (const Case c : {Case{0.2489, false, false}, Case{0.2491, true, false},
                       Case{0.25, true, false}, Case{-0.01, false, true}, Case{NAN, true, true}}) {
    GearPair g = test::StandardExternalPair();
    g.geometryReady = 7, g.da1Given = true;
    g.da1 = std::isnan(c.clearance) ? g.db1 : 2.0 * (30.0 - c.clearance) - g.df2;
    g.epsAlpha = 123.0;
    RunCheck(g);
    EXPECT_EQ(g.clearanceOk1, c.ok) << c.clearance;
    EXPECT_EQ(g.tipInRoot1, c.clearance < 0.0) << c.clearance;
    EXPECT_EQ(g.noTooth1, std::isnan(c.clearance)) << c.clearance;
    EXPECT_EQ(g.epsAlpha == 123.0, c.stops) << c.clearance;
  }
}

// The interference step alone, on the checked standard pair (m 1, 20/40),
// with the form circle of one gear moved around the pressure angle at which
// the mating tip meets that gear's flank: contact must start at least
// 0.000001 rad below the form circle to count. The limiting tip of the mate
// is the one through the form circle's point on the line of action, as long
// as that circle is not inside the base circle.
TEST(Check, InterferenceStepAgainstTheFormCircle) {
  const GearPair checked = CheckedStandardPair();
  ASSERT_FALSE(checked.interference1 || checked.interference2);
  const double t1t2 = 30.0 * std::sin(Deg(20));
  struct Case {
    double formAngle;  // alphaFf of the gear, relative to the start of contact, or absolute
    bool relative, interference, limit;
  };
  const Case cases[] = {
      {-0.0000011, true, false, false},
      {0.0, true, false, false},
      {0.0000009, true, false, false},
      {0.0000011, true, true, true},
      {0.001, true, true, true},
      // With the mating tip reaching past the point of tangency: a form
      // circle just above the base circle still limits that tip, one inside
      // it (a negative pressure angle) does not.
      {0.005, false, true, true},
      {0.0, false, true, true},
      {-0.005, false, true, false},
  };
  for (const int gear : {1, 2}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "gear " << gear << ", form angle " << c.formAngle);
      GearPair g = checked;
      const bool pinion = gear == 1;
      const double rb = (pinion ? g.db1 : g.db2) / 2.0, rbMate = (pinion ? g.db2 : g.db1) / 2.0;
      double& mateTip = pinion ? g.da2Eff : g.da1Eff;
      if (!c.relative) mateTip = Diameter(rbMate, t1t2 + 0.01 * rb);
      // Roll length from this gear's point of tangency to where the mating
      // tip meets the line of action.
      const double alphaN =
          std::atan((t1t2 - std::sqrt(Square(mateTip / 2.0) - Square(rbMate))) / rb);
      const double alphaFf = c.relative ? alphaN + c.formAngle : c.formAngle;
      (pinion ? g.alphaFf1 : g.alphaFf2) = alphaFf;
      (pinion ? g.da2Lim : g.da1Lim) = 123.0;
      CheckInterference(g);
      EXPECT_EQ(pinion ? g.interference1 : g.interference2, c.interference);
      EXPECT_FALSE(pinion ? g.interference2 : g.interference1);
      EXPECT_NEAR(pinion ? g.dNf1 : g.dNf2,
                  c.interference ? (pinion ? g.dFf1 : g.dFf2) : 2.0 * rb / std::cos(alphaN), 1e-12);
      EXPECT_NEAR(pinion ? g.da2Lim : g.da1Lim,
                  c.limit ? Diameter(rbMate, t1t2 - rb * std::tan(alphaFf)) : 123.0, 1e-12);
    }
  }
}

// The contact ratio step alone: contact set to run on the line of action
// from u1 to u2 (from T1) of the standard pair (T1T2 = 30 sin 20° = 10.2606),
// between the two form circles. Near the pitch point (T1C = 3.4202) the form
// circles lie apart; far from it the two circles through nearby points of
// the line overlap, their radii adding up to more than the centre distance
// (sqrt(rb1² + 8²) + sqrt(rb2² + 2.16²) = 12.34 + 18.92), and the pair is
// taken not to mesh. Pulled apart to 32.5, the standard pair's tips (22 and
// 42) no longer overlap the path.
TEST(Check, ContactRatioStepNeedsFormCirclesApartAndTipsOverlapping) {
  const GearPair checked = CheckedStandardPair();
  const double rb1 = checked.db1 / 2.0, rb2 = checked.db2 / 2.0;
  const double t1t2 = 30.0 * std::sin(Deg(20)), pb = kPi * std::cos(Deg(20));
  struct Case {
    double u1, u2;
    bool meshes;
  };
  for (const Case c : {Case{3.0, 3.1, true}, Case{1.0, 9.0, true}, Case{8.0, 8.1, false}}) {
    GearPair g = checked;
    g.dFf1 = Diameter(rb1, c.u1), g.alphaFf1 = std::atan(c.u1 / rb1);
    g.dNa2 = Diameter(rb2, t1t2 - c.u1), g.dNa1 = Diameter(rb1, c.u2);
    g.dFf2 = Diameter(rb2, t1t2 - c.u2), g.alphaFf2 = std::atan((t1t2 - c.u2) / rb2);
    ASSERT_EQ((g.dFf1 + g.dFf2) / 2.0 < 30.0, c.meshes) << c.u1;
    ContactRatios(g);
    EXPECT_NEAR(g.epsAlpha, c.meshes ? (c.u2 - c.u1) / pb : 0.0, 1e-12) << c.u1;
  }

  GearPair g = test::StandardExternalPair();
  g.geometryReady = 7;
  g.jnByApart = true, g.backlashDirect = false;
  g.awJ = 32.5, g.alphaWtJ = std::acos(30.0 * std::cos(Deg(20)) / 32.5);
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
  // found here by bisection over r. Pinion and wheel of the standard pair
  // alike; an edge that begins above the tip misses the tooth.
  const double alpha = Deg(20), alphaK = Deg(45);
  for (const int gear : {1, 2}) {
    const bool pinion = gear == 1;
    const double z = pinion ? 20.0 : 40.0, r0 = z / 2.0;
    for (const double hK : {0.5, 0.75, 0.9, 1.2}) {
      SCOPED_TRACE(testing::Message() << "gear " << gear << ", hK " << hK);
      GearPair g = ShiftedPair({});
      (pinion ? g.chamfer1 : g.chamfer2) = true;
      (pinion ? g.hFfP01Star : g.hFfP02Star) = hK;
      RunCheck(g);
      const double xK = hK * (1.0 - std::tan(alpha) / std::tan(alphaK));
      auto gap = [&](double r) {
        const double main =
            kPi / 2.0 / z + Involute(alpha) - Involute(std::acos(r0 * std::cos(alpha) / r));
        const double edge = (kPi / 2.0 + 2.0 * xK * std::tan(alphaK)) / z + Involute(alphaK) -
                            Involute(std::acos(r0 * std::cos(alphaK) / r));
        return main - edge;
      };
      double lo = r0 - 0.5, hi = r0 + 1.0;
      for (int i = 0; i < 100; ++i) {
        const double mid = (lo + hi) / 2.0;
        ((gap(mid) > 0.0) == (gap(lo) > 0.0) ? lo : hi) = mid;
      }
      const bool off = hK > 1.0;
      EXPECT_EQ(pinion ? g.chamferOff1 : g.chamferOff2, off);
      EXPECT_NEAR(pinion ? g.da1Eff : g.da2Eff, off ? 2.0 * r0 + 2.0 : lo + hi, 1e-9);
      EXPECT_EQ(pinion ? g.da2Eff : g.da1Eff, pinion ? g.da2 : g.da1) << "the other tip";
    }
  }
}

TEST(Check, BacklashThinsTheTeethAndAPointedTipIsThin) {
  const GearPair plain = CheckedStandardPair();
  // Each tooth on its reference circle loses jn / (2 cos alphaP) when both
  // give the backlash, twice that when the pinion gives it alone; on any
  // circle dy the loss is (dy / 4) times the thinning angle.
  const double loss = 0.1 / (2.0 * std::cos(Deg(20)));
  const double angle = 0.1 / (std::cos(Deg(20)) * 10.0);
  for (const bool both : {true, false}) {
    GearPair thinned = plain;
    thinned.jn = 0.1, thinned.backlashDirect = true;
    thinned.thinBoth = both, thinned.thinPinion = !both;
    RunCheck(thinned);
    EXPECT_NEAR(plain.sn1 - thinned.sn1, both ? loss : 2.0 * loss, 1e-12);
    EXPECT_NEAR(plain.sn2 - thinned.sn2, both ? loss : 0.0, 1e-12);
    if (both) {
      EXPECT_NEAR(plain.sa1 - thinned.sa1, 22.0 / 4.0 * angle, 1e-12);
    }
  }
  const GearPair pointed = Checked({.z1 = 12.0, .x1 = 0.9, .x2 = -0.5});
  EXPECT_LT(pointed.sa1, 0.25);
  EXPECT_TRUE(pointed.thinTip1);
}

// Pairs no dialog would let through: their geometry, their check and their
// return to the unshifted pair end without a hang and without NaN.
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
      {"zero module", 0.0, 20.0, 40.0, 0.0, 0.0, 20.0, 0.0},
      {"zero pinion teeth", 1.0, 0.0, 40.0, 0.0, 0.0, 20.0, 0.0},
      {"helix angle 89.99°", 1.0, 20.0, 40.0, 0.0, 0.0, 20.0, 89.99},
      {"very negative shifts", 1.0, 20.0, 40.0, -15.0, -15.0, 20.0, 0.0},
      {"profile angle 0.001°", 1.0, 20.0, 40.0, 0.0, 0.0, 0.001, 0.0},
  };
  for (const auto& c : cases) {
    GearPair g = test::StandardExternalPair();
    g.mn = c.mn, g.z1 = c.z1, g.z2 = c.z2, g.x1 = c.x1, g.x2 = c.x2, g.xSum = c.x1 + c.x2;
    g.alphaPDeg = c.alphaDeg, g.alphaP = Deg(c.alphaDeg);
    g.betaDeg = c.betaDeg, g.beta = Deg(c.betaDeg);
    g.geometryReady = 0;
    g.protuberance1 = true;  // every step, the protuberance ones included
    g.chamfer1 = g.chamfer2 = true;
    RunCheckAndReport(g);
    EXPECT_TRUE(test::NonFiniteReals(g).empty())
        << c.what << ": " << ::testing::PrintToString(test::NonFiniteReals(g));
    ZeroShifts(g);
    EXPECT_TRUE(test::NonFiniteReals(g).empty())
        << c.what << " unshifted: " << ::testing::PrintToString(test::NonFiniteReals(g));
  }
}

}  // namespace
}  // namespace kolmira
