// The measurement and identification tabs in the main dialog, bound to their
// forms: every control of the form is one widget of its kind under its name,
// nothing lies on anything else or outside the page, the numbers fit their
// fields, and the options of one group have a parent of their own. Each page
// is checked for the pairs that change what it shows: external, internal
// (the ring's sketches), a wheel of many teeth (the longest range line), a
// rack, and for the identification a second solution and angles in degrees,
// minutes and seconds.
//
// With KOLMIRA_RENDER_DIR set, the main dialog on the tab is also saved
// there as a PNG file to be looked at, and the page with every widget shown.
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <set>
#include <string>
#include <vector>

#include "GuiProgram.h"
#include "TypedPair.h"
#include "gui/GearPicture.h"
#include "gui/IdentTab.h"
#include "gui/MeasureTab.h"
#include "gui/TabLayout.h"

namespace kolmira::gui {
namespace {

using test::Describe;

// The program with a pair typed and checked, on one of the two tabs.
struct Program : test::Program {
  Program(Dialog which, const char* steps, const char* press = nullptr)
      : test::Program(test::Boxes::Counted) {
    home = which;
    Run([&] { test::TypeAndCheck(ws(), steps); });
    Press(which == Dialog::Measure ? "TabMeasure" : "TabIdent", Dialog::Main);
    if (press != nullptr) Press(press);
    QApplication::processEvents();
  }
  QWidget* page() {
    return home == Dialog::Measure ? static_cast<QWidget*>(app.main().measurePage())
                                   : app.main().identPage();
  }
};

// The horizontal spans of a label's characters that are not blanks, in its
// parent's coordinates; a label in rich text (a symbol with its subscript)
// is ink over its whole width.
std::vector<std::pair<int, int>> Ink(const QLabel* label) {
  if (label->textFormat() == Qt::RichText) return {{label->x(), label->x() + label->width()}};
  const QFontMetrics fm(label->font());
  const QString text = label->text();
  std::vector<std::pair<int, int>> ink;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isSpace()) continue;
    ink.emplace_back(label->x() + fm.horizontalAdvance(text.left(i)),
                     label->x() + fm.horizontalAdvance(text.left(i + 1)));
  }
  return ink;
}

// Two labels may share a place when one is a symbol or subscript set into
// the blanks of the other's line: no character of one lies over a
// character of the other.
bool InkApart(const QLabel* a, const QLabel* b) {
  for (auto [a0, a1] : Ink(a)) {
    for (auto [b0, b1] : Ink(b)) {
      if (a0 < b1 && b0 < a1) return false;
    }
  }
  return true;
}

// Labels set into each other's blanks may share a place.
bool MayShare(QWidget* a, QWidget* b) {
  auto* la = qobject_cast<QLabel*>(a);
  auto* lb = qobject_cast<QLabel*>(b);
  return la != nullptr && lb != nullptr && InkApart(la, lb);
}

// Numbers as wide as the fields of each kind must show: a count of teeth,
// or a length of a large gear.
const std::set<QString> kCountFields = {"Edit26", "Edit28", "Edit38"};
const QString kWidestCount = QStringLiteral("  123");
const QString kWidestNumber = QStringLiteral("  123.45678");

// Every text that does not fit its label, field, option or group.
QStringList ClippedTexts(QWidget* page) {
  QStringList faults;
  for (QWidget* w : page->findChildren<QWidget*>()) {
    const QFontMetrics fm(w->font());
    if (auto* label = qobject_cast<QLabel*>(w)) {
      const int need = label->textFormat() == Qt::RichText ? label->sizeHint().width()
                                                           : fm.horizontalAdvance(label->text());
      if (need > label->width() || fm.height() > label->height() + 1) {
        faults << Describe(w) + " clips its text";
      }
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      // The frame and the margins of the text on both sides.
      const int frame = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
      const int room = edit->width() - 2 * frame - 4;
      const QString widest = kCountFields.count(w->objectName()) ? kWidestCount : kWidestNumber;
      for (const QString& text : {edit->text(), widest}) {
        if (fm.horizontalAdvance(text) > room) faults << Describe(w) + " clips \"" + text + "\"";
      }
    } else if (auto* option = qobject_cast<QRadioButton*>(w)) {
      const QSize need = option->sizeHint();
      if (need.width() > option->width() || need.height() > option->height() + 2) {
        faults << Describe(w) + " clips \"" + option->text() + "\"";
      }
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
      if (fm.horizontalAdvance(group->title()) + 16 > group->width()) {
        faults << Describe(w) + " clips \"" + group->title() + "\"";
      }
    }
  }
  return faults;
}

// The options that exclude each other, by the forms' groups.
const std::vector<std::vector<QString>> kOptionGroups = {
    {"RadioButton6", "RadioButton7", "RadioButton8"},
    {"RadioButton9", "RadioButton10", "RadioButton11"},
    {"RadioGroup1=0", "RadioGroup1=1", "RadioGroup1=2", "RadioGroup1=3"},
    {"RadioGroup2=0", "RadioGroup2=1", "RadioGroup2=2", "RadioGroup2=3"},
    {"RadioGroup3=0", "RadioGroup3=1", "RadioGroup3=2", "RadioGroup3=3"},
};

}  // namespace

class TabsLayoutTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void pages_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("png");
    const int measure = int(Dialog::Measure);
    const int ident = int(Dialog::Ident);
    // The gear type chosen first, as a user does: the sketches are shown.
    QTest::newRow("measure, external pair")
        << measure << "!GearExternal" << QString() << QStringLiteral("measure-external");
    QTest::newRow("measure, internal pair")
        << measure << "!GearInternal" << QString() << QStringLiteral("measure-internal");
    QTest::newRow("measure, wheel of 150 teeth")
        << measure << "!GearExternal z2=150" << QString() << QStringLiteral("measure-150");
    QTest::newRow("measure, rack")
        << measure << "!GearExternal z2=5000" << QString() << QStringLiteral("measure-rack");
    QTest::newRow("ident, external pair")
        << ident << "!GearExternal" << QString() << QStringLiteral("ident-external");
    QTest::newRow("ident, internal pair")
        << ident << "!GearInternal" << QString() << QStringLiteral("ident-internal");
    // The span's profile angle of the pair's own span has a second solution.
    QTest::newRow("ident, a second profile angle")
        << ident << "!GearExternal" << QStringLiteral("RadioGroup2=1")
        << QStringLiteral("ident-solutions");
    QTest::newRow("ident, angles in degrees, minutes and seconds")
        << ident << "!GearExternal !Dms" << QStringLiteral("RadioGroup2=1")
        << QStringLiteral("ident-dms");
  }

  void pages() {
    QFETCH(int, tab);
    QFETCH(QString, steps);
    QFETCH(QString, press);
    QFETCH(QString, png);
    const std::string pressed = press.toStdString();
    Program p(static_cast<Dialog>(tab), steps.toUtf8().constData(),
              press.isEmpty() ? nullptr : pressed.c_str());
    QWidget* page = p.page();
    QCOMPARE(p.app.main().tabs()->currentWidget(), page);
    // The page control gives the page the size it was laid out for.
    QCOMPARE(page->size(), kTabPageSize);
    if (!press.isEmpty()) QVERIFY(p.ws().form(p.home).control("Solution2")->visible);
    test::Render(&p.app.main(), png + ".png");

    // Every control once, of its kind.
    QStringList faults = p.ControlFaults<GearPicture>(page, p.home);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));

    // With the form's texts, every widget shown at once -- as no state
    // shows them -- lies apart from the others and fits its text.
    for (QWidget* w : page->findChildren<QWidget*>()) w->show();
    faults = test::PlacementFaults(page, MayShare);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    faults = ClippedTexts(page);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    test::Render(page, png + "-all.png");
  }

  // The wheel's sketches show a ring for an internal pair; the pinion's,
  // and an external wheel's, an external gear.
  void sketchesFollowThePair() {
    for (const char* steps : {"", "!GearInternal"}) {
      Program p(Dialog::Measure, steps);
      const bool ring = *steps != '\0';
      for (const char* name : {"PictureThickness1", "PictureSpan1", "PictureBall1",
                               "PictureThickness2", "PictureSpan2", "PictureBall2"}) {
        auto* picture = p.page()->findChild<GearPicture*>(name);
        QVERIFY(picture != nullptr);
        QCOMPARE(picture->internal(), ring && QByteArray(name).endsWith('2'));
      }
    }
  }

  // Unbound, one option of a group chosen unchecks the rest of its group
  // and no option of another group: each group has a parent of its own.
  void optionsExcludeOnlyTheirGroup() {
    MeasureTab measure;
    IdentTab ident;
    std::vector<std::vector<QRadioButton*>> groups;
    for (const auto& names : kOptionGroups) {
      std::vector<QRadioButton*> group;
      for (const QString& name : names) {
        auto* option = measure.findChild<QRadioButton*>(name);
        if (option == nullptr) option = ident.findChild<QRadioButton*>(name);
        QVERIFY2(option != nullptr, qPrintable(name));
        group.push_back(option);
      }
      group.front()->setChecked(true);
      groups.push_back(group);
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
      for (QRadioButton* chosen : groups[g]) {
        chosen->setChecked(true);
        for (std::size_t h = 0; h < groups.size(); ++h) {
          for (QRadioButton* option : groups[h]) {
            const bool expected = h == g ? option == chosen : option == groups[h].front();
            QVERIFY2(option->isChecked() == expected,
                     qPrintable(chosen->objectName() + " -> " + option->objectName()));
          }
        }
      }
      groups[g].front()->setChecked(true);
    }
  }
};

}  // namespace kolmira::gui

QTEST_MAIN(kolmira::gui::TabsLayoutTest)
#include "TabsLayoutTest.moc"
