// Renders every window of the program to PNG files, offscreen:
//
//   kolmira_screenshots DIRECTORY
//
// The main dialog for each gear type on each of its tabs, DMS mode, the
// backlash, shaper cutter and rack tool dialogs, the report of a perfect
// pair and of pairs with many findings (external, internal, bevel). The
// program is driven as a user drives it, through the binder, so the
// pictures show what a user sees. Run it under
// QT_SCALE_FACTOR=2 for the high-resolution set.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>

#include "TypedPair.h"
#include "forms/ScriptedUser.h"
#include "gui/Application.h"
#include "gui/Binder.h"
#include "gui/IntroWindow.h"
#include "gui/MainDialog.h"
#include "gui/ReportWindow.h"
#include "gui/Style.h"

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
  return 0;
}
