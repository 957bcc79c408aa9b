// The commands that reach beyond the window: another window (empty, or with
// a file), the placement of a window started with "-w0" or "-w1", restoring
// the window to a remembered rectangle, the table-mode description, the
// calculator, the home page, the update check, the about box and the exit
// of the application, which closes the window as its close box does.
//
// Other windows are other processes of the program, started detached with
// the file as an argument of its own; they share only the settings store,
// through which the starting window tells where it stands.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/WindowHost.h"

class CommandTable;
class CommandLine;
class SettingsStore;

void RegisterWindowCommands(CommandTable& table);

namespace window_commands {

inline constexpr const char* kVersion = "8300";  // 8.3
inline constexpr int kFetchTimeoutMs = 10000;
inline constexpr const char* kHelpFileName = "HelpPvl.log";

// Where a window started with "-w0" or "-w1" goes when it first shows
// (none for other windows); `own` is its own inside size.
std::optional<WindowBox> StartPlacement(const CommandLine& args, const SettingsStore& settings, int screenWidth,
                                        int screenHeight, int captionHeight, int ownWidth, int ownHeight);

// The version file's verdict: its first line read as a whole number and
// compared with the running version as numbers ("10000" is newer than
// "8300", "9" is not). An empty file is no newer; anything else is no
// answer at all.
enum class VersionVerdict { UpToDate, Newer, Unreadable };
VersionVerdict CompareVersion(const std::string& versionFile, const std::string& current = kVersion);

// The first of these programs found on PATH, or "".
std::string FindProgram(const std::vector<std::string>& names);

}  // namespace window_commands
