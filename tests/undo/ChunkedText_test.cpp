#include "undo/ChunkedText.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

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

TEST(UndoChunkedText, RebasedSharesAllChunksAwayFromTheChange) {
  constexpr std::size_t kChunk = 1024;
  const std::string before = Pattern(64 * 1024);
  const ChunkedText base = ChunkedText::FromText(before, kChunk);
  ASSERT_EQ(base.Chunks().size(), 64u);

  std::string after = before;
  after.insert(30000, "\x95\x5C");  // 表, whose trail byte is a backslash
  after.erase(1000, 1);
  const ChunkedText next = base.Rebased(after, kChunk);
  EXPECT_EQ(next.ToString(), after);
  ExpectWellFormed(next, kChunk);
  // Prefix and suffix compare spans the whole range between the two edits,
  // so the chunks from 1000 to 30000 are cut anew; the others are shared.
  EXPECT_GE(SharedChunks(base, next), 64u - 31u);

  const ChunkedText same = base.Rebased(before, kChunk);
  EXPECT_EQ(SharedChunks(base, same), 64u);

  std::string oneByte = before;
  oneByte[40000] = '!';
  EXPECT_GE(SharedChunks(base, base.Rebased(oneByte, kChunk)), 62u);
}

// Random splices on a chain of texts, each made from the one before: the
// chain must keep the bytes and the chunk sizes of a plain string model.
TEST(UndoChunkedText, RandomSplicesMatchAString) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    const std::size_t chunk = 8 + rng() % 40;
    std::string model = Pattern(rng() % 300);
    ChunkedText text = ChunkedText::FromText(model, chunk);
    for (int step = 0; step < 400; ++step) {
      const std::size_t prefix = rng() % (model.size() + 1);
      const std::size_t suffix = rng() % (model.size() - prefix + 1);
      const std::string middle(rng() % 3 == 0 ? rng() % 100 : rng() % 3, static_cast<char>('A' + step % 26));
      model = model.substr(0, prefix) + middle + model.substr(model.size() - suffix);
      if (step % 2 == 0) {
        text = text.Splice(prefix, suffix, middle, chunk);
      } else {
        text = text.Rebased(model, chunk);
      }
      ASSERT_EQ(text.ToString(), model) << "step " << step;
      ExpectWellFormed(text, chunk);
      if (HasFailure()) return;
    }
  }
}

}  // namespace
