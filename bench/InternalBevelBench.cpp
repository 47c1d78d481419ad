// Speed of the complete check of an internal pair (with its shaper cutter)
// and of a bevel pair (on its virtual spur pair).
#include <benchmark/benchmark.h>

#include "engine/Check.h"
#include "engine/PairGeometry.h"
#include "engine/ShiftDistribution.h"
#include "model/GearPair.h"

namespace {

using kolmira::GearPair;

GearPair Pair(kolmira::GearType gearType) {
  GearPair g;
  g.gearType = gearType;
  kolmira::SetDefaults(g);
  g.z1 = 20.0;
  g.z2 = gearType == kolmira::GearType::Internal ? -80.0 : 30.0;
  g.z1Bevel = 20.0;
  g.z2Bevel = 30.0;
  g.b = 10.0;
  g.pairComputed = true;
  kolmira::ZeroShifts(g);
  g.geometryReady = 7;
  return g;
}

void RunCheckInternalPair(benchmark::State& state) {
  GearPair g = Pair(kolmira::GearType::Internal);
  for (auto _ : state) {
    kolmira::RunCheck(g);
    benchmark::DoNotOptimize(g.epsGamma);
  }
}
BENCHMARK(RunCheckInternalPair);

void RunCheckBevelPair(benchmark::State& state) {
  GearPair g = Pair(kolmira::GearType::Bevel);
  for (auto _ : state) {
    kolmira::RunCheck(g);
    benchmark::DoNotOptimize(g.epsGamma);
  }
}
BENCHMARK(RunCheckBevelPair);

// A spiral bevel pair also finds its spiral length constant.
void RunCheckSpiralBevelPair(benchmark::State& state) {
  GearPair g = Pair(kolmira::GearType::Bevel);
  g.betaDeg = 35.0;
  g.beta = 35.0 * kolmira::kDegToRad;
  kolmira::BevelGeometry(g);
  for (auto _ : state) {
    kolmira::RunCheck(g);
    benchmark::DoNotOptimize(g.epsGamma);
  }
}
BENCHMARK(RunCheckSpiralBevelPair);

}  // namespace
