#include "platform/qt/FontLayout.h"

#include <QFontDatabase>
#include <algorithm>

#include "text/Cp932.h"

namespace {

// Control characters other than TAB (which the buffer lays out itself) have no
// glyph worth showing; they are drawn as hex boxes like undecodable bytes.
bool IsControl(std::int32_t cp) { return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0); }

QString StringOf(char32_t cp) {
  const char32_t buf[1] = {cp};
  return QString::fromUcs4(buf, 1);
}

}  // namespace

FontLayout::FontLayout(const QFont& font)
    : font_(font), metrics_(font), rawFont_(QRawFont::fromFont(font)), double_(65536) {
  lineHeight_ = std::max(1, metrics_.height());
  ascent_ = metrics_.ascent();
  // The dialog-unit base of the platform: the mean width of the 52 Latin
  // letters, rounded; four dialog units make one such character.
  const int letters = metrics_.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  averageCharWidth_ = std::max(1, (letters / 26 + 1) / 2);

  hexFont_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  hexFont_.setPixelSize(std::max(6, lineHeight_ * 3 / 5));
  const QFontMetrics hexMetrics(hexFont_);
  for (const char c : std::string_view("0123456789ABCDEF"))
    hexDigitWidth_ = std::max(hexDigitWidth_, hexMetrics.horizontalAdvance(QLatin1Char(c)));

  for (int b = 0; b < 256; ++b) single_[b] = Classify(cp932::ToUnicode(static_cast<std::uint16_t>(b)), 1);
}

FontLayout::CharInfo FontLayout::Classify(std::int32_t codePoint, int bytes) const {
  CharInfo info;
  if (codePoint < 0 || IsControl(codePoint)) {
    info.kind = Kind::HexBox;
    info.width = HexBoxWidth(bytes);
    return info;
  }
  info.codePoint = static_cast<char32_t>(codePoint);
  const QString s = StringOf(info.codePoint);
  info.width = metrics_.horizontalAdvance(s);
  const QList<quint32> glyphs = rawFont_.isValid() ? rawFont_.glyphIndexesForString(s) : QList<quint32>();
  if (glyphs.size() == 1 && glyphs[0] != 0) {
    info.kind = Kind::Glyph;
    info.glyph = glyphs[0];
  } else {
    info.kind = Kind::Fallback;
  }
  return info;
}

const FontLayout::CharInfo& FontLayout::Measure(std::uint16_t code) const {
  CharInfo& slot = double_[code];
  slot = Classify(cp932::ToUnicode(code), 2);
  return slot;
}
