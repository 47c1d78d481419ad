// The report window end to end: a pair typed in and checked, the window
// sized to its list in the window's font, every line painted in its colour
// in its own band, and the symbols drawn right of the text before their
// blank runs. The lines themselves are the report model's (tested there);
// here the sizes and the ink are checked against measurements of our own.
#include <QFontMetrics>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "TypedPair.h"
#include "gui/ReportView.h"
#include "gui/ReportWindow.h"
#include "report/Report.h"

using namespace kolmira;

namespace {

// Faultless; an external pair with errors and warnings (thin tips,
// shortened involutes, undercut, clearances, sliding); an external pair
// that does not mesh (epsilon-gamma on a bold line); an internal pair with
// interference; a bevel pair with undercut and a face wider than the cone.
constexpr const char* kPerfect = "z1=30 z2=60 !skluzy";
constexpr const char* kExternal = "z1=12 z2=13 haP1Star=1.3 haP2Star=1.3 cP1Star=0.1 cP2Star=0.1";
constexpr const char* kNoContact = "z1=10 z2=60 haP2Star=1.5";
constexpr const char* kInternal = "!GearInternal z1=20 z2=-26 x2=-0.5";
constexpr const char* kBevel = "!GearBevel z1=10 z2=11 haP1Star=1.3 haP2Star=1.3";

QFont LineFont(bool bold) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  font.setBold(bold);
  return font;
}

int Width(const std::string& text, bool bold, const QWidget* device) {
  return QFontMetrics(LineFont(bold), device).horizontalAdvance(QString::fromStdString(text));
}

// Whether a pixel is (nearly) the ink of a line colour; anti-aliased
// edges are paler and are not counted.
bool Ink(QRgb p, ReportColour colour) {
  const int r = qRed(p), g = qGreen(p), b = qBlue(p);
  switch (colour) {
    case ReportColour::Green:
      return g > 80 && r < 80 && b < 80;
    case ReportColour::Red:
      return r > 170 && g < 90 && b < 90;
    case ReportColour::Black:
      return r < 80 && g < 80 && b < 80;
  }
  return false;
}

int CountInk(const QImage& image, const QRect& area, ReportColour colour) {
  int n = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) n += Ink(image.pixel(x, y), colour);
  }
  return n;
}

// A checked pair and its report window.
struct Checked {
  Workspace ws;
  std::unique_ptr<gui::ReportWindow> window;
  gui::ReportView* view = nullptr;
  bool checked = false;  // every step taken and the check run

  explicit Checked(const char* steps) {
    checked = test::TypeAndCheck(ws, steps);
    window = std::make_unique<gui::ReportWindow>(ws.pair());
    window->Relayout();
    view = window->view();
  }
  QImage Picture() const { return view->grab().toImage(); }
};

void AddPairs() {
  QTest::addColumn<QString>("steps");
  for (const char* steps : {kPerfect, kExternal, kNoContact, kInternal, kBevel}) {
    QTest::newRow(steps) << QString::fromLatin1(steps);
  }
}

}  // namespace

class ReportWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void PerfectPairIsOneGreenLine() {
    Checked pair(kPerfect);
    QVERIFY(pair.checked);
    const std::vector<ReportLine> lines = pair.view->Build().lines;
    QCOMPARE(lines.size(), std::size_t{1});
    QCOMPARE(lines[0].text, std::string(kPerfectPairText));
    QCOMPARE(pair.window->height(), 15 + 95);
    // The list alone is narrower than the four buttons: the window is as
    // wide as their row, the list in its middle.
    const int list = Width(kPerfectPairText, true, pair.view) + 38;
    QVERIFY(pair.window->width() > list);
    QCOMPARE(pair.view->x(), 5 + (pair.window->width() - list) / 2);

    // The line's top at 7: its ink within the 15 rows from there.
    const QImage picture = pair.Picture();
    const QRect line(0, 7, picture.width(), 15);
    QVERIFY(CountInk(picture, line, ReportColour::Green) > 50);
    QCOMPARE(CountInk(picture, line, ReportColour::Green),
             CountInk(picture, picture.rect(), ReportColour::Green));
    QCOMPARE(CountInk(picture, picture.rect(), ReportColour::Red), 0);
    QCOMPARE(CountInk(picture, picture.rect(), ReportColour::Black), 0);
  }

  // The window, the panels and the paint box follow the widest line
  // (errors measured bold, warnings regular) and the number of lines.
  void WindowFollowsTheList_data() { AddPairs(); }
  void WindowFollowsTheList() {
    QFETCH(QString, steps);
    Checked pair(qPrintable(steps));
    QVERIFY(pair.checked);
    const std::vector<ReportLine> lines = pair.view->Build().lines;
    int W = Width(kPerfectPairText, true, pair.view);
    for (const ReportLine& line : lines) {
      W = std::max(W, Width(line.text, line.kind == ReportLineKind::Error, pair.view));
    }
    const int H =
        lines[0].kind == ReportLineKind::PerfectPair ? 15 : 17 * static_cast<int>(lines.size());
    // As wide as the list, or as the buttons' row where that is wider (the
    // list then in the middle).
    const int width = pair.window->width();
    QVERIFY(width >= W + 38);
    QCOMPARE(pair.window->size(), QSize(width, H + 95));
    QCOMPARE(pair.window->minimumSize(), pair.window->maximumSize());
    QCOMPARE(pair.view->geometry(), QRect(5 + (width - W - 38) / 2, 8, W + 19, H + 13));
    QCOMPARE(pair.view->objectName(), QStringLiteral("PaintBox1"));

    // The buttons in one row on the bottom strip, inside the window, apart,
    // each wide enough for its caption, the row in the middle.
    const QWidget* strip = pair.window->findChild<QWidget*>(QStringLiteral("Panel2"));
    QVERIFY(strip);
    QCOMPARE(strip->geometry(), QRect(0, H + 95 - 40, width, 40));
    int right = 0, left = -1;
    for (const char* name : {"OkBtn", "Button1", "Button3", "Button2"}) {
      const QPushButton* button = strip->findChild<QPushButton*>(QLatin1String(name));
      QVERIFY2(button, name);
      const QRect box = button->geometry();
      QVERIFY2(box.left() > right && box.right() < strip->width() && box.top() > 0 &&
                   box.bottom() < strip->height(),
               name);
      const QString caption = button->text().remove(QLatin1Char('&'));
      QVERIFY2(box.width() > button->fontMetrics().horizontalAdvance(caption), name);
      if (left < 0) left = box.left();
      right = box.right();
    }
    QVERIFY(std::abs(left - (width - 1 - right)) <= 1);
  }

  // Every line shows in its colour in its own band, no ink is clipped at
  // the paint box's right edge, and each symbol stands right of the
  // measured text before its blank run (a Greek letter at most a blank
  // further), at its offset from the line top, in the line's colour.
  void LinesAndSymbolsPainted_data() { AddPairs(); }
  void LinesAndSymbolsPainted() {
    QFETCH(QString, steps);
    Checked pair(qPrintable(steps));
    QVERIFY(pair.checked);
    const QImage picture = pair.Picture();
    for (const ReportLine& line : pair.view->Build().lines) {
      const QRect band(0, line.y, picture.width(), kReportLineHeight);
      QVERIFY2(CountInk(picture, band, line.colour) > 20, line.text.c_str());
      const QRect margin(picture.width() - 4, line.y, 4, kReportLineHeight);
      QCOMPARE(CountInk(picture, margin, line.colour), 0);

      const std::vector<QRect> boxes = pair.view->SymbolBoxes(line);
      QCOMPARE(boxes.size(), line.symbols.size());
      const int blank = Width(" ", line.bold, pair.view);
      for (std::size_t i = 0; i < boxes.size(); ++i) {
        const ReportSymbol& symbol = line.symbols[i];
        const std::string where = line.text + " / " + symbol.text;
        if (i == 0 || line.symbols[i - 1].runBegin != symbol.runBegin) {
          const int textEnd =
              line.x + Width(line.text.substr(0, symbol.runBegin), line.bold, pair.view);
          const int gap = boxes[i].left() - textEnd;
          QVERIFY2(gap >= 0 && gap <= (symbol.role == SymbolRole::GreekLetter ? blank : 0),
                   where.c_str());
        } else {
          QCOMPARE(boxes[i].left(), boxes[i - 1].left() + boxes[i - 1].width());
        }
        QCOMPARE(boxes[i].top(), line.y + symbol.dy);
        QVERIFY2(CountInk(picture, boxes[i].adjusted(1, 0, -1, 0), line.colour) > 3, where.c_str());
      }
    }
  }

  // The window shows the last check: a new pair resizes and repaints it.
  void RelayoutFollowsANewCheck() {
    Checked pair(kPerfect);
    QVERIFY(pair.checked);
    QVERIFY(test::TypeAndCheck(pair.ws, kExternal));
    pair.window->Relayout();
    const std::size_t n = pair.view->Build().lines.size();
    QVERIFY(n > 1);
    QCOMPARE(pair.window->height(), 17 * static_cast<int>(n) + 95);
    const QImage picture = pair.Picture();
    QVERIFY(CountInk(picture, picture.rect(), ReportColour::Red) > 0);
    QCOMPARE(CountInk(picture, picture.rect(), ReportColour::Green), 0);
  }
};

QTEST_MAIN(ReportWindowTest)
#include "ReportWindowTest.moc"
