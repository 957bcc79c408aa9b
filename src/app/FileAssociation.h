// FileAssociation: the .pvl file type made known to the desktop, once per
// user.
//
// While "Settings"/"Reg" is not 0 and the user's data folder
// ($XDG_DATA_HOME, else ~/.local/share) holds no MIME package for .pvl
// files, it writes
//   mime/packages/pivraf-pvl.xml      the type text/x-pivraf-pvl, glob *.pvl
//   applications/pivraf.desktop       the program, opening a file with %f
// runs update-mime-database and update-desktop-database on those folders
// when they are installed, and writes "Reg" = 0. When the package is there
// already, or the program is an installed one (its own desktop entry
// share/applications/<kDesktopId>.desktop lies beside its bin folder, and
// the installed entry and MIME package serve every user), nothing changes
// and the setting stays as it was. Nothing is
// reported: a desktop that cannot be told is no reason to stop the editor,
// and a failed write leaves "Reg" as it was, so the next start tries again.
#pragma once

#include <functional>
#include <string>
#include <vector>

class SettingsStore;

namespace file_association {

inline constexpr const char* kMimeType = "text/x-pivraf-pvl";
// The name of the installed desktop entry (without ".desktop"), the
// AppStream component and the window's desktop file name.
inline constexpr const char* kDesktopId = "com.korvane.pivraf";

// True when the program at exePath comes with an installed desktop entry:
// EXEFOLDER/../share/applications/<kDesktopId>.desktop exists.
bool InstalledWithDesktopEntry(const std::string& exePath);

// The user's data folder: $XDG_DATA_HOME when set, else $HOME/.local/share.
std::string UserDataFolder();

// The contents of the two files, for the program at exePath.
std::string MimePackage();
std::string DesktopEntry(const std::string& exePath);

struct Tools {
  std::function<bool(const std::string&)> canRun;
  // Starts a program with its arguments and does not wait for it.
  std::function<void(const std::string&, const std::vector<std::string>&)> start;
};

// Returns true when it wrote the association.
bool Register(SettingsStore& settings, const std::string& dataFolder, const std::string& exePath, const Tools& tools);

}  // namespace file_association
