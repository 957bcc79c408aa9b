// GapText against a plain std::string edited alike: a table of edits at and
// across the gap, and random edits and reads.
#include "buffer/GapText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace {

// Checks every way of reading `gap` against `model`, reading the pieces
// before the whole so the gap is still where the edits left it.
void ExpectSame(const GapText& gap, const std::string& model, const std::string& name) {
  ASSERT_EQ(gap.Size(), static_cast<int>(model.size())) << name;
  for (int i = 0; i < gap.Size(); ++i) ASSERT_EQ(gap.At(i), model[static_cast<std::size_t>(i)]) << name << " at " << i;
  EXPECT_EQ(gap.Copy(0, gap.Size()), model) << name;
  EXPECT_EQ(gap.Contiguous(), model) << name;
}

struct EditCase {
  std::string name;
  std::string before;
  int gapAt;  // a first edit, inserting nothing, leaves the gap here
  int begin;
  int end;
  std::string with;
};

class GapTextEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(GapTextEdit, MatchesAPlainString) {
  const EditCase& c = GetParam();
  GapText gap{std::string(c.before)};
  gap.Insert(c.gapAt, "");
  gap.Insert(c.gapAt, "#");
  gap.Erase(c.gapAt, c.gapAt + 1);
  gap.Replace(c.begin, c.end, c.with);
  std::string model = c.before;
  model.replace(static_cast<std::size_t>(c.begin), static_cast<std::size_t>(c.end - c.begin), c.with);
  ExpectSame(gap, model, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GapTextEdit,
    ::testing::Values(EditCase{"InsertIntoEmpty", "", 0, 0, 0, "abc"},
                      EditCase{"InsertAtTheGap", "abcdef", 3, 3, 3, "XY"},
                      EditCase{"InsertBeforeTheGap", "abcdef", 4, 1, 1, "XY"},
                      EditCase{"InsertAfterTheGap", "abcdef", 1, 5, 5, "XY"},
                      EditCase{"EraseAcrossTheGap", "abcdef", 3, 1, 5, ""},
                      EditCase{"EraseEndingAtTheGap", "abcdef", 4, 2, 4, ""},
                      EditCase{"EraseStartingAtTheGap", "abcdef", 2, 2, 4, ""},
                      EditCase{"ReplaceAcrossTheGap", "abcdef", 2, 1, 4, "0123456789"},
                      EditCase{"ReplaceEverything", "abcdef", 6, 0, 6, "z"},
                      EditCase{"EraseEverything", "abcdef", 0, 0, 6, ""},
                      EditCase{"GrowPastTheGap", "ab", 1, 1, 1, std::string(10000, 'g')}),
    [](const auto& info) { return info.param.name; });

TEST(GapTextView, ARangeOnOneSideOfTheGapIsReadInPlace) {
  GapText gap{std::string("0123456789")};
  gap.Insert(5, "ab");  // the gap now follows "ab", at 7
  const std::string_view left = gap.View(0, 7);
  const std::string_view right = gap.View(7, 12);
  EXPECT_EQ(left, "01234ab");
  EXPECT_EQ(right, "56789");
  // Neither read moved the gap: both views still stand.
  EXPECT_EQ(left, "01234ab");
  EXPECT_EQ(gap.View(3, 9), "34ab56");  // straddles: the gap moves out of it
  EXPECT_EQ(gap.View(9, 9), "");
}

TEST(GapTextView, ContiguousTextStaysValidUnderLaterViews) {
  GapText gap{std::string("one\ntwo\nthree")};
  gap.Insert(4, "2:");
  const std::string_view whole = gap.Contiguous();
  EXPECT_EQ(gap.View(2, 9), "e\n2:two");
  EXPECT_EQ(gap.View(0, gap.Size()), "one\n2:two\nthree");
  EXPECT_EQ(whole, "one\n2:two\nthree");
}

TEST(GapTextEditing, ReplacingWithItsOwnBytes) {
  GapText gap{std::string("abcdef")};
  gap.Insert(3, "-");
  const std::string_view own = gap.View(0, 4);  // "abc-", straddling nothing
  gap.Replace(5, 7, own);
  EXPECT_EQ(gap.Contiguous(), "abc-dabc-");
}

// Random edits and reads, each against a plain string: inserts, erases and
// replaces at random places so the gap moves both ways, grows, and reads
// fall before, after and across it.
TEST(GapTextModel, RandomEditsAndReadsMatchAPlainString) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    std::mt19937 rng(seed);
    GapText gap;
    std::string model;
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int step = 0; step < 3000; ++step) {
      const int size = gap.Size();
      const int begin = pick(0, size);
      const int end = rng() % 3 == 0 ? pick(begin, std::min(size, begin + 40)) : begin;
      std::string with(static_cast<std::size_t>(pick(0, step % 97 == 0 ? 5000 : 12)), 'a');
      for (char& c : with) c = static_cast<char>('a' + rng() % 26);
      gap.Replace(begin, end, with);
      model.replace(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin), with);

      const int from = pick(0, gap.Size());
      const int to = pick(from, std::min(gap.Size(), from + 64));
      ASSERT_EQ(gap.Copy(from, to), model.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)))
          << seed << " step " << step;
      ASSERT_EQ(gap.View(from, to), model.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)))
          << seed << " step " << step;
      if (gap.Size() > 0) {
        const int at = pick(0, gap.Size() - 1);
        ASSERT_EQ(gap.At(at), model[static_cast<std::size_t>(at)]) << seed << " step " << step;
      }
      if (step % 500 == 0) ExpectSame(gap, model, "seed " + std::to_string(seed));
    }
    ExpectSame(gap, model, "seed " + std::to_string(seed));
  }
}

TEST(GapTextAdopt, TakesTheStorageAndUsesItsSpareCapacityAsTheGap) {
  std::string read = "hello";
  read.reserve(100);
  const char* storage = read.data();
  GapText gap{std::move(read)};
  EXPECT_EQ(gap.Size(), 5);
  gap.Insert(5, " world");
  gap.Insert(0, ">");
  EXPECT_EQ(gap.Contiguous(), ">hello world");
  EXPECT_EQ(gap.Contiguous().data(), storage);
}

}  // namespace
