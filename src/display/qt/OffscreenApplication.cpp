#include "display/qt/OffscreenApplication.h"

#include <QApplication>
#include <cstdio>

#include "display/qt/DisplayFont.h"

namespace offscreen_application {

void Ensure() {
  if (QCoreApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // What the batch run prints is its own; Qt's notes about the environment
  // (no runtime folder, no display) are left out, its errors are not.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
  });
  static int argc = 1;
  static char name[] = "pivraf";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  static_cast<void>(app);
  display_font::RegisterSubstitutions();
}

}  // namespace offscreen_application
