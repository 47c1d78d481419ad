// The program's windows and their binding to one Workspace, created once in
// the program's order: the intro window, the main dialog, the results
// report, the dimension table, the shift map, the shaper cutter, backlash
// and rack tool dialogs. The program's entry, the tests and the screenshots all build it.
#pragma once

#include <QObject>
#include <memory>

#include "forms/Workspace.h"

namespace kolmira::gui {

class Binder;
class HelpWindow;
class IntroWindow;
class MainDialog;
class Printing;
class ReportWindow;
class ShiftMapWindow;
class TableWindow;

class Application : public QObject {
  Q_OBJECT

 public:
  Application();
  ~Application() override;

  Workspace& workspace() { return ws_; }
  Binder& binder() { return *binder_; }
  IntroWindow& intro() { return *intro_; }
  MainDialog& main() { return *main_; }
  ReportWindow& report() { return *report_; }
  TableWindow& table() { return *table_; }
  ShiftMapWindow& shiftMap() { return *shiftMap_; }
  // The table window's printouts; tests answer its dialogs.
  Printing& printing() { return *printing_; }
  HelpWindow& help() { return *help_; }

  // The intro window; its "Ok" opens the main dialog, whose end ends the
  // program.
  void Start();
  // What "Ok" of the intro window does.
  void OpenMain();

 private:
  Workspace ws_;
  std::unique_ptr<IntroWindow> intro_;
  std::unique_ptr<MainDialog> main_;
  ReportWindow* report_ = nullptr;
  TableWindow* table_ = nullptr;
  ShiftMapWindow* shiftMap_ = nullptr;
  std::unique_ptr<Printing> printing_;
  HelpWindow* help_ = nullptr;
  std::unique_ptr<Binder> binder_;
};

}  // namespace kolmira::gui
