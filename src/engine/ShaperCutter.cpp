// Fellows shaper cutter geometry and its cutting pair with the ring.
#include "engine/ShaperCutter.h"

#include <cmath>

#include "engine/Involute.h"
#include "engine/PairGeometry.h"

namespace kolmira {

namespace {

// Transverse tooth thickness of the cutter over its reference diameter.
double ThicknessRatio(GearPair& g) {
  return (kPi + 4.0 * g.x0 * GuardedTan(g, g.alphaP)) / (2.0 * g.z0);
}

}  // namespace

void CutterBaseGeometry(GearPair& g) {
  if (g.z0 == 0 || g.mn == 0.0) return;
  const double cosBeta = std::cos(g.beta);
  const double tanAlphaP = GuardedTan(g, g.alphaP);
  const double sinAlphaP = std::sin(g.alphaP);

  // 1-2. Transverse angle, reference and base circles.
  g.alphaT = std::atan(tanAlphaP / cosBeta);
  g.d0 = g.z0 * g.mn / cosBeta;
  g.db0 = std::cos(g.alphaT) * g.d0;

  // 3. Straight flank depths of the cutter root and of the ring's tool.
  g.hFf0Star = SnapFlankDepth(g.haP2Star + g.cP2Star - (1.0 - sinAlphaP) * g.rhof0Star);
  g.hFfP2Star = SnapFlankDepth(g.haP1Star + g.cP1Star - (1.0 - sinAlphaP) * g.rhofP2Star);

  // 4. The cutter's addendum is the ring's dedendum.
  g.da0 = 2.0 * g.mn * (g.z0 / (2.0 * cosBeta) + g.x0 + g.haP1Star + g.cP1Star);

  // 5. Where the cutter's involute begins. With the largest functional
  // tooth height it begins on the base circle, whatever module or helix the
  // pair has been given since the option was chosen.
  if (!g.maxFunctional) {
    g.alphaFf0 = std::atan(GuardedTan(g, g.alphaT) -
                           4.0 * cosBeta * (g.hFf0Star - g.x0) / (std::sin(2.0 * g.alphaT) * g.z0));
    g.dL0 = g.db0 / std::cos(g.alphaFf0);
  } else {
    g.alphaFf0 = 0.0;
    g.dL0 = g.db0;
  }

  // 6. Normal section of a helical cutter (virtual spur cutter).
  if (g.beta > 0.0) {
    const double cosBetaB = std::cos(g.betaB);
    g.zn0 = g.z0 / (cosBeta * cosBetaB * cosBetaB);
    g.dn0 = g.mn * g.zn0;
    g.dan0 = g.da0 - g.d0 + g.dn0;
    g.dbn0 = std::cos(g.alphaP) * g.dn0;
  }

  // 7. Cutting pair cutter / ring (z2 negative): its working pressure angle
  // and centre distance.
  g.invAlphaT = GuardedTan(g, g.alphaT) - g.alphaT;
  const double teeth = g.z0 + g.z2;
  if (teeth != 0.0) {
    g.invAlphaW0 = tanAlphaP * 2.0 * (g.x0 + g.x2) / teeth + g.invAlphaT;
    if (g.invAlphaW0 > 0.0) {
      g.cutterPairSolving = true;
      const double xmez = g.xmez;
      if (auto angle = InverseInvolute(g, g.invAlphaW0)) g.alphaW0 = *angle;
      g.xmez = xmez;
      g.cutterPairSolving = false;
      g.aw0 = teeth * g.mn / (2.0 * cosBeta) * std::cos(g.alphaT) / std::cos(g.alphaW0);
    }
  }
  g.cutterUndercut = g.alphaFf0 < 0.0;
}

void CutterGeometry(GearPair& g) {
  CutterBaseGeometry(g);
  CutterTipThickness(g);
}

double CutterTipGap(GearPair& g, double r) {
  const double dy = g.da0 - 2.0 * r;
  g.alphaK0 = GuardedArcCos(g, g.db0 / dy);
  const double sy = dy * (ThicknessRatio(g) + g.invAlphaT - Involute(g.alphaK0));
  if (g.beta > 0.0) {
    const double betaY = std::atan(std::tan(g.beta) * dy / g.d0);
    return (g.dan0 - 2.0 * r) * r - std::cos(betaY) * 0.5 * g.dbn0 * sy;
  }
  return dy * r - 0.5 * sy * g.db0;
}

double CutterMaxTipRadius(GearPair& g) {
  BracketSearch search;
  search.start = 0.0;
  search.step = g.mn / 100.0;
  search.firstHi = search.start + search.step;
  search.bound = g.mn;
  bool signChange = false;
  double previousSign = 0.0;
  const double root = BracketBisect(
      [&](double r) {
        const double gap = CutterTipGap(g, r);
        const double sign = gap >= 0.0 ? 1.0 : -1.0;
        if (previousSign != 0.0 && sign != previousSign) signChange = true;
        previousSign = sign;
        return gap;
      },
      search);
  // Without a sign change below the bound the whole module is the radius.
  return signChange ? root : g.mn;
}

void CutterFullyRoundedTip(GearPair& g) {
  CutterBaseGeometry(g);
  g.rhoa0Max = CutterMaxTipRadius(g);
  g.rhoa0Star = g.rhoa0Max / g.mn;
  CutterTipRounding(g);
}

void CutterTipRounding(GearPair& g) {
  CutterBaseGeometry(g);
  const double radius = g.rhoa0Star * g.mn;
  g.dk0 = g.da0 - 2.0 * radius;
  g.alphaK0 = GuardedArcCos(g, g.db0 / g.dk0);
  const double along = radius / std::cos(g.betaB) + GuardedTan(g, g.alphaK0) * g.db0 / 2.0;
  g.dR0 = 2.0 * std::sqrt((g.db0 / 2.0) * (g.db0 / 2.0) + along * along);
  g.ca0 = (g.da0 - g.dR0) / 2.0;
}

void CutterTipThickness(GearPair& g) {
  if (g.z0 == 0 || g.da0 == 0.0) return;
  if (g.rhoa0Max <= 0.0) {
    const double alphaA0 = GuardedArcCos(g, g.db0 / g.da0);
    g.sa0 = g.da0 * (ThicknessRatio(g) + g.invAlphaT - Involute(alphaA0));
  } else {
    CutterTipRounding(g);
    const double alphaR = GuardedArcCos(g, g.db0 / g.dR0);
    g.sa0 = g.da0 * (ThicknessRatio(g) + g.invAlphaT - Involute(alphaR) + g.alphaK0 - alphaR);
  }
  if (g.fullyRounded) g.sa0 = 0.0;
  g.sa0 *= std::cos(std::atan(std::tan(g.beta) * g.da0 / g.d0));
}

}  // namespace kolmira
