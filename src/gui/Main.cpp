// The Qt program: the intro window, then the main dialog; the end of the
// main dialog ends the program.
//
// KOLMIRA_STARTUP_PROBE=1 measures the start: "Ok" is taken at once, and the
// program ends when the main dialog has been shown, printing the resident
// memory at that moment (for the start-up figures, bench/startup.sh) and the
// folder it found the help pages in (for the install test).
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "Application.h"
#include "HelpWindow.h"
#include "MainDialog.h"
#include "Style.h"

namespace {

class ShownProbe : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      QFile status("/proc/self/status");
      if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
          if (line.startsWith("VmRSS:")) std::fprintf(stderr, "%s\n", line.constData());
        }
      }
      const QString help = kolmira::gui::HelpWindow::Folder();
      std::fprintf(stderr, "help: %s\n", help.isEmpty() ? "(none)" : qPrintable(help));
      QTimer::singleShot(0, qApp, &QApplication::quit);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Kolmira ozubení");
  QApplication::setApplicationDisplayName("Kolmira ozubení");
  QApplication::setApplicationVersion(KOLMIRA_VERSION);
  // The installed desktop entry (kolmira.desktop): its name and icon for the
  // program's windows on a Wayland desktop.
  QGuiApplication::setDesktopFileName("kolmira");
  QApplication::setFont(kolmira::gui::DialogFont());
  kolmira::gui::Application program;
  ShownProbe probe;
  if (qEnvironmentVariableIsSet("KOLMIRA_STARTUP_PROBE")) {
    program.main().installEventFilter(&probe);
    program.OpenMain();
  } else {
    program.Start();
  }
  return QApplication::exec();
}
