#include "app/InstalledData.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "app/FileAssociation.h"

namespace installed_data {

namespace {

namespace fs = std::filesystem;

// The absolute folders of a colon-separated list, or of `fallback` when the
// variable is unset or empty.
std::vector<std::string> AbsoluteFolders(const char* variable, std::string_view fallback) {
  const char* value = std::getenv(variable);
  std::string_view list = value && *value ? std::string_view(value) : fallback;
  std::vector<std::string> folders;
  while (!list.empty()) {
    const std::size_t colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (!entry.empty() && entry.front() == '/') folders.emplace_back(entry);
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return folders;
}

}  // namespace

std::vector<std::string> SearchFolders(const std::string& programFolder) {
  std::vector<std::string> candidates;
  if (!programFolder.empty()) {
    const fs::path program(programFolder);
    candidates.push_back(program.lexically_normal().string());
    candidates.push_back((program / ".." / "share" / kDataFolderName).lexically_normal().string());
  }
  const std::string userData = file_association::UserDataFolder();
  if (!userData.empty() && userData.front() == '/') candidates.push_back((fs::path(userData) / kDataFolderName).string());
  for (const std::string& dir : AbsoluteFolders("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
    candidates.push_back((fs::path(dir) / kDataFolderName).lexically_normal().string());

  std::vector<std::string> folders;
  for (std::string& c : candidates) {
    while (c.size() > 1 && c.back() == '/') c.pop_back();
    if (std::find(folders.begin(), folders.end(), c) == folders.end()) folders.push_back(std::move(c));
  }
  return folders;
}

std::string FolderHolding(const std::string& fileName, const std::string& programFolder) {
  for (const std::string& folder : SearchFolders(programFolder)) {
    std::error_code ec;
    if (fs::is_regular_file(fs::path(folder) / fileName, ec)) return folder;
  }
  return std::string();
}

}  // namespace installed_data
