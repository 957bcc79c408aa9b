// OffscreenApplication: the application object of a batch run, which has no
// window on screen.
//
// Qt measures fonts, draws PDF pages and paints the main window offscreen
// under one QApplication (widgets need it, not just a QGuiApplication), made
// the first time a batch run needs Qt and kept to the end of the process,
// with the Japanese face substitutions of the display fonts registered.
#pragma once

namespace offscreen_application {

// Makes the application object unless one exists already.
void Ensure();

}  // namespace offscreen_application
