// The tooth of a rack tool, built half by half from the tip up: the tip line,
// the tip rounding, the protuberance flank, the main flank, the chamfering
// edge and the tool's root line.
#include "engine/ToolOutline.h"

#include <algorithm>
#include <cmath>

#include "engine/RackTool.h"

namespace kolmira {

namespace {

// Half the tool tooth on the datum line, and half the pitch: the middle of
// the tool space, where the next tooth's mirror image begins.
constexpr double kQuarterPi = 0.7853981633974483;
constexpr double kHalfPi = kPi / 2.0;
// The tip radius may pass the full round one by 0.0001 (the largest one as
// its field shows it); the centre then lies this much beyond the centre line.
constexpr double kFullRoundTolerance = 1e-4;
// Points on a quarter of the tip rounding.
constexpr int kQuarterArcSteps = 16;

struct ToolValues {
  double aP, ha, rho, hFf, aK, hFa, pr;  // pr in units of the module
  double gearAddendum;                   // addendum of the gear the tool cuts
};

ToolValues ValuesOf(const GearPair& g, int tool, ToolShape shape) {
  const bool wheel = tool == 2;
  ToolValues v{};
  v.aP = g.alphaP;
  v.ha = wheel ? g.haP02Star : g.haP01Star;
  v.rho = wheel ? g.rhoaP02Star : g.rhoaP01Star;
  v.hFf = wheel ? g.hFfP02Star : g.hFfP01Star;
  v.aK = wheel ? g.alphaKP02 : g.alphaKP01;
  v.hFa = wheel ? g.hFaP02Star : g.hFaP01Star;
  v.pr = shape.protuberance && g.mn > 0.0 ? (wheel ? g.prP02 : g.prP01) / g.mn : 0.0;
  v.gearAddendum = wheel ? g.haP2Star : g.haP1Star;
  return v;
}

OutlinePoint OnCircle(OutlinePoint centre, double radius, double angle) {
  return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

// The rounding from the angle `from` up to `to` (angles from the x axis
// towards the tip; the flank side has the smaller angle), the start left
// out. `through`, when it lies between, is one of the points.
void AddArc(std::vector<OutlinePoint>& points, OutlinePoint centre, double radius, double from,
            double to, double through) {
  if (!(radius > 0.0)) return;
  const int steps =
      std::max(2, static_cast<int>(std::ceil(std::fabs(from - to) / kHalfPi * kQuarterArcSteps)));
  bool throughDone = !(through < from && through > to);
  for (int i = 1; i <= steps; ++i) {
    const double angle = i == steps ? to : from + (to - from) * i / steps;
    if (!throughDone && angle <= through) {
      if (angle < through) points.push_back(OnCircle(centre, radius, through));
      throughDone = true;
    }
    points.push_back(OnCircle(centre, radius, angle));
  }
}

// A straight edge from `from` up to the height `yEnd`, leaning outwards at
// the profile angle `angle`; it ends early in the middle of the tool space.
// Returns whether it reached `yEnd`.
bool Rise(std::vector<OutlinePoint>& points, OutlinePoint from, double angle, double yEnd) {
  if (from.x >= kHalfPi) return false;
  const double slope = std::tan(angle);  // across per unit of height
  const double x = from.x + (from.y - yEnd) * slope;
  if (x <= kHalfPi) {
    points.push_back({x, yEnd});
    return true;
  }
  points.push_back({kHalfPi, from.y - (kHalfPi - from.x) / slope});
  return false;
}

// The last edge up to the tool's root line, and the root line to the middle
// of the space.
void RiseToRoot(std::vector<OutlinePoint>& points, OutlinePoint from, double angle,
                double rootDepth) {
  if (Rise(points, from, angle, -rootDepth) && points.back().x < kHalfPi) {
    points.push_back({kHalfPi, -rootDepth});
  }
}

void BreakOff(ToolOutline& o, OutlinePoint at) {
  if (!o.constructible) return;  // the first break is the one reported
  o.constructible = false;
  o.failure = at;
}

}  // namespace

ToolOutline RackToolOutline(const GearPair& g, int tool) {
  const bool wheel = tool == 2;
  return RackToolOutline(
      g, tool, {wheel ? g.chamfer2 : g.chamfer1, wheel ? g.protuberance2 : g.protuberance1});
}

ToolOutline RackToolOutline(const GearPair& g, int tool, ToolShape shape) {
  const ToolValues v = ValuesOf(g, tool, shape);
  ToolOutline o;
  o.tipDepth = v.ha;
  o.tipRadius = v.rho;
  o.rootDepth = std::max(v.gearAddendum, shape.chamfer ? v.hFf : 0.0) + kToolRootClearance;
  if (!(v.aP > 0.0 && v.aP < kHalfPi)) {
    BreakOff(o, {kQuarterPi, 0.0});
    return o;
  }
  const double t = std::tan(v.aP);
  const double c = std::cos(v.aP);
  // The main flank: half a tooth of pi/4 on the datum line, narrowing by
  // tan aP per unit of depth.
  auto flank = [&](double y) { return OutlinePoint{kQuarterPi - y * t, y}; };
  // Where the two main flanks meet on the centre line: a pointed tooth.
  const OutlinePoint point = {0.0, kQuarterPi / t};

  // The tip rounding touches the tip line and the main flank, moved outwards
  // by the protuberance when there is one.
  const double yc = v.ha - v.rho;
  o.tipCentre = {kQuarterPi + v.pr / c - yc * t - v.rho / c, yc};
  o.tipEnd = {o.tipCentre.x, v.ha};

  std::vector<OutlinePoint>& half = o.points;
  OutlinePoint top;  // where the tip part ends on the main flank
  if (!(v.ha > 0.0) || !(v.rho >= 0.0)) {
    // No tip below the datum line, or a rounding of no size.
    top = flank(std::max(v.ha, 0.0));
    BreakOff(o, top);
    half.push_back(top);
  } else if (shape.protuberance) {
    o.protuberanceStart = flank(v.hFa);
    const ProtuberanceSolution s = SolveProtuberanceAngle(g, tool);
    o.protuberanceAngle = s.angle;
    const OutlinePoint q = OnCircle(o.tipCentre, v.rho, s.angle);
    top = o.protuberanceStart;
    if (top.x <= 0.0) {
      // The main flanks meet above the start of the protuberance.
      top = point;
      BreakOff(o, top);
      half.push_back(top);
    } else if (!s.solved || s.angle >= v.aP || o.tipCentre.x < 0.0 || q.y < top.y) {
      // No protuberance flank from its start to the rounding that stands out
      // of the main flank.
      BreakOff(o, top);
      half.push_back(top);
    } else {
      half.push_back({0.0, v.ha});
      if (o.tipCentre.x > 0.0) half.push_back(o.tipEnd);
      AddArc(half, o.tipCentre, v.rho, kHalfPi, s.angle, v.aP);
      o.flankEnd = q;
      o.protuberanceTouch = OnCircle(o.tipCentre, v.rho, v.aP);
      o.protuberanceFoot = {o.protuberanceTouch.x - v.pr * c,
                            o.protuberanceTouch.y - v.pr * std::sin(v.aP)};
      half.push_back(top);
    }
  } else {
    const OutlinePoint touch = OnCircle(o.tipCentre, v.rho, v.aP);
    o.flankEnd = touch;
    if (o.tipCentre.x >= 0.0) {
      half.push_back({0.0, v.ha});
      if (o.tipCentre.x > 0.0) half.push_back(o.tipEnd);
      AddArc(half, o.tipCentre, v.rho, kHalfPi, v.aP, v.aP);
      top = touch;
    } else if (touch.x > 0.0) {
      // The roundings of the two halves cross before they reach the tip line.
      // A tip radius a hair above the full round one still makes a tool: the
      // halves meet on the centre line just above the tip line.
      const double meet = std::acos(std::min(1.0, -o.tipCentre.x / v.rho));
      const OutlinePoint m = {0.0, o.tipCentre.y + v.rho * std::sin(meet)};
      if (o.tipCentre.x < -kFullRoundTolerance) {
        BreakOff(o, m);
      } else {
        o.tipEnd = m;
      }
      half.push_back(m);
      AddArc(half, o.tipCentre, v.rho, meet, v.aP, v.aP);
      top = touch;
    } else {
      top = point;
      BreakOff(o, top);
      half.push_back(top);
    }
  }

  if (top.y <= -o.rootDepth) {
    BreakOff(o, top);  // a rounding that reaches above the tool's root
    return o;
  }
  if (!shape.chamfer) {
    RiseToRoot(half, top, v.aP, o.rootDepth);
    return o;
  }
  // The chamfering edge starts above the datum line on the main flank and
  // leans further outwards than the flank.
  const OutlinePoint k = flank(-v.hFf);
  o.chamferStart = k;
  o.chamferAngle = v.aK;
  if (k.y >= top.y) {
    BreakOff(o, k);  // it would start within the tip part
    return o;
  }
  if (!Rise(half, top, v.aP, k.y)) return o;  // the flank ends in the space below it
  if (!(v.aK > v.aP && v.aK < kHalfPi)) {
    BreakOff(o, k);
    return o;
  }
  RiseToRoot(half, k, v.aK, o.rootDepth);
  return o;
}

std::vector<OutlinePoint> WholeTooth(const ToolOutline& outline) {
  const std::vector<OutlinePoint>& half = outline.points;
  if (half.empty() || half.front().x != 0.0) return {};
  std::vector<OutlinePoint> whole;
  whole.reserve(2 * half.size() - 1);
  for (auto it = half.rbegin(); it + 1 != half.rend(); ++it) whole.push_back({-it->x, it->y});
  whole.insert(whole.end(), half.begin(), half.end());
  return whole;
}

}  // namespace kolmira
