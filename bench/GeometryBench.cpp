// Speed of the basic pair computation and of the inverse involute.
#include <benchmark/benchmark.h>

#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "engine/ShiftDistribution.h"
#include "model/GearPair.h"

namespace {

kolmira::GearPair StandardPair() {
  kolmira::GearPair g;
  g.gearType = kolmira::GearType::External;
  kolmira::SetDefaults(g);
  g.aw = 30.0;
  kolmira::ZeroShifts(g);
  return g;
}

void PairFromShiftsStandard(benchmark::State& state) {
  kolmira::GearPair g = StandardPair();
  g.x1 = 0.3;
  g.x2 = -0.1;
  g.geometryReady = 7;
  for (auto _ : state) {
    kolmira::PairFromShifts(g);
    benchmark::DoNotOptimize(g.da1);
  }
}
BENCHMARK(PairFromShiftsStandard);

void InverseInvoluteOf035(benchmark::State& state) {
  const double w = kolmira::Involute(0.35);
  for (auto _ : state) {
    benchmark::DoNotOptimize(kolmira::InverseInvoluteValue(w));
  }
}
BENCHMARK(InverseInvoluteOf035);

}  // namespace

BENCHMARK_MAIN();
