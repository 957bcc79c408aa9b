#include "app/ProgramUsage.h"

#include <sstream>
#include <string_view>

#include "app/WindowCommands.h"

namespace program_usage {

namespace {

bool IsSet(const Environment& env, const char* name) {
  const char* value = env(name);
  return value != nullptr && *value != '\0';
}

// One platform NAME[:options] of the forced list.
bool PlatformCanShow(std::string_view platform, const Environment& env) {
  const std::string_view name = platform.substr(0, platform.find(':'));
  for (const std::string_view headless : {"offscreen", "minimal", "minimalegl", "vnc", "linuxfb", "eglfs", "vkkhrdisplay"})
    if (name == headless) return true;
  if (name == "xcb") return IsSet(env, "DISPLAY");
  if (name.starts_with("wayland")) return IsSet(env, "WAYLAND_DISPLAY");
  return !name.empty();
}

}  // namespace

std::string UsageText(const std::string& settingsPath) {
  std::ostringstream out;
  out << "usage: pivraf [-w0 | -w1] [-m0] [--] [FILE]\n"
         "       pivraf --batch SCRIPT [FILE]\n"
         "       pivraf --batch --list-commands\n"
         "       pivraf --help | --version\n"
         "\n"
         "Opens FILE (CP932 or UTF-8 text; a .pvl file in table mode) in a window,\n"
         "or an untitled document when no FILE is named.\n"
         "\n"
         "  -w0              a bare window: no menu bar, tool bar or status bar\n"
         "  -w1              placed below and right of the window that started it\n"
         "  -m0              no line numbers\n"
         "  --               ends the switches, so FILE may start with \"-\"\n"
         "  --batch          runs SCRIPT against FILE without a window or a display\n"
         "                   and prints what it does (see README.md, \"Batch mode\")\n"
         "  --list-commands  with --batch: every command's id, name, caption and state\n"
         "  --help           prints this text\n"
         "  --version        prints the version\n"
         "\n"
         "Settings file: "
      << settingsPath
      << "\n"
         "(the environment variable PIVRA_CONFIG names another file)\n";
  return out.str();
}

// The version number 8300 is 8.3.
std::string VersionText() {
  const int number = std::stoi(window_commands::kVersion);
  return "PivraF " + std::to_string(number / 1000) + "." + std::to_string(number % 1000 / 100);
}

bool CanShowWindow(const std::vector<std::string>& args, const Environment& env) {
  std::string forced;
  for (std::size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == "-platform") forced = args[i + 1];
  if (forced.empty() && IsSet(env, "QT_QPA_PLATFORM")) forced = env("QT_QPA_PLATFORM");
  if (forced.empty()) return IsSet(env, "DISPLAY") || IsSet(env, "WAYLAND_DISPLAY");
  std::string_view list = forced;
  while (!list.empty()) {
    const std::size_t end = list.find(';');
    if (PlatformCanShow(list.substr(0, end), env)) return true;
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return false;
}

}  // namespace program_usage
