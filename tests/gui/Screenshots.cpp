// Renders every window of the program to PNG files, offscreen:
//
//   kolmira_screenshots DIRECTORY
//
// The main dialog for each gear type on each of its tabs, DMS mode, the
// backlash, shaper cutter and rack tool dialogs, the report of a perfect
// pair and of pairs with many findings (external, internal, bevel), the
// dimension table of an external, internal, rack and bevel pair in decimal
// degrees and in degrees-minutes-seconds, scrolled to its top and to its
// end, and its printed pages: on an A4 sheet at 150 dpi, as bitmaps and as
// PDF files (with the short print). The program is driven as a user drives
// it, through the binder, so the pictures show what a user sees. Run it
// under QT_SCALE_FACTOR=2 for the high-resolution set.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QScrollBar>
#include <QTabWidget>
#include <cstdio>

#include "TypedPair.h"
#include "forms/ScriptedUser.h"
#include "forms/TableForm.h"
#include "gui/Application.h"
#include "gui/Binder.h"
#include "gui/IntroWindow.h"
#include "gui/MainDialog.h"
#include "gui/Printing.h"
#include "gui/ReportWindow.h"
#include "gui/ShiftMapWindow.h"
#include "gui/Style.h"
#include "gui/TablePainter.h"
#include "gui/TableWindow.h"

namespace {

using kolmira::Dialog;

void Save(QWidget& w, const QString& directory, const char* name) {
  QApplication::processEvents();
  const QString file = directory + "/" + name + ".png";
  if (!w.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
  std::printf("%s\n", qPrintable(file));
}

// A fresh program with the main dialog open, the pair typed and checked as
// TypeAndCheck does, through the binder.
struct Shot {
  kolmira::gui::Application app;
  Shot() {
    app.binder().showMessage = [](const kolmira::Outcome& o) {
      std::printf("  message: %s\n", o.message.text.c_str());
    };
    app.OpenMain();
  }
  void Check(const char* steps) {
    app.binder().Run([&] { kolmira::test::TypeAndCheck(app.workspace(), steps); });
  }
  void Press(Dialog d, const char* control) {
    app.binder().Run([&] { app.workspace().Press(d, control); });
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setFont(kolmira::gui::DialogFont());
  if (argc < 2) {
    std::fprintf(stderr, "usage: kolmira_screenshots DIRECTORY\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);

  {
    Shot s;
    Save(s.app.intro(), dir, "intro");
  }
  struct Type {
    const char* option;
    const char* name;
  };
  const char* tabs[] = {"TabInputs", "TabMeasure", "TabIdent"};
  const char* tabNames[] = {"inputs", "measure", "ident"};
  for (const Type& t : {Type{"GearExternal", "external"}, Type{"GearInternal", "internal"},
                        Type{"GearBevel", "bevel"}}) {
    for (int tab = 0; tab < 3; ++tab) {
      Shot s;
      s.Press(Dialog::Main, t.option);
      s.Press(Dialog::Main, "kontrola");
      s.Press(Dialog::Report, "OkBtn");
      s.Press(Dialog::Main, tabs[tab]);
      const std::string name = std::string("main-") + t.name + "-" + tabNames[tab];
      Save(s.app.main(), dir, name.c_str());
    }
  }
  {
    Shot s;
    s.Check("betaDeg=12.5 x1=0.3 x2=0.1");
    s.Press(Dialog::Main, "dms");
    Save(s.app.main(), dir, "main-dms");
  }
  // The backlash dialog in each of its modes, and the shaper cutter.
  for (const auto& [name, mode] :
       {std::pair{"dialog-backlash-direct", ""}, std::pair{"dialog-backlash-shift", "RadioButton2"},
        std::pair{"dialog-backlash-apart", "RadioButton3"}}) {
    Shot s;
    s.app.binder().Run(
        [&] { kolmira::ScriptedUser(s.app.workspace()).Enter(Dialog::Main, "Edit21", "0.1"); });
    if (*mode != '\0') s.Press(Dialog::Backlash, mode);
    Save(*s.app.binder().window(Dialog::Backlash), dir, name);
  }
  {
    Shot s;
    s.Press(Dialog::Main, "GearInternal");
    s.Press(Dialog::Main, "FellowButton");
    Save(*s.app.binder().window(Dialog::ShaperCutter), dir, "dialog-shaper-cutter");
  }
  // The rack tool dialog with plain tools, and with both options of both
  // tools.
  for (const auto& [name, options] :
       {std::pair{"dialog-rack-tools", false}, std::pair{"dialog-rack-tools-options", true}}) {
    Shot s;
    s.Press(Dialog::Main, "ToolsButton");
    if (options) {
      for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) {
        s.Press(Dialog::RackTools, box);
      }
    }
    Save(*s.app.binder().window(Dialog::RackTools), dir, name);
  }
  struct Report {
    const char* name;
    const char* steps;
  };
  for (const Report& r :
       {Report{"report-perfect", "z1=30 z2=60 !skluzy"},
        Report{"report-external", "z1=12 z2=13 haP1Star=1.3 haP2Star=1.3 cP1Star=0.1 cP2Star=0.1"},
        Report{"report-internal", "!GearInternal z1=20 z2=-26 x2=-0.5"},
        Report{"report-bevel", "!GearBevel z1=10 z2=11 haP1Star=1.3 haP2Star=1.3"}}) {
    Shot s;
    s.Check(r.steps);
    Save(s.app.report(), dir, r.name);
  }
  // The shift map, opened from the report as a user opens it, once the
  // fine map has arrived.
  struct Map {
    const char* name;
    const char* steps;
    bool chamfered;
  };
  for (const Map& m : {Map{"map-external", "mn=3 z1=20 z2=40", false},
                       Map{"map-helical-chamfered", "mn=2 z1=23 z2=61 betaDeg=18", true},
                       Map{"map-internal", "!GearInternal z1=20 z2=-60", false},
                       Map{"map-bevel", "!GearBevel z1=15 z2=32", false}}) {
    Shot s;
    if (m.chamfered) {
      s.Press(Dialog::Main, "ToolsButton");
      s.Press(Dialog::RackTools, "CheckBox1");
      s.Press(Dialog::RackTools, "CheckBox3");
      s.Press(Dialog::RackTools, "OKBtn");
    }
    s.Check(m.steps);
    s.Press(Dialog::Report, "Button3");
    kolmira::gui::ShiftMapWindow& map = s.app.shiftMap();
    QElapsedTimer waited;
    waited.start();
    while (s.app.workspace().shiftMap().computing() && waited.elapsed() < 300000) {
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    // The window's last poll takes the fine map.
    for (QElapsedTimer settle; !settle.isValid() || settle.elapsed() < 200;) {
      if (!settle.isValid()) settle.start();
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    // The mouse over the plot's middle: the status line reads it.
    const QPointF middle = map.view()->PlotBox().center();
    QMouseEvent move(QEvent::MouseMove, middle, map.view()->mapToGlobal(middle), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(map.view(), &move);
    Save(map, dir, m.name);
  }
  struct Table {
    const char* name;
    const char* steps;
  };
  for (const Table& t :
       {Table{"external", "betaDeg=12.5 x1=0.3 x2=0.1"}, Table{"internal", "!GearInternal"},
        Table{"rack", "z2=5000 x1=0.2"}, Table{"bevel", "!GearBevel"}}) {
    for (const bool dms : {false, true}) {
      Shot s;
      if (dms) s.Press(Dialog::Main, "dms");
      s.Check(t.steps);
      s.Press(Dialog::Report, "Button1");
      kolmira::gui::TableWindow& table = s.app.table();
      const std::string name = std::string("table-") + t.name + (dms ? "-dms" : "");
      Save(table, dir, name.c_str());
      table.grid()->verticalScrollBar()->setValue(table.grid()->verticalScrollBar()->maximum());
      Save(table, dir, (name + "-end").c_str());
      if (dms) continue;

      // The printed pages: an A4 sheet at 150 dpi with the pages stretched
      // into their places, and the bitmaps of printing to file.
      kolmira::Workspace& ws = s.app.workspace();
      ws.pair().tablePrinting = true;
      const std::string title = ws.table().table().BeginPrintTitle(ws.main().tableCaption());
      const kolmira::gui::TablePainter painter(ws.table().table(), ws.pair());
      const auto pages = kolmira::TablePrintPages(ws.pair().gearType,
                                                  kolmira::TableImageHeight(painter.rowCount()));
      for (std::size_t i = 0; i < pages.size(); ++i) {
        QImage sheet(1240, 1754, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        p.setRenderHint(QPainter::Antialiasing);
        kolmira::gui::PaintTableSheet(p, painter, pages[i], sheet.size());
        p.end();
        const QString file = QString("%1/print-%2-page%3.png").arg(dir, t.name).arg(i + 1);
        sheet.save(file);
        std::printf("%s\n", qPrintable(file));
      }
      const std::vector<QImage> bitmaps =
          kolmira::gui::TablePageImages(painter, ws.pair().gearType);
      for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        const QString file = QString("%1/bitmap-%2-page%3.png").arg(dir, t.name).arg(i + 1);
        kolmira::gui::Monochrome(bitmaps[i]).save(file);
        std::printf("%s\n", qPrintable(file));
      }
      ws.pair().tablePrinting = false;
      ws.table().table().SetStored(0, 0, title);

      // The same through the window's buttons into PDF files.
      const auto pdf = [&](const QString& file) {
        return [file](QPrinter& printer) {
          printer.setOutputFormat(QPrinter::PdfFormat);
          printer.setOutputFileName(file);
          return true;
        };
      };
      s.app.printing().choosePrinter = pdf(QString("%1/print-%2.pdf").arg(dir, t.name));
      s.app.printing().chooseShortPrinter = pdf(QString("%1/short-%2.pdf").arg(dir, t.name));
      s.Press(Dialog::Table, "Tisk");
      s.Press(Dialog::Table, "Button1");
    }
  }
  return 0;
}
