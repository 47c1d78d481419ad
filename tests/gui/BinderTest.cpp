// The binding end to end, through real widgets: keys typed into fields,
// focus moved by Tab and by the mouse, buttons clicked. The rules are the
// forms' and are tested there; these tests prove that the windows carry
// them out once and exactly: one message per refusal, the focus back in the
// refused field, the mouse rule, what a gear type hides, the tab captions'
// colours, the help, and numbers with '.' under a decimal-comma locale.
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QWindow>
#include <QtTest>
#include <cstdlib>

#include "GuiProgram.h"
#include "gui/HelpWindow.h"
#include "gui/IntroWindow.h"
#include "gui/ReportWindow.h"

using kolmira::Dialog;
using kolmira::Outcome;

namespace {

// The program, which records its end instead of ending.
struct Program : kolmira::test::Program {
  bool quit = false;
  Program() {
    app.binder().quit = [this] { quit = true; };
  }
};

}  // namespace

class BinderTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The intro window's "Ok" takes Enter (the intro has no form: its keys
  // are its own) and opens the main dialog.
  void enterOnTheIntroOpensTheMainDialog() {
    kolmira::gui::Application app;
    app.Start();
    QVERIFY(QTest::qWaitForWindowExposed(&app.intro()));
    app.intro().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.intro()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(app.main().isVisible());
    QVERIFY(!app.intro().isVisible());
  }

  void typingAndLeavingUpdatesTheOtherFields() {
    Program p;
    p.Enter("Edit2", "30");
    QCOMPARE(p.Focused(), p.Field("Edit3"));
    QCOMPARE(p.Field("Edit18")->text(), QString("32.00000"));
    QCOMPARE(p.Field("Edit9")->text(), QString("35.000000"));
    QVERIFY(p.messages.isEmpty());
  }

  void aRefusalShowsOneMessageAndKeepsTheFocus() {
    Program p;
    p.Enter("Edit1", "abc");
    QCOMPARE(p.messages, QStringList{"Chyba číselného formátu, opakuj zadání"});
    QTRY_COMPARE(p.Focused(), p.Field("Edit1"));
    // By the mouse: one message more, the click on the button swallowed.
    p.Click("ZeroButton");
    QCOMPARE(p.messages.size(), 2);
    QTRY_COMPARE(p.Focused(), p.Field("Edit1"));
    // By Enter: the same.
    QTest::keyClick(p.Field("Edit1"), Qt::Key_Return);
    QCOMPARE(p.messages.size(), 3);
    QTRY_COMPARE(p.Focused(), p.Field("Edit1"));
    // Mended: the field is taken, the focus moves on, no more messages.
    // (The focus comes back with the window's activation, which the
    // platform delivers after the message box has closed.)
    p.Field("Edit1")->selectAll();
    QTest::keyClicks(p.Field("Edit1"), "2");
    QTest::keyClick(p.Field("Edit1"), Qt::Key_Tab);
    QCOMPARE(p.messages.size(), 3);
    QCOMPARE(p.Focused(), p.Field("Edit2"));
    QCOMPARE(p.app.workspace().pair().mn, 2.0);
  }

  void quitWithAnInvalidFieldShowsNoMessage() {
    Program p;
    p.TypeInto("Edit1", "abc");
    p.Click("QuitButton");
    QVERIFY(p.quit);
    QVERIFY(p.messages.isEmpty());
  }

  // A press on a gear type lets a field holding "abc" go unvalidated only
  // while the mouse is down: released off the option, the press is over and
  // the next exit is validated again.
  void aPressReleasedElsewhereEnds() {
    Program p;
    QWidget* option = p.Get("GearBevel");
    QWindow* window = p.app.main().windowHandle();
    QTest::mousePress(window, Qt::LeftButton, {}, option->mapTo(&p.app.main(), QPoint(5, 5)));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(660, 20));
    QApplication::processEvents();
    QVERIFY(!p.Get<QRadioButton>("GearBevel")->isChecked());
    p.Enter("Edit2", "abc");
    QCOMPARE(p.messages.size(), 1);
  }

  // A click on the dialog's free surface accepts the backlash field: the
  // backlash typed opens its dialog.
  void aClickOnTheSurfaceAcceptsTheBacklash() {
    Program p;
    p.TypeInto("Edit21", "0.1");
    QTest::mouseClick(p.app.main().windowHandle(), Qt::LeftButton, {}, QPoint(660, 20));
    QTRY_VERIFY(p.app.binder().window(Dialog::Backlash)->isVisible());
    QVERIFY(p.messages.isEmpty());
  }

  void aGearTypeHidesAndShowsItsControls() {
    Program p;
    QTabWidget* tabs = p.app.main().tabs();
    p.Click("GearBevel");
    QVERIFY(p.Get<QRadioButton>("GearBevel")->isChecked());
    QVERIFY(!p.Get<QRadioButton>("GearExternal")->isChecked());
    QVERIFY(p.Get("GearBevel")->font().bold());
    QVERIFY(!tabs->isTabVisible(1) && !tabs->isTabVisible(2));
    QVERIFY(p.Field("Edit9")->isHidden());
    QVERIFY(!p.Field("Edit20")->isHidden());
    // The module label names the bevel pair's module.
    QVERIFY(!p.app.main().findChild<QLabel*>("ModuleLabel")->isHidden());
    QVERIFY(p.app.main().findChild<QLabel*>("ModuleLabel")->text().startsWith("Čelní modul"));
    p.Click("GearInternal");
    QVERIFY(tabs->isTabVisible(1) && tabs->isTabVisible(2));
    QVERIFY(!p.Get("FellowButton")->isHidden());
    QVERIFY(p.Field("Edit20")->isHidden());
    QCOMPARE(p.Field("Edit3")->text(), QString("-80.0"));
    QVERIFY(p.messages.isEmpty());
  }

  void theTabCaptionsTakeTheGearTypesColour() {
    Program p;
    QTabBar* bar = p.app.main().tabs()->tabBar();
    auto has = [bar](QColor colour) {
      const QImage image = bar->grab().toImage();
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          if (image.pixelColor(x, y) == colour) return true;
        }
      }
      return false;
    };
    QVERIFY(has(QColor(255, 0, 0)));
    p.Click("GearInternal");
    QVERIFY(has(QColor(0, 0, 255)) && !has(QColor(255, 0, 0)));
    p.Click("GearBevel");
    QVERIFY(has(QColor(128, 0, 128)) && !has(QColor(0, 0, 255)));
  }

  void theCheckShowsTheReportSizedToItsLines() {
    Program p;
    // A faultless pair.
    for (const auto& [field, text] : {std::pair{"Edit2", "30"}, std::pair{"Edit3", "60"}}) {
      p.Enter(field, text);
    }
    p.Click("BalanceButton");
    p.Click("CheckButton");
    QWidget& report = p.app.report();
    QVERIFY(report.isVisible());
    QCOMPARE(report.height(), 15 + 95);
    QCOMPARE(report.windowTitle(), QString("Výsledky geometrické kontroly soukolí"));
    // While it shows, an accepted input re-runs the check and the window
    // follows; "&Zpět" hides it.
    p.Enter("Edit7", "1.5");
    QVERIFY(report.isVisible());
    QVERIFY(report.height() > 15 + 95);
    p.Click("OkBtn", Dialog::Report);
    QVERIFY(!report.isVisible());
    // Closed by its frame, it closes as "&Zpět" closes it: the next accepted
    // input does not bring it back.
    p.Click("CheckButton");
    QVERIFY(report.isVisible());
    report.close();
    QVERIFY(!report.isVisible());
    QVERIFY(!p.app.workspace().main().resultsVisible());
  }

  void numbersKeepTheirPointUnderACommaLocale() {
    // main() set LC_ALL=cs_CZ.UTF-8 before QApplication took the locale.
    Program p;
    p.Enter("Edit1", "2.5");
    QVERIFY(p.messages.isEmpty());
    QCOMPARE(p.Field("Edit18")->text(), QString("55.00000"));
    p.Enter("Edit5", "1,5");
    QCOMPARE(p.messages, QStringList{"Chyba číselného formátu, opakuj zadání."});
  }

  // "&Uložit vstupy" and "&Načíst vstupy" with the file chooser answered by
  // the test: every input comes back (the pair saved again writes the same
  // file), and the captions carry the file.
  void saveThenLoadRestoresEveryInput() {
    QTemporaryDir dir;
    QString file = dir.filePath("pair.dat");
    auto contents = [](const QString& path) {
      QFile f(path);
      return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    {
      Program p;
      p.app.binder().chooseFile = [&](Outcome::File) { return file; };
      for (const auto& [field, text] : {std::pair{"Edit1", "2.5"},
                                        {"Edit2", "23"},
                                        {"Edit3", "61"},
                                        {"Edit4", "12.5"},
                                        {"Edit5", "30"},
                                        {"Edit7", "0.3"},
                                        {"Edit8", "0.1"},
                                        {"Edit13", "0.3"}}) {
        p.Enter(field, text);
      }
      QVERIFY(p.messages.isEmpty());
      p.Click("SaveButton");
    }
    const QByteArray saved = contents(file);
    QVERIFY(saved.contains("2.5"));
    Program p;
    p.app.binder().chooseFile = [&](Outcome::File) { return file; };
    p.Click("LoadButton");
    QVERIFY(p.messages.isEmpty());
    QCOMPARE(p.Field("Edit2")->text(), QString("23.0"));
    QVERIFY(p.app.main().windowTitle().endsWith(file));
    file = dir.filePath("again.dat");
    p.Click("SaveButton");
    QCOMPARE(contents(file), saved);
  }

  // A file that is not an input file: its message, and the pair as it was.
  void aBadFileLeavesThePairAsItWas() {
    QTemporaryDir dir;
    const QString file = dir.filePath("bad.dat");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("nonsense\n");
    f.close();
    Program p;
    p.Enter("Edit2", "23");
    const QString title = p.app.main().windowTitle();
    p.app.binder().chooseFile = [&](Outcome::File) { return file; };
    p.Click("LoadButton");
    QCOMPARE(p.messages.size(), 1);
    QCOMPARE(p.Field("Edit2")->text(), QString("23"));
    QCOMPARE(p.app.workspace().pair().z1, 23.0);
    QCOMPARE(p.app.main().windowTitle(), title);
    // A cancelled choice does nothing.
    p.app.binder().chooseFile = [](Outcome::File) { return QString(); };
    p.Click("LoadButton");
    QCOMPARE(p.messages.size(), 1);
  }

  void f1OpensTheFieldsHelpOrSaysItIsMissing() {
    QTemporaryDir pages;
    for (const char* name : {"index.html", "context-2.html"}) {
      QFile f(pages.filePath(name));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("<html><body>Kolmira</body></html>");
    }
    qputenv("KOLMIRA_HELP_DIR", pages.path().toUtf8());
    {
      Program p;
      p.Click(p.Field("Edit1"));
      // Help opens when F1 comes up.
      QTest::keyPress(p.Field("Edit1"), Qt::Key_F1);
      QVERIFY(!p.app.help().isVisible());
      QTest::keyRelease(p.Field("Edit1"), Qt::Key_F1);
      QVERIFY(p.app.help().isVisible());
      QCOMPARE(p.app.help().page(), QString("context-2.html"));
      QVERIFY(p.messages.isEmpty());
    }
    qputenv("KOLMIRA_HELP_DIR", QByteArray("/nonexistent"));
    {
      Program p;
      p.Click(p.Field("Edit1"));
      QTest::keyClick(p.Field("Edit1"), Qt::Key_F1);
      QCOMPARE(p.messages, QStringList{"Help nenalezen."});
      QTRY_COMPARE(p.Focused(), p.Field("Edit1"));
    }
    qunsetenv("KOLMIRA_HELP_DIR");
  }
};

int main(int argc, char** argv) {
  setenv("LC_ALL", "cs_CZ.UTF-8", 1);
  QApplication app(argc, argv);
  BinderTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "BinderTest.moc"
