// Gear pairs that the tests start from, set up the way the program does at
// start: defaults, the gear type, then the pair of the main dialog's show.
#pragma once

#include <cmath>
#include <ostream>
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

// A gear type by its number in the input file (1 external, 2 internal,
// 3 bevel), for test tables.
inline GearType TypeOf(int number) {
  return static_cast<GearType>(number);
}

inline double Deg(double degrees) {
  return degrees * kDegToRad;
}

}  // namespace kolmira::test

namespace kolmira {
inline std::ostream& operator<<(std::ostream& out, GearType type) {
  return out << static_cast<int>(type);
}
}  // namespace kolmira
