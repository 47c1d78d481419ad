// Speed of the measurement tab: the refresh when it is shown after the
// inputs changed (the check, the chords of every mode, the spans, every
// control), and the plain refresh of its controls.
#include <benchmark/benchmark.h>

#include "engine/Measurement.h"
#include "forms/MeasureForm.h"
#include "forms/ScriptedUser.h"
#include "forms/Workspace.h"

namespace {

using kolmira::Dialog;

// The program with a helical pair typed in and checked, and both gears'
// chords in the chosen mode, so that the refresh solves for them.
struct Program {
  kolmira::Workspace ws;
  kolmira::ScriptedUser user{ws};
  kolmira::GearPair& g = ws.pair();

  Program() {
    user.Enter(Dialog::Main, "z1", "23");
    user.Enter(Dialog::Main, "z2", "61");
    user.Enter(Dialog::Main, "betaDeg", "18");
    user.Press(Dialog::Main, "CheckButton");
    ws.Open(Dialog::Measure);
    user.Press(Dialog::Measure, "zvol1");
    user.Press(Dialog::Measure, "zvol2");
    for (int gear = 1; gear <= 2; ++gear) {
      kolmira::ChordLimits(g, gear);
      (gear == 1 ? g.sc1 : g.sc2) =
          gear == 1 ? (g.sc1min + g.sc1max) / 2 : (g.sc2min + g.sc2max) / 2;
      kolmira::ChordAtWidth(g, gear);
    }
    ws.TakeOutcomes();
  }
};

void MeasureTabShownAfterInputChange(benchmark::State& state) {
  Program d;
  for (auto _ : state) {
    d.g.inputsChanged = true;
    d.ws.Press(Dialog::Main, "TabMeasure");
    benchmark::DoNotOptimize(d.g.M2);
  }
  bool quiet = true;
  for (const kolmira::Outcome& o : d.ws.TakeOutcomes()) {
    quiet = quiet && o.kind != kolmira::Outcome::Kind::Message;
  }
  if (!quiet || !d.g.scChosen1 || !d.g.scChosen2) state.SkipWithError("not measured");
}
BENCHMARK(MeasureTabShownAfterInputChange);

void MeasureTabRefresh(benchmark::State& state) {
  Program d;
  for (auto _ : state) {
    d.ws.measure().Refresh();
    benchmark::DoNotOptimize(d.ws.measure().control(kolmira::MeasureControl::Edit33));
  }
}
BENCHMARK(MeasureTabRefresh);

}  // namespace
