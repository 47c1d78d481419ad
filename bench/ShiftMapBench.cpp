// Speed of the shift map: the complete check over a grid of shifts for an
// external helical pair cut by chamfered rack tools, on every core.
#include <benchmark/benchmark.h>

#include "engine/PairGeometry.h"
#include "engine/ShiftDistribution.h"
#include "engine/ShiftMap.h"
#include "model/GearPair.h"
#include "report/Report.h"

namespace {

using kolmira::GearPair;

GearPair HelicalChamferedPair() {
  GearPair g;
  g.gearType = kolmira::GearType::External;
  kolmira::SetDefaults(g);
  g.z1 = 23.0;
  g.z2 = 61.0;
  g.betaDeg = 18.0;
  g.beta = 18.0 * kolmira::kDegToRad;
  g.pairComputed = true;
  kolmira::ZeroShifts(g);
  g.x1 = 0.3;
  g.x2 = 0.1;
  g.xSum = 0.4;
  g.geometryReady = 7;
  g.chamfer1 = g.chamfer2 = true;
  kolmira::PairFromShifts(g);
  return g;
}

void ShiftMapHelicalChamfered(benchmark::State& state) {
  const GearPair g = HelicalChamferedPair();
  kolmira::ShiftMapOptions options;
  options.size = static_cast<int>(state.range(0));
  options.range = {-0.5, 1.5, -0.5, 1.5};
  int checked = 0;
  for (auto _ : state) {
    const auto map = kolmira::ComputeShiftMap(g, options, kolmira::ReportFindings);
    benchmark::DoNotOptimize(map.points.data());
    checked = 0;
    for (const auto& p : map.points) checked += p.valid ? 1 : 0;
  }
  state.counters["points"] = static_cast<double>(options.size) * options.size;
  state.counters["checked"] = checked;  // points where the check ran
}
BENCHMARK(ShiftMapHelicalChamfered)
    ->Arg(51)
    ->Arg(201)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
