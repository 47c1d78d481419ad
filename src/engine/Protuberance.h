// Teeth cut by a rack tool with protuberance: besides the main involute the
// protuberance flank cuts a second, short involute near the root. This is
// the geometry the check needs for it: the limits of undercut by that flank,
// where the involute it generates begins, and where the root fillet traced by
// the tool tip meets the gear's involute.
#pragma once

#include "engine/Newton.h"
#include "model/GearPair.h"

namespace kolmira {

// Protuberance base circles, straight-flank depths, limits of undercut
// (x1min, z1min ...), protCut1/2 and the start diameters dFfPr1/2.
void ProtuberanceLimits(GearPair& g);

// Start vector of the protuberance systems for an undercut depth v [modules].
NewtonVector ProtuberanceStartValues(double v);

// Diameter where the root fillet traced by the tip of gear 1's or gear 2's
// tool meets the gear's involute, searched above dLimit; 0 when none.
double ProtuberanceFilletSearch(GearPair& g, int gear, double dLimit);

// Most halvings of the fillet search's bracket.
inline constexpr int kMaxFilletHalvings = 150;

}  // namespace kolmira
