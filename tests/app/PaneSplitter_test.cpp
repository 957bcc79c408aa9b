// The window's two panes without a window: which pane a split command keeps,
// where each pane scrolls and puts the caret, the modified flag and undo
// history across a split, the synchronisation when the user moves to the
// other pane, the idle pass that keeps the panes alike, and the unsplit
// before another file is opened.
#include "app/PaneSplitter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "document/CaretMemory.h"
#include "editor/CommandIds.h"
#include "support/TestView.h"
#include "document/DocumentCommands.h"

namespace {

// A hundred numbered lines in a window of 640 x 640 pixels (40 lines of 16
// pixels): half the window is 20 lines.
std::string HundredLines() {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line" + std::to_string(i) + "\r\n";
  return text;
}

constexpr int kHalf = 20;

struct Panes {
  TestView t;
  PaneSplitter splitter;

  explicit Panes(const std::string& text = HundredLines())
      : t(text), splitter(t.doc, t.view, [this] {
          std::unique_ptr<EditorView> pane = t.parts.app->CreateView(t.host, t.clipboard);
          pane->Edit().SetLayout(&t.parts.layout);
          return pane;
        }) {}

  EditBuffer& Edit(int pane) { return splitter.Pane(pane).Edit(); }
  void CaretAtLine(int line) {
    const int pos = Edit(0).LineIndex(line);
    Edit(0).SetSel(pos, pos);
  }
  // A command as the menu runs it, in the active pane.
  void Run(int id) { splitter.Active().Execute(id); }
};

TEST(PaneSplitterTest, RowSplitShowsTheSecondHalfInTheLowerPaneAndKeepsTheCaretAbove) {
  Panes p;
  p.CaretAtLine(5);
  p.Run(cmd::SplitRows);

  ASSERT_EQ(p.splitter.State(), PaneSplitter::Split::Rows);
  ASSERT_EQ(p.splitter.PaneCount(), 2);
  EXPECT_EQ(p.splitter.ActiveIndex(), 0);
  EXPECT_EQ(p.Edit(0).GetSel().first, p.Edit(0).LineIndex(5));
  EXPECT_EQ(p.Edit(1).Text(), p.Edit(0).Text());
  EXPECT_EQ(p.Edit(1).FirstVisibleLine(), kHalf);
  EXPECT_EQ(p.Edit(1).GetSel().first, p.Edit(1).LineIndex(kHalf + 1));
  // The upper pane is half the lines high, 5 pixels short.
  EXPECT_EQ(p.splitter.PaneRect(0).Height(), kHalf * 16 - 5);
  EXPECT_EQ(p.splitter.PaneRect(1).top, kHalf * 16 - 5);
  EXPECT_EQ(p.splitter.LastActivePane(), &p.splitter.Pane(0));
  EXPECT_EQ(p.splitter.SplitLineCount(), 100 + 1);
  EXPECT_EQ(p.t.doc.Views().size(), 2u);
}

TEST(PaneSplitterTest, RowSplitWithTheCaretInTheLowerHalfActivatesTheLowerPane) {
  Panes p;
  p.CaretAtLine(30);
  const int pos = p.Edit(0).LineIndex(30);
  p.Run(cmd::SplitRows);
  EXPECT_EQ(p.splitter.ActiveIndex(), 1);
  EXPECT_EQ(p.Edit(1).GetSel(), std::make_pair(pos, pos));
}

struct ModifiedCase {
  const char* name;
  bool modified;
};

class SplitKeepsModifiedFlag : public ::testing::TestWithParam<ModifiedCase> {};

// The new pane is set up for the document as the first one was, which
// clears the flag on the way; the split puts it back.
TEST_P(SplitKeepsModifiedFlag, AcrossBothSplitsAndTheirRemoval) {
  Panes p;
  p.t.doc.SetModifiedFlag(GetParam().modified);
  for (const int id : {cmd::SplitRows, cmd::SplitColumns, cmd::SplitColumns}) {
    p.Run(id);
    EXPECT_EQ(p.t.doc.IsModified(), GetParam().modified) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitKeepsModifiedFlag,
                         ::testing::Values(ModifiedCase{"Modified", true}, ModifiedCase{"Unmodified", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct UnsplitCase {
  const char* name;
  int activeBefore;   // the pane active when the split is removed
  bool upperReadOnly;
  int keptPane;       // the pane that stays (by its index before)
  int firstVisible;   // of the pane that stays
};

class RowUnsplit : public ::testing::TestWithParam<UnsplitCase> {};

// Removing a row split keeps the active pane; a read-only upper pane is
// always the one that goes. The lower pane, when it stays, scrolls up by
// half the window so its lines stay where they were on the screen.
TEST_P(RowUnsplit, KeepsThePaneTheRulesChoose) {
  const UnsplitCase& c = GetParam();
  Panes p;
  p.CaretAtLine(5);
  p.Run(cmd::SplitRows);
  p.Edit(1).LineScroll(0, 10);  // the lower pane shows lines from 30
  if (c.upperReadOnly) p.splitter.Pane(0).Execute(cmd::ToggleReadOnly);
  EditorView* kept = &p.splitter.Pane(c.keptPane);
  p.splitter.ActivatePane(c.activeBefore);
  p.Run(cmd::SplitRows);
  ASSERT_EQ(p.splitter.PaneCount(), 1);
  EXPECT_EQ(p.splitter.State(), PaneSplitter::Split::None);
  EXPECT_EQ(&p.splitter.Pane(0), kept);
  EXPECT_EQ(p.Edit(0).FirstVisibleLine(), c.firstVisible);
  ASSERT_EQ(p.t.doc.Views().size(), 1u);
  EXPECT_EQ(p.t.doc.FirstView(), kept);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowUnsplit,
    ::testing::Values(UnsplitCase{"UpperActiveStays", 0, false, 0, 0},
                      UnsplitCase{"LowerActiveStaysScrolledUp", 1, false, 1, kHalf + 10 - kHalf},
                      UnsplitCase{"ReadOnlyUpperGoesThoughActive", 0, true, 1, kHalf + 10},
                      UnsplitCase{"ReadOnlyUpperGoesLowerActive", 1, true, 1, kHalf + 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PaneSplitterTest, ColumnSplitShowsTheSameLinesSideBySideWithTheCaretOnTheLeft) {
  Panes p;
  p.Edit(0).LineScroll(0, 7);
  const int pos = p.Edit(0).LineIndex(12) + 2;
  p.Edit(0).SetSel(pos, pos);
  p.Run(cmd::SplitColumns);

  ASSERT_EQ(p.splitter.State(), PaneSplitter::Split::Columns);
  EXPECT_EQ(p.splitter.ActiveIndex(), 0);
  EXPECT_EQ(p.Edit(0).GetSel(), std::make_pair(pos, pos));
  EXPECT_EQ(p.Edit(1).FirstVisibleLine(), p.Edit(0).FirstVisibleLine());
  EXPECT_EQ(p.Edit(1).GetSel().first, p.Edit(1).LineIndex(p.Edit(1).FirstVisibleLine()));
  EXPECT_EQ(p.splitter.PaneRect(0).Width(), 640 / 2 - 18);
  EXPECT_FALSE(p.Edit(0).IsWordWrap());  // side by side, lines do not wrap
}

// Splitting into columns while split into rows first removes the row split,
// keeping the lower pane when it is the active one.
TEST(PaneSplitterTest, ColumnSplitFromRowsKeepsTheActiveLowerPane) {
  Panes p;
  p.CaretAtLine(30);
  p.Run(cmd::SplitRows);
  ASSERT_EQ(p.splitter.ActiveIndex(), 1);
  EditorView* lower = &p.splitter.Pane(1);
  p.Run(cmd::SplitColumns);
  ASSERT_EQ(p.splitter.State(), PaneSplitter::Split::Columns);
  EXPECT_EQ(&p.splitter.Pane(0), lower);
  EXPECT_EQ(p.splitter.ActiveIndex(), 0);
  EXPECT_EQ(p.Edit(0).FirstVisibleLine(), 0);  // scrolled up by half: lines 0.. again

  // And back: a row split removes the column split, keeping the left pane.
  p.Run(cmd::SplitRows);
  EXPECT_EQ(p.splitter.State(), PaneSplitter::Split::Rows);
  EXPECT_EQ(&p.splitter.Pane(0), lower);
}

// Moving to the other pane gives it the text edited in the first, at its own
// scroll position, with the caret at the start of its first visible line;
// the document then reads and writes that pane. The modified flag is as
// before the move.
TEST(PaneSplitterTest, MovingToTheOtherPaneTakesOverTheEditedText) {
  Panes p;
  p.Run(cmd::SplitRows);
  p.Edit(1).LineScroll(0, 3);
  const int top = p.Edit(1).FirstVisibleLine();
  p.t.Type("abc");
  ASSERT_NE(p.Edit(0).Text(), p.Edit(1).Text());
  ASSERT_TRUE(p.t.doc.IsModified());

  p.splitter.Active().Execute(cmd::NextPane);
  EXPECT_EQ(p.splitter.ActiveIndex(), 1);
  EXPECT_EQ(p.Edit(1).Text(), p.Edit(0).Text());
  EXPECT_EQ(p.Edit(1).FirstVisibleLine(), top);
  EXPECT_EQ(p.Edit(1).GetSel().first, p.Edit(1).LineIndex(top));
  EXPECT_EQ(p.t.doc.FirstView(), &p.splitter.Pane(1));
  EXPECT_TRUE(p.t.doc.IsModified());
  EXPECT_EQ(p.splitter.LastActivePane(), &p.splitter.Pane(1));
}

TEST(PaneSplitterTest, NoSynchronisationWhileTheUpperPaneIsReadOnly) {
  Panes p;
  p.Run(cmd::SplitRows);
  p.splitter.ActivatePane(1);
  p.splitter.Active().TypeKeys("x");
  p.splitter.Pane(0).Execute(cmd::ToggleReadOnly);
  p.splitter.ActivatePane(0);
  EXPECT_NE(p.Edit(0).Text(), p.Edit(1).Text());
  EXPECT_EQ(p.t.doc.FirstView(), &p.splitter.Pane(1));
}

// The idle pass gives the other pane the longer undo history, so undo in
// either pane goes back through every edit.
TEST(PaneSplitterTest, IdlePassEqualisesUndoHistoriesAndUndoWorksInTheOtherPane) {
  Panes p("start\r\n");
  p.Run(cmd::SplitRows);
  p.t.Type("ab");
  p.splitter.OnIdle(true);
  EXPECT_EQ(p.splitter.Pane(1).History().Top(), 2u);
  EXPECT_EQ(p.splitter.Pane(1).History().Current(), 2u);

  p.splitter.ActivatePane(1);
  ASSERT_EQ(p.Edit(1).Text(), "abstart\r\n");
  p.splitter.Active().Execute(cmd::Undo);
  EXPECT_EQ(p.Edit(1).Text(), "astart\r\n");
  p.splitter.Active().Execute(cmd::Undo);
  EXPECT_EQ(p.Edit(1).Text(), "start\r\n");
  EXPECT_FALSE(p.t.doc.IsModified());
}

// A new pane starts with the history of the pane it was split from: its
// first snapshot is the document's text, not an empty one.
TEST(PaneSplitterTest, NewPaneUndoesToTheDocumentsTextWhenActive) {
  Panes p("start\r\n");
  p.Run(cmd::SplitRows);
  p.splitter.ActivatePane(1);
  p.splitter.OnIdle(true);
  p.splitter.Active().TypeKeys("x");
  p.splitter.OnIdle(true);
  p.splitter.Active().Execute(cmd::Undo);
  EXPECT_EQ(p.Edit(1).Text(), "start\r\n");
  p.splitter.OnIdle(true);
  p.splitter.ActivatePane(0);
  p.splitter.Active().Execute(cmd::Redo);
  EXPECT_EQ(p.Edit(0).Text(), "xstart\r\n");
}

// With the mouse at rest the other pane follows the active one's table
// mode, word wrap and tab width; the insert mode follows always.
TEST(PaneSplitterTest, IdlePassAlignsModesOfTheOtherPane) {
  Panes p;
  p.Run(cmd::SplitRows);
  EditorView& active = p.splitter.Active();
  EditorView& other = p.splitter.Pane(1 - p.splitter.ActiveIndex());
  ASSERT_TRUE(other.modes.table);
  active.Execute(cmd::ToggleTableMode);
  active.OnKeyDown(key::Insert, false, false, false);
  p.splitter.OnIdle(false);
  EXPECT_TRUE(other.modes.table) << "modes wait for the mouse to rest";
  EXPECT_FALSE(other.modes.insert);
  p.splitter.OnIdle(true);
  EXPECT_FALSE(other.modes.table);
  EXPECT_EQ(other.modes.lineNumbers, LineNumberMode::Off);
  EXPECT_EQ(other.modes.wordWrap, active.modes.wordWrap);
  EXPECT_EQ(other.Edit().IsWordWrap(), active.Edit().IsWordWrap());
  EXPECT_EQ(other.modes.tabWidth, active.modes.tabWidth);
  EXPECT_TRUE(active.modes.paneTable);
}

TEST(PaneSplitterTest, ResizingMakesBothPanesEqual) {
  Panes p;
  p.Run(cmd::SplitRows);
  p.splitter.SetClientSize(600, 401);
  EXPECT_EQ(p.splitter.PaneRect(0).Height(), 200);
  EXPECT_EQ(p.splitter.PaneRect(1).Height(), 201);
  EXPECT_EQ(p.Edit(0).ClientRect().Height(), 200);
  p.Run(cmd::SplitColumns);
  p.splitter.SetClientSize(500, 401);
  EXPECT_EQ(p.splitter.PaneRect(0).Width(), 250);
  EXPECT_EQ(p.Edit(1).ClientRect().Width(), 250);
}

// Another file opened (here dropped on the window) removes the split first.
TEST(PaneSplitterTest, OpeningAnotherFileUnsplits) {
  Panes p;
  const std::string path = p.t.parts.dir.Path("other.txt");
  std::ofstream(path, std::ios::binary) << "other\r\n";
  for (const int id : {cmd::SplitRows, cmd::SplitColumns}) {
    p.Run(id);
    ASSERT_EQ(p.splitter.PaneCount(), 2);
    DocumentCommands(p.t.doc).OnDropFile(p.splitter.Active(), path);
    EXPECT_EQ(p.splitter.PaneCount(), 1) << id;
    EXPECT_EQ(p.Edit(0).Text(), "other\r\n");
    EXPECT_EQ(p.t.doc.Views().size(), 1u);
    DocumentCommands(p.t.doc).OnFileNew(p.splitter.Active());
  }
}

// Closing with a read-only upper pane active remembers the other pane's
// place: the start of its first visible line.
TEST(PaneSplitterTest, CaretMemoryComesFromTheEditablePane) {
  Panes p;
  const std::string path = p.t.parts.dir.Path("memo.txt");
  std::ofstream(path, std::ios::binary) << HundredLines();
  ASSERT_TRUE(p.t.doc.OpenDocumentFile(path));
  p.CaretAtLine(3);
  p.Run(cmd::SplitRows);
  p.Edit(1).LineScroll(0, 5);
  p.splitter.Pane(0).Execute(cmd::ToggleReadOnly);
  ASSERT_EQ(p.splitter.ActiveIndex(), 0);
  ASSERT_TRUE(DocumentCommands(p.t.doc).CanCloseFrame(p.splitter.Active(), false));
  EXPECT_EQ(p.splitter.ActiveIndex(), 1);
  const int top = p.Edit(1).FirstVisibleLine();
  EXPECT_EQ(caret_memory::Load(p.t.settings, path), std::make_pair(p.Edit(1).LineIndex(top), top));

  // Otherwise the active pane's selection is remembered, as without a split.
  p.splitter.Pane(0).Execute(cmd::ToggleReadOnly);
  p.Edit(1).SetSel(30, 30);
  ASSERT_TRUE(DocumentCommands(p.t.doc).CanCloseFrame(p.splitter.Active(), false));
  EXPECT_EQ(caret_memory::Load(p.t.settings, path).first, 30);
}

}  // namespace
