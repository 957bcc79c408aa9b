// The common ends of two texts, found whole or from ends already known to
// be shared: either way the span found rebuilds the text after from the one
// before, and never compares past the known ends.
#include "undo/TextDiff.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct EndsCase {
  const char* before;
  const char* after;
  textdiff::Span known;
};

TEST(TextDiff, KnownEndsGiveASpanThatRebuildsTheText) {
  const EndsCase cases[] = {
      {"abcdef", "abXdef", {0, 0}},       {"abcdef", "abXdef", {2, 3}},    {"abcdef", "abXdef", {1, 1}},
      {"aaaa", "aaaaa", {4, 0}},          {"aaaa", "aaaaa", {0, 4}},       {"aaaa", "aaaaa", {4, 4}},
      {"", "x", {0, 0}},                  {"xy", "", {0, 2}},              {"abab", "ab", {2, 2}},
      {"\x95\x5C\x95\x5C", "\x95\x5C", {2, 0}},
  };
  for (const EndsCase& c : cases) {
    const std::string before = c.before, after = c.after;
    for (const bool useKnown : {false, true}) {
      const textdiff::Span span =
          useKnown ? textdiff::CommonEnds(before, after, c.known) : textdiff::CommonEnds(before, after);
      const std::size_t shorter = std::min(before.size(), after.size());
      ASSERT_LE(span.prefix + span.suffix, shorter) << before << " -> " << after;
      const std::string rebuilt = before.substr(0, span.prefix) +
                                  after.substr(span.prefix, after.size() - span.prefix - span.suffix) +
                                  before.substr(before.size() - span.suffix);
      EXPECT_EQ(rebuilt, after) << before << " -> " << after << (useKnown ? " with known ends" : "");
      EXPECT_EQ(before.substr(0, span.prefix), after.substr(0, span.prefix));
      EXPECT_EQ(before.substr(before.size() - span.suffix), after.substr(after.size() - span.suffix));
      if (useKnown) {
        EXPECT_GE(span.prefix, std::min(c.known.prefix, shorter));
      }
    }
  }
}

}  // namespace
