// The unit of every number of the gear-pair state, by its name. Lengths are
// millimetres; angles are radians, or degrees under a ...Deg name; teeth,
// shifts, coefficients (...Star), ratios and counts have none.
#pragma once

#include <string_view>

namespace kolmira {

enum class Unit { Millimetre, Degree, Radian, One };

// The unit of a real or integer member of GearPair, or of an entry of the
// identification arrays (mnId, alphaId, betaId, xId, alphaTId) by the
// array's name.
Unit UnitOf(std::string_view member);

// The short name of a unit as the command line writes it: "mm", "deg",
// "rad", "1".
std::string_view UnitName(Unit unit);

}  // namespace kolmira
