#include "find/FindCommands.h"

#include <utility>

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "editor/UndoStep.h"
#include "find/SearchBars.h"
#include "numbers/FormatNumber.h"
#include "settings/AppIdentity.h"
#include "settings/SettingsKeys.h"
#include "text/Cp932.h"

namespace find {

namespace {

cp932::Case CaseOf(int caseSensitive) { return caseSensitive ? cp932::Case::Sensitive : cp932::Case::Insensitive; }

std::string SelectedText(const EditBuffer& e) {
  const auto [s, en] = e.GetSel();
  return e.Copy(s, en);
}

// The selection holds `needle` under the case rule.
bool SelectionIs(const EditBuffer& e, const std::string& needle, cp932::Case letters) {
  const std::string selected = SelectedText(e);
  return selected.size() == needle.size() && cp932::Find(selected, needle, 0, letters) == 0;
}

// One search from the selection; selects the match and keeps it two rows
// from the top and three from the bottom of the window, or beeps and puts
// the caret at the far end. True when found.
bool SearchStep(EditorView& view, const std::string& needle, bool forward, cp932::Case letters) {
  EditBuffer& e = view.Edit();
  const std::string_view text = e.Text();
  const auto [s, en] = e.GetSel();
  const std::size_t start = cp932::SnapBack(text, static_cast<std::size_t>(s));
  std::size_t match = cp932::npos;
  if (forward) {
    const std::size_t from = s != en && SelectionIs(e, needle, letters) ? cp932::Next(text, start) : start;
    match = cp932::Find(text, needle, from, letters);
  } else {
    match = cp932::FindLast(text, needle, start, 0, letters);
  }
  if (match == cp932::npos) {
    view.Host().Beep();
    const int end = forward ? 0 : e.GetTextLength();
    e.SetSel(end, end);
    e.ScrollCaret();
    return false;
  }
  e.SetSel(static_cast<int>(match), static_cast<int>(match + needle.size()));
  e.ScrollCaret();
  const int top = e.FirstVisibleLine();
  const int line = e.LineFromChar(e.Caret());
  const int rows = e.VisibleLineCount();
  if (line < top + 2) {
    e.LineScroll(0, line - top - 2);
  } else if (line >= top + rows - 3) {
    e.LineScroll(0, line - (top + rows - 3));
  }
  return true;
}

// The search of the bar's buttons: the text of the bar's search field, with
// the case rule of the bar; the text goes to the top of the search history.
void FindInDirection(EditorView& view, SearchBar& bar, bool forward) {
  SearchBars& bars = BarsOf(view);
  const int caseSensitive = bar.replace ? bars.replaceCaseSensitive : bars.findCaseSensitive;
  bars.searchText = bar.search.edit;
  if (bars.searchText.empty()) return;
  if (SearchStep(view, bars.searchText, forward, CaseOf(caseSensitive)) && !bars.continuous)
    bars.RequestFocus(BarFocus::Text);
  bar.search.Remember(bars.searchText);
}

// A replacement that would make the text longer than the control holds is
// refused with a message; the text stays as it is.
bool FitsTheLimit(EditorView& view, long long newLength) {
  const int limit = view.Edit().LimitText();
  if (newLength <= limit) return true;
  view.Host().MessageBox(app_identity::kAppName,
                         "置換すると文字数が上限（" + numbers::GroupedDigits(limit) + " バイト）を超えるため、置換しませんでした。",
                         MsgButtons::Ok, MsgIcon::Exclamation);
  return false;
}

// Replace step 3: when the selection is not the match, search in the last
// direction, twice at most. True when the selection then holds the match.
bool BringMatchUnderSelection(EditorView& view, SearchBar& bar) {
  SearchBars& bars = BarsOf(view);
  const cp932::Case letters = CaseOf(bars.replaceCaseSensitive);
  for (int tries = 0; tries < 2 && !SelectionIs(view.Edit(), bars.searchText, letters); ++tries)
    FindInDirection(view, bar, bars.lastDirection != 0);
  return !bars.searchText.empty() && SelectionIs(view.Edit(), bars.searchText, letters);
}

void SaveAndForgetFindBar(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  bars.findBar->search.Save(view.Settings(), setting::kFindHistorySection);
  bars.findBar.reset();
}

void SaveAndForgetReplaceBar(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  bars.replaceBar->search.Save(view.Settings(), setting::kFindHistorySection);
  bars.replaceBar->replacement.Save(view.Settings(), setting::kReplaceHistorySection);
  bars.replaceBar.reset();
}

// A new bar: the histories read from the store, the selection recorded and,
// when it holds text, put into the search field.
SearchBar NewBar(EditorView& view, bool replace) {
  SearchBars& bars = BarsOf(view);
  SearchBar bar;
  bar.replace = replace;
  bar.search.Load(view.Settings(), setting::kFindHistorySection);
  if (replace) bar.replacement.Load(view.Settings(), setting::kReplaceHistorySection);
  const auto [s, en] = view.Edit().GetSel();
  bars.startSelStart = s;
  bars.startSelEnd = en;
  if (s != en) {
    bar.search.edit = SelectedText(view.Edit());
    bars.RequestFocus(replace ? BarFocus::ReplacementList : BarFocus::FindNextButton);
  } else {
    bars.RequestFocus(BarFocus::SearchList);
  }
  return bar;
}

}  // namespace

void OpenOrCloseFindBar(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  if (bars.findBar && !bars.findBar->shown) SaveAndForgetFindBar(view);
  if (bars.replaceBar) SaveAndForgetReplaceBar(view);
  if (bars.findBar) {
    SaveAndForgetFindBar(view);
    bars.RequestFocus(BarFocus::Text);
    return;
  }
  // A new bar opens with its boxes in fixed states, and the flags follow them.
  bars.findCaseSensitive = 0;
  bars.continuous = 1;
  bars.findBar = NewBar(view, false);
}

void OpenOrCloseReplaceBar(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  if (bars.replaceBar && !bars.replaceBar->shown) SaveAndForgetReplaceBar(view);
  if (bars.findBar) SaveAndForgetFindBar(view);
  if (bars.replaceBar) {
    SaveAndForgetReplaceBar(view);
    bars.RequestFocus(BarFocus::Text);
    return;
  }
  bars.replaceCaseSensitive = 1;
  bars.replaceBar = NewBar(view, true);
}

void FindNext(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  if (SearchBar* bar = bars.ActiveBar()) FindInDirection(view, *bar, true);
  bars.lastDirection = 1;
  bars.lastAction = 1;
}

void FindPrevious(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  if (SearchBar* bar = bars.ActiveBar()) FindInDirection(view, *bar, false);
  bars.lastDirection = 0;
  bars.lastAction = 1;
}

void Replace(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  if (!bars.replaceBar) return;
  SearchBar& bar = *bars.replaceBar;
  if (bars.searchText.empty()) {
    bars.searchText = bar.search.edit;  // the next press replaces
    return;
  }
  bars.replaceText = bar.replacement.edit;
  if (!BringMatchUnderSelection(view, bar)) return;
  if (bars.searchText != bars.replaceText) {
    const auto [s, en] = view.Edit().GetSel();
    if (!FitsTheLimit(view, view.Edit().GetTextLength() - (en - s) + static_cast<long long>(bars.replaceText.size())))
      return;
    UndoStep step(view);
    view.Edit().ReplaceSel(bars.replaceText);
    FindInDirection(view, bar, bars.lastDirection != 0);
  }
  if (!bars.replaceText.empty()) bar.replacement.Remember(bars.replaceText);
  bars.lastAction = 2;
}

void ReplaceAll(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  if (!bars.replaceBar) return;
  SearchBar& bar = *bars.replaceBar;
  if (bars.searchText.empty()) bars.searchText = bar.search.edit;
  if (bars.searchText.empty()) return;
  bars.replaceText = bar.replacement.edit;
  EditBuffer& e = view.Edit();
  const int caret = e.CaretPosition().second;
  const int firstVisible = e.FirstVisibleLine();
  if (BringMatchUnderSelection(view, bar) && bars.searchText != bars.replaceText) {
    // Always case-sensitive: only exact matches are replaced.
    std::string replaced = cp932::ReplaceAll(e.Text(), bars.searchText, bars.replaceText);
    if (!FitsTheLimit(view, static_cast<long long>(replaced.size()))) return;
    UndoStep step(view, UndoStep::Start::Unchanged);
    step.SetChanged(replaced != e.Text());
    e.SetText(std::move(replaced));
    e.LineScroll(0, firstVisible);
    e.SetSel(caret, caret);
    e.ScrollCaret();
  }
  if (!bars.replaceText.empty()) bar.replacement.Remember(bars.replaceText);
}

void RecordPosition(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  bars.startFirstVisible = view.Edit().FirstVisibleLine();
  const auto [s, en] = view.Edit().GetSel();
  bars.startSelStart = s;
  bars.startSelEnd = en;
}

void ReturnToStart(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  EditBuffer& e = view.Edit();
  bars.RequestFocus(BarFocus::Text);
  e.LineScroll(0, bars.startFirstVisible - e.FirstVisibleLine());
  e.SetSel(bars.startSelStart, bars.startSelEnd);
  e.ScrollCaret();
}

void Repeat(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  const int action = bars.lastAction;
  if (action == 0) return;
  if (action == 1) {
    OpenOrCloseFindBar(view);
  } else {
    OpenOrCloseReplaceBar(view);
  }
  SearchBar* bar = bars.ActiveBar();
  if (!bar) return;
  // A new bar's fields are empty but for the selection; the repeat uses
  // the last texts (an empty replacement field would delete the match).
  if (bar->search.edit.empty()) bar->search.edit = bars.searchText;
  if (bar->replace && bar->replacement.edit.empty()) bar->replacement.edit = bars.replaceText;
  if (action == 1) {
    FindInDirection(view, *bar, bars.lastDirection != 0);
  } else {
    Replace(view);
  }
}

void RepeatLastSearch(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  if (bars.searchText.empty()) {
    view.Host().Beep();
    return;
  }
  const int caseSensitive = bars.replaceBar ? bars.replaceCaseSensitive : bars.findCaseSensitive;
  SearchStep(view, bars.searchText, bars.lastDirection != 0, CaseOf(caseSensitive));
}

void PressBarButton(EditorView& view, int id) {
  if (id == cmd::Find && BarsOf(view).ShownBar()) {
    OpenOrCloseFindBar(view);
  } else if (id == cmd::Replace && BarsOf(view).ShownBar()) {
    OpenOrCloseReplaceBar(view);
  } else {
    view.Execute(id);
  }
}

void CloseShownBar(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  if (SearchBar* bar = bars.ShownBar()) {
    bar->shown = false;
    bars.RequestFocus(BarFocus::Text);
  }
}

void ForgetBars(EditorView& view) {
  SearchBars& bars = BarsOf(view);
  if (bars.findBar) SaveAndForgetFindBar(view);
  if (bars.replaceBar) SaveAndForgetReplaceBar(view);
}

bool SetBarControl(EditorView& view, int control, const std::string& value, std::string& why) {
  SearchBars& bars = BarsOf(view);
  SearchBar* bar = bars.ShownBar();
  if (!bar) {
    why = "no find or replace bar is open for control " + std::to_string(control);
    return false;
  }
  const int barId = bar->replace ? kReplaceBarTemplate : kFindBarTemplate;
  auto refuse = [&] {
    why = "bar " + std::to_string(barId) + " has no control " + std::to_string(control) + " taking " + value;
    return false;
  };
  if (control == cmd::BarSearchList) {
    bar->search.edit = value;
    return true;
  }
  if (control == cmd::BarReplacementList && bar->replace) {
    bar->replacement.edit = value;
    return true;
  }
  int* flag = nullptr;
  if (control == cmd::BarFindCase && !bar->replace) flag = &bars.findCaseSensitive;
  if (control == cmd::BarContinuous && !bar->replace) flag = &bars.continuous;
  if (control == cmd::BarReplaceCase && bar->replace) flag = &bars.replaceCaseSensitive;
  if (!flag || (value != "0" && value != "1")) return refuse();
  *flag = value == "1" ? 1 : 0;
  return true;
}

void RegisterFindCommands(CommandTable& t) {
  auto hasText = [](EditorView& v) { return v.Edit().GetTextLength() > 0; };
  auto anyBar = [](EditorView& v) { return BarsOf(v).ActiveBar() != nullptr; };
  auto findBar = [](EditorView& v) { return BarsOf(v).findBar.has_value(); };
  auto replaceBar = [](EditorView& v) { return BarsOf(v).replaceBar.has_value(); };
  auto replaceBarWritable = [](EditorView& v) { return BarsOf(v).replaceBar.has_value() && !v.Edit().IsReadOnly(); };

  t.Add({.id = cmd::Find, .name = "find", .mainCaption = "検索(&F)...", .run = OpenOrCloseFindBar, .enabled = hasText});
  t.Add({.id = cmd::Replace, .name = "replace", .mainCaption = "置換(&R)", .run = OpenOrCloseReplaceBar,
         .enabled = hasText});
  t.Add({.id = cmd::FindNext, .name = "find-next", .run = RepeatLastSearch});
  t.Add({.id = cmd::BarSearchList, .name = "bar-search-list",
         .run = [](EditorView& v) {
           SearchBars& bars = BarsOf(v);
           bars.RequestFocus(bars.replaceBar ? BarFocus::ReplacementList : BarFocus::FindNextButton);
         },
         .enabled = anyBar});
  t.Add({.id = cmd::BarReplacementList, .name = "bar-replacement-list",
         .run = [](EditorView& v) { BarsOf(v).RequestFocus(BarFocus::FindNextButton); }, .enabled = replaceBar});
  t.Add({.id = cmd::BarFindNext, .name = "bar-find-next", .run = FindNext, .enabled = anyBar});
  t.Add({.id = cmd::BarFindPrevious, .name = "bar-find-previous", .run = FindPrevious, .enabled = anyBar});
  t.Add({.id = cmd::BarReplace, .name = "bar-replace", .run = Replace, .enabled = replaceBarWritable});
  t.Add({.id = cmd::BarReplaceAll, .name = "bar-replace-all", .run = ReplaceAll, .enabled = replaceBarWritable});
  t.Add({.id = cmd::BarRecordPosition, .name = "bar-record-position", .run = RecordPosition, .enabled = anyBar});
  t.Add({.id = cmd::BarReturnToStart, .name = "bar-return-to-start", .run = ReturnToStart, .enabled = anyBar});
  t.Add({.id = cmd::BarFindCase, .name = "bar-find-case",
         .run = [](EditorView& v) { BarsOf(v).findCaseSensitive ^= 1; }, .enabled = findBar,
         .checked = [](EditorView& v) { return BarsOf(v).findCaseSensitive != 0; }});
  t.Add({.id = cmd::BarReplaceCase, .name = "bar-replace-case",
         .run = [](EditorView& v) { BarsOf(v).replaceCaseSensitive ^= 1; }, .enabled = replaceBar,
         .checked = [](EditorView& v) { return BarsOf(v).replaceCaseSensitive != 0; }});
  t.Add({.id = cmd::BarContinuous, .name = "bar-continuous", .run = [](EditorView& v) { BarsOf(v).continuous ^= 1; },
         .enabled = findBar, .checked = [](EditorView& v) { return BarsOf(v).continuous != 0; }});
  t.Add({.id = cmd::RepeatFindOrReplace, .name = "repeat-find-or-replace", .run = Repeat,
         .enabled = [](EditorView& v) {
           SearchBars& bars = BarsOf(v);
           return bars.ShownBar() == nullptr && bars.lastAction != 0;
         }});
}

}  // namespace find
