// The rack tool dialog in the real program, opened by "Nástroje" of the main
// dialog and driven through its widgets: every control of the form is one
// widget of its kind under its name, nothing lies on anything else, the tool
// addendum rewrites the main dialog's basic rack, a refused field shows one
// message and keeps the focus, and the tooth picture follows the options and
// the values, an impossible tool marked in red.
//
// With KOLMIRA_RENDER_DIR set, the dialog is also saved there as PNG files
// to be looked at: plain tools, chamfer, protuberance, both, an impossible
// tool and the internal pair's dialog.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "GuiProgram.h"
#include "forms/RackToolForm.h"
#include "gui/RackToolDialog.h"

using kolmira::Dialog;
using kolmira::gui::ToolToothPicture;

namespace {

constexpr Dialog kTools = Dialog::RackTools;

// The program with its main dialog open and the tool dialog opened by its
// button, whose controls are looked up when no dialog is named.
struct Program : kolmira::test::Program {
  // `first`: a control of the main dialog clicked before "Nástroje".
  explicit Program(const char* first = nullptr) {
    if (first != nullptr) Click(first);
    Click("ToolsButton");
    home = kTools;
    QVERIFY(Window()->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(Window()));
  }
  // The tooth picture of a tool that shows now; null when none or several.
  ToolToothPicture* ShownPicture(int tool) {
    ToolToothPicture* shown = nullptr;
    for (auto* picture : Window()->findChildren<ToolToothPicture*>()) {
      if (picture->tool() != tool || !picture->isVisible()) continue;
      if (shown != nullptr) return nullptr;
      shown = picture;
    }
    return shown;
  }
  void Render(const char* name) {
    kolmira::test::Render(Window(), QStringLiteral("racktool-%1.png").arg(name));
  }
};

// Every widget shown lies within its parent, and no two shown widgets of
// one parent lie on each other; no text is cut. The push buttons are
// narrower than Qt's least width of a button, and their texts are short.
QStringList LayoutFaults(QWidget* dialog) {
  return kolmira::test::PlacementFaults(dialog) + kolmira::test::ClippedTexts(dialog, false);
}

QImage Picture(ToolToothPicture* picture) {
  return picture->grab().toImage();
}

bool HasRed(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 60 && c.blue() < 60) return true;
    }
  }
  return false;
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

}  // namespace

class RackToolDialogTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyControlOnceInItsKindAndNothingOverlaps() {
    Program p;
    QWidget* dialog = p.Window();
    QCOMPARE(dialog->windowTitle(), QString("Nástroje pro výrobu pastorku a kola"));
    QStringList faults = p.ControlFaults<ToolToothPicture>(dialog, kTools);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QCOMPARE(p.Get<QGroupBox>("GroupBox1")->title(), QString("Nástroj pro pastorek"));
    QCOMPARE(p.Get<QCheckBox>("CheckBox3")->text(), QString("Sražení hlavy kola"));

    // Plain tools, then every option of both tools on: the most that shows.
    faults = LayoutFaults(dialog);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) p.Click(box);
    QVERIFY(p.Field("Edit7")->isVisible() && p.Field("Edit11")->isVisible());
    QVERIFY(p.Get("Label36")->isVisible() && p.Field("Edit12")->isHidden());
    // Each field's caption shows with it.
    int captions = 0;
    for (auto* label : dialog->findChildren<QLabel*>()) {
      if (label->text() == "Velikost protuberance") {
        QVERIFY(label->isVisible());
        ++captions;
      }
    }
    QCOMPARE(captions, 2);
    faults = LayoutFaults(dialog);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QVERIFY(p.messages.isEmpty());
  }

  void anInternalPairHidesTheWheelsToolAndNarrowsTheDialog() {
    Program p("GearInternal");
    QVERIFY(p.Get("GroupBox2")->isHidden());
    QVERIFY(!p.Get("GroupBox1")->isHidden());
    QVERIFY(p.Window()->width() < kolmira::gui::RackToolDialog::kWidth);
    const QStringList faults = LayoutFaults(p.Window());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    p.Render("internal");
  }

  void anglesInDegreesMinutesSecondsFitTheirFields() {
    Program p("Dms");
    for (const char* box : {"CheckBox1", "CheckBox2"}) p.Click(box);
    p.Enter("Edit4", "20.3036", {}, Qt::Key_Return);  // 20° 30' 36"
    QVERIFY(p.messages.isEmpty());
    QCOMPARE(p.Field("Edit4")->text(), QString("20°30' 36.0\""));
    QVERIFY(p.Get("DegreeUnit4")->isHidden());
    const QStringList faults = LayoutFaults(p.Window());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    p.Render("dms");
  }

  void theToolAddendumRewritesTheMatingAddendum() {
    // The pinion's tool cuts the pinion's root as deep as the wheel's
    // addendum and clearance reach: haP2* = 1.3 - 0.25 in "Edit12".
    struct Case {
      const char* toolField;
      const char* mainField;
      const char* otherField;
    };
    for (const Case& c : {Case{"Edit1", "Edit12", "Edit11"}, Case{"Edit8", "Edit11", "Edit12"}}) {
      Program p;
      const QString other = p.Field(c.otherField, Dialog::Main)->text();
      p.Enter(c.toolField, "1.3");
      QVERIFY(p.messages.isEmpty());
      QCOMPARE(p.Field(c.mainField, Dialog::Main)->text().trimmed(), QString("1.0500"));
      QCOMPARE(p.Field(c.otherField, Dialog::Main)->text(), other);
    }
  }

  void aRefusedFieldShowsOneMessageAndKeepsTheFocus() {
    Program p;
    const QString bound =
        "Poměrnou výšku hlavy nástroje pro výrobu pastorku vol v rozsahu od 0 do 2.1579";
    // Left by Tab.
    p.Enter("Edit1", "2.2");
    QCOMPARE(p.messages, QStringList{bound});
    QTRY_COMPARE(p.Focused(), p.Field("Edit1"));
    // By Enter.
    QTest::keyClick(p.Field("Edit1"), Qt::Key_Return);
    QCOMPARE(p.messages.size(), 2);
    QTRY_COMPARE(p.Focused(), p.Field("Edit1"));
    // By the mouse on "OK": the click is swallowed, the dialog stays.
    p.Click("OKBtn");
    QCOMPARE(p.messages.size(), 3);
    QVERIFY(p.Window()->isVisible());
    QTRY_COMPARE(p.Focused(), p.Field("Edit1"));
    // Not a number.
    p.Field("Edit1")->selectAll();
    QTest::keyClicks(p.Field("Edit1"), "1,3");
    QTest::keyClick(p.Field("Edit1"), Qt::Key_Tab);
    QCOMPARE(p.messages.size(), 4);
    QCOMPARE(p.messages.last(), QString("Chyba číselného formátu, opakuj zadání"));
    QTRY_COMPARE(p.Focused(), p.Field("Edit1"));
    // Mended: taken, the focus moves on, no more messages.
    p.Field("Edit1")->selectAll();
    QTest::keyClicks(p.Field("Edit1"), "1.2");
    QTest::keyClick(p.Field("Edit1"), Qt::Key_Tab);
    QCOMPARE(p.messages.size(), 4);
    QCOMPARE(p.Focused(), p.Field("Edit2"));
  }

  void theToothPictureFollowsTheOptionsAndTheValues() {
    Program p;
    for (int tool : {1, 2}) {
      ToolToothPicture* plain = p.ShownPicture(tool);
      QVERIFY(plain != nullptr);
      QVERIFY(!plain->shape().chamfer && !plain->shape().protuberance);
    }
    const QImage before = Picture(p.ShownPicture(1));
    const QImage wheelBefore = Picture(p.ShownPicture(2));
    p.Render("plain");
    p.Click("CheckBox1");
    ToolToothPicture* chamfer = p.ShownPicture(1);
    QVERIFY(chamfer != nullptr && chamfer->shape().chamfer && !chamfer->shape().protuberance);
    const QImage withChamfer = Picture(chamfer);
    QVERIFY(withChamfer != before);
    QCOMPARE(Picture(p.ShownPicture(2)), wheelBefore);  // the other tool is as it was
    p.Render("chamfer");

    // A value taken repaints the picture shown, drawn from the new value.
    PaintCounter paints(chamfer);
    QApplication::processEvents();
    const int painted = paints.count;
    p.Enter("Edit4", "60", {}, Qt::Key_Return);
    QVERIFY(p.messages.isEmpty());
    QTRY_VERIFY(paints.count > painted);
    QVERIFY(Picture(chamfer) != withChamfer);

    p.Click("CheckBox1");
    p.Click("CheckBox2");
    QVERIFY(p.ShownPicture(1)->shape().protuberance && !p.ShownPicture(1)->shape().chamfer);
    QVERIFY(!HasRed(Picture(p.ShownPicture(1))));
    p.Render("protuberance");
    p.Click("CheckBox1");
    QVERIFY(p.ShownPicture(1)->shape().protuberance && p.ShownPicture(1)->shape().chamfer);
    QVERIFY(!HasRed(Picture(p.ShownPicture(1))));
    p.Render("both");
  }

  void anImpossibleToolIsMarkedInItsPicture() {
    // The form refuses each value and the state holds it until it is mended.
    struct Case {
      const char* option;  // clicked first, or null
      const char* field;
      const char* value;
      const char* message;
      const char* mended;
      const char* render;
    };
    const Case cases[] = {
        // The largest protuberance reaches the sharp tip corner: its flank no
        // longer stands out of the main flank.
        {"CheckBox2", "Edit7", "0.171", "Nemožné parametry protuberance", "0.05",
         "impossible-protuberance"},
        // The wheel's tool tooth comes to a point above its tip line.
        {nullptr, "Edit8", "2.2",
         "Poměrnou výšku hlavy nástroje pro výrobu kola vol v rozsahu od 0 do 2.1579", "1.25",
         "impossible-addendum"},
    };
    for (const Case& c : cases) {
      Program p;
      if (c.option != nullptr) p.Click(c.option);
      const int tool = c.field == QString("Edit8") ? 2 : 1;
      QVERIFY(!HasRed(Picture(p.ShownPicture(tool))));
      p.Enter(c.field, c.value);
      QCOMPARE(p.messages, QStringList{c.message});
      QTRY_COMPARE(p.Focused(), p.Field(c.field));
      QVERIFY(HasRed(Picture(p.ShownPicture(tool))));
      QVERIFY(!HasRed(Picture(p.ShownPicture(3 - tool))));
      p.Render(c.render);
      p.Field(c.field)->selectAll();
      QTest::keyClicks(p.Field(c.field), c.mended);
      QTest::keyClick(p.Field(c.field), Qt::Key_Return);
      QCOMPARE(p.messages.size(), 1);
      QTRY_VERIFY(!HasRed(Picture(p.ShownPicture(tool))));
    }
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  RackToolDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "RackToolDialogTest.moc"
