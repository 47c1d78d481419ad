// The Qt program's answer to a field left while the report is shown: the
// field is accepted, the check re-run, every control refreshed and the
// report window relaid and painted. The dimension table opened from the
// report and painted, then closed; the table printed to a PDF file.
// Offscreen; the painting is forced with grab() so that it is inside the
// measured time.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include "gui/Application.h"
#include "gui/Binder.h"
#include "gui/Printing.h"
#include "gui/ReportWindow.h"
#include "gui/TableWindow.h"

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
    // Rendering the window paints it whether or not the platform has
    // exposed it (offscreen, repaint() alone may paint nothing).
    benchmark::DoNotOptimize(app.report().grab());
  }
}
BENCHMARK(BM_LeaveFieldWithReportShown)->Unit(benchmark::kMillisecond);

// A checked external pair with its report shown.
struct CheckedPair {
  kolmira::gui::Application app;
  CheckedPair() {
    app.binder().showMessage = [](const kolmira::Outcome&) {};
    app.OpenMain();
    app.binder().Run([&] { app.workspace().Press(kolmira::Dialog::Main, "CheckButton"); });
  }
  void Press(kolmira::Dialog d, const char* control) {
    app.binder().Run([&] { app.workspace().Press(d, control); });
  }
};

void BM_OpenAndPaintTable(benchmark::State& state) {
  CheckedPair pair;
  if (!pair.app.report().isVisible()) state.SkipWithError("the report did not open");
  for (auto _ : state) {
    pair.Press(kolmira::Dialog::Report, "Button1");
    // Painted into a picture: the window offscreen may not be exposed yet.
    benchmark::DoNotOptimize(pair.app.table().grab());
    state.PauseTiming();
    pair.Press(kolmira::Dialog::Table, "OkBtn");
    state.ResumeTiming();
  }
  if (pair.app.table().isVisible()) state.SkipWithError("the table did not close");
}
BENCHMARK(BM_OpenAndPaintTable)->Unit(benchmark::kMillisecond);

void BM_PrintTableToPdf(benchmark::State& state) {
  CheckedPair pair;
  pair.Press(kolmira::Dialog::Report, "Button1");
  QTemporaryDir dir;
  const QString file = dir.filePath("tabulka.pdf");
  pair.app.printing().choosePrinter = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
  };
  for (auto _ : state) pair.Press(kolmira::Dialog::Table, "Tisk");
}
BENCHMARK(BM_PrintTableToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
