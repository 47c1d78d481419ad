// Speed of the complete check for the pairs an engineer checks most.
#include <benchmark/benchmark.h>

#include <cmath>

#include "engine/Check.h"
#include "engine/PairGeometry.h"
#include "engine/ShiftDistribution.h"
#include "model/GearPair.h"

namespace {

using kolmira::GearPair;

GearPair Pair(double z1, double z2, double betaDeg) {
  GearPair g;
  g.gearType = kolmira::GearType::External;
  kolmira::SetDefaults(g);
  g.z1 = z1;
  g.z2 = z2;
  g.betaDeg = betaDeg;
  g.beta = betaDeg * kolmira::kDegToRad;
  g.aw = 30.0;
  g.pairComputed = true;
  kolmira::ZeroShifts(g);
  return g;
}

void RunCheckStandardPair(benchmark::State& state) {
  GearPair g = Pair(20.0, 40.0, 0.0);
  g.geometryReady = 7;
  for (auto _ : state) {
    kolmira::RunCheck(g);
    benchmark::DoNotOptimize(g.epsGamma);
  }
}
BENCHMARK(RunCheckStandardPair);

void RunCheckHelicalChamferProtuberance(benchmark::State& state) {
  GearPair g = Pair(23.0, 61.0, 18.0);
  g.x1 = 0.3;
  g.x2 = 0.1;
  g.xSum = 0.4;
  g.geometryReady = 7;
  g.chamfer1 = g.chamfer2 = true;
  g.protuberance1 = true;
  // The protuberance flank's extra height and the addendum it reaches.
  g.hprExtra1 = (std::tan(g.alphaP) / std::tan(g.alphaprP01) - 1.0) * g.hFaP01Star;
  g.haP01Eff = g.haP01Star + g.hprExtra1;
  kolmira::PairFromShifts(g);
  for (auto _ : state) {
    kolmira::RunCheck(g);
    benchmark::DoNotOptimize(g.epsGamma);
  }
}
BENCHMARK(RunCheckHelicalChamferProtuberance);

void RunCheckPinionWithRack(benchmark::State& state) {
  GearPair g = Pair(20.0, 40.0, 0.0);
  g.rackMode = true;
  g.z2 = 5000.0;
  g.x1 = 0.2;
  kolmira::RackGeometry(g);
  for (auto _ : state) {
    kolmira::RunCheckRack(g);
    benchmark::DoNotOptimize(g.epsGamma);
  }
}
BENCHMARK(RunCheckPinionWithRack);

}  // namespace
