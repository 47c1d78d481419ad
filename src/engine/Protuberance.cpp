// Protuberance limits and the fillet search.
#include "engine/Protuberance.h"

#include <cmath>

#include "engine/Involute.h"
#include "engine/PairGeometry.h"

namespace kolmira {

namespace {

double Square(double x) {
  return x * x;
}

// Values of one fillet search: the tool tip rounding's centre (module units),
// the tooth thickness and the gear's circles.
struct FilletSearch {
  double c1, c2, rho, s, invT, d, db, dLimit, mn, cosBeta;
};

// Gap between the involute and the fillet point generated at tool angle phi,
// both as arcs on the fillet point's circle; and that point's diameter.
double FilletThicknessGap(const FilletSearch& f, double phi, double* diameter) {
  // The tool angle is scanned from pi/2 down, where the plain tangent is
  // finite in floating point: no guarded tangent here.
  const double betaPhi = std::atan(f.cosBeta * std::tan(phi));
  const double a = (f.c1 - std::cos(betaPhi) * f.rho) * f.mn / f.cosBeta;
  const double b = (f.c2 - std::sin(betaPhi) * f.rho) * f.mn;
  const double r = b / std::sin(phi);
  const double roll = (a - std::cos(phi) * r) * 2.0 / f.d;
  const double x = std::sin(roll) * f.d / 2.0 + std::cos(phi - roll) * r;
  const double y = std::cos(roll) * f.d / 2.0 + std::sin(phi - roll) * r;
  const double dY = 2.0 * std::sqrt(x * x + y * y);
  if (diameter) *diameter = dY;
  const double filletArc = std::atan(x / y) * dY;
  double involuteArc = 1000000.0;
  if (dY > f.dLimit) {
    const double ratio = f.db / dY;
    const double alphaY = ratio >= 1.0 ? 0.0 : std::acos(ratio);
    involuteArc = (f.s / (f.cosBeta * f.d) + f.invT - Involute(alphaY)) * dY;
  }
  return involuteArc - filletArc;
}

}  // namespace

NewtonVector ProtuberanceStartValues(double v) {
  NewtonVector x{1.05, 0.6, 0.08};
  if (v <= 0.71) x = {1.02, 0.2, 0.0001};
  if (v <= 0.31) x = {1.0007, 0.07, 0.00002};
  if (v <= 0.12) x = {1.00007, 0.02, 7e-7};
  if (v <= 0.008) x = {1.0000007, 0.002, 4e-10};
  if (v <= 0.001) x = {1.000000007, 0.0002, 4e-14};
  return x;
}

void ProtuberanceLimits(GearPair& g) {
  const double cosBeta = std::cos(g.beta);
  g.pt = kPi * g.mt;
  g.pbt = std::cos(g.alphaT) * g.pt;
  g.alphaprt1 = std::atan(GuardedTan(g, g.alphaprP01) / cosBeta);
  g.alphaprt2 = std::atan(GuardedTan(g, g.alphaprP02) / cosBeta);
  g.dbpr1 = std::cos(g.alphaprt1) * g.d1;
  g.dbpr2 = std::cos(g.alphaprt2) * g.d2;
  g.hFfP1Star = SnapFlankDepth(g.haP01Eff - (1.0 - std::sin(g.alphaprP01)) * g.rhoaP01Star);
  g.hFfP2Star = SnapFlankDepth(g.haP02Eff - (1.0 - std::sin(g.alphaprP02)) * g.rhoaP02Star);
  g.hFfP1 = g.hFfP1Star * g.mn;
  g.hFfP2 = g.hFfP2Star * g.mn;

  const double sin1 = Square(std::sin(g.alphaprt1));
  const double sin2 = Square(std::sin(g.alphaprt2));
  g.x1min = g.hFfP1Star - sin1 * (g.z1 / 2.0) / cosBeta;
  g.x2min = g.hFfP2Star - sin2 * (g.z2 / 2.0) / cosBeta;
  g.z1min = (2.0 * cosBeta / sin1) * (g.hFfP1Star - g.hprExtra1 - g.x1);
  g.z2min = (2.0 * cosBeta / sin2) * (g.hFfP2Star - g.hprExtra2 - g.x2);
  g.protCut1 = g.protuberance1 && g.hprExtra1 + g.x1 < g.x1min;
  g.protCut2 = g.protuberance2 && g.hprExtra2 + g.x2 < g.x2min;

  // Where the protuberance flank's involute begins, when that flank does
  // not reach below its own base circle.
  auto plainStart = [&](double d, double hFf, double shift, double alphaprt) {
    const double radial = d / 2.0 - hFf + shift * g.mn;
    const double along = (hFf - shift * g.mn) / GuardedTan(g, alphaprt);
    return 2.0 * std::sqrt(Square(radial) + Square(along));
  };
  if (g.protuberance1 && !g.protCut1) {
    g.dFfPr1 = plainStart(g.d1, g.hFfP1, g.hprExtra1 + g.x1, g.alphaprt1);
  }
  if (g.protuberance2 && !g.protCut2 && g.gearType == GearType::External) {
    g.dFfPr2 = plainStart(g.d2, g.hFfP2, g.hprExtra2 + g.x2, g.alphaprt2);
  }
  if (g.gearType == GearType::Internal) g.protCut2 = false;
  if (g.rackMode) g.protCut2 = true;  // a rack is never solved

  g.protuberanceSolve = true;
  NewtonParams none;
  if (g.protCut1) {
    g.protSolveGear = 0;
    NewtonVector x = ProtuberanceStartValues(g.x1min - (g.hprExtra1 + g.x1));
    NewtonSolve(g, 3, kSystemProtuberancePinion, x, none);
    g.dFfPr1 = x[0] * g.dbpr1;
  }
  if (g.protCut2 && !g.rackMode) {
    g.protSolveGear = 1;
    NewtonVector x = ProtuberanceStartValues(std::fabs(g.x2min - (g.hprExtra2 + g.x2)));
    NewtonSolve(g, 3, kSystemProtuberanceWheel, x, none);
    g.dFfPr2 = x[0] * g.dbpr2;
  }
  g.protuberanceSolve = false;
}

double ProtuberanceFilletSearch(GearPair& g, int gear, double dLimit) {
  const bool pinion = gear == 1;
  const double tanAlphaP = GuardedTan(g, g.alphaP);
  const double cosAlphaP = std::cos(g.alphaP);
  const double alphaT = std::atan(tanAlphaP / std::cos(g.beta));
  const double x = pinion ? g.x1 : g.x2;
  const double alphaprP0 = pinion ? g.alphaprP01 : g.alphaprP02;
  const double haP0Eff = pinion ? g.haP01Eff : g.haP02Eff;
  const double hprExtra = pinion ? g.hprExtra1 : g.hprExtra2;
  FilletSearch f{};
  f.rho = pinion ? g.rhoaP01Star : g.rhoaP02Star;
  f.d = pinion ? g.d1 : g.d2;
  f.db = pinion ? g.db1 : g.db2;
  f.dLimit = dLimit;
  f.mn = g.mn;
  f.cosBeta = std::cos(g.beta);
  f.invT = Involute(alphaT);
  f.s = (kPi / 2.0 + 2.0 * x * tanAlphaP) * g.mn;
  f.c1 = kPi / 4.0 + (haP0Eff - f.rho) * GuardedTan(g, alphaprP0) + f.rho / std::cos(alphaprP0);
  f.c2 = x + hprExtra + f.rho - haP0Eff;
  if (g.backlashDirect) {
    if (g.thinBoth) {
      f.s -= g.jn / (2.0 * cosAlphaP);
      if (!g.thinByGrinding) f.c1 -= g.jn / (4.0 * cosAlphaP * g.mn);
    } else if (pinion ? g.thinPinion : g.thinWheel) {
      f.s -= g.jn / cosAlphaP;
      if (!g.thinByGrinding) f.c1 -= g.jn / (2.0 * cosAlphaP * g.mn);
    }
  }
  if (f.d == 0.0 || f.mn == 0.0) return 0.0;

  // Scan down from pi/2 for a sign change, then halve.
  const double step = (kPi / 2.0 - alphaT) / 20.0;
  if (!(step > 0.0)) return 0.0;
  double a = kPi / 2.0;
  double b = a - step;
  double ga = FilletThicknessGap(f, a, nullptr);
  double gb = FilletThicknessGap(f, b, nullptr);
  while ((ga >= 0.0) == (gb >= 0.0)) {
    a = b;
    ga = gb;
    b -= step;
    if (b < 0.01) return 0.0;
    gb = FilletThicknessGap(f, b, nullptr);
  }
  double diameter = 0.0;
  for (int halvings = 0;; ++halvings) {
    if (halvings > kMaxFilletHalvings) return 0.0;
    const double mid = (a + b) / 2.0;
    const double gm = FilletThicknessGap(f, mid, &diameter);
    if (std::fabs(gm) < 1e-10) return mid > 0.01 ? diameter : 0.0;
    if ((gm >= 0.0) == (ga >= 0.0)) {
      a = mid;
      ga = gm;
    } else {
      b = mid;
    }
  }
}

}  // namespace kolmira
