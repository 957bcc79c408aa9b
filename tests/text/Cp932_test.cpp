// Tests of the double-byte rules and the code page 932 conversion.
//
// Byte strings are built from named pieces because a hex escape swallows any
// hex digit that follows it ("\x95\x5Ca" would be one escape too many).
#include "text/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using cp932::npos;

const std::string kHyo = "\x95\x5C";   // 表: trail byte is the backslash
const std::string kSo = "\x83\x5C";    // ソ: same trail byte
const std::string kPo = "\x83\x7C";    // ポ: trail byte is '|'
const std::string kA = "\x88\x9F";     // 亜: both bytes can be lead bytes
const std::string kSpace = "\x81\x40"; // ideographic space: trail byte is '@'
const std::string kLead = "\x81";      // a lead byte on its own
const std::string kKana = "\xB1";      // half-width katakana A

// Boundaries of the text found the slow, obvious way: step from the start.
std::vector<std::size_t> Boundaries(const std::string& text) {
  std::vector<std::size_t> b;
  std::size_t p = 0;
  while (p < text.size()) {
    b.push_back(p);
    const auto c = static_cast<unsigned char>(text[p]);
    const bool two = cp932::IsLead(c) && p + 1 < text.size() && cp932::IsTrail(static_cast<unsigned char>(text[p + 1]));
    p += two ? 2 : 1;
  }
  b.push_back(text.size());
  return b;
}

// ---- Stepping

struct SteppingCase {
  const char* name;
  std::string text;
  std::vector<std::size_t> boundaries;  // including 0 and the length
};

const SteppingCase kStepping[] = {
    // a 表 \ ソ <lead + space> space ｱ 亜 <lone lead at end>
    {"mixed", "a" + kHyo + "\\" + kSo + kLead + " " + kKana + kA + kLead, {0, 1, 3, 4, 6, 7, 8, 9, 11, 12}},
    {"lead before non-trail", kLead + "\r\n" + kLead + "\x7F", {0, 1, 2, 3, 4, 5}},
    {"run of lead-capable bytes", "x\x81\x81\x81\x40", {0, 1, 3, 5}},
    {"kanji then lone lead", kA + kA + "\x88", {0, 2, 4, 5}},
    {"lead whose trail is a lead", "\x95\x95\x5C", {0, 2, 3}},
    {"empty", "", {0}},
};

TEST(Cp932Stepping, CharLenNextPrevSnapBackFollowTheBoundaries) {
  for (const auto& c : kStepping) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(Boundaries(c.text), c.boundaries);
    const auto& b = c.boundaries;
    for (std::size_t i = 0; i + 1 < b.size(); ++i) {
      EXPECT_EQ(cp932::CharLen(c.text, b[i]), b[i + 1] - b[i]) << "at " << b[i];
      EXPECT_EQ(cp932::Next(c.text, b[i]), b[i + 1]) << "at " << b[i];
    }
    EXPECT_EQ(cp932::CharLen(c.text, c.text.size()), 0u);
    EXPECT_EQ(cp932::Next(c.text, c.text.size()), c.text.size());
    for (std::size_t pos = 0; pos <= c.text.size(); ++pos) {
      const auto atOrBefore = *std::prev(std::upper_bound(b.begin(), b.end(), pos));
      const auto before = pos == 0 ? 0 : *std::prev(std::lower_bound(b.begin(), b.end(), pos));
      EXPECT_EQ(cp932::SnapBack(c.text, pos), atOrBefore) << "pos " << pos;
      EXPECT_EQ(cp932::Prev(c.text, pos), before) << "pos " << pos;
      // Any boundary at or before the answer is an equally good origin.
      for (std::size_t from : b) {
        if (from > before) break;
        EXPECT_EQ(cp932::Prev(c.text, pos, from), before) << "pos " << pos << " from " << from;
        EXPECT_EQ(cp932::SnapBack(c.text, pos, from), atOrBefore) << "pos " << pos << " from " << from;
      }
    }
  }
}

TEST(Cp932Stepping, PrevStopsAtTheOriginAndPastTheEndClamps) {
  const std::string text = kHyo + kSo;
  EXPECT_EQ(cp932::Prev(text, 2, 2), 2u);
  EXPECT_EQ(cp932::Prev(text, 1, 2), 2u);
  EXPECT_EQ(cp932::Prev(text, 99), 2u);
  EXPECT_EQ(cp932::SnapBack(text, 99), 4u);
}

// ---- Searching

struct FindCharCase {
  const char* name;
  std::string text;
  char c;
  std::size_t from;
  std::size_t expected;
};

const FindCharCase kFindChar[] = {
    {"backslash after 表", kHyo + "\\", '\\', 0, 2},
    {"trail backslashes only", kHyo + kSo, '\\', 0, npos},
    {"trail bar only", kPo + "|", '|', 0, 2},
    {"trail at-sign only", kSpace + kSpace, '@', 0, npos},
    {"lead whose trail is a lead", "\x95\x95\x5C", '\\', 0, 2},
    {"from a later boundary", "\\a\\", '\\', 1, 2},
    {"tab is never a trail", kHyo + "\t" + kSo + "\t", '\t', 3, 5},
    {"lf", "a\r\nb", '\n', 0, 2},
    {"lone lead byte as a character", kSpace + kLead + " ", '\x81', 0, 2},
    {"lead byte inside a pair does not match", kSpace, '\x81', 0, npos},
    {"from at the end", "abc", 'c', 3, npos},
};

TEST(Cp932Find, CharacterSearchesSkipTrailBytes) {
  for (const auto& c : kFindChar) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cp932::Find(c.text, c.c, c.from), c.expected);
    EXPECT_EQ(cp932::Find(c.text, std::string(1, c.c), c.from), c.expected);
  }
}

// A search from `from` for `needle` (a string, or for FindFirstOf the set
// of characters any of which will do) and the position expected.
struct TextSearchCase {
  const char* name;
  std::string text;
  std::string needle;
  std::size_t from;
  std::size_t expected;
};

const TextSearchCase kFindString[] = {
    {"backslash-n never starts at a trail", kHyo + "n", "\\n", 0, npos},
    {"backslash-n after the kanji", kHyo + "n\\n", "\\n", 0, 3},
    {"needle spanning trail and next lead", kHyo + kSo, "\x5C\x83", 0, npos},
    {"kanji after kanji", kSo + kHyo, kHyo, 0, 2},
    {"kanji from past the first", kHyo + kHyo, kHyo, 1, 2},
    {"needle ending in a lead that the text pairs", "a" + kHyo, "a\x95", 0, npos},
    {"needle ending in a lead that stands alone", "a\x95 ", "a\x95", 0, 0},
    {"needle ending in a lead at the end of the text", "xa\x95", "a\x95", 0, 1},
    {"parity trap", "x\x81\x81\x81\x40", "\x81\x40", 0, 3},
    {"needle longer than text", "ab", "abc", 0, npos},
    {"empty needle", "ab", "", 1, 1},
};

TEST(Cp932Find, StringSearchesMatchWholeCharacters) {
  for (const auto& c : kFindString) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cp932::Find(c.text, c.needle, c.from), c.expected);
  }
}

const TextSearchCase kFindFirstOf[] = {
    {"first of two", "ab*c/", "*/", 0, 2},
    {"from a later boundary", "a*b*", "*/", 2, 3},
    {"a trail byte 0x5C is no backslash", kHyo + "x\\", "\\", 0, 3},
    {"a double-byte member matches whole", "ab" + kHyo, kHyo, 0, 2},
    {"a member's trail byte alone does not match", "\\", kHyo, 0, npos},
    {"a single byte does not match inside a double-byte member", "\x95", kHyo, 0, npos},
    {"nothing", "abc", "*/", 0, npos},
};

TEST(Cp932Find, FindFirstOfMatchesWholeCharactersOfTheSet) {
  for (const auto& c : kFindFirstOf) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cp932::FindFirstOf(c.text, c.needle, c.from), c.expected);
  }
}

TEST(Cp932Find, TabsBeforeInLineCountsFromTheLineStart) {
  const struct {
    const char* name;
    std::string text;
    std::size_t pos;
    int expected;
  } cases[] = {
      {"first line", "a\tb\tc", 4, 2},
      {"after a line break", "a\t\t\r\nb\tc", 8, 1},
      {"at the line start", "a\t\r\nb", 4, 0},
      {"a TAB right before the position counts", "a\tb", 2, 1},
      {"past the end is the end", "a\tb", 99, 1},
      {"double-byte cells", kHyo + "\t" + kHyo + "\t", 6, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cp932::TabsBeforeInLine(c.text, c.pos), c.expected);
  }
}

struct FindLastCase {
  const char* name;
  std::string text;
  std::string needle;
  std::size_t before;
  std::size_t origin;
  std::size_t expected;
};

const FindLastCase kFindLast[] = {
    {"last backslash skips trail bytes", "\\" + kHyo + kSo, "\\", npos, 0, 0},
    {"last backslash", "\\" + kHyo + "\\" + kSo, "\\", npos, 0, 3},
    {"must start before `before`", "\\a\\", "\\", 2, 0, 0},
    {"not before the origin", "\\a\\", "\\", 2, 1, npos},
    {"overlapping matches: the last start", "aaa", "aa", npos, 0, 1},
    {"kanji", kHyo + "x" + kHyo + "y", kHyo, npos, 0, 3},
    {"kanji that may extend past `before`", kHyo + "x" + kHyo, kHyo, 4, 0, 3},
    {"parity trap", "\x81\x81\x81\x40\x81\x81", "\x81\x81", npos, 0, 4},
    {"tab", "a\tb\t", "\t", npos, 0, 3},
    {"nothing", kHyo, "\\", npos, 0, npos},
};

TEST(Cp932FindLast, FindsTheLastWholeCharacterMatch) {
  for (const auto& c : kFindLast) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cp932::FindLast(c.text, c.needle, c.before, c.origin), c.expected);
    if (c.needle.size() == 1) {
      EXPECT_EQ(cp932::FindLast(c.text, c.needle[0], c.before, c.origin), c.expected);
    }
  }
}

TEST(Cp932FindLast, FarAwayMatchInALongRunOfKanji) {
  // Every byte can be a lead byte, so no shortcut finds a boundary nearby.
  std::string text = "\\";
  for (int i = 0; i < 20000; ++i) text += kA;
  text += "\x88";
  EXPECT_EQ(cp932::FindLast(text, '\\'), 0u);
  EXPECT_EQ(cp932::FindLast(text, "\x9F\x88"), npos);
  EXPECT_EQ(cp932::FindLast(text, kA), text.size() - 3);
  EXPECT_EQ(cp932::Find(text, "\x9F\x88"), npos);
}

// ---- Searching with ASCII letters folded

struct FoldedCase {
  const char* name;
  std::string text;
  std::string needle;
  std::size_t first;  // forward from 0
};

const std::string kKatakanaA = "\x83\x41";   // ア: trail byte is 'A'
const std::string kKatakanaDi = "\x83\x61";  // ヂ: trail byte is 'a'
const std::string kFullWidthA = "\x82\x60";  // Ａ
const std::string kFullWidthSmallA = "\x82\x81";  // ａ

const FoldedCase kFolded[] = {
    {"upper finds lower", "xyzABC", "abc", 3},
    {"mixed case", "aBc", "AbC", 0},
    {"a trail byte A is not the letter a", kKatakanaA + "a", "a", 2},
    {"a trail byte a is not the letter A", kKatakanaDi + kKatakanaA + "A", "A", 4},
    {"katakana pair is matched exactly, not folded", kKatakanaDi + kKatakanaA, kKatakanaA, 2},
    {"full-width letters are not folded", kFullWidthSmallA + kFullWidthA, kFullWidthA, 2},
    {"trail backslash never matches", kHyo + "\\", "\\", 2},
    {"trail bar never matches", kPo + "|", "|", 2},
    {"letters after a kanji", kHyo + "Ab", "aB", 2},
    {"no match", "abd", "ABC", npos},
};

TEST(Cp932FindFolded, LettersFoldOnlyInSingleByteCharacters) {
  for (const auto& c : kFolded) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cp932::Find(c.text, c.needle, 0, cp932::Case::Insensitive), c.first);
    EXPECT_EQ(cp932::FindLast(c.text, c.needle, npos, 0, cp932::Case::Insensitive), c.first);
  }
}

// ---- Searches against an obvious reference on random texts

// Random texts made of the bytes that cause trouble: trail bytes that look
// like ASCII (or like letters, for the folded search), lead bytes that can
// also be trail bytes, and bytes that break a pair. Each text is searched
// for six needles, and every answer is compared with a slow reference that
// cuts text and needle into characters and compares them one by one.
struct RandomSearchCase {
  const char* name;
  std::string alphabet;
  std::uint32_t seed;
  int rounds;  // the last ten with texts of 5,000 to 10,000 bytes, the others shorter than 40
  bool foldsLetters;  // single-byte ASCII letters compare without regard to case
  // The searches under test: the plain ones or those given cp932::Case::Insensitive.
  std::size_t (*find)(std::string_view text, std::string_view needle, std::size_t from);
  std::size_t (*findLast)(std::string_view text, std::string_view needle, std::size_t before, std::size_t origin);
  int needlesCutFromText;     // of the six needles, the first ones are 1 to 3 bytes of the text
  int longestMadeUpNeedle;    // the others: 1 to this many bytes of the alphabet
  bool searchesBackToRandomOrigin;  // FindLast stops at a random boundary, else at 0
  bool checksCount;
};

const RandomSearchCase kRandomSearch[] = {
    {"Exact", "a\\|@\x95\x5C\x81\x40\x88\x9F\x7C \xB1\r\n\x83\xFC", 932, 400, false,
     [](std::string_view t, std::string_view n, std::size_t from) { return cp932::Find(t, n, from); },
     [](std::string_view t, std::string_view n, std::size_t before, std::size_t origin) {
       return cp932::FindLast(t, n, before, origin);
     },
     3, 2, true, true},
    {"LettersFolded", "aAbB\\|@\x95\x5C\x83\x41\x83\x61\x81\x40 \xB1\r\n", 9320, 300, true,
     [](std::string_view t, std::string_view n, std::size_t from) {
       return cp932::Find(t, n, from, cp932::Case::Insensitive);
     },
     [](std::string_view t, std::string_view n, std::size_t before, std::size_t origin) {
       return cp932::FindLast(t, n, before, origin, cp932::Case::Insensitive);
     },
     0, 3, false, false},
};

class Cp932RandomSearch : public ::testing::TestWithParam<RandomSearchCase> {};

TEST_P(Cp932RandomSearch, AgreesWithAReferenceOnRandomTexts) {
  const RandomSearchCase& c = GetParam();
  const std::string& alphabet = c.alphabet;
  auto fold = [&c](char ch) { return c.foldsLetters && ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch; };
  std::mt19937 rng(c.seed);
  for (int round = 0; round < c.rounds; ++round) {
    std::string text;
    const std::size_t len = round < c.rounds - 10 ? rng() % 40 : 5000 + rng() % 5000;
    for (std::size_t i = 0; i < len; ++i) text += alphabet[rng() % alphabet.size()];
    const auto b = Boundaries(text);
    auto isBoundary = [&](std::size_t p) { return std::binary_search(b.begin(), b.end(), p); };
    // A match: the same characters at whole-character positions, single-byte
    // ones compared after folding.
    auto matchesAt = [&](const std::string& needle, std::size_t p) {
      if (p + needle.size() > text.size()) return false;
      const auto nb = Boundaries(needle);
      for (std::size_t k = 0; k + 1 < nb.size(); ++k) {
        const std::size_t q = nb[k], n = nb[k + 1] - nb[k];
        if (!isBoundary(p + q) || !isBoundary(p + q + n)) return false;
        if (n == 1 ? fold(text[p + q]) != fold(needle[q]) : text.compare(p + q, n, needle, q, n) != 0) return false;
      }
      return true;
    };
    for (int k = 0; k < 6; ++k) {
      std::string needle;
      if (k < c.needlesCutFromText && !text.empty()) {
        const std::size_t s = rng() % text.size();
        needle = text.substr(s, 1 + rng() % 3);
      } else {
        const std::size_t longest = static_cast<std::size_t>(c.longestMadeUpNeedle);
        for (std::size_t i = 0, n = 1 + rng() % longest; i < n; ++i) needle += alphabet[rng() % alphabet.size()];
      }
      SCOPED_TRACE("round " + std::to_string(round) + " needle size " + std::to_string(needle.size()));
      std::vector<std::size_t> all;
      for (std::size_t p = 0; p + needle.size() <= text.size(); ++p)
        if (matchesAt(needle, p)) all.push_back(p);
      const std::size_t from = b[rng() % b.size()];
      const auto first = std::lower_bound(all.begin(), all.end(), from);
      EXPECT_EQ(c.find(text, needle, from), first == all.end() ? npos : *first);
      const std::size_t before = rng() % (text.size() + 2);
      const std::size_t origin = c.searchesBackToRandomOrigin ? b[rng() % b.size()] : 0;
      std::size_t last = npos;
      for (std::size_t p : all)
        if (p >= origin && p < before) last = p;
      EXPECT_EQ(c.findLast(text, needle, before, origin), last);
      if (!c.checksCount) continue;
      std::size_t count = 0;
      std::size_t next = 0;
      for (std::size_t p : all)
        if (p >= next) {
          ++count;
          next = p + needle.size();
        }
      EXPECT_EQ(cp932::Count(text, needle), count);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Searches, Cp932RandomSearch, ::testing::ValuesIn(kRandomSearch),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Counting, removing, replacing, reversing

struct ReplaceCase {
  const char* name;
  std::string text;
  std::string needle;
  std::string replacement;
  std::size_t count;
  std::string expected;
};

const ReplaceCase kReplace[] = {
    {"left to right, non-overlapping", "aaa", "aa", "b", 1, "ba"},
    {"four a's", "aaaa", "aa", "b", 2, "bb"},
    {"trail backslashes stay", "\\" + kHyo + "\\" + kSo, "\\", "/", 2, "/" + kHyo + "/" + kSo},
    {"kanji", "x" + kHyo + kHyo + "y", kHyo, "-", 2, "x--y"},
    {"growing replacement", "a\tb", "\t", "\t\t", 1, "a\t\tb"},
    {"no match", kSpace, "@", "!", 0, kSpace},
    {"empty needle leaves the text", "abc", "", "x", 0, "abc"},
};

TEST(Cp932Replace, CountAndReplaceAllGoLeftToRight) {
  for (const auto& c : kReplace) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cp932::Count(c.text, c.needle), c.count);
    EXPECT_EQ(cp932::ReplaceAll(c.text, c.needle, c.replacement), c.expected);
  }
}

TEST(Cp932Replace, RemoveAllRemovesOnlyWholeCharacters) {
  EXPECT_EQ(cp932::RemoveAll("a\\" + kHyo + "\\b" + kSo, '\\'), "a" + kHyo + "b" + kSo);
  EXPECT_EQ(cp932::RemoveAll(kPo + "|" + kPo, '|'), kPo + kPo);
  EXPECT_EQ(cp932::RemoveAll("1,234,567", ','), "1234567");
  EXPECT_EQ(cp932::RemoveAll("", ','), "");
}

TEST(Cp932Reverse, KeepsDoubleByteCharactersWhole) {
  const struct {
    std::string text, expected;
  } cases[] = {
      {"abc", "cba"},
      {"a" + kHyo + "b", "b" + kHyo + "a"},
      {kHyo + kSo + kKana, kKana + kSo + kHyo},
      {kLead + "\r" + kA, kA + "\r" + kLead},  // the lead before CR is its own character
      {kA + kLead, kLead + kA},                // lone lead at the end
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(cp932::Reverse(c.text), c.expected);
}

// ---- Conversion

struct MappingCase {
  const char* area;
  std::uint16_t code;
  char32_t unicode;
};

// Codes whose character Windows writes back to the same code.
const MappingCase kRoundTrip[] = {
    {"ASCII", 0x41, U'A'},
    {"ASCII backslash", 0x5C, U'\\'},
    {"ASCII tilde", 0x7E, U'~'},
    {"control", 0x09, U'\t'},
    {"half-width kana first", 0xA1, U'\uFF61'},
    {"half-width kana", 0xB1, U'\uFF71'},
    {"half-width kana last", 0xDF, U'\uFF9F'},
    {"ideographic space", 0x8140, U'\u3000'},
    {"full-width backslash", 0x815F, U'\uFF3C'},
    {"full-width tilde", 0x8160, U'\uFF5E'},
    {"not sign", 0x81CA, U'\uFFE2'},
    {"because", 0x81E6, U'\u2235'},
    {"katakana so", 0x835C, U'\u30BD'},
    {"kanji first", 0x889F, U'\u4E9C'},
    {"kanji hyo", 0x955C, U'\u8868'},
    {"kanji last", 0xEAA4, U'\u7199'},
    {"NEC row 13 first", 0x8740, U'\u2460'},
    {"NEC row 13 roman numeral", 0x8754, U'\u2160'},
    {"NEC row 13 numero", 0x8782, U'\u2116'},
    {"IBM first", 0xFA40, U'\u2170'},
    {"IBM kanji", 0xFA5C, U'\u7E8A'},
    {"IBM last", 0xFC4B, U'\u9ED1'},
    {"user-defined first", 0xF040, U'\uE000'},
    {"user-defined row end", 0xF0FC, U'\uE0BB'},
    {"user-defined last", 0xF9FC, U'\uE757'},
};

std::string Bytes(std::uint16_t code) {
  std::string s;
  if (code > 0xFF) s += static_cast<char>(code >> 8);
  s += static_cast<char>(code & 0xFF);
  return s;
}

std::string Utf8(char32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (cp >> 18));
    s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

TEST(Cp932Convert, SamplesOfEveryAreaRoundTrip) {
  for (const auto& c : kRoundTrip) {
    SCOPED_TRACE(c.area);
    EXPECT_EQ(cp932::ToUnicode(c.code), static_cast<std::int32_t>(c.unicode));
    EXPECT_EQ(cp932::FromUnicode(c.unicode), c.code);
    const std::string bytes = Bytes(c.code);
    std::vector<std::size_t> bad;
    EXPECT_EQ(cp932::ToUtf8(bytes, &bad), Utf8(c.unicode));
    EXPECT_TRUE(bad.empty());
    EXPECT_EQ(cp932::FromUtf8(Utf8(c.unicode)), bytes);
    const auto d = cp932::DecodeAt("x" + bytes, 1);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.pos, 1u);
    EXPECT_EQ(d.len, bytes.size());
    EXPECT_EQ(d.codePoint, c.unicode);
  }
}

// Characters the code page holds more than once are written where Windows
// writes them: JIS X 0208 before NEC row 13 before IBM, and IBM before the
// NEC-selected copies of the IBM characters.
const MappingCase kEncodeOnly[] = {
    {"NEC-selected IBM decodes", 0xED40, U'\u7E8A'},
    {"NEC-selected IBM last", 0xEEFC, U'\uFF02'},
    {"NEC-selected small roman numeral", 0xEEEF, U'\u2170'},
    {"NEC-selected not sign", 0xEEF9, U'\uFFE2'},
    {"NEC row 13 because", 0x879A, U'\u2235'},
    {"NEC row 13 union", 0x879C, U'\u222A'},
    {"IBM because", 0xFA5B, U'\u2235'},
    {"IBM not sign", 0xFA54, U'\uFFE2'},
    {"IBM roman numeral", 0xFA4A, U'\u2160'},
    {"NEC-selected kanji", 0xEEEC, U'\u9ED1'},
};

TEST(Cp932Convert, DuplicatesDecodeAndEncodeToTheWindowsCode) {
  for (const auto& c : kEncodeOnly) {
    SCOPED_TRACE(c.area);
    EXPECT_EQ(cp932::ToUnicode(c.code), static_cast<std::int32_t>(c.unicode));
    EXPECT_NE(cp932::FromUnicode(c.unicode), c.code);
  }
  const struct {
    char32_t unicode;
    std::int32_t code;
  } preferred[] = {
      {U'\u2235', 0x81E6}, {U'\uFFE2', 0x81CA}, {U'\u2170', 0xFA40}, {U'\u2179', 0xFA49}, {U'\u7E8A', 0xFA5C},
      {U'\u2160', 0x8754}, {U'\u222A', 0x81BE}, {U'\u9ED1', 0xFC4B}, {U'\uFF02', 0xFA57}, {U'\uFFE4', 0xFA55},
      // JIS-style mappings of the same characters are accepted one way.
      {U'\u301C', 0x8160}, {U'\u2212', 0x817C},
  };
  for (const auto& p : preferred) EXPECT_EQ(cp932::FromUnicode(p.unicode), p.code) << std::hex << static_cast<std::uint32_t>(p.unicode);
  EXPECT_EQ(cp932::FromUtf8(Utf8(U'\u2235') + Utf8(U'\uFFE2') + Utf8(U'\u2170')), "\x81\xE6\x81\xCA\xFA\x40");
}

TEST(Cp932Convert, WholeTableIsConsistent) {
  struct Area {
    const char* name;
    std::uint16_t first, last;
    int mapped;
  };
  const Area areas[] = {
      {"NEC row 13", 0x8740, 0x879C, 83},     {"NEC-selected IBM", 0xED40, 0xEEFC, 374},
      {"IBM", 0xFA40, 0xFC4B, 388},           {"user-defined", 0xF040, 0xF9FC, 1880},
      {"all double-byte", 0x8140, 0xFCFC, 9604},
  };
  for (const auto& a : areas) {
    int mapped = 0;
    for (std::uint32_t code = a.first; code <= a.last; ++code)
      if (cp932::ToUnicode(static_cast<std::uint16_t>(code)) >= 0) ++mapped;
    EXPECT_EQ(mapped, a.mapped) << a.name;
  }
  for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
    const std::int32_t u = cp932::ToUnicode(static_cast<std::uint16_t>(code));
    if (u < 0) continue;
    const std::int32_t back = cp932::FromUnicode(static_cast<char32_t>(u));
    ASSERT_GE(back, 0) << std::hex << code;
    EXPECT_EQ(cp932::ToUnicode(static_cast<std::uint16_t>(back)), u) << std::hex << code;
    EXPECT_FALSE(back >= 0xED40 && back <= 0xEEFC) << std::hex << code;
  }
}

TEST(Cp932Convert, UndecodableBytesAreReportedAndKept) {
  const struct {
    std::uint16_t code;
  } undecodable[] = {{0x80}, {0xA0}, {0xFD}, {0xFE}, {0xFF}, {0x81}, {0x8540}, {0x817F}, {0x81AD}, {0xFCFC}};
  for (const auto& u : undecodable) EXPECT_EQ(cp932::ToUnicode(u.code), -1) << std::hex << u.code;

  // a <0x80> 表 <unassigned pair 85 40> <lead before CR> CR <0xA0> <lone lead at the end>
  const std::string text = "a\x80" + kHyo + "\x85\x40" + kLead + "\r\xA0" + kLead;
  const std::string fffd = Utf8(U'\uFFFD');
  const std::string expected = "a" + fffd + Utf8(U'\u8868') + fffd + fffd + fffd + "\r" + fffd + fffd;
  std::vector<std::size_t> bad;
  EXPECT_EQ(cp932::ToUtf8(text, &bad), expected);
  EXPECT_EQ(bad, (std::vector<std::size_t>{1, 4, 5, 6, 8, 9}));
  EXPECT_EQ(cp932::ToUtf8(text), expected);

  const auto pair = cp932::DecodeAt(text, 4);
  EXPECT_FALSE(pair.ok);
  EXPECT_EQ(pair.len, 2);
  const auto lone = cp932::DecodeAt(text, 9);
  EXPECT_FALSE(lone.ok);
  EXPECT_EQ(lone.len, 1);
  EXPECT_EQ(cp932::DecodeAt(text, text.size()).len, 0);
}

TEST(Cp932Convert, WhatCp932CannotHoldBecomesAQuestionMark) {
  const struct {
    const char* name;
    std::string utf8;
    std::string expected;
  } cases[] = {
      {"emoji", "a" + Utf8(U'\U0001F600') + "b", "a?b"},
      {"e acute", "caf" + Utf8(U'\u00E9'), "caf?"},
      {"yen sign", Utf8(U'\u00A5'), "?"},
      {"code points behind the undecodable bytes", Utf8(U'\u0080') + Utf8(U'\uF8F0'), "??"},
      {"lone continuation byte", "a\x80z", "a?z"},
      {"truncated sequence", "\xE3\x81", "?"},
      {"truncated sequence before ASCII", "\xE3\x81" "A", "?A"},
      {"overlong slash", "\xC0\xAF", "??"},
      {"encoded surrogate", "\xED\xA0\x80", "???"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
      {"invalid lead", "\xF5\xFF", "??"},
      {"mixed text", "x" + Utf8(U'\u8868') + "\\" + Utf8(U'\uFF71') + "\r\n", "x" + kHyo + "\\" + kKana + "\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(cp932::FromUtf8(c.utf8), c.expected) << c.name;
}

}  // namespace
