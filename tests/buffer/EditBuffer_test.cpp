#include "buffer/EditBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "text/Cp932.h"

namespace {

// 表 is 95 5C: its trail byte is a backslash.
const std::string kHyo = "\x95\x5C";
const std::string kA = "\x82\xA0";  // あ

EditBuffer Wrapped(int columns, std::string_view text) {
  EditBuffer b;
  b.SetClientRect({0, 0, columns * 8, 40 * 16});
  b.SetWordWrap(true);
  b.SetText(text);
  return b;
}

TEST(EditBufferLines, EmptyText) {
  EditBuffer b;
  EXPECT_EQ(b.LineCount(), 1);
  EXPECT_EQ(b.GetLogicalLine(0), std::make_pair(std::string(), 0));
  EXPECT_EQ(b.GetLogicalLine(1), std::make_pair(std::string(), 0));
  EXPECT_EQ(b.LineIndex(0), 0);
  EXPECT_EQ(b.LineIndex(1), -1);
  EXPECT_EQ(b.LineLength(0), 0);
}

TEST(EditBufferLines, LastLineWithAndWithoutBreak) {
  EditBuffer b;
  b.SetText("ab\r\ncd");
  EXPECT_EQ(b.LineCount(), 2);
  EXPECT_EQ(b.GetLogicalLine(0).first, "ab\r\n");
  EXPECT_EQ(b.GetLogicalLine(1), std::make_pair(std::string("cd"), 2));
  EXPECT_EQ(b.GetLogicalLine(2).second, 0);

  b.SetText("ab\r\ncd\r\n");
  EXPECT_EQ(b.LineCount(), 3);
  EXPECT_EQ(b.GetLogicalLine(1).first, "cd\r\n");
  EXPECT_EQ(b.GetLogicalLine(2), std::make_pair(std::string(), 0));
  EXPECT_EQ(b.LineIndex(2), 8);
  EXPECT_EQ(b.LineLength(4), 2);  // without its line break
}

TEST(EditBufferLines, WrappedLineCountsPhysicalLinesOnly) {
  // 25 characters in a 10-column rectangle: three physical lines, one logical.
  EditBuffer b = Wrapped(10, std::string(25, 'x') + "\r\nend");
  EXPECT_EQ(b.LineCount(), 4);
  EXPECT_EQ(b.LogicalLineCount(), 2);
  EXPECT_EQ(b.LineIndex(1), 10);
  EXPECT_EQ(b.LineIndex(2), 20);
  EXPECT_EQ(b.LineLength(22), 5);
  EXPECT_EQ(b.LineFromChar(27), 3);
}

struct WrapCase {
  const char* name;
  std::string text;
  int columns;
  std::vector<int> rowStarts;
};

class EditBufferWrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(EditBufferWrap, BreaksAfterLastBlankOrAtCharacter) {
  const WrapCase& c = GetParam();
  EditBuffer b = Wrapped(c.columns, c.text);
  ASSERT_EQ(b.LineCount(), static_cast<int>(c.rowStarts.size())) << c.name;
  for (std::size_t i = 0; i < c.rowStarts.size(); ++i) EXPECT_EQ(b.LineIndex(static_cast<int>(i)), c.rowStarts[i]) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditBufferWrap,
    ::testing::Values(
        WrapCase{"after the last blank", "aaa bbb ccc", 9, {0, 8}},
        WrapCase{"no blank: at the character", "abcdefghij", 4, {0, 4, 8}},
        // A double-byte character is two cells and is never split.
        WrapCase{"double-byte stays whole", "a" + kA + kA + kA, 3, {0, 3, 5}},
        WrapCase{"blank that overflows hangs", "abcd efgh", 4, {0, 5}},
        // TAB advances to the next stop of 8 cells.
        WrapCase{"tab to the next stop", "ab\tcdefghij", 12, {0, 3}},
        WrapCase{"break keeps CR LF out of the width", "abcd\r\nx", 4, {0, 6}}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return n;
    });

// ---------------------------------------------------------------- rows as drawn

struct RowRangeCase {
  const char* name;
  std::string text;
  int columns;  // 0: no word wrap
  std::vector<std::tuple<int, int, bool>> rows;  // begin, end, wraps
};

class EditBufferRowRange : public ::testing::TestWithParam<RowRangeCase> {};

EditBuffer Laid(const RowRangeCase& c) {
  if (c.columns > 0) return Wrapped(c.columns, c.text);
  EditBuffer b;
  b.SetText(c.text);
  return b;
}

TEST_P(EditBufferRowRange, BytesOfEachRowWithoutTheLineBreak) {
  const RowRangeCase& c = GetParam();
  const EditBuffer b = Laid(c);
  ASSERT_EQ(b.LineCount(), static_cast<int>(c.rows.size()));
  for (int row = 0; row < b.LineCount(); ++row) {
    const EditBuffer::RowSpan span = b.RowRange(row);
    EXPECT_EQ(std::make_tuple(span.begin, span.end, span.wraps), c.rows[static_cast<std::size_t>(row)]) << "row " << row;
    EXPECT_EQ(span.begin, b.LineIndex(row));
    EXPECT_EQ(span.end - span.begin, b.LineLength(span.begin));
  }
  for (const int missing : {-1, b.LineCount()}) {
    const EditBuffer::RowSpan span = b.RowRange(missing);
    EXPECT_EQ(std::make_tuple(span.begin, span.end, span.wraps), std::make_tuple(-1, -1, false)) << "row " << missing;
  }
}

// Walking a row with Advance from x = 0 puts every character where XInRow,
// PosFromChar and the mouse find it.
TEST_P(EditBufferRowRange, AdvanceThroughARowMatchesXInRow) {
  const EditBuffer b = Laid(GetParam());
  for (int row = 0; row < b.LineCount(); ++row) {
    const EditBuffer::RowSpan span = b.RowRange(row);
    int x = 0;
    int pos = span.begin;
    while (pos < span.end) {
      EXPECT_EQ(x, b.XInRow(pos)) << "pos " << pos;
      const int len = static_cast<int>(cp932::CharLen(b.Text(), static_cast<std::size_t>(pos)));
      x = b.Advance(x, std::string_view(b.Text()).substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(len)));
      pos += len;
    }
    if (!span.wraps) {
      EXPECT_EQ(x, b.XInRow(span.end)) << "end of row " << row;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditBufferRowRange,
    ::testing::Values(
        RowRangeCase{"empty", "", 0, {{0, 0, false}}},
        RowRangeCase{"CR LF, lone LF, last line without break", "ab\r\ncd\nef", 0,
                     {{0, 2, false}, {4, 6, false}, {7, 9, false}}},
        RowRangeCase{"CR LF at the end leaves an empty last row", "ab\r\n", 0, {{0, 2, false}, {4, 4, false}}},
        RowRangeCase{"lone CR is part of the row", "a\rb\r\nc", 0, {{0, 3, false}, {5, 6, false}}},
        RowRangeCase{"table row with TABs and double-byte cells", kHyo + "\t" + kA + "\t1\r\n\t2", 0,
                     {{0, 7, false}, {9, 11, false}}},
        RowRangeCase{"wrapped rows", "abcdefghij", 4, {{0, 4, true}, {4, 8, true}, {8, 10, false}}},
        RowRangeCase{"double-byte character stays whole", "a" + kA + kA + kA, 3,
                     {{0, 3, true}, {3, 5, true}, {5, 7, false}}},
        RowRangeCase{"TAB to the next stop, then a wrap", "ab\tcdefghij", 12, {{0, 3, true}, {3, 11, false}}},
        RowRangeCase{"wrapped line ending in CR LF", "abcde\r\nx", 4, {{0, 4, true}, {4, 5, false}, {7, 8, false}}}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return n;
    });

struct AdvanceCase {
  const char* name;
  int tabStopUnits;
  int x;
  std::string ch;
  int next;
};

class EditBufferAdvance : public ::testing::TestWithParam<AdvanceCase> {};

TEST_P(EditBufferAdvance, TabGoesToTheNextStopOthersAddTheirWidth) {
  const AdvanceCase& c = GetParam();
  EditBuffer b;  // 8-pixel cells: 32 dialog units are 64 pixels, 16 are 32
  b.SetTabStops(c.tabStopUnits);
  EXPECT_EQ(b.Advance(c.x, c.ch), c.next);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditBufferAdvance,
    ::testing::Values(AdvanceCase{"TabFromTheRowStart", 32, 0, "\t", 64},
                      AdvanceCase{"TabJustBeforeAStop", 32, 63, "\t", 64},
                      AdvanceCase{"TabOnAStopGoesToTheNext", 32, 64, "\t", 128},
                      AdvanceCase{"TabWithNarrowerStops", 16, 40, "\t", 64},
                      AdvanceCase{"SingleByte", 32, 10, "a", 18},
                      AdvanceCase{"DoubleByte", 32, 10, kA, 26},
                      AdvanceCase{"ByteThatDoesNotDecode", 32, 0, "\x80", 8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EditBufferPoints, PosFromCharAtAndBeyondTheEnd) {
  EditBuffer b;
  b.SetClientRect({0, 0, 800, 640});
  b.SetText("ab\r\n" + kHyo);
  EXPECT_EQ(b.PosFromChar(0), (Point{0, 0}));
  EXPECT_EQ(b.PosFromChar(4), (Point{0, 16}));
  EXPECT_EQ(b.PosFromChar(6), (Point{16, 16}));  // just after the last character
  EXPECT_EQ(b.PosFromChar(7), (Point{-1, -1}));
  b.SetMargins(10, 0);
  EXPECT_EQ(b.PosFromChar(1), (Point{18, 0}));
  EXPECT_EQ(b.CharFromPos(18, 3), std::make_pair(1, 0));
  EXPECT_EQ(b.CharFromPos(500, 20), std::make_pair(6, 1));
}

// ---- horizontal scrolling without word wrap: the text scrolls until the
// end of its widest row, with the caret after it, stands at the right edge.

struct HorizontalScrollCase {
  const char* name;
  std::string text;
  int clientWidth;
  int leftMargin;
  bool wrap;
  int expectedMax;
};

void PrintTo(const HorizontalScrollCase& c, std::ostream* os) { *os << c.name; }

class EditBufferHorizontalScroll : public ::testing::TestWithParam<HorizontalScrollCase> {};

EditBuffer Unwrapped(const HorizontalScrollCase& c) {
  EditBuffer b;  // 8-pixel cells, 64-pixel tab stops
  b.SetClientRect({0, 0, c.clientWidth, 40 * 16});
  b.SetMargins(c.leftMargin, 0);
  b.SetWordWrap(c.wrap);
  b.SetText(c.text);
  return b;
}

TEST_P(EditBufferHorizontalScroll, RangeEndsAtTheWidestRowAndTheCaret) {
  const HorizontalScrollCase& c = GetParam();
  EditBuffer b = Unwrapped(c);
  EXPECT_EQ(b.MaxHorizontalScroll(), c.expectedMax);
  EXPECT_EQ(b.MaxHorizontalScroll(b.WidestRowPixels()), c.expectedMax);
  b.SetHorizontalScroll(1 << 20);
  EXPECT_EQ(b.HorizontalScroll(), c.expectedMax) << "scrolling stops at the end of the range";
  b.SetHorizontalScroll(-5);
  EXPECT_EQ(b.HorizontalScroll(), 0);
  // With the widest row given, the same range without measuring; a narrower
  // one given (not every row measured yet) is the range.
  b.SetHorizontalScroll(1 << 20, b.WidestRowPixels());
  EXPECT_EQ(b.HorizontalScroll(), c.expectedMax);
  b.SetHorizontalScroll(1 << 20, b.WidestRowPixels() - 8);
  EXPECT_EQ(b.HorizontalScroll(), c.wrap ? 0 : std::max(0, c.expectedMax - 8));
  b.SetHorizontalScroll(-5, b.WidestRowPixels());
  EXPECT_EQ(b.HorizontalScroll(), 0);
}

TEST_P(EditBufferHorizontalScroll, CaretAtTheEndOfTheTextNeverScrollsPastTheRange) {
  const HorizontalScrollCase& c = GetParam();
  EditBuffer b = Unwrapped(c);
  b.MoveCaret(EditBuffer::Move::TextEnd, false);
  EXPECT_LE(b.HorizontalScroll(), c.expectedMax);
  const Point caret = b.CaretPoint();
  EXPECT_GE(caret.x, b.GetRect().left);
  EXPECT_LE(caret.x + EditBuffer::kCaretWidth, b.GetRect().right) << "the caret stays in view";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditBufferHorizontalScroll,
    ::testing::Values(
        HorizontalScrollCase{"NarrowerThanTheWindow", "short\r\nabc", 640, 0, false, 0},
        HorizontalScrollCase{"EmptyText", "", 640, 0, false, 0},
        HorizontalScrollCase{"CaretJustDoesNotFit", std::string(80, 'a'), 640, 0, false, 640 + 2 - 640},
        HorizontalScrollCase{"WiderThanTheWindow", "ab\r\n" + std::string(100, 'a') + "\r\nc", 640, 0, false,
                             800 + 2 - 640},
        HorizontalScrollCase{"LastRowWideButNotTheWidest", std::string(100, 'a') + "\r\n" + std::string(90, 'a'), 640, 0,
                             false, 800 + 2 - 640},
        HorizontalScrollCase{"MarginNarrowsTheText", std::string(100, 'a'), 640, 10, false, 800 + 2 - 630},
        HorizontalScrollCase{"TabsAndDoubleByteCharacters", "a\t" + kA + kA + "\t" + std::string(60, 'b'), 320, 0,
                             false, 128 + 60 * 8 + 2 - 320},
        HorizontalScrollCase{"WordWrapNeverScrolls", std::string(100, 'a'), 640, 0, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EditBufferPoints, CaretPositionKeepsLastVisiblePair) {
  EditBuffer b;
  b.SetClientRect({0, 0, 800, 10 * 16});
  std::string text;
  for (int i = 0; i < 50; ++i) text += "line\r\n";
  b.SetText(text);
  b.SetSel(14, 14);  // line 2, column 2
  EXPECT_EQ(b.CaretPosition(), std::make_pair(2, 14));
  b.LineScroll(0, 20);  // the caret is now above the window
  b.SetSel(15, 15);
  EXPECT_EQ(b.CaretPosition(), std::make_pair(2, 14));
  b.ScrollCaret();
  EXPECT_EQ(b.CaretPosition(), std::make_pair(3, 15));
}

TEST(EditBufferLogical, CaretLineStopsAtCrAndNeverAtTrailByte) {
  EditBuffer b;
  b.SetText("x\r\n" + kHyo + "\\1=\r\nlast");
  b.SetSel(4, 4);
  EXPECT_EQ(b.GetLogicalLine(-1).first, kHyo + "\\1=");
  b.SetSel(b.GetTextLength(), b.GetTextLength());
  EXPECT_EQ(b.GetLogicalLine(-1).first, "last");
}

TEST(EditBufferTyping, DoubleByteAndCrLfAreOneUnit) {
  EditBuffer b;
  b.SetText("a" + kHyo + "\r\nb");
  b.SetSel(3, 3);
  ASSERT_TRUE(b.Backspace());
  EXPECT_EQ(b.Text(), "a\r\nb");
  ASSERT_TRUE(b.DeleteChar());
  EXPECT_EQ(b.Text(), "ab");
  b.SetText("a\r\nb");
  b.SetSel(3, 3);
  b.Backspace();
  EXPECT_EQ(b.Text(), "ab");
  b.SetSel(2, 1);  // a selection set inside nothing odd: ordered by GetSel
  EXPECT_EQ(b.GetSel(), std::make_pair(1, 2));
}

TEST(EditBufferTyping, SelectionBoundsSnapToCharacterStart) {
  EditBuffer b;
  b.SetText(kA + kHyo);
  b.SetSel(1, 3);
  EXPECT_EQ(b.GetSel(), std::make_pair(0, 2));
}

TEST(EditBufferTyping, LimitReadOnlyAndNotification) {
  EditBuffer b;
  int changes = 0;
  b.onChange = [&] { ++changes; };
  b.SetText(std::string(EditBuffer::kDefaultTextLimit - 1, 'x'));  // SetText is not limited, raises nothing
  EXPECT_EQ(changes, 0);
  b.SetSel(0, 0);
  EXPECT_TRUE(b.TypeText("y"));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(b.TypeText("z"));  // would pass 1,048,575 bytes
  EXPECT_EQ(b.GetTextLength(), EditBuffer::kDefaultTextLimit);
  b.SetText(std::string(EditBuffer::kDefaultTextLimit + 10, 'x'));
  EXPECT_EQ(b.GetTextLength(), EditBuffer::kDefaultTextLimit + 10);

  b.SetText("abc");
  b.SetReadOnly(true);
  MemoryClipboard clip;
  b.SetSel(0, 1);
  EXPECT_FALSE(b.TypeText("q"));
  EXPECT_FALSE(b.Cut(clip));
  EXPECT_FALSE(b.Backspace());
  b.Copy(clip);
  EXPECT_EQ(clip.GetText(), "a");
  EXPECT_FALSE(b.Paste(clip));
  b.SetReadOnly(false);
  b.SetSel(3, 3);
  EXPECT_TRUE(b.Paste(clip));
  EXPECT_EQ(b.Text(), "abca");
}

TEST(EditBufferMoves, ArrowsHomeEndAndShift) {
  EditBuffer b;
  b.SetText("ab" + kA + "\r\ncdefg\r\nh");
  b.SetSel(0, 0);
  b.MoveCaret(EditBuffer::Move::End, false);
  EXPECT_EQ(b.Caret(), 4);
  b.MoveCaret(EditBuffer::Move::Right, false);  // over CR LF at once
  EXPECT_EQ(b.Caret(), 6);
  b.MoveCaret(EditBuffer::Move::End, true);
  EXPECT_EQ(b.GetSel(), std::make_pair(6, 11));
  b.MoveCaret(EditBuffer::Move::Down, false);  // column kept where it fits
  EXPECT_EQ(b.Caret(), 14);
  b.MoveCaret(EditBuffer::Move::Up, false);
  b.MoveCaret(EditBuffer::Move::Up, false);
  EXPECT_EQ(b.Caret(), 4);  // x of column 5 lands after あ (columns 2-3)
  b.MoveCaret(EditBuffer::Move::Left, false);
  EXPECT_EQ(b.Caret(), 2);
}

// The incremental index must always equal a fresh layout of the same text,
// and the bytes a plain string edited alike. The text is read only in ranges
// (never as one run), so its gap stays where the edits leave it and every
// read crosses or skirts it as typing does.
TEST(EditBufferIndex, RandomEditsMatchFreshLayout) {
  const std::string pieces[] = {"a", "b ", "\r\n", "\t", kA, kHyo, "\n", "xyz", "  ", "\r"};
  for (int wrap = 0; wrap < 2; ++wrap) {
    std::mt19937 rng(1234 + wrap);
    EditBuffer b = Wrapped(7, "");
    b.SetWordWrap(wrap == 1);
    std::string model;
    for (int step = 0; step < 1500; ++step) {
      const int len = b.GetTextLength();
      const int action = static_cast<int>(rng() % 6);
      const int s = std::uniform_int_distribution<int>(0, len)(rng);
      const int e = std::min(len, s + std::uniform_int_distribution<int>(0, 6)(rng) * (rng() % 3 == 0));
      b.SetSel(s, e);
      const auto [selStart, selEnd] = b.GetSel();
      if (action == 0 && b.Backspace()) {
        model.erase(static_cast<std::size_t>(b.Caret()), static_cast<std::size_t>(selEnd - b.Caret()));
      } else if (action == 1 && b.DeleteChar()) {
        const int removed = len - b.GetTextLength();
        model.erase(static_cast<std::size_t>(selStart), static_cast<std::size_t>(removed));
      } else if (action >= 2) {
        std::string ins;
        for (int k = static_cast<int>(rng() % 4); k > 0; --k) ins += pieces[rng() % std::size(pieces)];
        b.ReplaceSel(ins);
        model.replace(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selEnd - selStart), ins);
      }

      ASSERT_EQ(b.GetText(), model) << "step " << step;
      const int from = std::uniform_int_distribution<int>(0, b.GetTextLength())(rng);
      const int to = std::uniform_int_distribution<int>(from, b.GetTextLength())(rng);
      ASSERT_EQ(b.Slice(from, to), std::string_view(model).substr(static_cast<std::size_t>(from),
                                                                  static_cast<std::size_t>(to - from)))
          << "step " << step;
      EditBuffer fresh = Wrapped(7, model);
      fresh.SetWordWrap(wrap == 1);
      ASSERT_EQ(b.LineCount(), fresh.LineCount()) << "step " << step;
      ASSERT_EQ(b.LogicalLineCount(), fresh.LogicalLineCount()) << "step " << step;
      for (int row = 0; row < fresh.LineCount(); ++row) {
        ASSERT_EQ(b.LineIndex(row), fresh.LineIndex(row)) << step;
        ASSERT_EQ(b.RowRange(row).end, fresh.RowRange(row).end) << step;
      }
      for (int n = 0; n < fresh.LogicalLineCount(); ++n)
        ASSERT_EQ(b.LogicalLineStart(n), fresh.LogicalLineStart(n)) << step;
      ASSERT_EQ(b.XInRow(b.Caret()), fresh.XInRow(b.Caret())) << step;
    }
    EXPECT_EQ(b.Text(), model);
  }
}

TEST(EditBufferText, ContainsCrLfReadsTheLineEnds) {
  const std::pair<std::string, bool> cases[] = {
      {"", false},           {"a\r\nb", true},      {"a\nb\n", false},     {"a\rb", false},
      {"\r\n", true},        {"\n\r\n", true},       {"a\n\nb\r", false},  {"a\r\r\n", true},
      {"ab\n\ncd\r\n", true}, {kHyo + "\r\n", true}, {"\r\r\n\n", true}, {"\r\n\n", true},
  };
  for (const auto& [text, expected] : cases) {
    EditBuffer b;
    b.SetText(text);
    EXPECT_EQ(b.ContainsCrLf(), expected) << text;
    // The same after the CR LF is typed into a text, the gap then behind it.
    if (!expected || text.size() < 2) continue;
    const int crlf = static_cast<int>(text.find("\r\n"));
    b.SetSel(crlf, crlf + 2);
    b.ReplaceSel("");
    EXPECT_EQ(b.ContainsCrLf(), b.Text().find("\r\n") != std::string_view::npos) << text;
    b.SetSel(crlf, crlf);
    b.ReplaceSel("\r\n");
    EXPECT_TRUE(b.ContainsCrLf()) << text;
  }
}

// A file's bytes are taken over, not copied, and edited like any text.
TEST(EditBufferText, AdoptedTextIsEditedInPlace) {
  std::string read = "ab\r\n" + kHyo + "cd";
  read.reserve(64);
  const char* storage = read.data();
  EditBuffer b;
  b.SetText(std::move(read));
  EXPECT_EQ(b.Text().data(), storage);
  EXPECT_EQ(b.LogicalLineCount(), 2);
  b.SetSel(6, 6);
  ASSERT_TRUE(b.TypeText("x"));  // fits the spare capacity: still the same bytes
  EXPECT_EQ(b.Text().data(), storage);
  EXPECT_EQ(b.Text(), "ab\r\n" + kHyo + "xcd");
}

}  // namespace
