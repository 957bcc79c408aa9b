// The buffer's arithmetic at the ends of int: the widest tab interval is cut
// to kMaxTabUnits, x positions saturate instead of overflowing, however wide
// the tabs and however long the row, and scrolling by any int stays in range.
#include <gtest/gtest.h>

#include <climits>
#include <string>

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
  e.SetText(std::string(EditBuffer::kTextLimit, '\t'));
  EXPECT_EQ(e.XInRow(EditBuffer::kTextLimit), EditBuffer::kMaxRowPixels);
  EXPECT_EQ(e.Advance(EditBuffer::kMaxRowPixels, "\t"), EditBuffer::kMaxRowPixels);
  EXPECT_EQ(e.Advance(INT_MAX, "a"), EditBuffer::kMaxRowPixels);
  EXPECT_LT(e.XInRow(1000), e.XInRow(2000));
  EXPECT_GE(e.MaxHorizontalScroll(), 0);
  e.SetSel(EditBuffer::kTextLimit, EditBuffer::kTextLimit);
  e.ScrollCaret();
  const Point caret = e.CaretPoint();
  EXPECT_GE(caret.x, -1);
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
