// The normal backlash jn of a pair and the two ways of producing it by the
// geometry of the pair instead of thinning the teeth:
//  * by an extra profile shift at constant working centre distance: the
//    sum of the shifts drops from xSum to xSumBacklash, and each unit of
//    shift removed opens 2 mn sin(alphaP) of normal backlash;
//  * by moving the gears apart at constant shifts: the centre distance
//    grows from aw to awJ and the pair rolls at the larger working
//    pressure angle alphaWtJ (for a pinion and rack: the rack is displaced
//    by awJ, and jn = 2 awJ sin(alphaP)).
// Also the centre distance at which a given shift sum meshes without
// backlash, and the return to the backlash-free pair. Signed quantities: an
// internal pair has z2 < 0 and a negative centre distance; its backlash
// grows as the centre distance comes nearer to zero.
//
// The degenerate internal pair (as many teeth on the ring as on the pinion)
// has reference centre distance 0 and no working pressure angle: its
// centre distance is linear in the shift sum, aw = sin(alphaT) xSum mn, and
// its working pressure angles are pi/2.
#pragma once

#include "model/GearPair.h"

namespace kolmira {

// As many teeth on the ring as on the pinion (z2 = -z1).
bool IsDegeneratePair(const GearPair& g);

// The limiting shift sum of the pair, at which the working pressure angle
// falls to 0: xmez = -0.5 (z1 + z2) inv(alphaT) / tan(alphaP). Stored in
// g.xmez and returned.
double BacklashShiftSumLimit(GearPair& g);

// Centre distance at which the pair meshes without backlash with the shift
// sum xs: awNoBacklash, and its working pressure angle alphaWNoBacklash.
// Nothing in rack mode (a rack has no centre distance). Returns false,
// changing nothing, when no working pressure angle below pi/2 belongs to xs
// (xs below its limit, or the pair's shifts beyond theirs: the inverse
// involute then queues its message).
bool AwNoBacklash(GearPair& g, double xs);

// Moving apart: jn and alphaWtJ from awJ (a zero awJ means "not moved":
// awJ becomes aw). Rack mode: jn = 2 awJ sin(alphaP), alphaWtJ = alphaWt.
// Returns false, changing nothing but awJ, when no working pressure angle
// gives the centre distance awJ (it lies inside the base circles' reach,
// or on the wrong side of zero for the kind of pair).
bool BacklashFromCentreDistance(GearPair& g);

// Moving apart: awJ and alphaWtJ from jn. Returns false, changing nothing,
// when no working pressure angle below pi/2 gives this backlash (an
// internal pair whose reference working angle would have to fall below 0).
bool CentreDistanceFromBacklash(GearPair& g);

// Extra profile shift: xSumBacklash from jn, and jn from xSumBacklash.
void ShiftSumFromBacklash(GearPair& g);
void BacklashFromShiftSum(GearPair& g);

// Back to the backlash-free pair: jn and the thinning angles 0, the shifts,
// the centre distance and the working pressure angle of the pair as it was
// before the backlash was made (xSumNoBacklash, x1NoBacklash, awEntered),
// awJ and awNoBacklash at that centre distance.
void ResetToBacklashFree(GearPair& g);

// A backlash below this is none: the main dialog's threshold for a zero
// backlash. The working pressure angles are solved to 1e-11 in the involute
// function, which leaves up to about 1e-9 mm of backlash where there is none
// (cos(alphaP) mn (z1 + z2) 1e-11); such rounding must not show as "-0.000".
inline constexpr double kNoBacklash = 1e-7;

// A centre distance awJ this close to 0 was not given: the gears stay where
// the backlash-free pair has them.
inline constexpr double kCentreDistanceNotGiven = 1e-11;

}  // namespace kolmira
