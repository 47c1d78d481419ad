// The tooth outline of a rack tool against what can be worked out by hand:
// the flank through the datum line half a pitch wide, the tip width, a tip
// rounding that touches flank and tip line, the chamfering edge at its angle,
// the protuberance standing out of the flank by its size, and where the
// construction of an impossible tool breaks off.
#include "engine/ToolOutline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "TestPairs.h"
#include "engine/RackTool.h"

namespace kolmira {
namespace {

constexpr double kQuarter = 0.7853981633974483;  // pi/4
constexpr double kHalf = 1.5707963267948966;     // pi/2
constexpr double kEps = 1e-9;

double Distance(OutlinePoint a, OutlinePoint b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// Signed distance of a point outwards from the main flank of the right half,
// the line through (pi/4, 0) narrowing by tan aP per unit of depth.
double OutOfFlank(OutlinePoint p, double aP) {
  return (p.x + p.y * std::tan(aP) - kQuarter) * std::cos(aP);
}

// Where the half crosses the height y (the first crossing from the tip).
double CrossingX(const std::vector<OutlinePoint>& half, double y) {
  for (std::size_t i = 1; i < half.size(); ++i) {
    const OutlinePoint a = half[i - 1], b = half[i];
    if ((a.y - y) * (b.y - y) <= 0.0 && a.y != b.y) {
      return a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y);
    }
  }
  return NAN;
}

// From the tip up, the half never turns back: outwards and upwards only.
void ExpectRisesOutwards(const std::vector<OutlinePoint>& half) {
  for (std::size_t i = 1; i < half.size(); ++i) {
    EXPECT_GE(half[i].x, half[i - 1].x - kEps) << "point " << i;
    EXPECT_LE(half[i].y, half[i - 1].y + kEps) << "point " << i;
  }
}

// The full round tip: the rounding touches both flanks and the tip line,
// ((pi/4) cos aP - ha sin aP) / (1 - sin aP).
double FullRound(double alphaPDeg, double ha) {
  const double aP = test::Deg(alphaPDeg);
  return (kQuarter * std::cos(aP) - ha * std::sin(aP)) / (1.0 - std::sin(aP));
}

struct Tool {
  double alphaPDeg = 20.0;
  double ha = 1.25, rho = 0.38;
  double hFf = 0.75, alphaKDeg = 45.0;
  double hFa = 0.75, pr = 0.05, mn = 1.0;
  double gearAddendum = 1.0;
};

GearPair PairWith(const Tool& t, int tool = 1) {
  GearPair g = test::StandardExternalPair();
  g.mn = t.mn;
  g.alphaPDeg = t.alphaPDeg;
  g.alphaP = test::Deg(t.alphaPDeg);
  RackToolVariables v = ToolVariables(g, tool);
  v.haP0Star = t.ha, v.rhoaP0Star = t.rho, v.hFfP0Star = t.hFf;
  v.alphaKP0Deg = t.alphaKDeg, v.alphaKP0 = test::Deg(t.alphaKDeg);
  v.hFaP0Star = t.hFa, v.prP0 = t.pr;
  (tool == 2 ? g.haP2Star : g.haP1Star) = t.gearAddendum;
  return g;
}

// Plain tools: tip widths worked out as 2 (pi/4 - (ha - rho) tan aP - rho /
// cos aP), the rounding's centre a tip radius inside flank and tip line.
TEST(ToolOutlineTest, PlainToothThroughTheDatumLineRoundedAtTheTip) {
  struct Case {
    Tool tool;
    double tipWidth;
    double tipHeight = kEps;  // how far above the tip line the tip may lie
  };
  const Case cases[] = {
      {{20.0, 1.0, 0.0}, 0.8428558582624919},
      {{20.0, 1.25, 0.0}, 0.6608707411293907},
      {{20.0, 1.25, 0.38}, 0.1287130120900113},
      {{15.0, 1.0, 0.2}, 0.7279671467410671},
      {{25.0, 1.0, 0.3}, 0.2559388540004036},
      // A full round tip: the roundings of both halves meet on the tip line.
      {{20.0, 1.25, FullRound(20.0, 1.25)}, 0.0},
      // A tip radius 0.0001 above it is taken as the full round one.
      {{20.0, 1.25, FullRound(20.0, 1.25) + 0.0001}, 0.0, 1e-8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.tool.alphaPDeg) + " deg, ha " + std::to_string(c.tool.ha) +
                 ", rho " + std::to_string(c.tool.rho));
    const double aP = test::Deg(c.tool.alphaPDeg);
    const ToolOutline o = RackToolOutline(PairWith(c.tool), 1, {});
    ASSERT_TRUE(o.constructible);
    ASSERT_GE(o.points.size(), 4u);
    EXPECT_EQ(o.points.front().x, 0.0);
    EXPECT_NEAR(o.points.front().y, c.tool.ha, c.tipHeight);
    // Half a pitch of tooth on the datum line.
    EXPECT_NEAR(CrossingX(o.points, 0.0), kQuarter, kEps);
    EXPECT_NEAR(2.0 * o.tipEnd.x, c.tipWidth, 1e-12);
    EXPECT_NEAR(o.tipEnd.y, c.tool.ha, c.tipHeight);
    // The rounding touches the tip line and the flank from inside.
    EXPECT_NEAR(o.tipCentre.y, c.tool.ha - c.tool.rho, kEps);
    EXPECT_NEAR(OutOfFlank(o.tipCentre, aP), -c.tool.rho, kEps);
    EXPECT_NEAR(OutOfFlank(o.flankEnd, aP), 0.0, kEps);
    EXPECT_NEAR(Distance(o.flankEnd, o.tipCentre), c.tool.rho, kEps);
    // Every point between the tip line and the flank lies on the rounding,
    // every point above it on the flank up to the tool's root.
    bool onFlank = false;
    for (const OutlinePoint& p : o.points) {
      if (p.x == o.flankEnd.x && p.y == o.flankEnd.y) onFlank = true;
      if (onFlank && p.y > -o.rootDepth) {
        EXPECT_NEAR(OutOfFlank(p, aP), 0.0, kEps);
      } else if (!onFlank && p.y < o.tipEnd.y - kEps) {
        EXPECT_NEAR(Distance(p, o.tipCentre), c.tool.rho, kEps);
      }
    }
    EXPECT_TRUE(onFlank);
    // The root a clearance above the gear's tip, out to the middle of the space.
    EXPECT_NEAR(o.rootDepth, c.tool.gearAddendum + kToolRootClearance, kEps);
    EXPECT_NEAR(o.points.back().x, kHalf, kEps);
    EXPECT_NEAR(o.points.back().y, -o.rootDepth, kEps);
    ExpectRisesOutwards(o.points);
  }
}

// The chamfering edge starts on the main flank hFf above the datum line and
// leans out at its own profile angle until it reaches the root line or the
// middle of the space (where the next tooth's edge meets it).
TEST(ToolOutlineTest, ChamferingEdgeAtItsAngleFromItsHeight) {
  struct Case {
    Tool tool;
    bool reachesRoot;
  };
  const Case cases[] = {
      {{20.0, 1.25, 0.38, 0.75, 45.0}, true},
      {{20.0, 1.25, 0.38, 0.75, 60.0}, false},
      {{20.0, 1.25, 0.38, 0.3, 30.0}, true},
      {{15.0, 1.0, 0.2, 0.9, 50.0, 0.75, 0.05, 1.0, 1.1}, true},
      {{25.0, 1.25, 0.2, 0.5, 80.0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.tool.alphaKDeg) + " deg from " + std::to_string(c.tool.hFf));
    const double aP = test::Deg(c.tool.alphaPDeg);
    const ToolOutline o = RackToolOutline(PairWith(c.tool), 1, {true, false});
    ASSERT_TRUE(o.constructible);
    EXPECT_NEAR(o.chamferStart.y, -c.tool.hFf, kEps);
    EXPECT_NEAR(OutOfFlank(o.chamferStart, aP), 0.0, kEps);
    EXPECT_NEAR(o.rootDepth, std::max(c.tool.gearAddendum, c.tool.hFf) + kToolRootClearance, kEps);
    // The edge: the points after the chamfer's start.
    std::size_t k = 0;
    while (k < o.points.size() && o.points[k].y > o.chamferStart.y + kEps) ++k;
    ASSERT_LT(k + 1, o.points.size());
    EXPECT_NEAR(Distance(o.points[k], o.chamferStart), 0.0, kEps);
    const OutlinePoint end = o.points[k + 1];
    EXPECT_NEAR(std::atan2(end.x - o.chamferStart.x, o.chamferStart.y - end.y),
                test::Deg(c.tool.alphaKDeg), 1e-12);
    if (c.reachesRoot) {
      EXPECT_NEAR(end.y, -o.rootDepth, kEps);
      EXPECT_LT(end.x, kHalf);
      ASSERT_EQ(o.points.size(), k + 3);
    } else {
      EXPECT_NEAR(end.x, kHalf, kEps);
      EXPECT_GT(end.y, -o.rootDepth);
      ASSERT_EQ(o.points.size(), k + 2);
    }
    EXPECT_NEAR(o.points.back().x, kHalf, kEps);
    ExpectRisesOutwards(o.points);
  }
}

// The protuberance flank runs from its start on the main flank tangent to the
// tip rounding, at the angle that the rack tool's construction gives; the
// rounding stands out of the main flank by the protuberance size at most.
TEST(ToolOutlineTest, ProtuberanceStandsOutOfTheFlankByItsSize) {
  const Tool cases[] = {
      {20.0, 1.25, 0.38, 0.75, 45.0, 0.75, 0.05, 1.0},
      {20.0, 1.25, 0.38, 0.75, 45.0, 0.75, 0.2, 4.0},
      {20.0, 1.4, 0.3, 0.75, 45.0, 0.9, 0.08, 1.0},
      {15.0, 1.3, 0.25, 0.75, 45.0, 0.8, 0.1, 2.0},
      {25.0, 1.25, 0.2, 0.75, 45.0, 0.6, 0.03, 1.0},
      // The tip rounding nearly as large as it can be beside the protuberance:
      // the tip line is 2 x 0.004 wide.
      {20.0, 1.25, 0.5422, 0.75, 45.0, 0.5, 0.05, 1.0},
  };
  for (const Tool& t : cases) {
    SCOPED_TRACE(std::to_string(t.alphaPDeg) + " deg, pr " + std::to_string(t.pr) + " mm, mn " +
                 std::to_string(t.mn));
    const double aP = test::Deg(t.alphaPDeg);
    GearPair g = PairWith(t);
    const ToolOutline o = RackToolOutline(g, 1, {false, true});
    ASSERT_TRUE(o.constructible);
    ASSERT_TRUE(ProtuberanceAngle(g, 1));
    ASSERT_FALSE(g.protInvalid1);
    const OutlinePoint p = o.protuberanceStart;
    EXPECT_NEAR(p.y, t.hFa, kEps);
    EXPECT_NEAR(OutOfFlank(p, aP), 0.0, kEps);
    // The protuberance flank: its angle, and tangent to the rounding.
    const OutlinePoint q = o.flankEnd;
    const double lean = std::atan2(p.x - q.x, q.y - p.y);
    EXPECT_NEAR(lean, g.alphaprP01, 1e-12);
    EXPECT_NEAR(o.protuberanceAngle, g.alphaprP01, 1e-15);
    const double across =
        ((o.tipCentre.x - p.x) * std::cos(lean) + (o.tipCentre.y - p.y) * std::sin(lean));
    EXPECT_NEAR(std::fabs(across), t.rho, 1e-9);
    EXPECT_NEAR(Distance(q, o.tipCentre), t.rho, kEps);
    // The widest gap to the main flank, normal to it, is the size.
    double widest = 0.0;
    for (const OutlinePoint& pt : o.points) {
      if (pt.y > p.y) widest = std::max(widest, OutOfFlank(pt, aP));
    }
    EXPECT_NEAR(widest, t.pr / t.mn, 1e-12);
    EXPECT_NEAR(OutOfFlank(o.protuberanceTouch, aP), t.pr / t.mn, 1e-12);
    EXPECT_NEAR(OutOfFlank(o.protuberanceFoot, aP), 0.0, 1e-12);
    EXPECT_NEAR(Distance(o.protuberanceFoot, o.protuberanceTouch), t.pr / t.mn, 1e-12);
    // Still touching the tip line, along it from the middle of the tip;
    // above the start the plain flank.
    EXPECT_NEAR(o.tipEnd.y, t.ha, kEps);
    EXPECT_GT(o.tipEnd.x, 0.0);
    EXPECT_NEAR(Distance(o.points[1], o.tipEnd), 0.0, kEps);
    EXPECT_NEAR(o.tipCentre.y, t.ha - t.rho, kEps);
    EXPECT_NEAR(CrossingX(o.points, 0.0), kQuarter, kEps);
    ExpectRisesOutwards(o.points);
  }
}

// The default protuberance tool leans its protuberance flank at about 6.05
// degrees; with a chamfer as well both parts are on the one tooth.
TEST(ToolOutlineTest, DefaultToolWithChamferAndProtuberance) {
  const ToolOutline o = RackToolOutline(PairWith({}), 1, {true, true});
  ASSERT_TRUE(o.constructible);
  EXPECT_NEAR(o.protuberanceAngle / kDegToRad, 6.053, 0.001);
  EXPECT_NEAR(o.chamferStart.y, -0.75, kEps);
  EXPECT_NEAR(o.protuberanceStart.y, 0.75, kEps);
  EXPECT_NEAR(o.points.back().x, kHalf, kEps);
  ExpectRisesOutwards(o.points);
}

// A tool that cannot be built is built as far as it goes; the outline says
// where it breaks off.
TEST(ToolOutlineTest, ImpossibleToolsBreakOffWhereTheyFail) {
  const double t20 = std::tan(test::Deg(20.0));
  const double pointed = kQuarter / t20;  // the main flanks meet: 2.1579
  struct Case {
    const char* what;
    Tool tool;
    ToolShape shape;
    OutlinePoint failure;  // y < 0 on the centre line: where the rounding crosses it
    // The half goes on from the break up to the root, or it ends at the
    // break, or it ends where the tip part ends.
    enum { Root, Break, TipPart } ends;
  };
  const Case cases[] = {
      {"addendum beyond the pointed tooth", {20.0, 2.3, 0.0}, {}, {0.0, pointed}, Case::Root},
      {"no addendum", {20.0, 0.0, 0.0}, {}, {kQuarter, 0.0}, Case::Root},
      {"roundings crossing", {20.0, 1.25, 0.6}, {}, {0.0, -1.0}, Case::Root},
      {"roundings crossing by a little",
       {20.0, 1.25, FullRound(20.0, 1.25) + 0.0003},
       {},
       {0.0, -1.0},
       Case::Root},
      {"protuberance at its largest",
       {20.0, 1.25, 0.38, 0.75, 45.0, 0.75, std::sin(test::Deg(20.0)) * 0.5},
       {false, true},
       {kQuarter - 0.75 * t20, 0.75},
       Case::Root},
      {"protuberance beyond the pointed tooth",
       {20.0, 2.5, 0.1, 0.75, 45.0, 2.2, 0.05},
       {false, true},
       {0.0, pointed},
       Case::Root},
      {"chamfer at right angles",
       {20.0, 1.25, 0.38, 0.75, 90.0},
       {true, false},
       {kQuarter + 0.75 * t20, -0.75},
       Case::Break},
      {"chamfer as steep as the flank",
       {20.0, 1.25, 0.38, 0.75, 20.0},
       {true, false},
       {kQuarter + 0.75 * t20, -0.75},
       Case::Break},
      {"chamfer starting in the rounding",
       {20.0, 1.25, 0.38, -1.1, 45.0},
       {true, false},
       {kQuarter - 1.1 * t20, 1.1},
       Case::TipPart},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ToolOutline o = RackToolOutline(PairWith(c.tool), 1, c.shape);
    EXPECT_FALSE(o.constructible);
    ASSERT_FALSE(o.points.empty());
    EXPECT_NEAR(o.failure.x, c.failure.x, kEps);
    if (c.failure.y >= 0.0 || c.failure.x != 0.0) {
      EXPECT_NEAR(o.failure.y, c.failure.y, kEps);
    } else {
      // On the centre line where the rounding crosses it, above the tip line.
      EXPECT_NEAR(Distance(o.failure, o.tipCentre), c.tool.rho, kEps);
      EXPECT_LT(o.failure.y, c.tool.ha);
    }
    if (c.ends == Case::Root) {
      EXPECT_NEAR(Distance(o.points.front(), o.failure), 0.0, kEps);
      EXPECT_NEAR(o.points.back().x, kHalf, kEps);
    } else {
      EXPECT_NEAR(o.points.front().y, c.tool.ha, kEps);
      const OutlinePoint end = c.ends == Case::Break ? o.failure : o.flankEnd;
      EXPECT_NEAR(Distance(o.points.back(), end), 0.0, kEps);
    }
    ExpectRisesOutwards(o.points);
  }
}

// The whole tooth is the half and its mirror image joined at the tip; a half
// that breaks off beside the centre line has none.
TEST(ToolOutlineTest, WholeToothMirrorsTheHalf) {
  const ToolOutline o = RackToolOutline(PairWith({}), 1, {true, true});
  const std::vector<OutlinePoint> whole = WholeTooth(o);
  ASSERT_EQ(whole.size(), 2 * o.points.size() - 1);
  for (std::size_t i = 0; i < whole.size(); ++i) {
    const OutlinePoint& mirror = whole[whole.size() - 1 - i];
    EXPECT_EQ(whole[i].x, -mirror.x);
    EXPECT_EQ(whole[i].y, mirror.y);
  }
  EXPECT_NEAR(whole.front().x, -kHalf, kEps);
  Tool tooLarge;
  tooLarge.pr = 0.3;
  EXPECT_TRUE(WholeTooth(RackToolOutline(PairWith(tooLarge), 1, {false, true})).empty());
  // Broken on the centre line: still one tooth, pointed.
  Tool pointed;
  pointed.ha = 2.3, pointed.rho = 0.0;
  EXPECT_EQ(WholeTooth(RackToolOutline(PairWith(pointed), 1, {})).size(),
            2 * RackToolOutline(PairWith(pointed), 1, {}).points.size() - 1);
}

// Without a shape the tool's own options and values are drawn: the pinion's
// tool from the tool 1 variables and the pinion's addendum, the wheel's from
// its own.
TEST(ToolOutlineTest, EachToolItsOwnValuesAndOptions) {
  GearPair g = test::StandardExternalPair();
  g.haP01Star = 1.1, g.haP02Star = 1.35;
  g.haP1Star = 0.9, g.haP2Star = 1.2;
  g.chamfer1 = true, g.protuberance1 = false;
  g.chamfer2 = false, g.protuberance2 = true;
  struct Case {
    int tool;
    double ha, gearAddendum;
    bool chamfer, protuberance;
  };
  for (const Case& c : {Case{1, 1.1, 0.9, true, false}, Case{2, 1.35, 1.2, false, true}}) {
    SCOPED_TRACE(c.tool);
    const ToolOutline o = RackToolOutline(g, c.tool);
    EXPECT_TRUE(o.constructible);
    EXPECT_EQ(o.tipDepth, c.ha);
    EXPECT_NEAR(o.rootDepth, c.gearAddendum + kToolRootClearance, kEps);
    EXPECT_EQ(o.chamferStart.y != 0.0, c.chamfer);
    EXPECT_EQ(o.protuberanceStart.y != 0.0, c.protuberance);
    // A shape given draws that shape, whatever the options.
    const ToolOutline plain = RackToolOutline(g, c.tool, {});
    EXPECT_EQ(plain.chamferStart.y, 0.0);
    EXPECT_EQ(plain.protuberanceStart.y, 0.0);
  }
}

}  // namespace
}  // namespace kolmira
