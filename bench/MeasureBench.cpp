// Speed of the measurement tab: the refresh when it is shown after the
// inputs changed (the check, the chords of every mode, the spans, every
// control), and the plain refresh of its controls.
#include <benchmark/benchmark.h>

#include "engine/Measurement.h"
#include "forms/MainForm.h"
#include "forms/MeasureForm.h"
#include "model/GearPair.h"

namespace {

using kolmira::Control;

// The main dialog with a helical pair typed in and checked, and both gears'
// chords in the chosen mode, so that the refresh solves for them.
struct Dialog {
  kolmira::GearPair g;
  kolmira::MainForm main{g};
  kolmira::MeasureForm tab{g, main};

  Dialog() {
    main.Start();
    Type(2, "23");
    Type(3, "61");
    Type(4, "18");
    Press(Control::CheckButton);
    tab.Show();
    tab.Press("zvol1");
    tab.Press("zvol2");
    for (int gear = 1; gear <= 2; ++gear) {
      kolmira::ChordLimits(g, gear);
      (gear == 1 ? g.sc1 : g.sc2) =
          gear == 1 ? (g.sc1min + g.sc1max) / 2 : (g.sc2min + g.sc2max) / 2;
      kolmira::ChordAtWidth(g, gear);
    }
    g.messages.clear();
  }
  void Type(int n, const char* text) {
    main.Focus(kolmira::FieldControl(n));
    main.Type(kolmira::FieldControl(n), text);
    main.Focus(Control::None);
  }
  void Press(Control c) {
    main.BeginPress(c);
    main.Focus(c);
    main.Press(c);
  }
};

void MeasureTabShownAfterInputChange(benchmark::State& state) {
  Dialog d;
  for (auto _ : state) {
    d.g.inputsChanged = true;
    d.main.Press(Control::TabMeasure);
    benchmark::DoNotOptimize(d.g.M2);
  }
  if (!d.g.messages.empty() || !d.g.scChosen1 || !d.g.scChosen2)
    state.SkipWithError("not measured");
}
BENCHMARK(MeasureTabShownAfterInputChange);

void MeasureTabRefresh(benchmark::State& state) {
  Dialog d;
  for (auto _ : state) {
    d.tab.Refresh();
    benchmark::DoNotOptimize(d.tab.control(kolmira::MeasureControl::Edit33));
  }
}
BENCHMARK(MeasureTabRefresh);

}  // namespace
