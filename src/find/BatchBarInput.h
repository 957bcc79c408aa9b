// BatchBarInput: how a batch script's CONTROL=VALUE pairs reach the find and
// replace bars, which stay open between commands (unlike modal dialogs).
#pragma once

#include "editor/CommandIds.h"
#include "editor/EditorView.h"
#include "find/SearchBars.h"

namespace find {

inline bool ShownBarOf(EditorView& view) { return BarsOf(view).ShownBar() != nullptr; }

// The values of a `command` line go to the bar when one is shown, or when
// the command is one that opens a bar (they are typed once it is open).
inline bool BatchTakesBarInput(EditorView& view, int id) {
  return ShownBarOf(view) || id == cmd::Find || id == cmd::Replace;
}

}  // namespace find
