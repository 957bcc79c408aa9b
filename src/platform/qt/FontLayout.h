// FontLayout: the LineLayout of the window, measuring characters with the
// display font.
//
// Every CP932 character code has a slot in one of two flat caches: 256 slots
// for single-byte codes (filled at construction) and 65,536 for lead<<8|trail
// codes (filled on first use), so laying out a megabyte of text costs one
// array look-up per character once each distinct character has been measured.
// A slot holds the pixel width and how the character is drawn:
//   - a glyph of the display font (its index in that font, for glyph runs);
//   - a character the font lacks, drawn as text so the platform's fallback
//     fonts supply it;
//   - a small box with the byte values in hex, for bytes that do not decode
//     and for control characters, so every byte stays visible and is kept.
// Widths never change after they are measured; a new font means a new layout.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/LineLayout.h"

class FontLayout final : public LineLayout {
 public:
  enum class Kind : std::uint8_t { Unknown, Glyph, Fallback, HexBox };

  struct CharInfo {
    std::int32_t width = 0;
    std::uint32_t glyph = 0;  // valid for Kind::Glyph
    char32_t codePoint = 0;   // valid for Glyph and Fallback
    Kind kind = Kind::Unknown;
  };

  explicit FontLayout(const QFont& font);

  int CharWidth(std::string_view ch) const override { return Info(ch).width; }
  int LineHeight() const override { return lineHeight_; }
  int AverageCharWidth() const override { return averageCharWidth_; }

  // What the cache knows of the character `ch` (one or two CP932 bytes).
  const CharInfo& Info(std::string_view ch) const {
    if (ch.size() == 1) return single_[static_cast<unsigned char>(ch[0])];
    const std::uint16_t code =
        static_cast<std::uint16_t>(static_cast<unsigned char>(ch[0]) << 8 | static_cast<unsigned char>(ch[1]));
    const CharInfo& info = double_[code];
    return info.kind == Kind::Unknown ? Measure(code) : info;
  }

  const QFont& Font() const { return font_; }
  const QRawFont& RawFont() const { return rawFont_; }
  int Ascent() const { return ascent_; }

  // The hex box: its font, and the width of a box holding `bytes` bytes.
  const QFont& HexFont() const { return hexFont_; }
  int HexBoxWidth(int bytes) const { return bytes * 2 * hexDigitWidth_ + 4; }

 private:
  const CharInfo& Measure(std::uint16_t code) const;
  CharInfo Classify(std::int32_t codePoint, int bytes) const;

  QFont font_;
  QFontMetrics metrics_;
  QRawFont rawFont_;
  QFont hexFont_;
  int hexDigitWidth_ = 0;
  int lineHeight_ = 16;
  int ascent_ = 12;
  int averageCharWidth_ = 8;
  CharInfo single_[256];
  mutable std::vector<CharInfo> double_;
};
