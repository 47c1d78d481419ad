// Speed of the shift map: the complete check over a grid of shifts for an
// external helical pair cut by chamfered rack tools, on every core.
#include <benchmark/benchmark.h>

#include "engine/PairGeometry.h"
#include "engine/ShiftDistribution.h"
#include "engine/ShiftMap.h"
#include "model/GearPair.h"
#include "report/Report.h"
#include "report/ShiftMapScene.h"

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

// The whole picture: the grid, the lines found on it, the traced region
// boundaries and the four iso-lines — what the window waits for.
void ShiftMapSceneHelicalChamfered(benchmark::State& state) {
  const GearPair g = HelicalChamferedPair();
  kolmira::ShiftMapRequest request;
  request.size = static_cast<int>(state.range(0));
  request.range = {-0.5, 1.5, -0.5, 1.5};
  std::size_t polygons = 0;
  for (auto _ : state) {
    const auto data = kolmira::ComputeShiftMapData(g, request);
    const auto scene = kolmira::BuildShiftMapScene(g, data, request);
    polygons = 0;
    for (const auto& r : scene.regions) polygons += r.fill.size();
    benchmark::DoNotOptimize(scene.regions.data());
  }
  state.counters["polygons"] = static_cast<double>(polygons);
}
BENCHMARK(ShiftMapSceneHelicalChamfered)
    ->Arg(51)
    ->Arg(201)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
