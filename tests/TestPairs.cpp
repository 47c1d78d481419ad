#include "TestPairs.h"

#include "engine/ShiftDistribution.h"

namespace kolmira::test {

namespace {
GearPair Pair(GearType gearType) {
  GearPair g;
  g.gearType = gearType;
  SetDefaults(g);
  g.mn = 1.0;
  g.z1 = 20.0;
  g.z2 = gearType == GearType::Internal ? -80.0 : 40.0;
  g.b = 10.0;
  g.aw = gearType == GearType::Internal ? -30.0 : 30.0;
  if (gearType == GearType::Bevel) {
    g.z1Bevel = 20.0;
    g.z2Bevel = 30.0;
  }
  g.pairComputed = true;
  ZeroShifts(g);
  return g;
}
}  // namespace

GearPair StandardExternalPair() {
  return Pair(GearType::External);
}
GearPair StandardInternalPair() {
  return Pair(GearType::Internal);
}
GearPair StandardBevelPair() {
  return Pair(GearType::Bevel);
}

std::vector<std::string> NonFiniteReals(const GearPair& g) {
  std::vector<std::string> names;
#define KOLMIRA_CHECK_REAL(name) \
  if (!std::isfinite(g.name)) names.push_back(#name);
#define KOLMIRA_SKIP(name)
  KOLMIRA_STATE_ALL(KOLMIRA_CHECK_REAL, KOLMIRA_SKIP, KOLMIRA_SKIP)
#undef KOLMIRA_CHECK_REAL
#undef KOLMIRA_SKIP
  return names;
}

}  // namespace kolmira::test
