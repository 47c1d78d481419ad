// The Qt program's answer to a field left while the report is shown: the
// field is accepted, the check re-run, every control refreshed and the
// report window relaid and painted. Offscreen; the painting is forced with
// repaint() so that it is inside the measured time.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "gui/Application.h"
#include "gui/Binder.h"
#include "gui/ReportWindow.h"

namespace {

void BM_LeaveFieldWithReportShown(benchmark::State& state) {
  kolmira::gui::Application app;
  app.binder().showMessage = [](const kolmira::Outcome&) {};
  app.OpenMain();
  kolmira::gui::Binder& binder = app.binder();
  kolmira::Workspace& ws = app.workspace();
  binder.Run([&] { ws.Press(kolmira::Dialog::Main, "CheckButton"); });
  if (!app.report().isVisible()) state.SkipWithError("the report did not open");
  // A fillet radius changed back and forth: accepted, and the shown check
  // runs again.
  const char* radii[] = {"0.3", "0.35"};
  int i = 0;
  for (auto _ : state) {
    binder.Run([&] {
      ws.Focus(kolmira::Dialog::Main, "Edit15");
      ws.Type(kolmira::Dialog::Main, "Edit15", radii[i++ % 2]);
      ws.Focus(kolmira::Dialog::Main, "Edit16");
    });
    app.report().repaint();
  }
}
BENCHMARK(BM_LeaveFieldWithReportShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
