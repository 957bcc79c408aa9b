#include "app/StatusPanes.h"

#include <gtest/gtest.h>

#include <string>

#include "buffer/EditBuffer.h"

namespace {

struct SizeCase {
  int bytes;
  const char* text;
};

TEST(StatusPanesTest, SizeTextSwitchesToKilobytesAtOneThousandBytes) {
  const SizeCase cases[] = {
      {0, "0 byte"},       {999, "999 byte"},      {1000, "1.0 KB"},
      {1099, "1.0 KB"},    {1100, "1.1 KB"},       {12345, "12.3 KB"},
      {1048575, "1048.5 KB"},
  };
  for (const SizeCase& c : cases) EXPECT_EQ(status_panes::SizeText(c.bytes), c.text) << c.bytes;
}

// Three lines of 10 bytes, then filler up to 12,345 bytes; the caret at byte
// 12 of the third line.
TEST(StatusPanesTest, CaretPaneCountsPhysicalLinesFromOneAndBytes) {
  EditBuffer e;
  std::string text = "0123456789\r\n0123456789\r\n";
  text += std::string(12345 - text.size(), 'x');
  e.SetText(text);
  const int pos = 24 + 12;
  e.SetSel(pos, pos);
  EXPECT_EQ(status_panes::CaretPaneText(e), "3 行, 12 列 【 36 文字】12.3 KB");
}

// A selection from line 1 into line 2: line and column both belong to its start.
TEST(StatusPanesTest, CaretPaneUsesTheSelectionStartAndCountsDoubleByteCharactersAsTwo) {
  EditBuffer e;
  e.SetText("\x95\x5C\x8C\x76\r\nab");  // 表計, then "ab" on line 2
  e.SetSel(2, 7);
  EXPECT_EQ(status_panes::CaretPaneText(e), "1 行, 2 列 【 2 文字】8 byte");
}

TEST(StatusPanesTest, ReadOnlyTextShowsItsOwnFigures) {
  EditBuffer e;
  e.SetText("abc\r\nde");
  e.SetReadOnly(true);
  e.SetSel(6, 6);
  EXPECT_EQ(status_panes::CaretPaneText(e), "2 行, 1 列 【 6 文字】7 byte");
}

TEST(StatusPanesTest, InsertPaneShowsTheTypingMode) {
  EXPECT_EQ(status_panes::InsertPaneText(1), "挿入");
  EXPECT_EQ(status_panes::InsertPaneText(0), "上書");
}

TEST(StatusPanesTest, EncodingPaneNamesTheFilesEncoding) {
  using file_encoding::Encoding;
  EXPECT_EQ(status_panes::EncodingPaneText(Encoding::Cp932, false), "CP932");
  EXPECT_EQ(status_panes::EncodingPaneText(Encoding::Utf8, false), "UTF-8");
  EXPECT_EQ(status_panes::EncodingPaneText(Encoding::Utf8Bom, false), "UTF-8 (BOM付き)");
  EXPECT_EQ(status_panes::EncodingPaneText(Encoding::Utf8, true), "UTF-8 読取専用");
  EXPECT_EQ(status_panes::EncodingPaneText(Encoding::Cp932, false, true), "CP932 CSV");
  EXPECT_EQ(status_panes::EncodingPaneText(Encoding::Utf8Bom, true, true), "UTF-8 (BOM付き) CSV 読取専用");
}

}  // namespace
