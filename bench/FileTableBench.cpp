// Load a saved pair, check it and build its whole dimension table text: what
// the command line does for "kolmira-cli pair.dat --table".
#include <benchmark/benchmark.h>

#include <filesystem>

#include "engine/Check.h"
#include "files/InputFile.h"
#include "forms/Workspace.h"
#include "model/GearPair.h"
#include "report/DimensionTable.h"

namespace {

void LoadCheckAndTable(benchmark::State& state) {
  kolmira::Workspace ws;
  kolmira::GearPair& source = ws.pair();
  source.x1 = 0.3;
  source.x2 = -0.1;
  source.xSum = 0.2;
  source.betaDeg = 12.0;
  source.beta = 12.0 * kolmira::kDegToRad;
  source.geometryReady = 7;
  const auto path = std::filesystem::temp_directory_path() / "kolmira-bench.dat";
  kolmira::SaveInputFile(path, source);
  for (auto _ : state) {
    kolmira::GearPair g;
    kolmira::SetDefaults(g);
    kolmira::LoadInputFile(path, g);
    g.pairComputed = true;
    kolmira::RunCheckAndReport(g);
    benchmark::DoNotOptimize(kolmira::DimensionTableText(g));
  }
  std::filesystem::remove(path);
}
BENCHMARK(LoadCheckAndTable);

}  // namespace
