// Entry of the Qt program. The windows come with a later step of the
// project; until then the program says so and points to the CLI.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("Kolmira ozubení");
  std::puts(
      "Kolmira: the windows are not built yet; the command-line program kolmira-cli "
      "computes and checks a gear pair (see README.md).");
  return 0;
}
