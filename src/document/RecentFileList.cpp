#include "document/RecentFileList.h"

#include <algorithm>

#include "settings/SettingsStore.h"
#include "document/DocumentFile.h"
#include "editor/CommandIds.h"

namespace recent_files {

namespace {

std::string Key(int n) { return setting::kRecentFileKeyPrefix + std::to_string(n); }

void Write(SettingsStore& settings, const std::vector<std::string>& entries) {
  for (int n = 1; n <= kCount; ++n) {
    const std::size_t i = static_cast<std::size_t>(n - 1);
    const std::string stored = settings.GetString(setting::kRecentFilesSection, Key(n), "");
    if (i < entries.size()) {
      if (stored != entries[i]) settings.WriteString(setting::kRecentFilesSection, Key(n), entries[i]);
    } else if (!stored.empty()) {
      settings.DeleteValue(setting::kRecentFilesSection, Key(n));
    }
  }
}

}  // namespace

std::vector<std::string> Entries(const SettingsStore& settings) {
  std::vector<std::string> entries;
  for (int n = 1; n <= kCount; ++n) {
    std::string path = settings.GetString(setting::kRecentFilesSection, Key(n), "");
    if (path.empty()) break;
    entries.push_back(std::move(path));
  }
  return entries;
}

void Add(SettingsStore& settings, const std::string& path) {
  if (path.empty()) return;
  std::vector<std::string> entries = Entries(settings);
  entries.erase(std::remove(entries.begin(), entries.end(), path), entries.end());
  entries.insert(entries.begin(), path);
  if (entries.size() > static_cast<std::size_t>(kCount)) entries.resize(kCount);
  Write(settings, entries);
}

void Remove(SettingsStore& settings, const std::string& path) {
  std::vector<std::string> entries = Entries(settings);
  const auto end = std::remove(entries.begin(), entries.end(), path);
  if (end == entries.end()) return;
  entries.erase(end, entries.end());
  Write(settings, entries);
}

std::vector<std::pair<int, std::string>> MenuEntries(const SettingsStore& settings) {
  std::vector<std::pair<int, std::string>> menu;
  int n = 0;
  for (const std::string& path : Entries(settings)) {
    ++n;
    std::string shown;
    for (char c : docfile::DisplayPath(path)) {
      shown += c;
      if (c == '&') shown += '&';
    }
    const std::string number = n < 10 ? "&" + std::to_string(n) : n == 10 ? "1&0" : std::to_string(n);
    menu.emplace_back(cmd::RecentFileFirst + n - 1, number + " " + shown);
  }
  return menu;
}

}  // namespace recent_files
