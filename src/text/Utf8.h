// Utf8: the one strict UTF-8 decoder and encoder of the program.
//
// Strict means what Unicode calls well-formed: no overlong forms, no
// surrogates (U+D800-U+DFFF), nothing above U+10FFFF, no truncated sequence.
// Malformed input is measured as Unicode recommends for replacement: each
// maximal prefix of a valid sequence, and each byte that cannot start one,
// counts as one bad unit, so a caller that replaces units never swallows a
// good character after a bad byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace utf8 {

struct Decoded {
  char32_t codePoint = 0;  // valid only when ok
  std::size_t length = 0;  // bytes taken: the sequence, or the bad unit (at least 1)
  bool ok = false;
};

// Decodes the character at pos (pos < text.size()).
Decoded DecodeAt(std::string_view text, std::size_t pos);

// True when the whole text is well-formed UTF-8.
bool IsValid(std::string_view text);

// Appends the UTF-8 form of a code point (at most U+10FFFF, no surrogate).
void Append(std::string& out, char32_t codePoint);

}  // namespace utf8
