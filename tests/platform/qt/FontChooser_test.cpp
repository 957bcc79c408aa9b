// The font chooser opens on the font a description resolves to, and OK
// without a change gives the description back untouched; a size typed into
// it is kept within the heights a font can have.
#include "platform/qt/FontChooser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QTimer>
#include <functional>

#include "editor/qt/QtTestSupport.h"
#include "platform/qt/QtUiHost.h"
#include "settings/SettingsKeys.h"

namespace {

// Presses OK in the chooser as soon as it opens, after `touch` had its way
// with it; `shown` is the font it opened on.
void AnswerChooser(QFont& shown, const std::function<void(QFontDialog&)>& touch = {}) {
  QTimer::singleShot(0, [&shown, touch] {
    if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
      shown = dialog->currentFont();
      if (touch) touch(*dialog);
      dialog->accept();
    }
  });
}

struct ChooserCase {
  const char* name;
  FontDescription description;
};

FontDescription Described(const char* face, int height, int weight, int italic = 0) {
  FontDescription d;
  d.faceName = face;
  d.height = height;
  d.weight = weight;
  d.italic = italic;
  return d;
}

TEST(FontChooserTest, OpensOnTheFontInUseAndOkWithoutAChangeKeepsIt) {
  TestApp();
  const ChooserCase cases[] = {
      {"the default display font", FontDescription{}},
      {"a regular face", Described("IPAGothic", -20, 400)},
      {"italic", Described("ＭＳ 明朝", -13, 400, 1)},
      {"a cell height", Described("ＭＳ ゴシック", 18, 700)},
  };
  for (const ChooserCase& c : cases) {
    const QFont used = font_chooser::FontOf(c.description);
    FontDescription d = c.description;
    QFont shown;
    AnswerChooser(shown);
    ASSERT_TRUE(font_chooser::Choose(d, 96, nullptr, QStringLiteral("フォント"))) << c.name;
    EXPECT_EQ(d, c.description) << c.name;
    EXPECT_EQ(shown.family(), QFontInfo(used).family()) << c.name << ": the face the description resolved to";
    EXPECT_NEAR(shown.pointSizeF(), used.pixelSize() * 72.0 / 96, 0.5) << c.name;
    // A face without an italic style is shown upright (the dialog lists
    // only the styles a face has); OK keeps the description's italic all the same.
  }
}

// The display font of fresh settings is 16 pixels: 12 points on a 96 dpi
// screen, in the installed face "ＭＳ ゴシック" stands for, never the
// dialog's first family.
TEST(FontChooserTest, TheDefaultDisplayFontIsShownAtTwelvePoints) {
  TestApp();
  FontDescription d;
  QFont shown;
  AnswerChooser(shown);
  ASSERT_TRUE(font_chooser::Choose(d, 96, nullptr, QStringLiteral("フォント")));
  EXPECT_DOUBLE_EQ(shown.pointSizeF(), 12.0);
  EXPECT_EQ(shown.family(), QFontInfo(font_chooser::FontOf(FontDescription{})).family());
}

TEST(FontChooserTest, AChosenSizeIsScreenPixelsWithinTheFontHeights) {
  TestApp();
  struct SizeCase {
    double points;
    int height;
  };
  for (const SizeCase c : {SizeCase{24, -32}, SizeCase{1e9, -kMaxFontHeight}, SizeCase{0.01, -1}}) {
    FontDescription d;
    QFont shown;
    AnswerChooser(shown, [&](QFontDialog& dialog) {
      QFont font = dialog.currentFont();
      font.setPointSizeF(c.points);
      dialog.setCurrentFont(font);
    });
    ASSERT_TRUE(font_chooser::Choose(d, 96, nullptr, QStringLiteral("フォント")));
    // Sizes the dialog cannot show it may cut; the height stays a font's.
    if (c.points == 24) {
      EXPECT_EQ(d.height, c.height);
    }
    EXPECT_LE(d.height, -1) << c.points;
    EXPECT_GE(d.height, -kMaxFontHeight) << c.points;
  }
  EXPECT_EQ(font_chooser::PixelHeightOf(1e300, 96), -kMaxFontHeight);
  EXPECT_EQ(font_chooser::PixelHeightOf(-5, 96), -1);
  EXPECT_EQ(font_chooser::PixelHeightOf(12, 96), -16);
}

// The window's chooser of the display font is this one.
TEST(FontChooserTest, TheWindowHostOpensOnTheFontInUse) {
  TestApp();
  QtUiHost host;
  FontDescription d;
  QFont shown;
  AnswerChooser(shown);
  ASSERT_TRUE(host.ChooseFont(d));
  EXPECT_EQ(d, FontDescription{});
  EXPECT_EQ(shown.family(), QFontInfo(font_chooser::FontOf(FontDescription{})).family());
}

}  // namespace
