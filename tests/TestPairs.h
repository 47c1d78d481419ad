// Gear pairs that the tests start from, set up the way the program does at
// start: defaults, the gear type, then the pair of the main dialog's show.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "model/GearPair.h"

namespace kolmira::test {

// External spur pair 20/40, module 1, standard basic rack, unshifted.
GearPair StandardExternalPair();
// Internal spur pair 20/-80, module 1, standard basic rack, unshifted.
GearPair StandardInternalPair();
// Bevel pair 20/30 at a shaft angle of 90 degrees, module 1, face 10.
GearPair StandardBevelPair();

// Names of the real members of the state that are not finite.
std::vector<std::string> NonFiniteReals(const GearPair& g);

inline double Deg(double degrees) {
  return degrees * kDegToRad;
}

}  // namespace kolmira::test
