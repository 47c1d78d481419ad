// Tooth thicknesses of both gears on their characteristic circles (with the
// thinning that produces the backlash), the tip chamfer made by the tool's
// chamfering edge, and the form circles of teeth cut by a protuberance tool.
#pragma once

#include "model/GearPair.h"

namespace kolmira {

// Effective tip diameter of gear 1 or 2 where its chamfer begins
// (da1Eff / da2Eff, chamferOff1 / chamferOff2).
void TipChamfer(GearPair& g, int gear);

// Rack mode with a protuberance on the rack's tool: depth of its straight
// flank (hFfRack, hfNRack).
void RackProtuberanceLimit(GearPair& g);

// Form circles of teeth cut by a tool with protuberance.
void ProtuberanceUndercut(GearPair& g);

void ToothThicknesses(GearPair& g);
void RackThicknesses(GearPair& g);

// Backlash made directly by thinning the teeth: the angle
// jn / (cos alphaP cos beta d/2) by which the teeth of a gear of reference
// diameter d are thinned when that gear takes the whole backlash (0 for d 0).
double ThinningAngle(const GearPair& g, double d);

// What a tooth of gear 1 or 2 loses on a circle of diameter dy, divided by
// dy: a quarter of its thinning angle when both gears are thinned, half when
// it is thinned alone; 0 when the backlash is not made by thinning.
double ThinningPerDiameter(const GearPair& g, int gear);

// Transverse arc thickness of a gear on the circle dy: the involute of base
// db with the shift x (absolute values for an internal wheel).
double TransverseThickness(GearPair& g, double dy, double x, double z, double db);

}  // namespace kolmira
