// The recent-file list: up to 16 full paths, newest first, kept in settings
// section "Recent File List" as "File1" .. "File16".
//
// The store itself is the list: every change reads it, changes it and writes
// it back at once, so several windows add to one list and a crash loses
// nothing. Readers stop at the first empty entry, as the list never has gaps.
#pragma once

#include <string>
#include <utility>
#include <vector>

class SettingsStore;

namespace recent_files {

constexpr int kCount = 16;

// The entries in order, up to the first empty one.
std::vector<std::string> Entries(const SettingsStore& settings);
// Puts path first (moving it up when listed already; paths compare byte
// for byte); the 17th entry falls off.
void Add(SettingsStore& settings, const std::string& path);
void Remove(SettingsStore& settings, const std::string& path);

// The File menu's entries: command id (cmd::RecentFileFirst for entry 1, the
// next id for each next entry) and caption ("&1 /home/me/memo.txt",
// with the path readable and any "&" in it doubled).
std::vector<std::pair<int, std::string>> MenuEntries(const SettingsStore& settings);

}  // namespace recent_files
