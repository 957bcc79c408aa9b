#include "find/SearchBars.h"

#include <algorithm>

#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "text/Cp932.h"

namespace find {

namespace {

std::string Key(int i) { return setting::kHistoryKeyPrefix + std::to_string(i); }

}  // namespace

void HistoryList::Remember(const std::string& text) {
  items.erase(std::remove(items.begin(), items.end(), text), items.end());
  items.insert(items.begin(), text);
  if (items.size() > static_cast<std::size_t>(kHistoryMax)) items.resize(kHistoryMax);
  edit = text;
}

void HistoryList::Load(const SettingsStore& settings, const char* section) {
  items.clear();
  for (int i = 0; i < kHistoryMax; ++i) {
    const std::string utf8 = settings.GetString(section, Key(i), "");
    if (utf8.empty()) break;
    items.push_back(cp932::FromUtf8(utf8));
  }
}

void HistoryList::Save(SettingsStore& settings, const char* section) const {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string utf8 = cp932::ToUtf8(items[i]);
    if (settings.GetString(section, Key(static_cast<int>(i)), "") != utf8)
      settings.WriteString(section, Key(static_cast<int>(i)), utf8);
  }
}

}  // namespace find
