// BatchBarInput: how a batch script's CONTROL=VALUE pairs reach the find and
// replace bars, which stay open between commands (unlike modal dialogs).
#pragma once

#include <string_view>
#include <utility>

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

// The names a script may give the bars' controls instead of their ids; 0 for
// any other name.
inline int BarControlByName(std::string_view name) {
  static constexpr std::pair<std::string_view, int> kNames[] = {
      {"search", cmd::BarSearchList},    {"replacement", cmd::BarReplacementList},
      {"find-case", cmd::BarFindCase},   {"replace-case", cmd::BarReplaceCase},
      {"continuous", cmd::BarContinuous},
  };
  for (const auto& [controlName, id] : kNames)
    if (controlName == name) return id;
  return 0;
}

}  // namespace find
