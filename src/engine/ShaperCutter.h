// Geometry of the Fellows shaper cutter that generates the ring of an
// internal pair: the cutter's own diameters and involute start, the cutting
// pair cutter / ring (whose centre distance fixes the ring's root circle),
// and the rounding and thickness of the cutter's tip.
#pragma once

#include "model/GearPair.h"

namespace kolmira {

// The cutter and its cutting pair: d0, db0, hFf0Star (and the ring's
// hFfP2Star), da0, alphaFf0 and dL0, the normal-section cutter of a helical
// pair, alphaW0 and aw0 of the cutting pair, cutterUndercut, and finally the
// tip thickness sa0.
void CutterGeometry(GearPair& g);

// The same without the tip thickness; the tip rounding builds on it.
void CutterBaseGeometry(GearPair& g);

// Gap, at tip radius r [mm], between the tip rounding and the tooth flank;
// its root is the largest tip radius (a fully rounded tip).
double CutterTipGap(GearPair& g, double r);

// Largest tip radius [mm]: the root of CutterTipGap between 0 and mn, or mn
// itself when the gap does not change sign there.
double CutterMaxTipRadius(GearPair& g);

// Sets the fully rounded tip: rhoa0Max, rhoa0Star and the tip rounding.
void CutterFullyRoundedTip(GearPair& g);

// Tip rounding of radius rhoa0Star mn: dk0, alphaK0, dR0 and ca0.
void CutterTipRounding(GearPair& g);

// Normal tip thickness sa0 of the cutter.
void CutterTipThickness(GearPair& g);

}  // namespace kolmira
