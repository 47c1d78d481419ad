// Meshing quantities and limits of an external spur or helical pair and of
// a pinion meshing with a rack: undercut and form circles, active diameters,
// interference, involute lengths, contact ratios, specific sliding, virtual
// numbers of teeth and lengths of the contact lines. Each is one step of the
// complete check over the gear-pair state.
#pragma once

#include "model/GearPair.h"

namespace kolmira {

void CheckUndercut(GearPair& g);
void ActiveDiameters(GearPair& g);
void RackActiveDiameters(GearPair& g);
void CheckInterference(GearPair& g);
void CheckInterferenceRack(GearPair& g);
void InvoluteLengths(GearPair& g);
void ContactRatios(GearPair& g);
void SpecificSliding(GearPair& g);
void SpecificSlidingRack(GearPair& g);
void VirtualTeeth(GearPair& g);
void ContactLines(GearPair& g);

// Contact is taken to start below the form circle (interference) only when
// it starts at least this angle below it: a standard pinion meshing with a
// standard rack starts contact exactly on its form circle, and the rounding
// of the two formulas must not turn that into an interference.
inline constexpr double kInterferenceAngleTolerance = 0.000001;

// sqrt of a quantity that is negative only for a circle inside the base
// circle, where there is no involute: that length is 0.
double InvoluteRoot(double x);

// Pressure angle at diameter d of an involute of base diameter db, 0 when d
// is not positive.
double PressureAngleAt(GearPair& g, double db, double d);

}  // namespace kolmira
