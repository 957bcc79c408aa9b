// Placeholder until the window lands: the Qt front end entry point.
#include <QApplication>

int RunWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  return 0;
}
