// A pair defined by its shifts, as after typing x1 and x2, for the engine
// tests. What is not named is the standard pair's: module 1, 20/40 teeth (a
// negative z2 makes it an internal pair with the standard cutter), spur,
// face 10.
#pragma once

#include "TestPairs.h"
#include "engine/PairGeometry.h"
#include "engine/ShiftDistribution.h"

namespace kolmira::test {

struct PairData {
  double mn = 1.0, z1 = 20.0, z2 = 40.0, x1 = 0.0, x2 = 0.0, betaDeg = 0.0, b = 10.0;
  int z0 = 35;
};

inline GearPair ShiftedPair(const PairData& s) {
  GearPair g = s.z2 < 0.0 ? StandardInternalPair() : StandardExternalPair();
  g.mn = s.mn, g.z1 = s.z1, g.z2 = s.z2, g.beta = Deg(s.betaDeg), g.betaDeg = s.betaDeg;
  g.b = s.b, g.z0 = s.z0;
  ZeroShifts(g);
  g.x1 = s.x1, g.x2 = s.x2, g.xSum = s.x1 + s.x2, g.geometryReady = 7;
  PairFromShifts(g);
  return g;
}

}  // namespace kolmira::test
