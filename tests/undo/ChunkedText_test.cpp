#include "undo/ChunkedText.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every chunk within [chunkBytes / 2, chunkBytes], or one chunk for a text
// shorter than half a chunk; the sizes add up.
void ExpectWellFormed(const ChunkedText& t, std::size_t chunkBytes) {
  std::size_t sum = 0;
  for (const auto& c : t.Chunks()) {
    ASSERT_FALSE(c->empty());
    EXPECT_LE(c->size(), chunkBytes);
    if (t.Size() >= chunkBytes / 2) {
      EXPECT_GE(c->size(), chunkBytes / 2);
    }
    sum += c->size();
  }
  EXPECT_EQ(sum, t.Size());
  if (t.Size() < chunkBytes / 2) {
    EXPECT_LE(t.Chunks().size(), 1u);
  }
}

std::size_t SharedChunks(const ChunkedText& a, const ChunkedText& b) {
  std::set<const std::string*> inA;
  for (const auto& c : a.Chunks()) inA.insert(c.get());
  std::size_t n = 0;
  for (const auto& c : b.Chunks()) n += inA.count(c.get());
  return n;
}

std::string Pattern(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('a' + (i * 7) % 26);
  return s;
}

struct SpliceCase {
  const char* name;
  std::size_t size;
  std::size_t prefix;
  std::size_t suffix;
  std::size_t insert;
};

TEST(UndoChunkedText, SpliceTable) {
  constexpr std::size_t kChunk = 16;
  const SpliceCase cases[] = {
      {"empty text, insert", 0, 0, 0, 5},
      {"insert at start", 100, 0, 100, 1},
      {"insert at end", 100, 100, 0, 1},
      {"delete whole text", 100, 0, 0, 0},
      {"replace whole text, longer", 100, 0, 0, 300},
      {"one byte on a chunk boundary", 96, 32, 63, 1},
      {"delete one byte after a boundary", 96, 32, 63, 0},
      {"delete exactly one chunk", 96, 32, 48, 0},
      {"no change at all", 96, 50, 46, 0},
      {"tiny text grows", 3, 3, 0, 40},
      {"insert into a tiny text", 5, 2, 3, 1},
  };
  for (const SpliceCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string before = Pattern(c.size);
    const std::string middle(c.insert, '#');
    const ChunkedText base = ChunkedText::FromText(before, kChunk);
    ExpectWellFormed(base, kChunk);
    const ChunkedText after = base.Splice(c.prefix, c.suffix, middle, kChunk);
    EXPECT_EQ(after.ToString(),
              before.substr(0, c.prefix) + middle + before.substr(before.size() - c.suffix));
    ExpectWellFormed(after, kChunk);
  }
}

TEST(UndoChunkedText, ReplaceInPlaceSharesAllChunksAwayFromTheChange) {
  constexpr std::size_t kChunk = 1024;
  const std::string before = Pattern(64 * 1024);
  const ChunkedText base = ChunkedText::FromText(before, kChunk);
  ASSERT_EQ(base.Chunks().size(), 64u);

  // Two edits far apart: only the chunks around each are cut anew.
  ChunkedText row = base;
  std::string after = before;
  after.insert(30000, "\x95\x5C");  // 表, whose trail byte is a backslash
  row.Replace(30000, before.size() - 30000, "\x95\x5C", kChunk);
  after.erase(1000, 1);
  row.Replace(1000, after.size() - 1000, "", kChunk);
  EXPECT_EQ(row.ToString(), after);
  ExpectWellFormed(row, kChunk);
  EXPECT_GE(SharedChunks(base, row), 64u - 4u);
  EXPECT_EQ(base.ToString(), before);  // the copy it came from is untouched

  ChunkedText same = base;
  same.Replace(500, before.size() - 500, "", kChunk);  // replaces nothing
  EXPECT_EQ(SharedChunks(base, same), 64u);
  EXPECT_EQ(same.ToString(), before);
}

struct CompareCase {
  const char* name;
  std::size_t at;      // CommonPrefixAt: from; CommonSuffixBefore: end
  std::string bytes;   // compared
  std::size_t prefix;  // expected CommonPrefixAt(at, bytes)
  std::size_t suffix;  // expected CommonSuffixBefore(at, bytes)
};

// Compares that cross chunk boundaries, stop inside a chunk, or run to
// either end of the text.
TEST(UndoChunkedText, ComparesAcrossChunks) {
  constexpr std::size_t kChunk = 8;
  const std::string text = Pattern(40);  // chunks of 8 bytes
  const ChunkedText t = ChunkedText::FromText(text, kChunk);
  ASSERT_EQ(t.Chunks().size(), 5u);
  const CompareCase cases[] = {
      {"whole text", 0, text, 40, 0},
      {"whole text before its end", 40, text, 0, 40},
      {"across two boundaries", 5, text.substr(5, 20), 20, 0},
      {"ending across two boundaries", 25, text.substr(5, 20), 0, 20},
      {"differs in the third chunk", 4, text.substr(4, 15) + "#" + text.substr(20, 4), 15, 0},
      {"differs in the first chunk, from the end", 24, "#" + text.substr(4, 20), 0, 20},
      {"runs past the end", 36, text.substr(36) + "more", 4, 0},
      {"runs past the start", 3, "more" + text.substr(0, 3), 0, 3},
      {"nothing compared", 17, "", 0, 0},
      {"at the very end", 40, "x", 0, 0},
      {"at the very start", 0, "x", 0, 0},
  };
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(t.CommonPrefixAt(c.at, c.bytes), c.prefix);
    EXPECT_EQ(t.CommonSuffixBefore(c.at, c.bytes), c.suffix);
    EXPECT_EQ(t.HoldsAt(c.at, c.bytes), c.prefix == c.bytes.size());
  }
}

// Random splices on a chain of texts, each made from the one before or
// changed in place: the chain must keep the bytes and the chunk sizes of a
// plain string model.
TEST(UndoChunkedText, RandomSplicesMatchAString) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    const std::size_t chunk = 8 + rng() % 40;
    std::string model = Pattern(rng() % 300);
    ChunkedText text = ChunkedText::FromText(model, chunk);
    std::vector<std::pair<ChunkedText, std::string>> kept;
    for (int step = 0; step < 400; ++step) {
      const std::size_t prefix = rng() % (model.size() + 1);
      const std::size_t suffix = rng() % (model.size() - prefix + 1);
      const std::string middle(rng() % 3 == 0 ? rng() % 100 : rng() % 3, static_cast<char>('A' + step % 26));
      model = model.substr(0, prefix) + middle + model.substr(model.size() - suffix);
      if (step % 2 == 0) {
        text = text.Splice(prefix, suffix, middle, chunk);
      } else {
        if (step % 16 == 1) kept.emplace_back(text, text.ToString());
        text.Replace(prefix, suffix, middle, chunk);
      }
      ASSERT_EQ(text.ToString(), model) << "step " << step;
      ExpectWellFormed(text, chunk);
      std::string range;
      const std::size_t from = rng() % (model.size() + 1);
      const std::size_t to = from + rng() % (model.size() - from + 1);
      text.AppendRange(range, from, to);
      ASSERT_EQ(range, model.substr(from, to - from));
      if (HasFailure()) return;
    }
    // Copies taken on the way share chunks with the row changed after them,
    // and still hold their own text.
    for (const auto& [copy, copyText] : kept) ASSERT_EQ(copy.ToString(), copyText);
  }
}

}  // namespace
