// The logical line starts after an edit against a plain recount of the new
// text, and the reported change against the lines before and after it.
#include "buffer/LineStarts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "buffer/GapText.h"
#include "support/CaseName.h"

namespace {

// 0 and every offset just after an LF, counted afresh.
std::vector<int> Recount(const std::string& text) {
  std::vector<int> starts{0};
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n') starts.push_back(static_cast<int>(i) + 1);
  return starts;
}

std::vector<int> StartsOf(const LineStarts& lines) {
  std::vector<int> starts;
  for (int i = 0; i < lines.Count(); ++i) starts.push_back(lines.Start(i));
  return starts;
}

int LineOfIn(const std::vector<int>& starts, int pos) {
  int line = 0;
  while (line + 1 < static_cast<int>(starts.size()) && starts[static_cast<std::size_t>(line) + 1] <= pos) ++line;
  return line;
}

// Replaces [start, end) of `text` with `with` in the text and in its index,
// and checks the index and the change it reported.
void CheckEdit(std::string& text, LineStarts& lines, int start, int end, const std::string& with,
               const std::string& name) {
  const std::vector<int> before = Recount(text);
  // The index reads the edited text as the buffer holds it: with its gap
  // just after the inserted bytes.
  GapText edited{std::string(text)};
  edited.Replace(start, end, with);
  text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), with);
  const LineStarts::Change change = lines.Replace(edited, start, end, static_cast<int>(with.size()));
  const std::vector<int> after = Recount(text);
  ASSERT_EQ(StartsOf(lines), after) << name;
  EXPECT_EQ(lines.TextLength(), static_cast<int>(text.size())) << name;

  EXPECT_EQ(change.first, LineOfIn(before, start)) << name;
  EXPECT_EQ(change.first + change.removed - 1, LineOfIn(before, end)) << name;
  ASSERT_EQ(static_cast<int>(after.size()), static_cast<int>(before.size()) - change.removed + change.inserted) << name;
  const int delta = static_cast<int>(with.size()) - (end - start);
  for (int i = change.first + change.inserted; i < static_cast<int>(after.size()); ++i) {
    EXPECT_EQ(after[static_cast<std::size_t>(i)],
              before[static_cast<std::size_t>(i - change.inserted + change.removed)] + delta)
        << name << ": line " << i << " is not the old line after the change";
  }
}

struct EditCase {
  const char* name;
  std::string text;
  int start;
  int end;
  std::string with;
};

class LineStartsEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(LineStartsEdit, MatchesARecountOfTheNewText) {
  const EditCase& c = GetParam();
  std::string text = c.text;
  LineStarts lines;
  lines.Assign(text);
  ASSERT_EQ(StartsOf(lines), Recount(text));
  CheckEdit(text, lines, c.start, c.end, c.with, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineStartsEdit,
    ::testing::Values(
        EditCase{"into an empty text", "", 0, 0, "a\r\nb"},
        EditCase{"at the start", "ab\r\ncd", 0, 0, "x\r\n"},
        EditCase{"at the end without a final break", "ab\r\ncd", 6, 6, "\r\nef"},
        EditCase{"at the end after the final break", "ab\r\n", 4, 4, "x"},
        EditCase{"at the start of a line", "a\r\nb", 3, 3, "\r\n"},
        EditCase{"an LF between CR and LF", "ab\r\ncd", 3, 3, "\n"},
        EditCase{"a CR before a lone LF", "ab\ncd", 2, 2, "\r"},
        EditCase{"a lone CR breaks no line", "abc", 1, 1, "\r"},
        EditCase{"a lone LF", "abc\r\nd", 1, 1, "\n"},
        EditCase{"the LF of CR LF, leaving a lone CR", "ab\r\ncd", 3, 4, ""},
        EditCase{"the CR of CR LF, leaving a lone LF", "ab\r\ncd", 2, 3, ""},
        EditCase{"a whole CR LF", "ab\r\ncd\r\n", 2, 4, ""},
        EditCase{"the final break", "a\r\n", 1, 3, ""},
        EditCase{"the final LF alone", "a\r\n", 2, 3, ""},
        EditCase{"across several lines", "a\r\nb\r\nc\r\nd", 1, 7, ""},
        EditCase{"the start up to a line start", "ab\r\ncd\r\n", 0, 4, ""},
        EditCase{"everything", "a\r\nb", 0, 4, ""},
        EditCase{"lines by more lines", "a\r\nb\r\nc", 2, 5, "\n\nX\r"},
        EditCase{"a break by text", "a\r\nb\r\nc", 1, 3, "xyz"},
        EditCase{"the middle of CR LF by a CR", "a\r\nb", 2, 2, "\r"},
        EditCase{"a line's text up to its break", "abc\r\ndef\r\n", 5, 8, "\r\n\r\n"}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

// Random edits of a text of letters, CRs and LFs, each checked as above.
TEST(LineStartsModel, RandomEditsMatchARecount) {
  std::mt19937 rng(2024);
  const char* pieces[] = {"a", "bc", "\r", "\n", "\r\n", "\r\n\r\n", "x\ny"};
  std::string text;
  LineStarts lines;
  lines.Assign(text);
  for (int step = 0; step < 2000; ++step) {
    const int length = static_cast<int>(text.size());
    const int start = std::uniform_int_distribution<int>(0, length)(rng);
    const int end = std::min(length, start + std::uniform_int_distribution<int>(0, 6)(rng));
    std::string with;
    for (int n = std::uniform_int_distribution<int>(0, 3)(rng); n > 0; --n)
      with += pieces[std::uniform_int_distribution<int>(0, 6)(rng)];
    CheckEdit(text, lines, start, end, with, "step " + std::to_string(step));
    if (HasFatalFailure()) return;
  }
}

TEST(LineStartsModel, LineOfAPosition) {
  LineStarts lines;
  lines.Assign("ab\r\n\ncd");
  EXPECT_EQ(lines.Count(), 3);
  EXPECT_EQ(lines.LineOf(-1), 0);
  EXPECT_EQ(lines.LineOf(0), 0);
  EXPECT_EQ(lines.LineOf(3), 0) << "the LF belongs to the line it ends";
  EXPECT_EQ(lines.LineOf(4), 1);
  EXPECT_EQ(lines.LineOf(5), 2);
  EXPECT_EQ(lines.LineOf(7), 2);
  EXPECT_EQ(lines.LineOf(100), 2);
  EXPECT_EQ(lines.End(0), 4);
  EXPECT_EQ(lines.End(2), 7);
}

}  // namespace
