#include "document/CaretMemory.h"

#include "settings/SettingsStore.h"
#include "document/DocumentFile.h"
#include "document/RecentFileList.h"

namespace {

// The keys of one file's remembered caret offset and first visible line.
std::string OffsetKey(const std::string& path) { return path + setting::kCaretOffsetSuffix; }
std::string FirstLineKey(const std::string& path) { return path + setting::kCaretFirstLineSuffix; }

}  // namespace

namespace caret_memory {

void Save(SettingsStore& settings, const std::string& path, int pos, int firstVisibleLine) {
  if (pos < 1) {
    Forget(settings, path);
    return;
  }
  settings.WriteInt(setting::kCaretSection, OffsetKey(path), pos);
  settings.WriteInt(setting::kCaretSection, FirstLineKey(path), firstVisibleLine);
}

void Forget(SettingsStore& settings, const std::string& path) {
  settings.DeleteValue(setting::kCaretSection, OffsetKey(path));
  settings.DeleteValue(setting::kCaretSection, FirstLineKey(path));
}

std::pair<int, int> Load(const SettingsStore& settings, const std::string& path) {
  return {settings.GetInt(setting::kCaretSection, OffsetKey(path), 0),
          settings.GetInt(setting::kCaretSection, FirstLineKey(path), 0)};
}

void ForgetVanishedRecentFiles(SettingsStore& settings) {
  for (const std::string& path : recent_files::Entries(settings))
    if (!docfile::Exists(path)) Forget(settings, path);
}

}  // namespace caret_memory

void PruneCaretMemory(SettingsStore& settings) {
  const std::vector<std::string> recent = recent_files::Entries(settings);
  bool copied = false;
  for (const std::string& path : recent) {
    const int cL = settings.GetInt(setting::kCaretSection, OffsetKey(path), 0);
    if (cL == 0) continue;
    settings.WriteInt(setting::kCaretScratchSection, OffsetKey(path), cL);
    settings.WriteInt(setting::kCaretScratchSection, FirstLineKey(path),
                      settings.GetInt(setting::kCaretSection, FirstLineKey(path), 0));
    copied = true;
  }
  if (!copied) return;
  settings.DeleteSection(setting::kCaretSection);
  for (const std::string& path : recent) {
    const int cL = settings.GetInt(setting::kCaretScratchSection, OffsetKey(path), 0);
    if (cL == 0) continue;
    settings.WriteInt(setting::kCaretSection, OffsetKey(path), cL);
    settings.WriteInt(setting::kCaretSection, FirstLineKey(path),
                      settings.GetInt(setting::kCaretScratchSection, FirstLineKey(path), 0));
  }
  settings.DeleteSection(setting::kCaretScratchSection);
}
