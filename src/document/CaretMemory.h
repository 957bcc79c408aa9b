// CaretMemory: the caret position remembered per file, in settings section
// "Caret". For a file with full path P, the integer named P + "cL" is the
// caret's byte offset and P + "cH" the first visible (physical) line. Both
// exist or neither; a caret at offset 0 is remembered by having no entry.
#pragma once

#include <string>
#include <utility>

class SettingsStore;

namespace caret_memory {

// Remembers (pos, firstVisibleLine) for path; pos < 1 forgets it instead.
void Save(SettingsStore& settings, const std::string& path, int pos, int firstVisibleLine);
void Forget(SettingsStore& settings, const std::string& path);
// (pos, firstVisibleLine), 0 each when nothing is remembered.
std::pair<int, int> Load(const SettingsStore& settings, const std::string& path);

// Forgets the carets of the recent files that no longer exist.
void ForgetVanishedRecentFiles(SettingsStore& settings);

}  // namespace caret_memory

// Keeps only the caret entries of the files in the recent-file list (run
// once per process, before the first document is shown). The kept entries
// pass through the scratch section "CaretTemp", which is removed afterwards;
// when no recent file has an entry, "Caret" is left as it is.
void PruneCaretMemory(SettingsStore& settings);
