// The two large texts the size benchmarks work on, made the same way on
// every run (fixed seeds), so figures of different runs and of different
// benchmarks compare:
//   table   rows of 10 cells like "1.23", TAB between them, CR LF after each
//           (51 bytes a row: 1,300,000 rows make 64 MB);
//   prose   Japanese sentences (kana, kanji, "、" and "。") in long lines of
//           2 to 8 KB, CR LF after each, CP932; its length is even and it
//           never ends inside a character or a line end.
#pragma once

#include <cstddef>
#include <random>
#include <string>

namespace bigtexts {

constexpr int kTableCells = 10;
constexpr std::size_t kTableRowBytes = 51;

inline std::string Table(std::size_t bytes) {
  std::mt19937 rng(64);
  std::string t;
  t.reserve(bytes + 64);
  char cell[5] = {'0', '.', '0', '0', 0};
  while (t.size() + kTableRowBytes <= bytes) {
    for (int c = 0; c < kTableCells; ++c) {
      const unsigned v = rng() % 1000;
      cell[0] = static_cast<char>('0' + v / 100);
      cell[2] = static_cast<char>('0' + v / 10 % 10);
      cell[3] = static_cast<char>('0' + v % 10);
      t.append(cell, 4);
      t += c + 1 < kTableCells ? "\t" : "\r\n";
    }
  }
  return t;
}

inline std::string Prose(std::size_t bytes) {
  // Hiragana, kanji (表 95 5C and 能 94 5C among them) and punctuation.
  const char* chars[] = {"\x82\xA0", "\x82\xA2", "\x82\xA4", "\x82\xA6", "\x82\xA8", "\x82\xA9", "\x82\xCC",
                         "\x82\xC6", "\x82\xC9", "\x82\xF0", "\x95\x5C", "\x94\x5C", "\x93\xFA", "\x96\x7B",
                         "\x8C\xEA", "\x95\xB6", "\x8F\xCD", "\x8E\x9E", "\x8A\xD4", "\x90\x6C"};
  std::mt19937 rng(932);
  std::string t;
  t.reserve(bytes + 16384);
  while (t.size() < bytes) {
    const std::size_t line = 2048 + rng() % 6144;
    const std::size_t end = t.size() + line;
    while (t.size() < end) {
      for (int n = 5 + static_cast<int>(rng() % 20); n > 0; --n) t += chars[rng() % 20];
      t += rng() % 3 == 0 ? "\x81\x42" : "\x81\x41";  // 。 or 、
    }
    t += "\r\n";
  }
  t.resize(bytes - bytes % 2);
  while (!t.empty() && (t.back() == '\r')) t.pop_back();
  return t;
}

}  // namespace bigtexts
