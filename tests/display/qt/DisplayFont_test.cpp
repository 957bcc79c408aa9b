#include "display/qt/DisplayFont.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <climits>

#include "settings/SettingsStore.h"
#include "editor/qt/QtTestSupport.h"
#include "support/TempDir.h"

namespace {

struct Store {
  TempDir dir;
  SettingsStore settings{dir.Path("Pivra.conf")};
};

TEST(DisplayFontTest, StoreWithoutAFontSectionGivesABold16PixelGothic) {
  TestApp();
  Store s;
  const QFont font = display_font::FromSettings(s.settings, "Font");
  EXPECT_EQ(font.family(), QStringLiteral("ＭＳ ゴシック"));
  EXPECT_EQ(font.pixelSize(), 16);
  EXPECT_EQ(font.weight(), QFont::Bold);
  EXPECT_FALSE(font.italic());
  const QFontInfo info(font);
  EXPECT_TRUE(info.family().contains(QStringLiteral("IPA")) || info.family().contains(QStringLiteral("CJK")))
      << info.family().toStdString();
}

struct ProfileCase {
  const char* name;
  int height;
  int weight;
  int italic;
  const char* face;
  int pixelSize;  // 0: not checked
  QFont::Weight expectedWeight;
};

TEST(DisplayFontTest, StoredProfileIsReadAsTheWindowsFontItDescribes) {
  TestApp();
  const ProfileCase cases[] = {
      {"normal weight", -20, 400, 0, "ＭＳ ゴシック", 20, QFont::Normal},
      {"italic proportional face", -12, 700, 1, "ＭＳ Ｐゴシック", 12, QFont::Bold},
      {"weight 0 is the default weight", -16, 0, 0, "ＭＳ ゴシック", 16, QFont::Normal},
  };
  for (const ProfileCase& c : cases) {
    Store s;
    s.settings.WriteInt("Font", "Height", c.height);
    s.settings.WriteInt("Font", "Weight", c.weight);
    s.settings.WriteInt("Font", "Italic", c.italic);
    s.settings.WriteString("Font", "FaceName", c.face);
    const QFont font = display_font::FromSettings(s.settings, "Font");
    EXPECT_EQ(font.family(), QString::fromUtf8(c.face)) << c.name;
    EXPECT_EQ(font.pixelSize(), c.pixelSize) << c.name;
    EXPECT_EQ(font.weight(), c.expectedWeight) << c.name;
    EXPECT_EQ(font.italic(), c.italic != 0) << c.name;
  }
}

TEST(DisplayFontTest, PositiveHeightIsTheCellHeight) {
  TestApp();
  Store s;
  s.settings.WriteInt("Font", "Height", 20);
  const QFont font = display_font::FromSettings(s.settings, "Font");
  EXPECT_LE(font.pixelSize(), 20);
  EXPECT_NEAR(QFontMetrics(font).height(), 20, 2);
}

TEST(DisplayFontTest, HeightZeroMeansNoStoredFont) {
  TestApp();
  Store s;
  s.settings.WriteInt("Font", "Height", 0);
  s.settings.WriteString("Font", "FaceName", "ＭＳ Ｐゴシック");
  const QFont font = display_font::FromSettings(s.settings, "Font");
  EXPECT_NE(font.family(), QStringLiteral("ＭＳ Ｐゴシック"));
}

struct ExtremeHeightCase {
  const char* name;
  int height;
  int lowest;  // pixel sizes the font may take
  int highest;
};

// Heights a damaged settings file, a .pvl directive line or a dialog could
// once bring here: the font stays within the printable range, and its sizes
// are computed without overflowing (negating INT_MIN and squaring a height
// above 46340 were undefined).
TEST(DisplayFontTest, ExtremeHeightsGiveABoundedPixelSize) {
  TestApp();
  const ExtremeHeightCase cases[] = {
      {"INT_MIN", INT_MIN, kMaxFontHeight, kMaxFontHeight},
      {"INT_MAX", INT_MAX, 1, kMaxFontHeight},
      {"directive Font=100000", 100000, 1, kMaxFontHeight},
      {"directive Font=-100000", -100000, kMaxFontHeight, kMaxFontHeight},
      {"cell 46341", 46341, 1, kMaxFontHeight},
      {"largest character height", -kMaxFontHeight, kMaxFontHeight, kMaxFontHeight},
      {"ordinary", -16, 16, 16},
  };
  for (const ExtremeHeightCase& c : cases) {
    FontDescription d;
    d.height = c.height;
    const QFont font = display_font::FromDescription(d);
    EXPECT_GE(font.pixelSize(), c.lowest) << c.name;
    EXPECT_LE(font.pixelSize(), c.highest) << c.name;
  }
}

TEST(DisplayFontTest, StoredHeightsOutsideTheRangeReadAsTheDefault) {
  TestApp();
  for (const int stored : {INT_MAX, INT_MIN, kMaxFontHeight + 1, -kMaxFontHeight - 1}) {
    Store s;
    s.settings.WriteInt("PrintFont", "Height", stored);
    EXPECT_EQ(display_font::FromSettings(s.settings, "PrintFont").pixelSize(), 16) << stored;
  }
}

}  // namespace
