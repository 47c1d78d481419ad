// Speed of the identification: one run of each method on a helical wheel
// (mn 2, z2 61, beta 18 degrees, x2 0.2) prepared by the identification tab
// from the checked pair, each started from an estimate off the answer.
#include <benchmark/benchmark.h>

#include "engine/Identification.h"
#include "forms/ScriptedUser.h"
#include "forms/Workspace.h"

namespace {

using kolmira::Dialog;

// The results are read through memory (ClobberMemory), not through
// DoNotOptimize on a double member, whose register constraint can hand a
// changed value back.
struct Program {
  kolmira::Workspace ws;
  kolmira::ScriptedUser user{ws};
  kolmira::GearPair& g = ws.pair();

  Program() {
    user.Enter(Dialog::Main, "mn", "2");
    user.Enter(Dialog::Main, "z2", "61");
    user.Enter(Dialog::Main, "betaDeg", "18");
    user.Enter(Dialog::Main, "xSum", "0.5");
    user.Press(Dialog::Main, "DistributeButton");
    user.Enter(Dialog::Main, "x1", "0.3");
    user.Press(Dialog::Main, "CheckButton");
    ws.Open(Dialog::Ident);
    ws.TakeOutcomes();
  }
};

// Chord: Newton system 14 (three unknowns) for the shift.
void IdentifyFromChord(benchmark::State& state) {
  Program d;
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
  Program d;
  for (auto _ : state) {
    kolmira::Identify(d.g, kolmira::kMethodSpan, kolmira::kIdentProfileAngle);
    benchmark::ClobberMemory();
  }
  if (d.g.idSolutionCount < 1 || d.g.alphaId[1] <= 0.0) state.SkipWithError("not identified");
}
BENCHMARK(IdentifyFromSpan);

// Balls: Newton system 18 (two unknowns) for the shift.
void IdentifyFromBalls(benchmark::State& state) {
  Program d;
  for (auto _ : state) {
    d.g.xId[2] = 0.0;
    kolmira::Identify(d.g, kolmira::kMethodBalls, kolmira::kIdentShift);
    benchmark::ClobberMemory();
  }
  if (!d.g.messages.empty() || d.g.newtonFailed) state.SkipWithError("not identified");
}
BENCHMARK(IdentifyFromBalls);

}  // namespace
