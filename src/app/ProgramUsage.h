// ProgramUsage: what `pivraf --help` and `pivraf --version` print, and the
// test made before the window starts whether there is a display to show it on.
//
// None of it needs Qt or a display: the texts are built from the program's
// version and the settings file's path, and the display test reads only the
// command line and the environment (through a getter, so a test can give
// its own). Qt's own start-up aborts without a display; this test lets the
// program say so in one line instead.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace program_usage {

inline constexpr const char* kNoDisplayMessage = "no graphical display; use --batch for headless work";

// The usage: the forms of the command line, the switches and where the
// settings file is.
std::string UsageText(const std::string& settingsPath);
// "PivraF 8.3".
std::string VersionText();

// The environment as the display test reads it: a variable's value, or
// nullptr when it is not set.
using Environment = std::function<const char*(const char*)>;

// True when Qt can show a window: a platform that needs no display server is
// forced ("-platform NAME" on the command line, else QT_QPA_PLATFORM: a list
// separated by ";", each NAME maybe followed by ":options"), or the display
// server the platform needs is named (DISPLAY for xcb, WAYLAND_DISPLAY for
// wayland, either when no platform is forced). A platform this test does not
// know is left to Qt.
bool CanShowWindow(const std::vector<std::string>& args, const Environment& env);

}  // namespace program_usage
