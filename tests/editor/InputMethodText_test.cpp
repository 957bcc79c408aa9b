// The text around the caret as an input method sees it (UTF-16 units over
// CP932 bytes) and the input method's commits with a range to replace, each
// one undo step.
#include "editor/InputMethodText.h"

#include <gtest/gtest.h>

#include "support/TestView.h"

namespace {

std::string Cp(const std::string& utf8) { return cp932::FromUtf8(utf8); }
std::string Utf(std::string_view cp) { return cp932::ToUtf8(cp); }

struct SurroundingCase {
  const char* name;
  std::string text;  // CP932
  int anchor, caret;  // bytes
  std::u16string line;
  int cursor, anchorUnits;
};

TEST(InputMethodText, SurroundingTextIsTheCaretsLogicalLineInUtf16Units) {
  const std::string hyo = "\x95\x5C";  // 表: trail byte 0x5C
  const SurroundingCase cases[] = {
      {"caret after a trail byte 0x5C", "a" + hyo + "b\r\nnext", 3, 3, u"a表b", 2, 2},
      {"second line, CR LF left out", "ab\r\n" + Cp("日本語") + "\r\nz", 10, 6, u"日本語", 1, 3},
      {"anchor on the line before is cut to the line's start", "ab\r\n" + Cp("日本"), 1, 8, u"日本", 2, 0},
      {"lone lead byte at the end is one unit", "a\x95", 2, 2, u"a\uFFFD", 2, 2},
      {"undecodable byte then a character", "\x80" + hyo, 3, 3, u"\uFFFD表", 2, 2},
      {"empty last line", "ab\r\n", 4, 4, u"", 0, 0},
  };
  for (const SurroundingCase& c : cases) {
    TestView t(c.text);
    t.Edit().SetSel(c.anchor, c.caret);
    ASSERT_EQ(t.Edit().Caret(), c.caret) << c.name;
    const InputMethodText::Surrounding s = InputMethodText(t.view).AroundCaret();
    EXPECT_EQ(s.text, c.line) << c.name;
    EXPECT_EQ(s.cursor, c.cursor) << c.name;
    EXPECT_EQ(s.anchor, c.anchorUnits) << c.name;
  }
}

TEST(InputMethodText, VeryLongLineIsToldAroundTheCaret) {
  const int limit = InputMethodText::kSurroundingBytes;
  // A double-byte character straddles each cut: the part starts and ends on
  // whole characters.
  std::string line = "x";
  while (static_cast<int>(line.size()) < 3 * limit) line += "\x95\x5C";  // 表
  TestView t(line + "\r\nnext");
  const int caret = 1 + 2 * (limit / 2 + 100);  // a character boundary in the middle
  t.Edit().SetSel(caret - 4, caret);
  const InputMethodText::Surrounding s = InputMethodText(t.view).AroundCaret();
  EXPECT_LE(static_cast<int>(s.text.size()), limit + 1);
  EXPECT_GE(static_cast<int>(s.text.size()), limit - 1);
  EXPECT_EQ(s.text.find(u'x'), std::u16string::npos) << "the line's start is left out";
  EXPECT_EQ(s.text.find(u'\uFFFD'), std::u16string::npos) << "no character is cut";
  EXPECT_EQ(s.cursor - s.anchor, 2);
  EXPECT_EQ(s.text.substr(static_cast<std::size_t>(s.anchor), 2), u"表表");
}

TEST(InputMethodText, SelectionAndOffsetsConvertBothWays) {
  TestView t(Cp("x日本語y\r\nz"));
  t.Edit().SetSel(1, 7);
  EXPECT_EQ(InputMethodText(t.view).Selection(), u"日本語");
  const std::string line = Cp("x日本語y");
  EXPECT_EQ(InputMethodText::Utf16Length(line), 5);
  EXPECT_EQ(InputMethodText::ByteOffsetOfUnits(line, 2), std::optional<std::size_t>(3));
  EXPECT_EQ(InputMethodText::ByteOffsetOfUnits(line, 5), std::optional<std::size_t>(8));
  EXPECT_EQ(InputMethodText::ByteOffsetOfUnits(line, 6), std::nullopt);
  EXPECT_EQ(InputMethodText::ByteOffsetOfUnits(line, -1), std::nullopt);
}

struct CommitCase {
  const char* name;
  const char* text;  // UTF-8
  int anchor, caret;  // bytes
  bool insert;
  const char* commit;
  int replaceStart, replaceLength;
  const char* result;
};

class InputMethodCommit : public testing::TestWithParam<CommitCase> {};

TEST_P(InputMethodCommit, ReplacesAndCommitsAsOneUndoStep) {
  const CommitCase& c = GetParam();
  TestView t(Cp(c.text));
  t.Edit().SetSel(c.anchor, c.caret);
  t.view.modes.insert = c.insert;
  const std::string before(t.Text());
  const bool changed = InputMethodText(t.view).Commit(c.commit, c.replaceStart, c.replaceLength);
  EXPECT_EQ(Utf(t.Text()), c.result);
  EXPECT_EQ(changed, t.Text() != before);
  t.view.Undo();
  EXPECT_EQ(t.Text(), before) << "one undo takes the whole commit back";
}

INSTANTIATE_TEST_SUITE_P(
    Commits, InputMethodCommit,
    testing::Values(
        CommitCase{"PlainCommit", "abc", 1, 1, true, "日本語", 0, 0, "a日本語bc"},
        CommitCase{"CommitReplacesTheSelection", "x日本語y", 1, 7, true, "二本後", 0, 0, "x二本後y"},
        CommitCase{"ReconversionDeletesBeforeTheCaret", "x日本語y", 7, 7, true, "", -3, 3, "xy"},
        CommitCase{"ReplacementAfterTheCaretWithCommit", "x日本語y", 1, 1, true, "にほんご", 0, 3, "xにほんごy"},
        CommitCase{"ReplacementOnTheSecondLine", "表\r\n表表", 6, 6, true, "計", -1, 1, "表\r\n計表"},
        CommitCase{"RangeLeavingTheLineIsNotReplaced", "ab\r\ncd", 5, 5, true, "表", -3, 2, "ab\r\nc表d"},
        CommitCase{"OverwriteCommitTakesThePlaceOfWhatFollows", "abcdef", 1, 1, false, "表", 0, 0, "a表def"},
        CommitCase{"OverwriteCommitThatReplacedKeepsWhatFollows", "x日本語y", 1, 7, false, "二", 0, 0, "x二y"}),
    [](const testing::TestParamInfo<CommitCase>& info) { return std::string(info.param.name); });

TEST(InputMethodText, ReadOnlyTextAndEmptyCommitChangeNothing) {
  TestView t(Cp("abc"));
  t.Edit().SetSel(1, 1);
  EXPECT_FALSE(InputMethodText(t.view).Commit("", 0, 0));
  t.Edit().SetReadOnly(true);
  EXPECT_FALSE(InputMethodText(t.view).Commit("表", -1, 1));
  EXPECT_EQ(t.Text(), "abc");
}

}  // namespace
