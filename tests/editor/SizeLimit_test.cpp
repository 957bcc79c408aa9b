// No change may take the text past the size limit (1,048,575 bytes): a text
// longer than that could be saved but never opened again. Typing is refused
// with a beep; paste, the in-line calculation and the table commands with a
// message. Each leaves the text and the undo history as they were; a change
// that ends exactly at the limit is made.
#include <gtest/gtest.h>

#include <string>

#include "buffer/EditBuffer.h"
#include "editor/CommandIds.h"
#include "editor/KeyCodes.h"
#include "support/CaseName.h"
#include "support/TestView.h"

namespace {

constexpr int kLimit = EditBuffer::kTextLimit;

// `rows` lines "1" CR LF, then `tail` (3 bytes a row).
std::string Rows(int rows, const std::string& tail = "") {
  std::string text;
  text.reserve(static_cast<std::size_t>(rows) * 3 + tail.size());
  for (int i = 0; i < rows; ++i) text += "1\r\n";
  return text + tail;
}

struct LimitView : TestView {
  using TestView::TestView;
  // Starts recording here: whatever comes next must leave this state.
  void Mark() {
    view.History().Restart(Edit());
    doc.SetModifiedFlag(false);
    Edit().SetSel(Edit().GetTextLength(), Edit().GetTextLength());
  }
  void ExpectRefused(const std::string& before, int messages, int beeps) {
    EXPECT_EQ(Text().size(), before.size());
    EXPECT_TRUE(Text() == before);
    EXPECT_EQ(view.History().Current(), 0u);
    EXPECT_EQ(view.History().Top(), 0u);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(static_cast<int>(host.messages.size()), messages);
    if (messages > 0) {
      EXPECT_EQ(host.messages.back().text, EditorView::kTextTooLongMessage);
    }
    EXPECT_EQ(host.beeps, beeps);
  }
};

TEST(SizeLimit, TypingPastTheLimitBeeps) {
  LimitView v(Rows(kLimit / 3 - 1, "ab"));  // one byte below the limit
  v.Mark();
  v.Type("x");
  EXPECT_EQ(v.Edit().GetTextLength(), kLimit);
  const std::string full = v.Text();
  v.Mark();
  v.Type("y");
  v.Type("\r");
  v.ExpectRefused(full, 0, 2);
}

TEST(SizeLimit, PastePastTheLimitIsRefusedWithAMessage) {
  LimitView v(Rows(kLimit / 3 - 1, "a"));  // two bytes below the limit
  v.Mark();
  const std::string before = v.Text();
  v.clipboard.SetText("xyz");
  v.view.Execute(cmd::Paste);
  v.ExpectRefused(before, 1, 0);
  v.clipboard.SetText("xy");
  v.view.Execute(cmd::Paste);
  EXPECT_EQ(v.Edit().GetTextLength(), kLimit);
}

TEST(SizeLimit, InlineCalculationPastTheLimitIsTakenBack) {
  // After Enter the text is exactly at the limit; the result "81" would pass it.
  LimitView v(Rows(kLimit / 3 - 2));
  v.Mark();
  v.Type("9*9=\r");
  ASSERT_EQ(v.Edit().GetTextLength(), kLimit);
  const std::string typed = v.Text();
  const std::uint32_t steps = v.view.History().Current();
  ASSERT_EQ(v.host.messages.size(), 1u);
  EXPECT_EQ(v.host.messages[0].text, EditorView::kTextTooLongMessage);
  EXPECT_EQ(v.view.History().Current(), steps);
  EXPECT_EQ(v.view.History().Top(), steps);
  EXPECT_EQ(v.view.History().TextAt(steps), typed);
}

struct TableCommandCase {
  const char* name;
  int command;
};

class SizeLimitTable : public ::testing::TestWithParam<TableCommandCase> {};

TEST_P(SizeLimitTable, CommandThatWouldPassTheLimitChangesNothing) {
  // A column of ones that fills the text exactly; every command below adds to it.
  LimitView v(Rows(kLimit / 3));
  ASSERT_EQ(v.Edit().GetTextLength(), kLimit);
  v.Mark();
  const std::string before = v.Text();
  v.Drag(0, kLimit - 2);
  v.view.Execute(GetParam().command);
  v.ExpectRefused(before, 1, 0);
}

const TableCommandCase kTableCommands[] = {
    {"column sum below", cmd::ColumnSumBelow},     {"column average below", cmd::ColumnAverageBelow},
    {"blank column", cmd::InsertBlankColumn},      {"blank cells", cmd::InsertBlankCells},
    {"deviation scores", cmd::DeviationScoresRight},
};

INSTANTIATE_TEST_SUITE_P(Commands, SizeLimitTable, ::testing::ValuesIn(kTableCommands),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

}  // namespace
