// Renders the report window of a few pairs to PNG files for a look by eye:
//
//   kolmira_report_shots DIRECTORY [SHOT]...
//
// with QT_QPA_PLATFORM=offscreen. A SHOT is "name steps...", each step
// "field=text" (typed and left) or "!Control" (pressed), e.g.
// "ring !GearInternal z2=-12"; without shots the built-in ones are drawn.
// Each pair is checked; its report is printed as text with the symbol boxes
// and a note wherever a symbol runs into the text after its blank run.
#include <QApplication>
#include <QFontMetrics>
#include <QPixmap>
#include <cstdio>
#include <string>
#include <vector>

#include "TypedPair.h"
#include "gui/ReportView.h"
#include "gui/ReportWindow.h"
#include "report/Report.h"

namespace {

// A faultless pair; a small external pair with tall teeth and short
// clearances (thin tips, shortened involutes, undercut, clearances,
// sliding); a pinion cutting into a ring's root with assembly
// interference; a bevel pair of few teeth with tall teeth and a wide face.
const char* const kShots[] = {
    "perfect z1=30 z2=60 !skluzy",
    "external z1=12 z2=13 haP1Star=1.3 haP2Star=1.3 cP1Star=0.1 cP2Star=0.1",
    "internal !GearInternal z1=20 z2=-26 x2=-0.5",
    "bevel !GearBevel z1=10 z2=11 haP1Star=1.3 haP2Star=1.3",
};

void Shoot(const QString& directory, const std::string& shot) {
  const std::string name = shot.substr(0, shot.find(' '));
  kolmira::Workspace ws;
  if (!kolmira::test::TypeAndCheck(ws, std::string_view(shot).substr(name.size()))) {
    std::printf("%s: a step was refused or the check did not run\n", name.c_str());
  }
  for (const kolmira::Outcome& o : ws.TakeOutcomes()) {
    if (o.kind == kolmira::Outcome::Kind::Message) {
      std::printf("%s: message \"%s\"\n", name.c_str(), o.message.text.c_str());
    }
  }

  kolmira::gui::ReportWindow window(ws.pair());
  window.Relayout();
  const QString file = directory + QLatin1Char('/') + QString::fromStdString(name) + ".png";
  window.grab().save(file);
  std::printf("== %s (%dx%d)\n", qPrintable(file), window.width(), window.height());
  const kolmira::gui::ReportView& view = *window.view();
  for (const kolmira::ReportLine& line : view.Build().lines) {
    std::printf("%s\n", kolmira::LineAsText(line).c_str());
    QFont font(QStringLiteral("Arial"), kolmira::kReportFontSize);
    font.setBold(line.bold);
    const QFontMetrics metrics(font, &view);
    const std::vector<QRect> boxes = view.SymbolBoxes(line);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      const kolmira::ReportSymbol& s = line.symbols[i];
      const int runEnd = line.x + metrics.horizontalAdvance(QString::fromUtf8(
                                      line.text.substr(0, s.runBegin + s.runLength).c_str()));
      const int right = boxes[i].x() + boxes[i].width();
      std::printf("    %-6s x %d..%d (fixed x %d), run ends at %d%s\n", s.text.c_str(),
                  boxes[i].x(), right, s.x, runEnd, right > runEnd ? "  OVERLAP" : "");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  if (argc > 2) {
    for (int i = 2; i < argc; ++i) Shoot(directory, argv[i]);
  } else {
    for (const char* shot : kShots) Shoot(directory, shot);
  }
  return 0;
}
