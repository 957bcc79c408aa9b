// NumberReadingMode: the user's choice of how cells and in-line calculations
// are read, and its command.
//
// The choice is the setting "Settings"/"JapaneseNumbers" (0 the plain rule,
// 1 Japanese numbers), read when a command reads values, so every pane and
// every window of the program reads as the user last chose. The command
// "日本語の数値表記を読む" of the 表計算 menu switches it and is ticked while it
// is on.
#pragma once

#include "numbers/NumberReading.h"

class CommandTable;
class EditorView;

numbers::NumberReading NumberReadingOf(EditorView& view);

// "plain" or "japanese", as the batch runner's state line shows the choice.
const char* NumberReadingName(numbers::NumberReading reading);

void RegisterNumberReadingCommand(CommandTable& table);
