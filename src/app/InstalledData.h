// InstalledData: where the program finds the files it ships with (the
// table-mode description), whether it runs from a build folder or from an
// installation.
//
// The folders are searched in a fixed order, first hit wins:
//   1. the program's own folder (a build folder, or a copy carried along),
//   2. ../share/pivraf beside it (bin/pivraf of any installation prefix),
//   3. $XDG_DATA_HOME/pivraf (by default ~/.local/share/pivraf),
//   4. DIR/pivraf for each DIR of $XDG_DATA_DIRS (by default
//      /usr/local/share and /usr/share).
// Only absolute folders are searched; a relative entry in either variable is
// skipped, as the XDG base directory rules ask. Nothing here is cached: the
// environment and the disk are read on each call.
#pragma once

#include <string>
#include <vector>

namespace installed_data {

inline constexpr const char* kDataFolderName = "pivraf";

// The folders searched for a data file of the program whose folder is
// programFolder, in order, without duplicates.
std::vector<std::string> SearchFolders(const std::string& programFolder);

// The first search folder that holds `fileName` as a regular file, or "".
std::string FolderHolding(const std::string& fileName, const std::string& programFolder);

}  // namespace installed_data
