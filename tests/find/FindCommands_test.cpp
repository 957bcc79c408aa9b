// The find and replace bars driven as the user drives them: open a bar, type
// into its fields, press its buttons (commands), close it.
#include "find/FindCommands.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/CommandIds.h"
#include "find/SearchBars.h"
#include "settings/SettingsKeys.h"
#include "numbers/FormatNumber.h"
#include "support/TestView.h"

namespace {

const std::string kHyo = "\x95\x5C";  // 表: trail byte is the backslash
const std::string kPo = "\x83\x7C";   // ポ: trail byte is '|'

struct Bars : TestView {
  using TestView::TestView;
  find::SearchBars& bars = find::BarsOf(view);

  void Run(int id) { ASSERT_EQ(view.Execute(id), EditorView::CommandResult::Done) << id; }
  find::SearchBar& Shown() {
    find::SearchBar* bar = bars.ShownBar();
    EXPECT_NE(bar, nullptr);
    return *bar;
  }
  void TypeSearch(const std::string& text) { Shown().search.edit = text; }
  void TypeReplacement(const std::string& text) { Shown().replacement.edit = text; }
  std::pair<int, int> Sel() { return Edit().GetSel(); }
  std::string Stored(const char* section, int i) {
    return settings.GetString(section, setting::kHistoryKeyPrefix + std::to_string(i), "");
  }
};

TEST(FindBar, OpensWithTheSelectionInItsFieldAndItsBoxesInFixedStates) {
  Bars t("one two one");
  t.Edit().SetSel(4, 7);
  t.Run(cmd::Find);
  ASSERT_TRUE(t.bars.findBar);
  EXPECT_EQ(t.Shown().search.edit, "two");
  EXPECT_EQ(t.bars.focus, find::BarFocus::FindNextButton);
  EXPECT_EQ(t.bars.startSelStart, 4);
  EXPECT_EQ(t.bars.startSelEnd, 7);
  t.Run(cmd::BarFindCase);
  t.Run(cmd::BarContinuous);
  EXPECT_TRUE(t.view.IsChecked(cmd::BarFindCase));
  t.Run(cmd::Find);  // closes it
  EXPECT_FALSE(t.bars.findBar);
  t.Edit().SetSel(0, 0);
  t.Run(cmd::Find);
  EXPECT_EQ(t.Shown().search.edit, "");
  EXPECT_EQ(t.bars.focus, find::BarFocus::SearchList);
  EXPECT_FALSE(t.view.IsChecked(cmd::BarFindCase));
  EXPECT_TRUE(t.view.IsChecked(cmd::BarContinuous));
  t.Run(cmd::Replace);  // the find bar gives way to the replace bar
  EXPECT_FALSE(t.bars.findBar);
  ASSERT_TRUE(t.bars.replaceBar);
  EXPECT_TRUE(t.view.IsChecked(cmd::BarReplaceCase));
}

TEST(FindBar, OpenAndCloseNeedText) {
  Bars t("");
  EXPECT_EQ(t.view.Execute(cmd::Find), EditorView::CommandResult::Disabled);
  EXPECT_EQ(t.view.Execute(cmd::Replace), EditorView::CommandResult::Disabled);
  EXPECT_EQ(t.view.Execute(cmd::BarFindNext), EditorView::CommandResult::Disabled);
}

TEST(FindBar, NotFoundBeepsAndStartsOverFromTheOtherEnd) {
  Bars t("abc x abc");
  t.Edit().SetSel(7, 7);
  t.Run(cmd::Find);
  t.TypeSearch("abc");
  t.Run(cmd::BarFindNext);
  EXPECT_EQ(t.host.beeps, 1);
  EXPECT_EQ(t.Sel(), std::make_pair(0, 0));
  t.Run(cmd::BarFindNext);
  EXPECT_EQ(t.Sel(), std::make_pair(0, 3));
  t.Run(cmd::BarFindNext);  // from a selection that is the match: the next one
  EXPECT_EQ(t.Sel(), std::make_pair(6, 9));
  t.Run(cmd::BarFindPrevious);
  EXPECT_EQ(t.Sel(), std::make_pair(0, 3));
  t.Run(cmd::BarFindPrevious);
  EXPECT_EQ(t.host.beeps, 2);
  EXPECT_EQ(t.Sel(), std::make_pair(9, 9));  // backward: the caret goes to the end
  t.Run(cmd::BarFindPrevious);
  EXPECT_EQ(t.Sel(), std::make_pair(6, 9));
  EXPECT_EQ(t.bars.lastDirection, 0);
  EXPECT_EQ(t.bars.lastAction, 1);
}

struct SearchCase {
  const char* name;
  std::string text;
  std::string needle;
  bool caseSensitive;
  std::pair<int, int> selection;  // after one forward search from 0; (0, 0) is not found
};

const SearchCase kSearches[] = {
    {"backslash after 表 is found, its trail byte is not", kHyo + "\\", "\\", false, {2, 3}},
    {"bar after ポ is found, its trail byte is not", kPo + "|", "|", false, {2, 3}},
    {"only trail backslashes: not found", kHyo + kHyo, "\\", false, {0, 0}},
    {"letters fold when case-insensitive", "xABC", "abc", false, {1, 4}},
    {"letters do not fold when case-sensitive", "xABC", "abc", true, {0, 0}},
    {"double-byte text", "a" + kHyo + kPo, kPo, true, {3, 5}},
};

TEST(FindBar, SearchesStepOverDoubleByteCharacters) {
  for (const auto& c : kSearches) {
    SCOPED_TRACE(c.name);
    Bars t(c.text);
    t.Run(cmd::Find);
    if (c.caseSensitive) t.Run(cmd::BarFindCase);
    t.TypeSearch(c.needle);
    t.Run(cmd::BarFindNext);
    EXPECT_EQ(t.Sel(), c.selection);
  }
}

TEST(FindBar, HistoryKeepsSixteenEntriesMostRecentFirstAndIsStoredOnClose) {
  Bars t("x");
  t.Run(cmd::Find);
  for (int i = 0; i < 17; ++i) {
    t.TypeSearch("w" + std::to_string(i));
    t.Run(cmd::BarFindNext);
  }
  t.TypeSearch("w10");  // searched again: moves to the top, not doubled
  t.Run(cmd::BarFindNext);
  const std::vector<std::string> items = t.Shown().search.items;
  ASSERT_EQ(items.size(), 16u);
  EXPECT_EQ(items[0], "w10");
  EXPECT_EQ(items[1], "w16");
  EXPECT_EQ(items[15], "w1");  // w0 fell off at the 17th
  EXPECT_EQ(std::count(items.begin(), items.end(), "w10"), 1);
  EXPECT_EQ(t.Stored(setting::kFindHistorySection, 0), "");  // nothing stored while open
  t.Run(cmd::Find);
  EXPECT_EQ(t.Stored(setting::kFindHistorySection, 0), "w10");
  EXPECT_EQ(t.Stored(setting::kFindHistorySection, 15), "w1");
  t.Run(cmd::Replace);  // a new bar reads the stored list
  EXPECT_EQ(t.Shown().search.items, items);
}

TEST(FindBar, EscHidesTheBarAndTheNextOpenSavesAndForgetsIt) {
  Bars t("abc");
  t.Run(cmd::Find);
  t.TypeSearch("\x95\x5C" "abc");  // CP932 text stored as UTF-8
  t.Run(cmd::BarFindNext);
  find::CloseShownBar(t.view);
  EXPECT_TRUE(t.bars.findBar);
  EXPECT_EQ(t.bars.ShownBar(), nullptr);
  EXPECT_EQ(t.Stored(setting::kFindHistorySection, 0), "");
  t.Run(cmd::Find);  // forgets the hidden bar (saving it) and opens a new one
  EXPECT_EQ(t.Stored(setting::kFindHistorySection, 0), "表abc");
  ASSERT_NE(t.bars.ShownBar(), nullptr);
  EXPECT_EQ(t.Shown().search.items.at(0), "\x95\x5C" "abc");
}

TEST(ReplaceBar, ReplaceSelectsTheNextMatchAndIsOneUndoStepEach) {
  Bars t("cat dog cat");
  t.Run(cmd::Replace);
  t.TypeSearch("cat");
  t.TypeReplacement("cow");
  t.Run(cmd::BarFindNext);
  EXPECT_EQ(t.Sel(), std::make_pair(0, 3));
  const int undoBefore = t.view.History().Current();
  t.Run(cmd::BarReplace);
  EXPECT_EQ(t.Text(), "cow dog cat");
  EXPECT_EQ(t.Sel(), std::make_pair(8, 11));
  EXPECT_EQ(t.view.History().Current(), undoBefore + 1);
  t.Run(cmd::BarReplace);
  EXPECT_EQ(t.Text(), "cow dog cow");
  EXPECT_EQ(t.bars.lastAction, 2);
  EXPECT_EQ(t.Shown().replacement.items.at(0), "cow");
  // The bar's undo and redo buttons are the Edit menu's commands.
  t.Run(cmd::Undo);
  EXPECT_EQ(t.Text(), "cow dog cat");
  t.Run(cmd::Undo);
  EXPECT_EQ(t.Text(), "cat dog cat");
  t.Run(cmd::Redo);
  EXPECT_EQ(t.Text(), "cow dog cat");
}

TEST(ReplaceBar, FirstReplaceWithoutASearchOnlyTakesTheSearchText) {
  Bars t("cat cat");
  t.Run(cmd::Replace);
  t.TypeSearch("cat");
  t.TypeReplacement("dog");
  t.Run(cmd::BarReplace);
  EXPECT_EQ(t.Text(), "cat cat");
  t.Run(cmd::BarReplace);  // brings the first match under the selection and replaces it
  EXPECT_EQ(t.Text(), "dog cat");
}

TEST(ReplaceBar, EqualTextsChangeNothingButRecordTheReplacement) {
  Bars t("same same");
  t.Run(cmd::Replace);
  t.TypeSearch("same");
  t.TypeReplacement("same");
  t.Run(cmd::BarFindNext);
  const int undoBefore = t.view.History().Current();
  t.Run(cmd::BarReplace);
  EXPECT_EQ(t.Text(), "same same");
  EXPECT_EQ(t.view.History().Current(), undoBefore);
  EXPECT_EQ(t.Shown().replacement.items, std::vector<std::string>{"same"});
  t.Run(cmd::Replace);
  EXPECT_EQ(t.Stored(setting::kReplaceHistorySection, 0), "same");
  EXPECT_EQ(t.Stored(setting::kFindHistorySection, 0), "same");
}

TEST(ReplaceBar, ReplaceAllIsCaseSensitiveOnePassAndOneUndoStep) {
  Bars t("abc ABC abc Abc " + kHyo + "abc");
  t.Edit().SetSel(0, 0);
  t.Run(cmd::Replace);
  t.Run(cmd::BarReplaceCase);  // case-insensitive searching
  t.TypeSearch("abc");
  t.TypeReplacement("x");
  t.Run(cmd::BarFindNext);
  const int undoBefore = t.view.History().Current();
  t.Run(cmd::BarReplaceAll);
  EXPECT_EQ(t.Text(), "x ABC x Abc " + kHyo + "x");
  EXPECT_EQ(t.view.History().Current(), undoBefore + 1);
  t.Run(cmd::Undo);
  EXPECT_EQ(t.Text(), "abc ABC abc Abc " + kHyo + "abc");
}

TEST(ReplaceBar, ReplaceAllKeepsTheCaretAndTheScrollPosition) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "row a\r\n";
  Bars t(text);
  t.Run(cmd::Replace);
  t.TypeSearch("a");
  t.TypeReplacement("bb");
  t.Edit().SetSel(350, 350);
  t.Edit().ScrollCaret();
  t.Run(cmd::BarFindNext);
  const int first = t.Edit().FirstVisibleLine();
  const int matchStart = t.Sel().first;
  t.Run(cmd::BarReplaceAll);
  EXPECT_EQ(t.Edit().GetTextLength(), 800);
  EXPECT_EQ(t.Edit().FirstVisibleLine(), first);
  EXPECT_EQ(t.Sel(), std::make_pair(matchStart, matchStart));  // the caret at the old selection's start
}

// At the default limit and at one raised by "Settings"/"MaxTextBytes".
class ReplaceBarLimit : public ::testing::TestWithParam<int> {};

TEST_P(ReplaceBarLimit, AReplacementBeyondTheTextLimitIsRefusedWithAMessage) {
  const int limit = GetParam();
  std::string text(static_cast<std::size_t>(limit) - 10, 'x');
  text.replace(0, 4, "abcd");
  Bars t(text, [limit](SettingsStore& s) { s.WriteInt(setting::MaxTextBytes, limit); });
  ASSERT_EQ(t.Edit().LimitText(), limit);
  t.Run(cmd::Replace);
  t.TypeSearch("x");
  t.TypeReplacement("yy");
  t.Edit().SetSel(0, 0);
  t.Run(cmd::BarReplaceAll);
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_EQ(t.host.messages[0].text, "置換すると文字数が上限（" + numbers::GroupedDigits(limit) +
                                         " バイト）を超えるため、置換しませんでした。");
  EXPECT_EQ(t.Text(), text);
  EXPECT_FALSE(t.doc.IsModified());
  // One replacement that still fits is made; past the limit it is refused.
  t.TypeSearch("abcd");
  t.TypeReplacement(std::string(14, 'z'));
  t.Edit().SetSel(0, 4);
  t.Run(cmd::BarReplace);
  EXPECT_EQ(t.Edit().GetTextLength(), limit);
  t.TypeSearch("x");
  t.TypeReplacement("yy");
  t.Run(cmd::BarReplace);
  EXPECT_EQ(t.host.messages.size(), 2u);
  EXPECT_EQ(t.Edit().GetTextLength(), limit);
}

INSTANTIATE_TEST_SUITE_P(Limits, ReplaceBarLimit, ::testing::Values(EditBuffer::kDefaultTextLimit, 1'500'000));

TEST(ReplaceBar, ReadOnlyTextIsNotReplaced) {
  Bars t("abc");
  t.Run(cmd::Replace);
  t.view.ToggleReadOnly();
  EXPECT_EQ(t.view.Execute(cmd::BarReplace), EditorView::CommandResult::Disabled);
  EXPECT_EQ(t.view.Execute(cmd::BarReplaceAll), EditorView::CommandResult::Disabled);
}

TEST(FindBar, RecordAndReturnToThePosition) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line\r\n";
  text += "needle";
  Bars t(text);
  t.Edit().SetSel(12, 14);
  t.Run(cmd::Find);
  t.Run(cmd::BarRecordPosition);
  t.TypeSearch("needle");
  t.Run(cmd::BarFindNext);
  EXPECT_GT(t.Edit().FirstVisibleLine(), 100);
  t.Run(cmd::BarReturnToStart);
  EXPECT_EQ(t.Sel(), std::make_pair(12, 14));
  EXPECT_EQ(t.Edit().FirstVisibleLine(), 0);
  EXPECT_EQ(t.bars.focus, find::BarFocus::Text);
}

TEST(FindBar, FoundMatchStaysTwoRowsFromTheTopAndThreeFromTheBottom) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += (i == 120 ? "hit\r\n" : "row\r\n");
  Bars t(text);
  t.Run(cmd::Find);
  t.TypeSearch("hit");
  const int rows = t.Edit().VisibleLineCount();
  t.Run(cmd::BarFindNext);  // forward: row 120 ends up 3 rows above the bottom
  EXPECT_EQ(t.Edit().FirstVisibleLine(), 120 - (rows - 3));
  t.Edit().SetSel(static_cast<int>(text.size()), static_cast<int>(text.size()));
  t.Edit().ScrollCaret();
  t.Run(cmd::BarFindPrevious);  // backward: 2 rows below the top
  EXPECT_EQ(t.Edit().FirstVisibleLine(), 118);
}

TEST(FindBar, ContinuousOffGivesTheFocusBackToTheText) {
  Bars t("abc");
  t.Run(cmd::Find);
  t.TypeSearch("abc");
  t.Run(cmd::BarFindNext);
  EXPECT_NE(t.bars.focus, find::BarFocus::Text);
  t.Run(cmd::BarContinuous);
  t.Edit().SetSel(0, 0);
  t.Run(cmd::BarFindNext);
  EXPECT_EQ(t.bars.focus, find::BarFocus::Text);
}

TEST(FindBar, RepeatReopensTheBarAndSearchesAgain) {
  Bars t("ab ab ab");
  EXPECT_EQ(t.view.Execute(cmd::RepeatFindOrReplace), EditorView::CommandResult::Disabled);
  t.Run(cmd::Find);
  t.TypeSearch("ab");
  t.Run(cmd::BarFindNext);
  EXPECT_EQ(t.view.Execute(cmd::RepeatFindOrReplace), EditorView::CommandResult::Disabled);  // a bar is shown
  find::CloseShownBar(t.view);
  t.Run(cmd::RepeatFindOrReplace);
  EXPECT_NE(t.bars.ShownBar(), nullptr);
  EXPECT_EQ(t.Sel(), std::make_pair(3, 5));
  // F3 searches again without a bar.
  find::CloseShownBar(t.view);
  t.Run(cmd::FindNext);
  EXPECT_EQ(t.Sel(), std::make_pair(6, 8));
}

TEST(ReplaceBar, RepeatReplacesTheNextMatch) {
  Bars t("ab ab ab");
  t.Run(cmd::Replace);
  t.TypeSearch("ab");
  t.TypeReplacement("c");
  t.Run(cmd::BarFindNext);
  t.Run(cmd::BarReplace);
  EXPECT_EQ(t.Text(), "c ab ab");
  find::CloseShownBar(t.view);
  t.Run(cmd::RepeatFindOrReplace);
  EXPECT_EQ(t.Text(), "c c ab");
}

TEST(FindBar, BatchControlsReachOnlyTheShownBar) {
  Bars t("abc");
  std::string why;
  EXPECT_FALSE(find::SetBarControl(t.view, cmd::BarSearchList, "x", why));
  t.Run(cmd::Find);
  EXPECT_TRUE(find::SetBarControl(t.view, cmd::BarSearchList, "x", why));
  EXPECT_EQ(t.Shown().search.edit, "x");
  EXPECT_TRUE(find::SetBarControl(t.view, cmd::BarFindCase, "1", why));
  EXPECT_EQ(t.bars.findCaseSensitive, 1);
  EXPECT_FALSE(find::SetBarControl(t.view, cmd::BarReplacementList, "y", why));
  EXPECT_EQ(why, "bar 152 has no control 32843 taking y");
  EXPECT_FALSE(find::SetBarControl(t.view, cmd::BarContinuous, "2", why));
}

}  // namespace
