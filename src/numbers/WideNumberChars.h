// WideNumberChars: the full-width and Japanese characters of number text, as
// CP932 codes (lead byte << 8 | trail byte), one place for the reader of
// Japanese numbers and the in-line calculation alike.
//
// CharCode gives the code of the character that starts at a boundary: a lead
// byte followed by a trail byte is one double-byte code, anything else its own
// byte. A caller that steps by CharCode's length never takes a trail byte
// (0x5C in "表", 95 5C) for a character of its own.
#pragma once

#include <cstddef>
#include <string_view>

#include "text/Cp932.h"

namespace numbers {

// The code of the character at `pos` (a boundary below text.size()) and its length.
inline unsigned CharCode(std::string_view text, std::size_t pos, std::size_t& length) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  if (cp932::IsLead(lead) && pos + 1 < text.size() && cp932::IsTrail(static_cast<unsigned char>(text[pos + 1]))) {
    length = 2;
    return static_cast<unsigned>(lead) << 8 | static_cast<unsigned char>(text[pos + 1]);
  }
  length = 1;
  return lead;
}

namespace wide {

inline constexpr unsigned kZero = 0x824F;        // ０ (to ９, 0x8258)
inline constexpr unsigned kNine = 0x8258;
inline constexpr unsigned kBlank = 0x8140;       // 全角空白
inline constexpr unsigned kPlus = 0x817B;        // ＋
inline constexpr unsigned kMinus = 0x817C;       // －
inline constexpr unsigned kPoint = 0x8144;       // ．
inline constexpr unsigned kComma = 0x8143;       // ，
inline constexpr unsigned kSmallE = 0x8285;      // ｅ
inline constexpr unsigned kCapitalE = 0x8264;    // Ｅ
inline constexpr unsigned kBlackTriangle = 0x81A3;  // ▲, a minus in accounts
inline constexpr unsigned kWhiteTriangle = 0x81A2;  // △, likewise
inline constexpr unsigned kYen = 0x818F;         // ￥
inline constexpr unsigned kAsterisk = 0x8196;    // ＊
inline constexpr unsigned kSlash = 0x815E;       // ／
inline constexpr unsigned kCircumflex = 0x814F;  // ＾
inline constexpr unsigned kTimes = 0x817E;       // ×
inline constexpr unsigned kDivide = 0x8180;      // ÷
inline constexpr unsigned kOpenParen = 0x8169;   // （
inline constexpr unsigned kCloseParen = 0x816A;  // ）
inline constexpr unsigned kEquals = 0x8181;      // ＝
inline constexpr unsigned kThousand = 0x90E7;    // 千
inline constexpr unsigned kTenThousand = 0x969C;     // 万
inline constexpr unsigned kHundredMillion = 0x89AD;  // 億
inline constexpr unsigned kTrillion = 0x929B;        // 兆

}  // namespace wide

// The digit 0-9 of a half- or full-width digit's code, or -1.
constexpr int DigitOf(unsigned code) {
  if (code >= '0' && code <= '9') return static_cast<int>(code - '0');
  if (code >= wide::kZero && code <= wide::kNine) return static_cast<int>(code - wide::kZero);
  return -1;
}

// The power of ten of a unit character (千 3, 万 4, 億 8, 兆 12), or 0.
constexpr int UnitExponent(unsigned code) {
  switch (code) {
    case wide::kThousand: return 3;
    case wide::kTenThousand: return 4;
    case wide::kHundredMillion: return 8;
    case wide::kTrillion: return 12;
    default: return 0;
  }
}

// The half-width character a full-width character of arithmetic stands for
// (digits, ＋ － ＊ ／ ＾ × ÷ （ ） ． ， ＝ and the full-width blank), or 0.
constexpr char HalfWidthOf(unsigned code) {
  if (code >= wide::kZero && code <= wide::kNine) return static_cast<char>('0' + (code - wide::kZero));
  switch (code) {
    case wide::kPlus: return '+';
    case wide::kMinus: return '-';
    case wide::kAsterisk: case wide::kTimes: return '*';
    case wide::kSlash: case wide::kDivide: return '/';
    case wide::kCircumflex: return '^';
    case wide::kOpenParen: return '(';
    case wide::kCloseParen: return ')';
    case wide::kPoint: return '.';
    case wide::kComma: return ',';
    case wide::kEquals: return '=';
    case wide::kBlank: return ' ';
    default: return 0;
  }
}

}  // namespace numbers
