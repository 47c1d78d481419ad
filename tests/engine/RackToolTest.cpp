#include "engine/RackTool.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"

namespace kolmira {
namespace {

// Independent construction of the protuberance flank, in units of the
// module. x runs across the tool tooth from its centre line, y down from the
// datum line. The main flank is the line n(aP) . (x, y) = (pi/4) cos aP with
// the outward unit normal n(t) = (cos t, sin t): half a tooth of pi/4 on the
// datum line, narrowing by tan aP per unit depth.
//  * The protuberance moves the flank near the tip outwards by pr (normal to
//    the flank). The tip rounding of radius rho touches the tip line y = ha
//    and this moved flank from inside, so its centre C has yc = ha - rho and
//    n(aP) . C = (pi/4) cos aP + pr - rho.
//  * The protuberance flank starts on the main flank at the depth hFa, at
//    P = (pi/4 - hFa tan aP, hFa), and leans by t from the vertical: it is
//    the line n(t) . (X - P) = 0. It touches the rounding, which lies inside
//    the tooth, when n(t) . (C - P) = -rho.
// f(t) = n(t) . (C - P) + rho is pr > 0 at t = aP (the main flank) and is
// solved for t in (0, aP) by halving.
struct Tool {
  double ha, rho, hFa, pr, mn, alphaPDeg;
};

double ConstructedProtuberanceAngle(const Tool& tool) {
  const double aP = test::Deg(tool.alphaPDeg);
  const double q = std::atan(1.0);  // pi/4
  const double pr = tool.pr / tool.mn;
  const double yc = tool.ha - tool.rho;
  const double xc = (q * std::cos(aP) + pr - tool.rho - yc * std::sin(aP)) / std::cos(aP);
  const double xp = q - tool.hFa * std::tan(aP);
  const double yp = tool.hFa;
  auto f = [&](double t) { return std::cos(t) * (xc - xp) + std::sin(t) * (yc - yp) + tool.rho; };
  double lo = 0.0, hi = aP;
  if (f(lo) * f(hi) > 0.0) return -1.0;  // no tangent line in (0, aP)
  for (int i = 0; i < 200; ++i) {
    const double mid = 0.5 * (lo + hi);
    (f(lo) * f(mid) <= 0.0 ? hi : lo) = mid;
  }
  return 0.5 * (lo + hi);
}

void SetTool(GearPair& g, int tool, const Tool& t) {
  g.mn = t.mn, g.alphaPDeg = t.alphaPDeg, g.alphaP = test::Deg(t.alphaPDeg);
  RackToolVariables v = ToolVariables(g, tool);
  v.haP0Star = t.ha, v.rhoaP0Star = t.rho, v.hFaP0Star = t.hFa, v.prP0 = t.pr;
}

// Tools of both gears, other modules and profile angles (the protuberance is
// in millimetres, the rest in units of the module). Extra height: the
// protuberance flank has the half tooth pi/4 (its own datum line) at the
// depth yd = hFa - (pi/4 - xP) / tan aPr, i.e. above the tool's datum line;
// the tool reaches ha - yd below it.
TEST(RackToolTest, ProtuberanceAngleAndExtraHeightMatchTheConstruction) {
  const Tool tools[] = {
      {1.25, 0.38, 0.75, 0.05, 1.0, 20.0}, {1.25, 0.38, 0.75, 0.125, 2.5, 20.0},
      {1.40, 0.30, 0.90, 0.08, 1.0, 20.0}, {1.25, 0.25, 0.80, 0.03, 1.0, 15.0},
      {1.30, 0.20, 0.70, 0.60, 5.0, 25.0}, {1.25, 0.38, 0.75, 0.001, 1.0, 20.0},
      {1.25, 0.0, 0.75, 0.1, 1.0, 20.0},   {1.6, 0.2, 0.6, 0.3, 3.0, 17.5},
  };
  for (int gear : {1, 2}) {
    for (const Tool& t : tools) {
      SCOPED_TRACE(testing::Message() << "tool " << gear << " ha " << t.ha << " pr " << t.pr
                                      << " alphaP " << t.alphaPDeg);
      GearPair g = test::StandardExternalPair();
      SetTool(g, gear, t);
      const double expected = ConstructedProtuberanceAngle(t);
      ASSERT_GT(expected, 0.0);
      ASSERT_TRUE(ProtuberanceAngle(g, gear));
      const RackToolVariables v = ToolVariables(g, gear);
      EXPECT_NEAR(v.alphaprP0, expected, 1e-11);
      EXPECT_LT(v.alphaprP0, g.alphaP);
      EXPECT_FALSE(v.protInvalid);
      const double xp = std::atan(1.0) - t.hFa * std::tan(g.alphaP);
      const double yd = t.hFa - (std::atan(1.0) - xp) / std::tan(v.alphaprP0);
      EXPECT_NEAR(v.hprExtra, -yd, 1e-11);
      EXPECT_NEAR(v.haP0Eff, t.ha - yd, 1e-11);
      EXPECT_GT(v.hprExtra, 0.0);
      // The other tool is left alone.
      const RackToolVariables other = ToolVariables(g, 3 - gear);
      EXPECT_EQ(other.alphaprP0, kProtuberanceAngleDefault);
    }
  }
  // The default tool: the program's start value of the angle (6.0530
  // degrees shown) agrees to within 1e-6 rad; the construction gives
  // 6.05296 degrees.
  const double angle = ConstructedProtuberanceAngle(tools[0]);
  EXPECT_NEAR(angle, kProtuberanceAngleDefault, 1e-6);
  EXPECT_NEAR(angle * kRadToDeg, 6.05, 0.005);
}

TEST(RackToolTest, ProtuberanceWithoutSolutionOrNotStandingOut) {
  const double sin20 = std::sin(test::Deg(20.0));
  struct Case {
    const char* what;
    Tool tool;
    bool solved;       // ProtuberanceAngle's result
    bool angleStored;  // alphaprP01 replaced
  };
  const Case cases[] = {
      // The largest protuberance moves the rounding over the start point.
      {"largest protuberance", {1.25, 0.38, 0.75, sin20 * 0.5, 1.0, 20.0}, false, false},
      // With a sharp tip it makes the protuberance flank vertical: no
      // protuberance rack and no finite extra height.
      {"sharp tip, largest protuberance", {1.25, 0.0, 0.75, sin20 * 0.5, 1.0, 20.0}, false, false},
      // A tall pointed tooth puts the rounding beyond the centre line.
      {"rounding beyond the centre", {2.1, 0.3, 0.75, 0.05, 1.0, 20.0}, false, false},
      // A tip narrower than the flank: the line leans more than the flank.
      {"negative protuberance", {1.25, 0.38, 0.75, -0.01, 1.0, 20.0}, true, true},
      // No module: nothing can be measured in it.
      {"module 0", {1.25, 0.38, 0.75, 0.05, 0.0, 20.0}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GearPair g = test::StandardExternalPair();
    SetTool(g, 1, c.tool);
    g.hprExtra1 = 0.5, g.haP01Eff = 1.75;
    EXPECT_EQ(ProtuberanceAngle(g, 1), c.solved);
    EXPECT_TRUE(g.protInvalid1);
    EXPECT_EQ(SolveProtuberanceAngle(g, 1).solved, c.solved);
    if (c.angleStored) {
      EXPECT_GE(g.alphaprP01, g.alphaP);
    } else {
      EXPECT_EQ(g.alphaprP01, kProtuberanceAngleDefault);
    }
    // The extra height is only taken from a valid protuberance.
    EXPECT_EQ(g.hprExtra1, 0.5);
    EXPECT_EQ(g.haP01Eff, 1.75);
    EXPECT_TRUE(test::NonFiniteReals(g).empty());
  }
}

// The largest tip radius is the full round tip: a circle touching the tip
// line and both flanks has its centre on the tooth centre line at the depth
// ha - rho, at the distance rho from the flank n(aP) . X = (pi/4) cos aP:
// (pi/4) cos aP - (ha - rho) sin aP = rho, so
// rho = ((pi/4) cos aP - ha sin aP) / (1 - sin aP).
// The largest addendum brings the flanks together on the centre line:
// (pi/4) cos aP = ha sin aP.
TEST(RackToolTest, LargestAddendumAndTipRadiusOfTheToolTooth) {
  for (double deg : {14.5, 20.0, 25.0, 30.0}) {
    for (double ha : {1.0, 1.25, 1.6}) {
      SCOPED_TRACE(testing::Message() << deg << " degrees, ha " << ha);
      GearPair g = test::StandardExternalPair();
      g.alphaP = test::Deg(deg), g.haP02Star = ha;
      const double s = std::sin(g.alphaP), c = std::cos(g.alphaP), q = std::atan(1.0);
      EXPECT_NEAR(ToolTipRadiusMax(g, 2), (q * c - ha * s) / (1.0 - s), 1e-14);
      EXPECT_EQ(g.rhoaP0Max, ToolTipRadiusMax(g, 2));
      EXPECT_NEAR(ToolAddendumMax(g) * s, q * c, 1e-14);
      EXPECT_EQ(g.haP0Max, ToolAddendumMax(g));
    }
  }
  GearPair g = test::StandardExternalPair();
  EXPECT_NEAR(ToolAddendumMax(g), 2.1579, 5e-5);  // 0.7853981633974483 / tan 20 deg
}

// The largest protuberance is the normal distance from the main flank to the
// point of the tip line straight below the start of the protuberance:
// sin aP (ha - hFa) mn.
TEST(RackToolTest, LargestProtuberanceReachesTheSharpTipCorner) {
  GearPair g = test::StandardExternalPair();
  g.mn = 2.0, g.haP01Star = 1.25, g.hFaP01Star = 0.75;
  const double q = std::atan(1.0), aP = g.alphaP;
  const double xp = q - 0.75 * std::tan(aP);
  const double corner = std::cos(aP) * xp + std::sin(aP) * 1.25 - q * std::cos(aP);
  EXPECT_NEAR(ProtuberanceSizeMax(g, 1), corner * g.mn, 1e-14);
}

}  // namespace
}  // namespace kolmira
