// The Qt program: the intro window, then the main dialog; the end of the
// main dialog ends the program.
#include <QApplication>

#include "Application.h"
#include "Style.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Kolmira ozubení");
  QApplication::setApplicationDisplayName("Kolmira ozubení");
  QApplication::setApplicationVersion(KOLMIRA_VERSION);
  QApplication::setFont(kolmira::gui::DialogFont());
  kolmira::gui::Application program;
  program.Start();
  return QApplication::exec();
}
