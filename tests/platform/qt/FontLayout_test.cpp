#include "platform/qt/FontLayout.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <string>

#include "buffer/EditBuffer.h"
#include "editor/qt/QtTestSupport.h"

namespace {

TEST(FontLayoutTest, WindowsJapaneseFaceResolvesToAnInstalledJapaneseFace) {
  TestApp();
  const QFontInfo info(TestFont());
  EXPECT_TRUE(info.family().contains(QStringLiteral("IPA")) || info.family().contains(QStringLiteral("CJK")))
      << info.family().toStdString();
}

struct KindCase {
  const char* name;
  std::string ch;
  FontLayout::Kind kind;
};

TEST(FontLayoutTest, CharactersAreGlyphsAndUndecodableBytesHexBoxes) {
  TestApp();
  const FontLayout layout(TestFont());
  const KindCase cases[] = {
      {"ASCII letter", "a", FontLayout::Kind::Glyph},
      {"kanji with trail byte 0x5C", "\x95\x5C", FontLayout::Kind::Glyph},
      {"half-width katakana", "\xB1", FontLayout::Kind::Glyph},
      {"NEC special (circled 1)", "\x87\x40", FontLayout::Kind::Glyph},
      {"unassigned single byte", "\xFF", FontLayout::Kind::HexBox},
      {"lone lead byte", "\x95", FontLayout::Kind::HexBox},
      {"unassigned double-byte code", "\x85\x40", FontLayout::Kind::HexBox},
      {"control character", "\x01", FontLayout::Kind::HexBox},
  };
  for (const KindCase& c : cases) {
    const FontLayout::CharInfo& info = layout.Info(c.ch);
    EXPECT_EQ(info.kind, c.kind) << c.name;
    EXPECT_GT(info.width, 0) << c.name;
    if (c.kind == FontLayout::Kind::HexBox) {
      EXPECT_EQ(info.width, layout.HexBoxWidth(static_cast<int>(c.ch.size()))) << c.name;
    }
  }
}

TEST(FontLayoutTest, FullWidthCharactersAreTwiceAsWideAsHalfWidthOnesInTheGothicFace) {
  TestApp();
  const FontLayout layout(TestFont());
  const int half = layout.CharWidth("a");
  EXPECT_EQ(layout.CharWidth("\x95\x5C"), 2 * half);
  EXPECT_EQ(layout.CharWidth("\xB1"), half);
  EXPECT_EQ(layout.AverageCharWidth(), half);
  EXPECT_GE(layout.LineHeight(), 16);
}

TEST(FontLayoutTest, TableColumnsLineUpAtTheTabStops) {
  TestApp();
  const FontLayout layout(TestFont());
  EditBuffer e(&layout);
  e.SetTabStops(8 * 4);
  e.SetText("1\t\x95\x5C\x8C\x76\tx\r\n12345\tab\tx\r\n");
  const int tab = 8 * layout.AverageCharWidth();
  EXPECT_EQ(e.TabPixels(), tab);
  EXPECT_EQ(e.XInRow(2), tab);
  EXPECT_EQ(e.XInRow(16), tab);
  EXPECT_EQ(e.XInRow(7), 2 * tab);
  EXPECT_EQ(e.XInRow(19), 2 * tab);
}

}  // namespace
