#include "app/AllCommands.h"
#include "editor/CommandIds.h"
#include "editor/EditorView.h"

#include <gtest/gtest.h>

#include "editor/CommandTable.h"
#include "support/TestView.h"

namespace {

const std::string kHyo = "\x95\x5C";  // 表, trail byte 0x5C

TEST(ViewStart, EmptyStoreStartsUntitledInTableMode) {
  TestView t;
  EXPECT_TRUE(t.view.modes.table);
  EXPECT_EQ(t.view.modes.tabWidth, 8);
  EXPECT_EQ(t.view.modes.lineNumbers, LineNumberMode::Physical);
  EXPECT_EQ(t.view.decimalPlaces, 1);
  EXPECT_FALSE(t.Edit().IsWordWrap());
  EXPECT_EQ(t.view.cellRange, CellRange{});
  EXPECT_EQ(t.doc.Title(), "無題");
  EXPECT_EQ(t.settings.GetInt("Settings", "Line", -1), 1);
}

TEST(ViewModes, LeavingTableModeTurnsWrapOnAndLineNumbersOff) {
  TestView t;
  t.settings.WriteInt("Settings", "TabStops", 4);
  t.settings.WriteInt("Settings", "RetuHaba", 12);
  ASSERT_EQ(t.view.Execute(cmd::ToggleTableMode), EditorView::CommandResult::Done);
  EXPECT_FALSE(t.view.modes.table);
  EXPECT_TRUE(t.Edit().IsWordWrap());
  EXPECT_EQ(t.view.modes.lineNumbers, LineNumberMode::Off);
  EXPECT_EQ(t.view.modes.tabWidth, 4);
  EXPECT_FALSE(t.view.modes.paneTable);
  EXPECT_EQ(t.settings.GetInt("Settings", "Line", -1), 0);
  EXPECT_FALSE(t.view.IsChecked(cmd::ToggleTableMode));

  t.view.Execute(cmd::ToggleTableMode);
  EXPECT_TRUE(t.view.modes.table);
  EXPECT_FALSE(t.Edit().IsWordWrap());
  EXPECT_EQ(t.view.modes.lineNumbers, LineNumberMode::Physical);
  EXPECT_EQ(t.view.modes.tabWidth, 12);
  EXPECT_EQ(t.Edit().TabStopUnits(), 48);
  EXPECT_TRUE(t.view.IsChecked(cmd::ToggleTableMode));
}

TEST(ViewModes, LineNumberSwitchesInAndOutOfTableMode) {
  TestView t;
  t.view.Execute(cmd::TogglePhysicalLineNumbers);  // cannot switch numbers off in table mode
  EXPECT_EQ(t.view.modes.lineNumbers, LineNumberMode::Physical);
  t.view.Execute(cmd::ToggleLogicalLineNumbers);  // logical numbers do nothing in table mode
  EXPECT_EQ(t.view.modes.lineNumbers, LineNumberMode::Physical);
  t.view.Execute(cmd::ToggleTableMode);  // leave table mode: numbers off
  t.view.Execute(cmd::ToggleLogicalLineNumbers);
  EXPECT_EQ(t.view.modes.lineNumbers, LineNumberMode::Logical);
  EXPECT_TRUE(t.view.IsChecked(cmd::ToggleLogicalLineNumbers));
  t.view.Execute(cmd::TogglePhysicalLineNumbers);
  EXPECT_EQ(t.view.modes.lineNumbers, LineNumberMode::Physical);
  t.view.Execute(cmd::TogglePhysicalLineNumbers);
  EXPECT_EQ(t.view.modes.lineNumbers, LineNumberMode::Off);
  EXPECT_EQ(t.settings.GetInt("Settings", "Line", -1), 0);
}

TEST(ViewModes, EditorModeAndReadOnlyToggles) {
  TestView t;
  t.view.Execute(cmd::ToggleEditorMode);
  EXPECT_TRUE(t.view.modes.editor);
  EXPECT_EQ(t.settings.GetInt("Settings", "Editmode", -1), 1);
  EXPECT_TRUE(t.view.modes.table);  // takes effect at the next initial update
  t.view.OnInitialUpdate();
  EXPECT_FALSE(t.view.modes.table);
  EXPECT_TRUE(t.Edit().IsWordWrap());

  t.view.Execute(cmd::ToggleReadOnly);
  EXPECT_TRUE(t.Edit().IsReadOnly());
  EXPECT_FALSE(t.view.modes.returnMarks);
  t.view.Execute(cmd::ToggleReadOnly);
  EXPECT_FALSE(t.Edit().IsReadOnly());
  EXPECT_TRUE(t.view.modes.returnMarks);
}

TEST(ViewMenus, ContextMenuFollowsTableModeAtRelease) {
  TestView t;
  EXPECT_EQ(t.view.ContextMenuResource(), ContextMenu::Table);
  t.view.Execute(cmd::ToggleTableMode);
  EXPECT_EQ(t.view.ContextMenuResource(), ContextMenu::Edit);
  const auto edit = AllCommands().ContextMenuItems(ContextMenu::Edit);
  const auto table = AllCommands().ContextMenuItems(ContextMenu::Table);
  EXPECT_NE(std::find(edit.begin(), edit.end(), cmd::Undo), edit.end());     // undo in the editing menu
  EXPECT_EQ(std::find(table.begin(), table.end(), cmd::Undo), table.end());  // but not in the table menu
  EXPECT_EQ(AllCommands().Find(cmd::ToggleTableMode)->tableCaption, "表計算モードの解除");
  for (const auto& menu : AllCommands().MainMenu())
    for (int id : menu.items)
      if (id) {
        EXPECT_FALSE(AllCommands().Find(id)->mainCaption.empty()) << id;
      }
}

TEST(ViewMenus, AcceleratorsRunTheirCommands) {
  TestView t;
  t.Type("ab");
  t.Key('Z', true);
  EXPECT_EQ(t.Text(), "a");
  t.Key('Y', true);
  EXPECT_EQ(t.Text(), "ab");
  t.Key('A', true);
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(0, 2));
}

struct CellRangeCase {
  const char* name;
  std::string text;
  int s, e;
  CellRange expected;
};

class ViewCellRange : public ::testing::TestWithParam<CellRangeCase> {};

TEST_P(ViewCellRange, MouseReleaseComputesTheBlock) {
  const CellRangeCase& c = GetParam();
  TestView t(c.text);
  t.Drag(c.s, c.e);
  EXPECT_EQ(t.view.cellRange, c.expected) << c.name;
  EXPECT_EQ(t.view.tableSelection, std::make_pair(std::min(c.s, c.e), std::max(c.s, c.e)));
}

// Rows: "a\tbb\tc\tdd\te" three times; each row is 13 bytes with CR LF.
const std::string kGrid = "a\tbb\tc\tdd\te\r\na\tbb\tc\tdd\te\r\na\tbb\tc\tdd\te\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewCellRange,
    ::testing::Values(
        // From the middle of column 2 of row 1 to just after the TAB ending column 4 of row 3... of a 3-row grid:
        // row 0 col 2 middle .. row 2 after the TAB that ends col 3.
        CellRangeCase{"ends after a cell's TAB", kGrid, 5, 13 * 2 + 10, {2, 0, 3, 2}},
        CellRangeCase{"ends at a row start", kGrid, 2, 13, {1, 0, 0, 1}},
        CellRangeCase{"empty selection clears", kGrid, 3, 3, {0, 0, -1, -1}},
        CellRangeCase{"trail byte is no TAB", kHyo + "\t" + kHyo + "\t1\r\n", 0, 6, {0, 0, 1, 0}}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return n;
    });

TEST(ViewCellRange, HighlightsTheBlockUntilTheNextInput) {
  TestView t(kGrid);
  t.Drag(0, 4);
  EXPECT_GT(t.view.BlockHighlight().Width(), 0);
  EXPECT_EQ(t.view.BlockHighlight().Height(), 16);
  t.Type("x");
  EXPECT_EQ(t.view.BlockHighlight().Width(), 0);
}

// A table command rewrites the text: nothing of the block it acted on may
// stay inverted, neither after the command nor after its undo, until a new
// release fixes a block again.
TEST(ViewCellRange, NoBlockIsShownOnceTheTextChanges) {
  TestView t("n\ta\tb\r\nx\t1\t2\r\ny\t3\t4\r\n");
  t.Drag(9, 19);
  ASSERT_EQ(t.view.cellRange, (CellRange{1, 1, 2, 2}));
  ASSERT_GT(t.view.BlockHighlight().Width(), 0);
  ASSERT_TRUE(t.view.HasFixedBlock());
  ASSERT_EQ(t.view.Execute(cmd::ColumnSumAbove), EditorView::CommandResult::Done);
  ASSERT_NE(t.Text(), "n\ta\tb\r\nx\t1\t2\r\ny\t3\t4\r\n");
  EXPECT_EQ(t.view.BlockHighlight(), Rect{});
  EXPECT_FALSE(t.view.HasFixedBlock());
  t.view.Execute(cmd::Undo);
  EXPECT_EQ(t.view.BlockHighlight(), Rect{});
  // A selection that moves away takes the block with it, too.
  t.Drag(9, 19);
  t.Edit().SetSel(0, 0);
  EXPECT_EQ(t.view.BlockHighlight(), Rect{});
  t.Edit().SetSel(9, 19);
  EXPECT_GT(t.view.BlockHighlight().Width(), 0) << "the same text and selection show the same block";
}

// The inverted block covers whole cells. In the test view a column is 64
// pixels (tab width 8 of 8-pixel cells), the text starts at x 56 right of the
// line numbers and at y 16 under the ruler row, and a line is 16 pixels high.
struct BlockHighlightCase {
  const char* name;
  std::string text;
  int s, e;
  int scrollLines, scrollPixels;
  Rect expected;
};

// 60 rows of 11 one-letter cells: 23 bytes a row, 648 pixels wide.
std::string TallGrid() {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "a\tb\tc\td\te\tf\tg\th\ti\tj\tk\r\n";
  return text;
}

// Five 表 (80 pixels) push the next cell to the second stop.
const std::string kWideCells = kHyo + kHyo + kHyo + kHyo + kHyo + "\t" + kHyo + "\r\n" + kHyo + "\t" + kHyo + "\r\n";

void PrintTo(const BlockHighlightCase& c, std::ostream* os) { *os << c.name; }

class ViewBlockHighlight : public ::testing::TestWithParam<BlockHighlightCase> {};

TEST_P(ViewBlockHighlight, CoversWholeCellsInsideTheText) {
  const BlockHighlightCase& c = GetParam();
  TestView t(c.text);
  ASSERT_EQ(t.Edit().GetRect(), (Rect{56, 16, 640, 640}));
  ASSERT_EQ(t.Edit().TabPixels(), 64);
  t.Edit().LineScroll(0, c.scrollLines);
  t.Edit().SetHorizontalScroll(c.scrollPixels);
  t.Drag(c.s, c.e);
  EXPECT_EQ(t.view.BlockHighlight(), c.expected) << c.name;
  EXPECT_EQ(t.view.CellBlockRect(t.view.cellRange), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewBlockHighlight,
    ::testing::Values(
        // Row "a\tbb\tc\tdd\te": cells start at 0, 64, 128, 192 and 256.
        BlockHighlightCase{"mid cell to mid cell", kGrid, 3, 8, 0, 0, {56 + 64, 16, 56 + 256, 32}},
        BlockHighlightCase{"backwards drag", kGrid, 8, 3, 0, 0, {56 + 64, 16, 56 + 256, 32}},
        BlockHighlightCase{"one cell", kGrid, 2, 3, 0, 0, {56 + 64, 16, 56 + 128, 32}},
        BlockHighlightCase{"last cell of the row", kGrid, 10, 11, 0, 0, {56 + 256, 16, 56 + 320, 32}},
        BlockHighlightCase{"three rows", kGrid, 2, 13 * 2 + 8, 0, 0, {56 + 64, 16, 56 + 256, 64}},
        BlockHighlightCase{"ends after a cell's TAB", kGrid, 5, 13 * 2 + 10, 0, 0, {56 + 128, 16, 56 + 256, 64}},
        BlockHighlightCase{"double-byte cell", kWideCells, 11, 13, 0, 0, {56 + 128, 16, 56 + 192, 32}},
        BlockHighlightCase{"wide cells in two rows", kWideCells, 2, 20, 0, 0, {56, 16, 56 + 192, 48}},
        BlockHighlightCase{"first row lacks the last cell", "a\tb\r\na\tb\tc\r\n", 2, 10, 0, 0, {56 + 64, 16, 56 + 192, 48}},
        BlockHighlightCase{"scrolled down: not over the ruler", TallGrid(), 0, 23 * 2 + 3, 1, 0, {56, 16, 56 + 128, 48}},
        BlockHighlightCase{"scrolled right: not over the line numbers", TallGrid(), 0, 23 * 2 + 3, 0, 64, {56, 16, 56 + 64, 64}},
        BlockHighlightCase{"scrolled out of view", TallGrid(), 0, 23 * 2 + 3, 5, 0, {}}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return n;
    });

TEST(ViewCellRange, OutsideTableModeTheReleaseKeepsTheBlock) {
  TestView t(kGrid);
  t.Drag(0, 4);
  const CellRange before = t.view.cellRange;
  t.view.Execute(cmd::ToggleTableMode);
  t.Drag(13, 20);
  EXPECT_EQ(t.view.cellRange, before);
}

// ---- undo through the view, as the user drives it

TEST(ViewUndo, ThreeLettersThreeSnapshots) {
  TestView t;
  t.Type("abc");
  EXPECT_EQ(t.view.History().Current(), 3u);
  EXPECT_TRUE(t.doc.IsModified());
  for (int i = 0; i < 3; ++i) t.view.Execute(cmd::Undo);
  EXPECT_EQ(t.Text(), "");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(0, 0));
  EXPECT_FALSE(t.doc.IsModified());  // back at the loaded text
  EXPECT_EQ(t.view.Execute(cmd::Undo), EditorView::CommandResult::Disabled);
}

TEST(ViewUndo, CutAfterAnIdlePassIsOneSnapshot) {
  TestView t("hello world");
  t.Drag(0, 5);
  t.view.OnIdle(true);
  const auto before = t.view.History().Current();
  t.Key('X', true);
  EXPECT_EQ(t.Text(), " world");
  EXPECT_EQ(t.clipboard.GetText(), "hello");
  EXPECT_EQ(t.view.History().Current(), before + 1);
}

TEST(ViewUndo, DeleteKeyOnASelectionIsOneSnapshot) {
  TestView t("hello world");
  t.Drag(0, 5);
  t.view.OnIdle(true);
  t.Key(key::Delete);
  EXPECT_EQ(t.Text(), " world");
  EXPECT_EQ(t.view.History().Current(), 1u);
}

std::string Repeated(const std::string& line, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += line;
  return s;
}

// A change that removes a text's last CR LF leaves lone line ends, which the
// text is given CR LF for at once, in the change's own undo step: the caret
// stays where the change put it, undo gives back the text before the change,
// and how far the view had scrolled makes no difference.
struct LineEndsCase {
  const char* name;
  std::string text;
  int selStart, selEnd;
  bool cut;  // Ctrl+X instead of typing "1"
  std::string expected;
  int caret;
};

class ViewLineEnds : public ::testing::TestWithParam<LineEndsCase> {};

TEST_P(ViewLineEnds, ConversionIsPartOfTheChangesStep) {
  const LineEndsCase& c = GetParam();
  TestView t(c.text);
  ASSERT_EQ(t.Text(), c.text);  // a text holding CR LF is loaded as it is
  t.Edit().SetSel(c.selStart, c.selEnd);
  t.Edit().ScrollCaret();
  t.view.OnIdle(true);
  if (c.cut) {
    t.Key('X', true);
  } else {
    t.Type("1");
  }
  EXPECT_EQ(t.Text(), c.expected);
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(c.caret, c.caret));
  EXPECT_EQ(t.view.History().Current(), 1u);
  t.view.OnIdle(true);  // a later update notification has nothing left to do
  EXPECT_EQ(t.Text(), c.expected);
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(c.caret, c.caret));
  t.Type("2");
  EXPECT_EQ(t.Text(), c.expected.substr(0, c.caret) + "2" + c.expected.substr(c.caret));
  t.view.Execute(cmd::Undo);
  EXPECT_EQ(t.Text(), c.expected);
  t.view.Execute(cmd::Undo);
  EXPECT_EQ(t.Text(), c.text);
  EXPECT_FALSE(t.doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewLineEnds,
    ::testing::Values(
        LineEndsCase{"TypingOverAScrolledSelection", "y\r\n" + Repeated("x\n", 100) + Repeated("b\n", 5), 0, 203,
                     false, "1" + Repeated("b\r\n", 5), 1},
        LineEndsCase{"TypingOverAShortSelection", "y\r\n" + Repeated("x\n", 3) + Repeated("b\n", 2), 0, 9, false,
                     "1" + Repeated("b\r\n", 2), 1},
        LineEndsCase{"TypingWithLineEndsBeforeTheCaret", "a\nb\r\nc\nd", 2, 5, false, "a\r\n1c\r\nd", 4},
        LineEndsCase{"CuttingTheLastCrLf", "a\nb\r\nc\nd", 3, 5, true, "a\r\nbc\r\nd", 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewUndo, ReadOnlyDisablesUndoRedoAndRefusesCut) {
  TestView t;
  t.Type("ab");
  t.view.Execute(cmd::Undo);
  EXPECT_TRUE(t.view.IsEnabled(cmd::Undo));
  EXPECT_TRUE(t.view.IsEnabled(cmd::Redo));
  t.view.Execute(cmd::ToggleReadOnly);
  EXPECT_FALSE(t.view.IsEnabled(cmd::Undo));
  EXPECT_FALSE(t.view.IsEnabled(cmd::Redo));
  t.Edit().SetSel(0, 1);
  const bool modified = t.doc.IsModified();
  const auto current = t.view.History().Current();
  t.view.Execute(cmd::Cut);
  EXPECT_EQ(t.Text(), "a");
  EXPECT_EQ(t.view.History().Current(), current);  // a refused cut records nothing
  EXPECT_EQ(t.doc.IsModified(), modified);
}

TEST(ViewTyping, EnterBackspaceAndDoubleByteCharacters) {
  TestView t;
  t.Type(kHyo + "\r" + kHyo);
  EXPECT_EQ(t.Text(), kHyo + "\r\n" + kHyo);
  t.Type("\b");
  EXPECT_EQ(t.Text(), kHyo + "\r\n");
  t.Type("\b");
  EXPECT_EQ(t.Text(), kHyo);
}

TEST(ViewTyping, OverwriteModeReplacesOneCharacterNeverALineBreak) {
  struct Case {
    std::string text;
    int caret;
    std::string expected;
  } cases[] = {
      {"ab", 0, "xb"},
      {kHyo + "b", 0, "xb"},             // both bytes of the double-byte character go
      {"\xB1\xB2", 0, "x\xB2"},          // half-width katakana is one byte
      {"a\r\nb", 1, "ax\r\nb"},          // before CR the line is not joined
  };
  for (const Case& c : cases) {
    TestView t(c.text);
    t.Key(key::Insert);
    ASSERT_FALSE(t.view.modes.insert);
    t.Edit().SetSel(c.caret, c.caret);
    t.Type("x");
    EXPECT_EQ(t.Text(), c.expected);
  }
}

TEST(PasteCommand, ScrollsTheCaretIntoView) {
  TestView t;
  std::string lines;
  for (int i = 0; i < 200; ++i) lines += "line\r\n";
  t.clipboard.SetText(lines);
  t.view.Execute(cmd::Paste);
  EXPECT_EQ(t.Edit().LineFromChar(t.Edit().Caret()), 200);
  EXPECT_GT(t.Edit().FirstVisibleLine(), 0);
  EXPECT_LT(200, t.Edit().FirstVisibleLine() + t.Edit().VisibleLineCount());
}

}  // namespace
