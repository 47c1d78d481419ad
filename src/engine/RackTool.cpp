// Rack tools of pinion and wheel: protuberance flank angle, largest addendum
// and tip radius of the tool tooth, and the basic rack the tools cut.
#include "engine/RackTool.h"

#include <cmath>

#include "engine/Involute.h"

namespace kolmira {

namespace {

// A quarter of pi: half the tooth thickness of the basic rack on its datum
// line, in units of the module.
constexpr double kQuarterPi = 0.7853981633974483;

}  // namespace

RackToolVariables ToolVariables(GearPair& g, int tool) {
  if (tool == 2) {
    return {g.haP02Star,    g.rhoaP02Star,   g.chamfer2,   g.hFfP02Star, g.alphaKP02Deg,
            g.alphaKP02,    g.protuberance2, g.hFaP02Star, g.prP02,      g.alphaprP02,
            g.protInvalid2, g.hprExtra2,     g.haP02Eff};
  }
  return {g.haP01Star,    g.rhoaP01Star,   g.chamfer1,   g.hFfP01Star, g.alphaKP01Deg,
          g.alphaKP01,    g.protuberance1, g.hFaP01Star, g.prP01,      g.alphaprP01,
          g.protInvalid1, g.hprExtra1,     g.haP01Eff};
}

// The tool tooth in units of the module, x across the tooth from its centre
// line, y down from the datum line towards the tool tip. The main flank has
// the half width pi/4 - y tan aP. The tip rounding (radius rho) touches the
// tip line y = ha and the main flank moved outwards by the protuberance; the
// protuberance flank runs from the main flank at the depth hFa down to the
// tip rounding, touching it.
ProtuberanceSolution SolveProtuberanceAngle(const GearPair& g, int tool) {
  const bool wheel = tool == 2;
  const double aP = g.alphaP;
  const double rho = wheel ? g.rhoaP02Star : g.rhoaP01Star;
  const double ha = wheel ? g.haP02Star : g.haP01Star;
  const double hFa = wheel ? g.hFaP02Star : g.hFaP01Star;
  const double pr = wheel ? g.prP02 : g.prP01;
  ProtuberanceSolution none;
  if (!(g.mn > 0.0)) return none;

  const double t = std::tan(aP);
  // The protuberance measured along the datum line.
  const double A = pr / g.mn / std::cos(aP);
  // Half the tool tooth where the protuberance starts.
  const double B = kQuarterPi - t * hFa;
  // Half the tooth at the tip line, on the flank moved out by the protuberance.
  const double C = B + A - t * (ha - hFa);
  // Centre of the tip rounding, across the tooth.
  const double F = C + t * (1.0 - std::sin(aP)) * rho - std::cos(aP) * rho;
  if (F < 0.0) return none;  // the rounding lies beyond the tooth centre line
  // From the start of the protuberance to the centre of the tip rounding.
  const double G = ha - hFa - rho;
  const double R = std::sqrt((B - F) * (B - F) + G * G);
  if (!(R > 0.0) || std::fabs(rho / R) >= 1.0) return none;  // the start lies in the rounding
  const double phi1 = std::asin(rho / R);
  const double phi2 = G == 0.0 ? kPi / 2.0 : std::atan((B - F) / G);
  const double angle = phi2 - phi1;
  // A flank that does not lean towards the tooth centre gives no protuberance
  // rack (and no finite extra height).
  if (!(angle > 0.0) || !std::isfinite(angle)) return none;
  return {true, angle};
}

bool ProtuberanceAngle(GearPair& g, int tool) {
  RackToolVariables v = ToolVariables(g, tool);
  const ProtuberanceSolution s = SolveProtuberanceAngle(g, tool);
  if (!s.solved) {
    v.protInvalid = true;
    return false;
  }
  v.alphaprP0 = s.angle;
  if (s.angle >= g.alphaP) {
    v.protInvalid = true;
    return true;
  }
  // The protuberance flank has the half tooth pi/4 at the depth
  // hFa - (tan aP / tan aPr - 1) hFa: its own datum line lies hprExtra above
  // the tool's, and the tool reaches haP0* + hprExtra below it.
  v.hprExtra = (std::tan(g.alphaP) / std::tan(s.angle) - 1.0) * v.hFaP0Star;
  v.haP0Eff = v.haP0Star + v.hprExtra;
  v.protInvalid = false;
  return true;
}

double ToolAddendumMax(GearPair& g) {
  g.haP0Max = kQuarterPi / std::tan(g.alphaP);
  return g.haP0Max;
}

double ToolTipRadiusMax(GearPair& g, int tool) {
  const double ha = tool == 2 ? g.haP02Star : g.haP01Star;
  const double aP = g.alphaP;
  g.rhoaP0Max = FullRoundRootRadius(aP, ha);
  return g.rhoaP0Max;
}

double ProtuberanceSizeMax(const GearPair& g, int tool) {
  const double ha = tool == 2 ? g.haP02Star : g.haP01Star;
  const double hFa = tool == 2 ? g.hFaP02Star : g.hFaP01Star;
  return std::sin(g.alphaP) * (ha - hFa) * g.mn;
}

void MatingAddendumFromTool(GearPair& g, int tool) {
  if (tool == 2) {
    g.haP1Star = g.haP02Star - g.cP1Star;
  } else {
    g.haP2Star = g.haP01Star - g.cP2Star;
  }
}

void FilletFromToolTipRadius(GearPair& g, int tool) {
  if (tool == 2) {
    g.rhofP2Star = g.rhoaP02Star;
  } else {
    g.rhofP1Star = g.rhoaP01Star;
  }
}

void RestoreToolDefaults(GearPair& g) {
  for (int tool : {1, 2}) {
    RackToolVariables v = ToolVariables(g, tool);
    v.haP0Star = kToolAddendumDefault;
    v.rhoaP0Star = kToolTipRadiusDefault;
    v.chamfer = false;
    v.hFfP0Star = kChamferHeightDefault;
    v.alphaKP0Deg = kChamferAngleDegDefault;
    v.alphaKP0 = kPi / 4.0;
    v.protuberance = false;
    v.hFaP0Star = kProtuberanceHeightDefault;
    v.prP0 = kProtuberanceSizeDefault;
    v.alphaprP0 = kProtuberanceAngleDefault;
    v.protInvalid = false;
  }
}

}  // namespace kolmira
