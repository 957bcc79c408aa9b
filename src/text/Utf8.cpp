#include "text/Utf8.h"

namespace utf8 {

Decoded DecodeAt(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char b = byte(pos);
  if (b < 0x80) return {b, 1, true};
  std::size_t need = 0;  // continuation bytes after the lead
  char32_t cp = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the first continuation byte
  if (b >= 0xC2 && b <= 0xDF) {
    need = 1;
    cp = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    need = 2;
    cp = b & 0x0F;
    if (b == 0xE0) lo = 0xA0;  // overlong
    if (b == 0xED) hi = 0x9F;  // surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    need = 3;
    cp = b & 0x07;
    if (b == 0xF0) lo = 0x90;  // overlong
    if (b == 0xF4) hi = 0x8F;  // beyond U+10FFFF
  } else {
    return {0, 1, false};
  }
  std::size_t q = pos + 1;
  for (std::size_t i = 0; i < need; ++i, ++q) {
    const unsigned char cLo = i == 0 ? lo : 0x80, cHi = i == 0 ? hi : 0xBF;
    if (q >= text.size() || byte(q) < cLo || byte(q) > cHi) return {0, q - pos, false};
    cp = cp << 6 | (byte(q) & 0x3F);
  }
  return {cp, q - pos, true};
}

bool IsValid(std::string_view text) {
  for (std::size_t p = 0; p < text.size();) {
    const Decoded d = DecodeAt(text, p);
    if (!d.ok) return false;
    p += d.length;
  }
  return true;
}

void Append(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace utf8
