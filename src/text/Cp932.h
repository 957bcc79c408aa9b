// Cp932: every double-byte rule of the program in one place.
//
// Text inside PivraF is a CP932 (Windows Shift-JIS) byte string. A character is
// either one byte, or a lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail
// byte (0x40-0x7E, 0x80-0xFC). Trail bytes overlap ASCII ("表" is 95 5C, and
// 0x5C is the backslash), so no code may scan text byte by byte for an ASCII
// character: it must step by characters, and it must use these functions.
//
// Positions are byte offsets. "From a known boundary" means the caller starts at
// a position that begins a character (the start of the text or of a line: CR and
// LF never occur as trail bytes, so the byte after an LF is always a boundary).
// A lead byte at the very end of the text, or one followed by a byte that is not
// a trail byte, is a character of its own of one byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cp932 {

constexpr bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsTrail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Length (1 or 2) of the character that starts at pos; 0 at or past the end.
std::size_t CharLen(std::string_view text, std::size_t pos);

// Start of the next character after the one at pos (pos must be a boundary).
std::size_t Next(std::string_view text, std::size_t pos);

// Start of the character before pos, scanning forward from `from`, a known
// boundary at or before pos. Returns `from` when pos <= from.
std::size_t Prev(std::string_view text, std::size_t pos, std::size_t from = 0);

// The boundary at or before pos, scanning forward from the known boundary
// `from`: a position inside a double-byte character snaps to its lead byte.
std::size_t SnapBack(std::string_view text, std::size_t pos, std::size_t from = 0);

inline constexpr std::size_t npos = std::string_view::npos;

// Character-aware searches. `from` must be a boundary. Forward searches find
// the first match starting at or after `from`; backward searches find the last
// match that starts before `before` (scanning from the boundary `origin`).
std::size_t Find(std::string_view text, char c, std::size_t from = 0);
std::size_t Find(std::string_view text, std::string_view needle, std::size_t from = 0);
std::size_t FindLast(std::string_view text, char c, std::size_t before = npos, std::size_t origin = 0);
std::size_t FindLast(std::string_view text, std::string_view needle, std::size_t before = npos,
                     std::size_t origin = 0);

// Letter case in a search: Insensitive treats the ASCII letters A-Z and a-z
// of single-byte characters as equal to their other case; double-byte
// characters (full-width letters too) always match exactly.
enum class Case { Sensitive, Insensitive };
std::size_t Find(std::string_view text, std::string_view needle, std::size_t from, Case letters);
std::size_t FindLast(std::string_view text, std::string_view needle, std::size_t before, std::size_t origin,
                     Case letters);

// The first character at or after `from` (a boundary) that is one of the
// characters of `set` (CP932 text: single- and double-byte characters alike).
std::size_t FindFirstOf(std::string_view text, std::string_view set, std::size_t from = 0);

// The cell column of a position: the number of TABs between the start of its
// line (the byte after the last LF before it) and the position.
int TabsBeforeInLine(std::string_view text, std::size_t pos);

// Number of non-overlapping matches, counted left to right.
std::size_t Count(std::string_view text, std::string_view needle);

// Removes every occurrence of c (as a character, never a trail byte).
std::string RemoveAll(std::string_view text, char c);

// Replaces every match, left to right, non-overlapping.
std::string ReplaceAll(std::string_view text, std::string_view needle, std::string_view replacement);

// The text with its characters in reverse order (each double-byte character kept whole).
std::string Reverse(std::string_view text);

// ---- Conversion at the edges (drawing, clipboard, input method, settings, file names).

// One decoded character for drawing: the Unicode code point and the bytes it
// came from. A byte (or pair) that does not decode has codePoint -1 and stays
// in the text unchanged; drawing shows it visibly.
struct DecodedChar {
  std::size_t pos;     // byte offset in the CP932 text
  std::uint8_t len;    // 1 or 2 bytes
  char32_t codePoint;  // valid only when ok
  bool ok;
};

// Decodes one character at pos (a boundary).
DecodedChar DecodeAt(std::string_view text, std::size_t pos);

// Unicode code point of a CP932 character code (0x00-0xFF single byte, or
// lead<<8|trail), or -1 when the code is not in the code page.
std::int32_t ToUnicode(std::uint16_t code);

// CP932 code of a Unicode code point, or -1 when CP932 cannot hold it. Where
// the code page holds a character twice (NEC and IBM duplicates), the code
// Windows writes is returned.
std::int32_t FromUnicode(char32_t cp);

// CP932 -> UTF-8. Undecodable bytes become U+FFFD unless `badBytes` is given,
// in which case their offsets are appended there as well.
std::string ToUtf8(std::string_view cp932Text, std::vector<std::size_t>* badBytes = nullptr);

// UTF-8 -> CP932. Characters CP932 cannot hold, and malformed UTF-8, become "?".
std::string FromUtf8(std::string_view utf8);

}  // namespace cp932
