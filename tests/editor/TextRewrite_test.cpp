// The write-back gateway of the table and calculation commands: each way of
// writing is one undo step that records the caret the command leaves, an
// unchanged text is no step at all, and the command preamble takes the
// selection as the table selection.
#include "editor/TextRewrite.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "editor/CommandContext.h"
#include "support/TestView.h"

namespace {

const std::string kBefore = "a\tb\r\nc\td\r\n";

struct WriteCase {
  const char* name;
  std::function<void(TextRewrite&)> write;
  std::string after;
  std::pair<int, int> caret;  // the selection the step closes with
};

class TextRewriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(TextRewriteTest, IsOneUndoStepWithTheCaretTheCommandLeaves) {
  const WriteCase& c = GetParam();
  TestView t(kBefore);
  t.Edit().SetSel(1, 3);
  const auto before = t.view.History().Current();
  {
    TextRewrite rewrite(t.view);
    c.write(rewrite);
    EXPECT_TRUE(rewrite.Changed());
    EXPECT_EQ(t.view.History().Current(), before);  // nothing recorded while it is open
  }
  EXPECT_EQ(t.Text(), c.after);
  EXPECT_EQ(t.Edit().GetSel(), c.caret);
  EXPECT_EQ(t.view.History().Current(), before + 1);
  EXPECT_EQ(t.view.History().TextAt(before + 1), c.after);
  t.view.Undo();
  EXPECT_EQ(t.Text(), kBefore);
  t.view.Redo();
  EXPECT_EQ(t.Edit().GetSel(), c.caret);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, TextRewriteTest,
    ::testing::Values(
        WriteCase{"ReplaceText",
                  [](TextRewrite& r) {
                    EXPECT_TRUE(r.ReplaceText("x\r\n"));
                    r.PlaceCaret(1);
                  },
                  "x\r\n", {1, 1}},
        WriteCase{"ReplaceTextAsTyped",
                  [](TextRewrite& r) { r.ReplaceTextAsTyped("a\tb\t1\r\nc\td\t22\r\n", {{3, 2}, {10, 3}}); },
                  "a\tb\t1\r\nc\td\t22\r\n", {13, 13}},
        WriteCase{"TypeAt", [](TextRewrite& r) { r.TypeAt(3, "\tz"); }, "a\tb\tz\r\nc\td\r\n", {5, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

// A text the command built and hands over becomes the control's text itself:
// at no moment are there more than the old text and the new one.
TEST(TextRewrite, AHandedOverTextBecomesTheControlsTextWithoutACopy) {
  TestView t(kBefore);
  std::string built = "x\ty\r\nz\tw\r\nwith room for no short string\r\n";
  const std::string expected = built;
  const char* storage = built.data();
  {
    TextRewrite rewrite(t.view);
    EXPECT_TRUE(rewrite.ReplaceText(std::move(built)));
  }
  EXPECT_EQ(t.Text(), expected);
  EXPECT_EQ(t.Edit().Text().data(), storage);
  t.view.Undo();
  EXPECT_EQ(t.Text(), kBefore);

  std::string typed = "a\tb\t1\r\nc\td\t22\r\n and more than a short string";
  storage = typed.data();
  {
    TextRewrite rewrite(t.view);
    rewrite.ReplaceTextAsTyped(std::move(typed), {{3, 2}});
  }
  EXPECT_EQ(t.Edit().Text().data(), storage);

  // An equal text handed over changes nothing, as one given by view.
  std::string same(t.Text());
  const auto steps = t.view.History().Current();
  {
    TextRewrite rewrite(t.view);
    EXPECT_FALSE(rewrite.ReplaceText(std::move(same)));
  }
  EXPECT_EQ(t.view.History().Current(), steps);
}

TEST(TextRewrite, AnUnchangedTextIsNoStepAndKeepsTheSelection) {
  TestView t(kBefore);
  t.Edit().SetSel(1, 3);
  const auto before = t.view.History().Current();
  {
    TextRewrite rewrite(t.view);
    EXPECT_FALSE(rewrite.ReplaceText(kBefore, {.recordSelection = true, .keepScroll = true}));
    EXPECT_FALSE(rewrite.Changed());
  }
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(1, 3));
  EXPECT_EQ(t.view.History().Current(), before);
  EXPECT_FALSE(t.doc.IsModified());
}

TEST(TextRewrite, RecordedSelectionComesBackWithUndo) {
  TestView t(kBefore);
  t.Edit().SetSel(5, 8);
  {
    TextRewrite rewrite(t.view);
    ASSERT_TRUE(rewrite.ReplaceText("y", {.recordSelection = true}));
    rewrite.PlaceCaret(0);
  }
  t.view.Undo();
  EXPECT_EQ(t.Text(), kBefore);
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(5, 8));
}

TEST(TextRewrite, InsideAnOpenStepTheOuterStepRecords) {
  TestView t(kBefore);
  const auto before = t.view.History().Current();
  {
    UndoStep outer(t.view);
    TextRewrite rewrite(t.view);
    rewrite.TypeAt(0, "1");
    rewrite.TypeAt(0, "2");
  }
  EXPECT_EQ(t.Text(), "21" + kBefore);
  EXPECT_EQ(t.view.History().Current(), before + 1);
}

TEST(CommandContext, TakesTheSelectionAsTheTableSelectionAndReadsTheControlsText) {
  TestView t(kBefore);
  t.Edit().SetSel(7, 2);  // anchor after the caret
  const CommandContext in(t.view);
  EXPECT_EQ(in.selStart, 2);
  EXPECT_EQ(in.selEnd, 7);
  EXPECT_TRUE(in.HasSelection());
  EXPECT_EQ(t.view.tableSelection, std::make_pair(2, 7));
  EXPECT_EQ(in.caretRow, 0);
  EXPECT_EQ(in.text.data(), t.Edit().Text().data());  // no copy
}

}  // namespace
