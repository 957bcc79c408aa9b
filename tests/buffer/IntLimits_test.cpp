// The buffer's arithmetic at the ends of int: the widest tab interval is cut
// to kMaxTabUnits, x positions saturate instead of overflowing, however wide
// the tabs and however long the row, scrolling by any int stays in range, and
// a text at the largest size limit (1 GiB) keeps its byte offsets in an int.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "buffer/EditBuffer.h"
#include "platform/LineLayout.h"

namespace {

TEST(TabArithmetic, TabStopsAreCutToTheWidestInterval) {
  const FixedCellLayout layout(8, 16);
  EditBuffer e(&layout);
  for (const int units : {INT_MAX, EditBuffer::kMaxTabUnits + 1}) {
    e.SetTabStops(units);
    EXPECT_EQ(e.TabStopUnits(), EditBuffer::kMaxTabUnits);
    EXPECT_EQ(e.TabPixels(), EditBuffer::kMaxTabUnits / 4 * 8);
  }
  e.SetTabStops(INT_MIN);
  EXPECT_EQ(e.TabStopUnits(), 32);  // the default of eight characters
}

TEST(TabArithmetic, PositionsSaturateOnARowOfWideTabs) {
  const FixedCellLayout layout(64, 16);  // a very wide font
  EditBuffer e(&layout);
  e.SetTabStops(INT_MAX);
  e.SetText(std::string(EditBuffer::kDefaultTextLimit, '\t'));
  EXPECT_EQ(e.XInRow(EditBuffer::kDefaultTextLimit), EditBuffer::kMaxRowPixels);
  EXPECT_EQ(e.Advance(EditBuffer::kMaxRowPixels, "\t"), EditBuffer::kMaxRowPixels);
  EXPECT_EQ(e.Advance(INT_MAX, "a"), EditBuffer::kMaxRowPixels);
  EXPECT_LT(e.XInRow(1000), e.XInRow(2000));
  EXPECT_GE(e.MaxHorizontalScroll(), 0);
  e.SetSel(EditBuffer::kDefaultTextLimit, EditBuffer::kDefaultTextLimit);
  e.ScrollCaret();
  const Point caret = e.CaretPoint();
  EXPECT_GE(caret.x, -1);
}

TEST(TextLimitArithmetic, TheLimitIsCutToWhatAnIntOffsetHolds) {
  EditBuffer e;
  EXPECT_EQ(e.LimitText(), EditBuffer::kDefaultTextLimit);
  const std::pair<int, int> cases[] = {
      {INT_MAX, EditBuffer::kMaxTextLimit},          {EditBuffer::kMaxTextLimit, EditBuffer::kMaxTextLimit},
      {INT_MIN, EditBuffer::kDefaultTextLimit},      {0, EditBuffer::kDefaultTextLimit},
      {2'000'000, 2'000'000},
  };
  for (const auto& [asked, held] : cases) {
    e.SetLimitText(asked);
    EXPECT_EQ(e.LimitText(), held) << asked;
  }
  // Two offsets of the largest text still add up inside an int.
  EXPECT_LE(static_cast<long long>(EditBuffer::kMaxTextLimit) * 2, INT_MAX);
}

// A text at the largest limit, 1 GiB less one byte, on one row: typing at
// its end, the limit's refusal, the caret's row and x, and replacing all of
// it keep every offset in range.
TEST(TextLimitArithmetic, ATextOfOneGibibyteKeepsEveryPositionInRange) {
  const FixedCellLayout layout(8, 16);
  EditBuffer e(&layout);
  e.SetLimitText(EditBuffer::kMaxTextLimit);
  const int length = EditBuffer::kMaxTextLimit - 1;
  e.SetText(std::string(static_cast<std::size_t>(length), 'a'));
  e.SetSel(length, length);
  EXPECT_TRUE(e.TypeText("b"));
  EXPECT_EQ(e.GetTextLength(), EditBuffer::kMaxTextLimit);
  EXPECT_FALSE(e.TypeText("c"));
  EXPECT_EQ(e.Caret(), EditBuffer::kMaxTextLimit);
  EXPECT_EQ(e.LineFromChar(e.Caret()), 0);
  EXPECT_EQ(e.LogicalLineFromChar(e.Caret()), 0);
  EXPECT_EQ(e.XInRow(e.Caret()), EditBuffer::kMaxRowPixels);
  e.SetSel(EditBuffer::kMaxTextLimit - 1, EditBuffer::kMaxTextLimit);
  EXPECT_FALSE(e.TypeText("cd"));  // one byte for two: past the limit
  EXPECT_TRUE(e.TypeText("c"));
  EXPECT_EQ(e.GetSel(), std::make_pair(EditBuffer::kMaxTextLimit, EditBuffer::kMaxTextLimit));
  e.SelectAll();
  EXPECT_TRUE(e.TypeText("xy"));
  EXPECT_EQ(e.Text(), "xy");
}

TEST(ScrollArithmetic, ScrollingByAnyIntStaysInRange) {
  const FixedCellLayout layout(8, 16);
  EditBuffer e(&layout);
  e.SetClientRect({0, 0, 80, 160});
  std::string text;
  for (int i = 0; i < 100; ++i) text += std::string(30, 'x') + "\r\n";
  e.SetText(text);
  e.LineScroll(0, 5);
  e.LineScroll(0, INT_MAX);
  EXPECT_EQ(e.FirstVisibleLine(), e.LineCount() - e.VisibleLineCount());
  e.LineScroll(0, INT_MIN);
  EXPECT_EQ(e.FirstVisibleLine(), 0);
  e.LineScroll(INT_MAX, 0);
  EXPECT_EQ(e.HorizontalScroll(), e.MaxHorizontalScroll());
  e.LineScroll(INT_MIN, 0);
  EXPECT_EQ(e.HorizontalScroll(), 0);
}

}  // namespace
