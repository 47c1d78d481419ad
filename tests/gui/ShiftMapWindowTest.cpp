// The shift map window end to end, through real widgets: the report's
// fourth button opens it, the map arrives from the background and is
// painted, the mouse over the plot reads the map into the status line, a
// click types the shifts into the main dialog's fields and checks the pair,
// Esc and "Zpět" hide the window. What the map shows and what the status
// line says are the forms' (tested there); here the binding is proved.
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "GuiProgram.h"
#include "TypedPair.h"
#include "forms/ShiftMapForm.h"
#include "forms/ShiftMapJob.h"
#include "gui/ReportWindow.h"
#include "gui/ShiftMapWindow.h"

using namespace kolmira;

namespace {

// The program with the 20/40 pair of module 3 checked and its map open
// from the report, the fine map painted.
struct MapProgram : test::Program {
  MapProgram() : test::Program(test::Boxes::Counted) {
    Run([&] { QVERIFY(test::TypeAndCheck(ws(), "mn=3 z1=20 z2=40")); });
    home = Dialog::ShiftMap;
  }
  gui::ShiftMapWindow& window() { return app.shiftMap(); }
  gui::ShiftMapView& view() { return *window().view(); }
  ShiftMapForm& form() { return ws().shiftMap(); }
  // Until the window has taken the fine map (its timer polls the form).
  bool WaitForFineMap() {
    return QTest::qWaitFor(
        [&] {
          return !form().computing() && form().scene() != nullptr &&
                 form().scene()->size == ShiftMapJob::kFineSize;
        },
        300000);
  }
  void Hover(QPointF at) {
    QMouseEvent move(QEvent::MouseMove, at, view().mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&view(), &move);
  }
  // A click at a point of the plot, entering through the window as the
  // mouse's does.
  void ClickAt(QPointF at) {
    QTest::mouseClick(window().windowHandle(), Qt::LeftButton, {},
                      view().mapTo(&window(), at.toPoint()));
  }
};

}  // namespace

class ShiftMapWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void OpensFromTheReportReadsTheMapAndTypesAClick() {
    MapProgram p;
    QVERIFY(p.app.report().isVisible());
    auto* button = p.Get<QPushButton>("Button3", Dialog::Report);
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("&Mapa korekcí"));
    QVERIFY(!p.window().isVisible());
    p.Click(button);
    QVERIFY(p.window().isVisible());
    QCOMPARE(p.window().windowTitle(), QStringLiteral("Mapa korekcí"));
    QCOMPARE(p.window().status()->text(), QStringLiteral("Počítám…"));
    // Every control of the form is its widget, bound.
    QCOMPARE(p.ControlFaults<gui::ShiftMapView>(&p.window(), Dialog::ShiftMap), QStringList());

    QVERIFY(p.WaitForFineMap());
    QApplication::processEvents();
    QCOMPARE(p.window().status()->text(), QString());
    const QRectF plot = p.view().PlotBox();
    QVERIFY(plot.width() > 100 && plot.height() > 100);
    // The map is painted: the plot holds more than one colour.
    const QImage picture = p.view().grab().toImage();
    QSet<QRgb> colours;
    for (int y = static_cast<int>(plot.top()) + 2; y < plot.bottom() - 2; y += 7) {
      for (int x = static_cast<int>(plot.left()) + 2; x < plot.right() - 2; x += 7) {
        colours.insert(picture.pixel(x, y));
      }
    }
    QVERIFY(colours.size() > 5);

    // The mouse over the plot: the status line reads the point's shifts,
    // as a click would type them, and the check there.
    // A whole pixel, as the mouse gives it.
    const QPointF at = p.view().Pixel(0.3, 0.2).toPoint();
    const auto point = p.view().MapPoint(at);
    QVERIFY(point);
    const auto entry = p.form().EntryAt(point->x(), point->y());
    QVERIFY(entry);
    p.Hover(at);
    const QString status = p.window().status()->text();
    QVERIFY2(status.startsWith(QStringLiteral("x1 = %1   x2 = %2")
                                   .arg(entry->x1, 0, 'f', 4)
                                   .arg(entry->x2, 0, 'f', 4)),
             qPrintable(status));
    QCOMPARE(status, QString::fromStdString(p.form().status()));
    // Out of the plot: the line is empty again.
    p.Hover(QPointF(plot.right() + 5, plot.center().y()));
    QCOMPARE(p.window().status()->text(), QString());

    // A click types the shifts into the main dialog and checks the pair.
    QCOMPARE(p.Text("Edit7", Dialog::Main), QStringLiteral("0.000000"));
    p.ClickAt(at);
    QCOMPARE(p.Text("Edit7", Dialog::Main), QString::fromStdString(entry->x1Text));
    QCOMPARE(p.Text("Edit8", Dialog::Main), QString::fromStdString(entry->x2Text));
    QCOMPARE(p.ws().pair().x1, entry->x1);
    QVERIFY(p.messages.isEmpty());
    QVERIFY(p.app.report().isVisible());
    // The map stays, and keeps the focus.
    QVERIFY(!p.form().computing());
    QVERIFY(p.window().isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), &p.view());

    // A range typed into its fields and applied by its button: the map
    // is computed anew over it; the fields show the range mapped.
    QCOMPARE(p.Text("X1Max"), QStringLiteral("%1").arg(p.form().scene()->xMax, 0, 'f', 4));
    p.TypeInto("X1Min", QStringLiteral("-0.2"));
    p.TypeInto("X1Max", QStringLiteral("0.8"));
    p.Click("RangeBtn");
    QVERIFY(p.messages.isEmpty());
    QVERIFY(p.WaitForFineMap());
    QCOMPARE(p.form().scene()->xMin, -0.2);
    QCOMPARE(p.form().scene()->xMax, 0.8);
    QCOMPARE(p.Text("X1Min"), QStringLiteral("-0.2000"));

    // Esc and "&Zpět" hide the window.
    p.view().setFocus();
    QTest::keyClick(&p.view(), Qt::Key_Escape);
    QVERIFY(!p.window().isVisible());
    p.Click(button);
    QVERIFY(p.window().isVisible());
    p.Click("OkBtn");
    QVERIFY(!p.window().isVisible());
  }
};

QTEST_MAIN(ShiftMapWindowTest)
#include "ShiftMapWindowTest.moc"
