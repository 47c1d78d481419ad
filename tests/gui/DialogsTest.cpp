// The backlash and shaper cutter dialogs in the running program: every
// control of their forms is one widget of its kind, nothing lies on
// anything else or outside its dialog; a backlash typed into the main
// dialog opens the backlash dialog modal and what it makes comes back into
// the main dialog; a refused field shows one message and keeps the focus;
// the cutter dialog opens beside the main dialog, not modal, and follows
// what is typed into it.
//
// With KOLMIRA_RENDER_DIR set, each dialog in each state is saved there as
// a PNG file to be looked at, and once more with every widget shown.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "GuiProgram.h"
#include "forms/ScriptedUser.h"
#include "gui/BacklashDialog.h"

namespace kolmira::gui {

using test::Program;
using test::Render;

class DialogsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyControlOnceAndApart_data() {
    QTest::addColumn<int>("dialog");
    // "Form:control" pressed, "Form:field=text" typed and left.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("png");
    const int vule = int(Dialog::Backlash);
    const int fellow = int(Dialog::ShaperCutter);
    const QString open = QStringLiteral("Main:Edit21=0.1");
    QTest::newRow("backlash, direct entry") << vule << QStringList{open} << "backlash-direct";
    QTest::newRow("backlash, reground involute")
        << vule << QStringList{open, "Vule:prebrousenim"} << "backlash-grinding";
    QTest::newRow("backlash, extra shift")
        << vule << QStringList{open, "Vule:korekci"} << "backlash-shift";
    QTest::newRow("backlash, moved apart")
        << vule << QStringList{open, "Vule:odsunutim"} << "backlash-apart";
    QTest::newRow("backlash, rack moved apart")
        << vule << QStringList{"Main:Edit3=5000", open, "Vule:odsunutim"} << "backlash-rack";
    const QStringList cutter = {"Main:GearInternal", "Main:FellowButton"};
    QTest::newRow("cutter") << fellow << cutter << "cutter";
    QTest::newRow("cutter, angles in DMS")
        << fellow << cutter + QStringList{"Main:Dms"} << "cutter-dms";
  }

  void everyControlOnceAndApart() {
    QFETCH(int, dialog);
    QFETCH(QStringList, steps);
    QFETCH(QString, png);
    const auto d = static_cast<Dialog>(dialog);
    Program p;
    Workspace& ws = p.app.workspace();
    for (const QString& step : steps) {
      const Dialog in = *ws.DialogNamed(step.section(':', 0, 0).toStdString());
      const std::string control = step.section(':', 1).section('=', 0, 0).toStdString();
      const std::string text = step.section('=', 1).toStdString();
      p.Run([&] {
        ScriptedUser user(ws);
        QVERIFY(step.contains('=') ? user.Enter(in, control, text) : user.Press(in, control));
      });
    }
    QWidget* window = p.Window(d);
    QVERIFY(window->isVisible());
    QVERIFY(p.messages.isEmpty());
    QApplication::processEvents();
    Render(window, png + ".png");

    QStringList faults = p.ControlFaults<TechnologyPicture>(window, d);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));

    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!w->isWindow()) w->show();
    }
    faults = test::PlacementFaults(window) + test::ClippedTexts(window);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    Render(window, png + "-all.png");
  }

  // The mode chosen by its option, a field typed and left by Enter, "Ok"
  // (by Enter, too, when Enter took the focus to it): the dialog's results
  // stand in the main dialog's fields.
  void theBacklashDialogWritesBackIntoTheMainDialog_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QStringList>("shown");  // "Edit=text" in the main dialog
    QTest::addColumn<QString>("mainFocus");
    // x1 + x2 = 0 - 0.1 / (2 sin 20 deg) at constant centre distance; the
    // sum is divided next.
    QTest::newRow("extra profile shift")
        << "RadioButton2"
        << "Edit3"
        << "0.1"
        << "OkButton" << QStringList{"Edit6=-0.146190", "Edit9=30.000000", "Edit21=0.100"}
        << "DistributeButton";
    // The centre distance typed is the main dialog's; the shifts stay.
    QTest::newRow("gears moved apart")
        << "RadioButton3"
        << "Edit1"
        << "30.1"
        << "Edit3" << QStringList{"Edit6=0.000000", "Edit9=30.100000"} << "Edit7";
  }

  void theBacklashDialogWritesBackIntoTheMainDialog() {
    QFETCH(QString, mode);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, next);
    QFETCH(QStringList, shown);
    QFETCH(QString, mainFocus);
    constexpr Dialog kVule = Dialog::Backlash;
    Program p;
    p.Enter("Edit21", "0.1");
    QWidget* dialog = p.Window(kVule);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
    QCOMPARE(p.Text("Edit3", kVule), QString("0.100"));
    QTRY_COMPARE(p.Focused(), p.Get("Edit3", kVule));

    // The technology shows its picture.
    QVERIFY(!p.Get("Image1", kVule)->isHidden() && p.Get("Image2", kVule)->isHidden());
    p.Click("RadioButton8", kVule);
    QVERIFY(p.Get<QRadioButton>("RadioButton8", kVule)->isChecked());
    QVERIFY(!p.Get<QRadioButton>("RadioButton7", kVule)->isChecked());
    QVERIFY(p.Get("Image1", kVule)->isHidden() && !p.Get("Image2", kVule)->isHidden());
    QCOMPARE(p.Get<TechnologyPicture>("Image2", kVule)->tool(), TechnologyPicture::Tool::Grinding);
    QVERIFY(p.app.workspace().pair().thinByGrinding);

    // Another mode hides the options of direct entry and undoes the backlash.
    p.Click(mode.toUtf8().constData(), kVule);
    QVERIFY(p.Get<QRadioButton>(mode.toUtf8().constData(), kVule)->isChecked());
    QVERIFY(!p.Get<QRadioButton>("RadioButton1", kVule)->isChecked());
    QVERIFY(p.Get("GroupBox1", kVule)->isHidden() && p.Get("Image2", kVule)->isHidden());
    QCOMPARE(p.Text("Edit3", kVule), QString("0.000"));
    p.Enter(field.toUtf8().constData(), typed, kVule, Qt::Key_Return);
    QCOMPARE(p.Focused(), p.Get(next.toUtf8().constData(), kVule));
    // The backlash the dialog shows is the main dialog's.
    QVERIFY(p.Text("Edit3", kVule) != "0.000");
    QCOMPARE(p.Text("Edit21"), p.Text("Edit3", kVule));

    // "Ok" by Enter when it has the focus, else by the mouse.
    if (p.Focused() == p.Get("OkButton", kVule)) {
      QTest::keyClick(p.Focused(), Qt::Key_Return);
    } else {
      p.Click("OkButton", kVule);
    }
    QVERIFY(!dialog->isVisible());
    for (const QString& s : shown) {
      const QByteArray name = s.section('=', 0, 0).toUtf8();
      QCOMPARE(p.Text(name.constData()), s.section('=', 1));
    }
    QTRY_COMPARE(p.Focused(), p.Get(mainFocus.toUtf8().constData()));
    QVERIFY(p.messages.isEmpty());
  }

  // Left by Tab, then by a click on another control: one message each, the
  // click swallowed, the focus back in the field.
  void aRefusedFieldShowsOneMessage_data() {
    QTest::addColumn<int>("dialog");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("clicked");
    const int vule = int(Dialog::Backlash);
    const int fellow = int(Dialog::ShaperCutter);
    QTest::newRow("backlash, not a number") << vule << "Edit3"
                                            << "abc"
                                            << "Chyba číselného formátu, opakuj zadání."
                                            << "RadioButton3";
    QTest::newRow("backlash above the module") << vule << "Edit3"
                                               << "2"
                                               << "Boční vůle musí být menší než velikost modulu."
                                               << "RadioButton6";
    QTest::newRow("cutter, too few teeth") << fellow << "Edit1"
                                           << "3"
                                           << "Počet zubů nástroje Fellow vol větší než 3"
                                           << "CheckBox1";
    QTest::newRow("cutter, decimal comma") << fellow << "Edit2"
                                           << "1,5"
                                           << "Chyba číselného formátu, opakuj zadání"
                                           << "CheckBox2";
  }

  void aRefusedFieldShowsOneMessage() {
    QFETCH(int, dialog);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, clicked);
    const auto d = static_cast<Dialog>(dialog);
    const QByteArray name = field.toUtf8();
    const QByteArray other = clicked.toUtf8();
    Program p;
    if (d == Dialog::Backlash) {
      p.Enter("Edit21", "0.1");
    } else {
      p.Click("GearInternal");
      p.Click("FellowButton");
    }
    QVERIFY(p.Window(d)->isVisible());
    QVERIFY(p.messages.isEmpty());
    p.Enter(name.constData(), typed, d);
    QCOMPARE(p.messages, QStringList{message});
    QTRY_COMPARE(p.Focused(), p.Get(name.constData(), d));
    p.Click(other.constData(), d);
    QCOMPARE(p.messages, QStringList({message, message}));
    QTRY_COMPARE(p.Focused(), p.Get(name.constData(), d));
    QVERIFY(!p.Get<QAbstractButton>(other.constData(), d)->isChecked());
    QCOMPARE(p.Text(name.constData(), d), typed);
  }

  // Opened by "Fellow" beside the main dialog, which stays usable; the
  // read-outs follow the cutter typed and the options clicked.
  void theCutterDialogIsNotModalAndFollowsTheCutter() {
    constexpr Dialog kFellow = Dialog::ShaperCutter;
    Program p;
    p.Click("GearInternal");
    p.Click("FellowButton");
    QWidget* dialog = p.Window(kFellow);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowModality(), Qt::NonModal);
    QTRY_COMPARE(p.Focused(), p.Get("Edit1", kFellow));
    // 35 teeth: da0 = 2 mn (z0 / 2 + x0 + haP* + cP*) = 35 + 2.5.
    QCOMPARE(p.Text("LabelDa0", kFellow), QString("37.50"));

    p.Enter("Edit1", "40", kFellow);
    QCOMPARE(p.Text("Edit1", kFellow), QString("40"));
    QCOMPARE(p.Text("LabelDa0", kFellow), QString("42.50"));
    QVERIFY(p.messages.isEmpty());

    // The involute down to the base circle: db0 = 40 cos 20 deg = 37.588.
    p.Click("CheckBox1", kFellow);
    QVERIFY(p.Get<QCheckBox>("CheckBox1", kFellow)->isChecked());
    QCOMPARE(p.Text("LabelDL0", kFellow), QString("37.59"));
    QCOMPARE(p.Text("LabelAlphaL0", kFellow), QString("0.000"));
    QVERIFY(p.Get<QLineEdit>("Edit3", kFellow)->isReadOnly());

    // The main dialog takes input while the cutter dialog stays open, and
    // the cutter's angle follows its choice of degrees.
    QVERIFY(!p.Get("LabelAlphaL0Unit", kFellow)->isHidden());
    p.Click("Dms");
    QVERIFY(p.Get<QRadioButton>("Dms")->isChecked());
    QVERIFY(dialog->isVisible());
    QVERIFY(p.Get("LabelAlphaL0Unit", kFellow)->isHidden());
    QCOMPARE(p.Text("LabelAlphaL0", kFellow), QString("0° 0'"));
  }
};

}  // namespace kolmira::gui

QTEST_MAIN(kolmira::gui::DialogsTest)
#include "DialogsTest.moc"
