#include "table/NumberReadingMode.h"

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "settings/SettingsStore.h"

numbers::NumberReading NumberReadingOf(EditorView& view) {
  return view.Settings().GetInt(setting::JapaneseNumbers) == 1 ? numbers::NumberReading::Japanese
                                                               : numbers::NumberReading::Plain;
}

const char* NumberReadingName(numbers::NumberReading reading) {
  return reading == numbers::NumberReading::Japanese ? "japanese" : "plain";
}

void RegisterNumberReadingCommand(CommandTable& table) {
  table.Add({.id = cmd::ToggleJapaneseNumbers, .name = "toggle-japanese-numbers",
             .mainCaption = "日本語の数値表記を読む",
             .run =
                 [](EditorView& v) {
                   const bool on = NumberReadingOf(v) == numbers::NumberReading::Japanese;
                   v.Settings().WriteInt(setting::JapaneseNumbers, on ? 0 : 1);
                 },
             .checked = [](EditorView& v) { return NumberReadingOf(v) == numbers::NumberReading::Japanese; }});
}
