#include "document/CaretMemory.h"

#include "settings/SettingsStore.h"
#include "document/DocumentFile.h"
#include "document/RecentFileList.h"

namespace caret_memory {

void Save(SettingsStore& settings, const std::string& path, int pos, int firstVisibleLine) {
  if (pos < 1) {
    Forget(settings, path);
    return;
  }
  settings.WriteInt("Caret", path + "cL", pos);
  settings.WriteInt("Caret", path + "cH", firstVisibleLine);
}

void Forget(SettingsStore& settings, const std::string& path) {
  settings.DeleteValue("Caret", path + "cL");
  settings.DeleteValue("Caret", path + "cH");
}

std::pair<int, int> Load(const SettingsStore& settings, const std::string& path) {
  return {settings.GetInt("Caret", path + "cL", 0), settings.GetInt("Caret", path + "cH", 0)};
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
    const int cL = settings.GetInt("Caret", path + "cL", 0);
    if (cL == 0) continue;
    settings.WriteInt("CaretTemp", path + "cL", cL);
    settings.WriteInt("CaretTemp", path + "cH", settings.GetInt("Caret", path + "cH", 0));
    copied = true;
  }
  if (!copied) return;
  settings.DeleteSection("Caret");
  for (const std::string& path : recent) {
    const int cL = settings.GetInt("CaretTemp", path + "cL", 0);
    if (cL == 0) continue;
    settings.WriteInt("Caret", path + "cL", cL);
    settings.WriteInt("Caret", path + "cH", settings.GetInt("CaretTemp", path + "cH", 0));
  }
  settings.DeleteSection("CaretTemp");
}
