// SearchBars: the find bar and the replace bar of a view, as plain data, and
// the search state the view keeps between searches.
//
// The bars are small modeless windows that stay open while the user works in
// the text; at most one of them is shown at a time. Each bar exists from the
// command that opens it until a later open/close command forgets it; closing
// one with Esc or its close box only hides it (`shown` false), and the next
// open/close command saves its histories and forgets it. The window draws a
// bar from this data and writes what the user types into its edit fields
// back here; every decision is made by the commands (find/FindCommands.h).
//
// Texts are CP932 bytes. A history list holds at most kHistoryMax entries,
// most recent first; it is stored in the settings as "List0".."List15" of
// section "Find" (search texts) or "Replace" (replacement texts), in UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor/EditorView.h"

class SettingsStore;

namespace find {

inline constexpr int kHistoryMax = 16;

// The bars' own ids, as messages about their controls name them (the ids
// of the controls themselves are commands, in editor/CommandIds.h).
inline constexpr int kFindBarTemplate = 152;
inline constexpr int kReplaceBarTemplate = 150;

// A drop-down list with an editable field and its history.
struct HistoryList {
  std::vector<std::string> items;  // most recent first
  std::string edit;                // the edit field

  // The text goes to the top of the list (an equal entry is removed first),
  // is selected into the field, and the list keeps kHistoryMax entries.
  void Remember(const std::string& text);
  void Load(const SettingsStore& settings, const char* section);
  // Writes entry i to "List<i>"; entries the list does not have are left in
  // the store as they are.
  void Save(SettingsStore& settings, const char* section) const;
};

struct SearchBar {
  bool replace = false;  // the replace bar, else the find bar
  bool shown = true;
  HistoryList search;
  HistoryList replacement;  // the replace bar only
};

// Where the bar's commands put the keyboard focus.
enum class BarFocus { SearchList, ReplacementList, FindNextButton, Text };

struct SearchBars : ViewExtension {
  std::optional<SearchBar> findBar;
  std::optional<SearchBar> replaceBar;

  std::string searchText;   // the text of the last search
  std::string replaceText;  // the text of the last replacement
  int findCaseSensitive = 0;
  int replaceCaseSensitive = 1;
  int continuous = 1;     // keep the focus in the bar after a successful find
  int lastDirection = 1;  // 1 forward, 0 backward
  int lastAction = 0;     // 0 none, 1 find, 2 replace
  int startSelStart = 0, startSelEnd = 0;
  int startFirstVisible = 0;

  // The focus a command asked for; `focusRequests` counts the requests, so
  // the window applies each one once.
  BarFocus focus = BarFocus::Text;
  int focusRequests = 0;
  void RequestFocus(BarFocus where) {
    focus = where;
    ++focusRequests;
  }

  // The bar the search commands use: the replace bar when it exists, else the find bar.
  SearchBar* ActiveBar() { return replaceBar ? &*replaceBar : findBar ? &*findBar : nullptr; }
  // The bar that is shown, if any.
  SearchBar* ShownBar() {
    if (replaceBar && replaceBar->shown) return &*replaceBar;
    if (findBar && findBar->shown) return &*findBar;
    return nullptr;
  }
};

inline SearchBars& BarsOf(EditorView& view) { return view.Extension<SearchBars>(); }

}  // namespace find
