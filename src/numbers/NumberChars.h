// NumberChars: the character classes of number text, one place for the
// digit and blank tests every reader of numbers uses.
//
// Both work on single bytes and match C's isdigit and isspace in the "C"
// locale: digits are '0'..'9'; blanks are space, TAB, LF, VT, FF and CR. None
// of these bytes is ever a trail byte of a CP932 character, so a byte that
// tests true is always a whole character.
#pragma once

namespace numbers {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace numbers
