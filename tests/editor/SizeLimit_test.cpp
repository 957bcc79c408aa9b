// No change may take the text past the size limit: a text longer than that
// could be saved but never opened again. The limit is the setting
// "Settings"/"MaxTextBytes" (1,048,575 bytes unless raised). Typing is
// refused with a beep; paste, the in-line calculation and the table commands
// with a message naming the limit. Each leaves the text and the undo history
// as they were; a change that ends exactly at the limit is made. Every case
// runs at the default limit and at a raised one.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "buffer/EditBuffer.h"
#include "editor/CommandIds.h"
#include "editor/KeyCodes.h"
#include "settings/SettingsKeys.h"
#include "support/CaseName.h"
#include "support/TestView.h"

namespace {

// A raised limit, a multiple of 3 as the default is, kept small so the cases stay fast.
constexpr int kRaisedLimit = 1'500'000;
const int kLimits[] = {EditBuffer::kDefaultTextLimit, kRaisedLimit};

// `rows` lines "1" CR LF, then `tail` (3 bytes a row).
std::string Rows(int rows, const std::string& tail = "") {
  std::string text;
  text.reserve(static_cast<std::size_t>(rows) * 3 + tail.size());
  for (int i = 0; i < rows; ++i) text += "1\r\n";
  return text + tail;
}

struct LimitView : TestView {
  LimitView(const std::string& text, int limit)
      : TestView(text, [limit](SettingsStore& s) {
          if (limit != EditBuffer::kDefaultTextLimit) s.WriteInt(setting::MaxTextBytes, limit);
        }) {}
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
      EXPECT_EQ(host.messages.back().text, view.TextTooLongMessage());
    }
    EXPECT_EQ(host.beeps, beeps);
  }
};

TEST(SizeLimit, TheSettingSetsTheLimitAndItsMessage) {
  struct Case {
    int stored;  // 0: none stored
    int limit;
    const char* shown;
  };
  const Case cases[] = {
      {0, 1'048'575, "1,048,575"},
      {kRaisedLimit, kRaisedLimit, "1,500,000"},
      {1'073'741'823, 1'073'741'823, "1,073,741,823"},
      {1'073'741'824, 1'048'575, "1,048,575"},  // out of range reads as the default
      {1'048'574, 1'048'575, "1,048,575"},
  };
  for (const Case& c : cases) {
    TestView v("", [&](SettingsStore& s) {
      if (c.stored != 0) s.WriteInt(setting::MaxTextBytes, c.stored);
    });
    EXPECT_EQ(v.Edit().LimitText(), c.limit) << c.stored;
    EXPECT_EQ(v.view.TextTooLongMessage(),
              std::string("文字数が上限（") + c.shown + " バイト）を超えるため、この変更は行いません。");
  }
}

class SizeLimitAt : public ::testing::TestWithParam<int> {};

TEST_P(SizeLimitAt, TypingPastTheLimitBeeps) {
  const int limit = GetParam();
  LimitView v(Rows(limit / 3 - 1, "ab"), limit);  // one byte below the limit
  v.Mark();
  v.Type("x");
  EXPECT_EQ(v.Edit().GetTextLength(), limit);
  const std::string full(v.Text());
  v.Mark();
  v.Type("y");
  v.Type("\r");
  v.ExpectRefused(full, 0, 2);
}

TEST_P(SizeLimitAt, PastePastTheLimitIsRefusedWithAMessage) {
  const int limit = GetParam();
  LimitView v(Rows(limit / 3 - 1, "a"), limit);  // two bytes below the limit
  v.Mark();
  const std::string before(v.Text());
  v.clipboard.SetText("xyz");
  v.view.Execute(cmd::Paste);
  v.ExpectRefused(before, 1, 0);
  v.clipboard.SetText("xy");
  v.view.Execute(cmd::Paste);
  EXPECT_EQ(v.Edit().GetTextLength(), limit);
}

TEST_P(SizeLimitAt, InlineCalculationPastTheLimitIsTakenBack) {
  // After Enter the text is exactly at the limit; the result "81" would pass it.
  const int limit = GetParam();
  LimitView v(Rows(limit / 3 - 2), limit);
  v.Mark();
  v.Type("9*9=\r");
  ASSERT_EQ(v.Edit().GetTextLength(), limit);
  const std::string typed(v.Text());
  const std::uint32_t steps = v.view.History().Current();
  ASSERT_EQ(v.host.messages.size(), 1u);
  EXPECT_EQ(v.host.messages[0].text, v.view.TextTooLongMessage());
  EXPECT_EQ(v.view.History().Current(), steps);
  EXPECT_EQ(v.view.History().Top(), steps);
  EXPECT_EQ(v.view.History().TextAt(steps), typed);
}

TEST_P(SizeLimitAt, UndoAndRedoStayWithinTheLimit) {
  // A change that fills the text to the limit is undone and redone whole.
  const int limit = GetParam();
  LimitView v(Rows(limit / 3 - 1), limit);
  v.Mark();
  const std::string before(v.Text());
  v.Type("a\r");
  ASSERT_EQ(v.Edit().GetTextLength(), limit);
  const std::string full(v.Text());
  const std::uint32_t steps = v.view.History().Current();
  ASSERT_GT(steps, 0u);
  for (std::uint32_t i = 0; i < steps; ++i) v.view.Execute(cmd::Undo);
  EXPECT_TRUE(v.Text() == before);
  for (std::uint32_t i = 0; i < steps; ++i) v.view.Execute(cmd::Redo);
  EXPECT_TRUE(v.Text() == full);
  EXPECT_TRUE(v.host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Limits, SizeLimitAt, ::testing::ValuesIn(kLimits),
                         [](const auto& info) { return info.index == 0 ? "Default" : "Raised"; });

struct TableCommandCase {
  const char* name;
  int command;
};

class SizeLimitTable : public ::testing::TestWithParam<std::tuple<int, TableCommandCase>> {};

TEST_P(SizeLimitTable, CommandThatWouldPassTheLimitChangesNothing) {
  // A column of ones that fills the text exactly; every command below adds to it.
  const auto& [limit, command] = GetParam();
  LimitView v(Rows(limit / 3), limit);
  ASSERT_EQ(v.Edit().GetTextLength(), limit);
  v.Mark();
  const std::string before(v.Text());
  v.Drag(0, limit - 2);
  v.view.Execute(command.command);
  v.ExpectRefused(before, 1, 0);
}

const TableCommandCase kTableCommands[] = {
    {"column sum below", cmd::ColumnSumBelow},     {"column average below", cmd::ColumnAverageBelow},
    {"blank column", cmd::InsertBlankColumn},      {"blank cells", cmd::InsertBlankCells},
    {"deviation scores", cmd::DeviationScoresRight},
};

std::string TableCaseName(std::size_t index, const std::tuple<int, TableCommandCase>& param) {
  const bool raised = std::get<0>(param) != EditBuffer::kDefaultTextLimit;
  return CaseName(index, std::string(raised ? "raised " : "default ") + std::get<1>(param).name);
}

INSTANTIATE_TEST_SUITE_P(Commands, SizeLimitTable,
                         ::testing::Combine(::testing::ValuesIn(kLimits), ::testing::ValuesIn(kTableCommands)),
                         [](const auto& info) { return TableCaseName(info.index, info.param); });

}  // namespace
