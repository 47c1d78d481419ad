// Speed of the identification: one run of each method on a helical wheel
// (mn 2, z2 61, beta 18 degrees, x2 0.2) prepared by the identification tab
// from the checked pair, each started from an estimate off the answer.
#include <benchmark/benchmark.h>

#include "engine/Identification.h"
#include "forms/IdentForm.h"
#include "forms/MainForm.h"
#include "model/GearPair.h"

namespace {

using kolmira::Control;

// The results are read through memory (ClobberMemory), not through
// DoNotOptimize on a double member, whose register constraint can hand a
// changed value back.
struct Dialog {
  kolmira::GearPair g;
  kolmira::MainForm main{g};
  kolmira::IdentForm tab{g, main};

  Dialog() {
    main.Start();
    Type(1, "2");
    Type(3, "61");
    Type(4, "18");
    Type(6, "0.5");
    Press(Control::DistributeButton);
    Type(7, "0.3");
    Press(Control::CheckButton);
    tab.Show();
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

// Chord: Newton system 14 (three unknowns) for the shift.
void IdentifyFromChord(benchmark::State& state) {
  Dialog d;
  for (auto _ : state) {
    d.g.xId[0] = 0.0;
    kolmira::Identify(d.g, kolmira::kMethodChordal, kolmira::kIdentShift);
    benchmark::ClobberMemory();
  }
  if (!d.g.messages.empty() || d.g.newtonFailed) state.SkipWithError("not identified");
}
BENCHMARK(IdentifyFromChord);

// Span: the profile angle, whose root searches walk the whole range of
// angles for the extrema and every solution.
void IdentifyFromSpan(benchmark::State& state) {
  Dialog d;
  for (auto _ : state) {
    kolmira::Identify(d.g, kolmira::kMethodSpan, kolmira::kIdentProfileAngle);
    benchmark::ClobberMemory();
  }
  if (d.g.idSolutionCount < 1 || d.g.alphaId[1] <= 0.0) state.SkipWithError("not identified");
}
BENCHMARK(IdentifyFromSpan);

// Balls: Newton system 18 (two unknowns) for the shift.
void IdentifyFromBalls(benchmark::State& state) {
  Dialog d;
  for (auto _ : state) {
    d.g.xId[2] = 0.0;
    kolmira::Identify(d.g, kolmira::kMethodBalls, kolmira::kIdentShift);
    benchmark::ClobberMemory();
  }
  if (!d.g.messages.empty() || d.g.newtonFailed) state.SkipWithError("not identified");
}
BENCHMARK(IdentifyFromBalls);

}  // namespace
