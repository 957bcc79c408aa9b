// The overlay painted by the window: gutter and ruler colours in the pixels,
// the read-only colours, a new display font taken from the store, and the
// input-method mark that follows composed text and the input method's own
// state, in a label wide enough for either mark.
#include "display/qt/ViewDisplay.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenuBar>

#include "display/Overlay.h"
#include "editor/CommandIds.h"
#include "editor/qt/QtTestSupport.h"

namespace {

struct DisplayWindow : TestWindow {
  ViewDisplay* display = new ViewDisplay(widget, settings);
  QImage Grab() {
    widget.Refresh();
    return widget.viewport()->grab().toImage();
  }
};

QColor Pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

TEST(ViewDisplayTest, TableModeShowsTheGutterAndRulerInTheirColours) {
  DisplayWindow w;
  w.SetText("a\tb\r\n1\t2");
  ASSERT_TRUE(w.view.modes.table);
  const QImage image = w.Grab();
  const int lm = w.view.leftMargin;
  EXPECT_EQ(Pixel(image, 2, 40), QColor(240, 240, 255));                  // gutter
  EXPECT_EQ(Pixel(image, lm + 300, 2), QColor(240, 240, 255));            // ruler row
  EXPECT_EQ(Pixel(image, lm + 300, w.view.LineHeight() * 5), QColor(Qt::white));  // text area
}

TEST(ViewDisplayTest, ReadOnlyTextIsBlackOnPaleBlueWithoutGutter) {
  DisplayWindow w;
  w.view.colours.background = MakeColour(10, 20, 30);
  w.SetText("abc");
  w.view.Execute(cmd::ToggleReadOnly);
  w.view.OnUpdate(UpdateHint::None);
  const QImage image = w.Grab();
  EXPECT_EQ(Pixel(image, 2, 40), QColor(244, 254, 255));
  EXPECT_EQ(Pixel(image, 300, 100), QColor(244, 254, 255));
  EXPECT_EQ(w.widget.TextColour(), QColor(Qt::black));
}

TEST(ViewDisplayTest, NewDisplayFontIsTakenFromTheStore) {
  DisplayWindow w;
  const int before = w.widget.Layout().LineHeight();
  w.settings.WriteInt("Font", "Height", -32);
  w.view.OnUpdate(UpdateHint::DisplayFont);
  w.display->Refresh();
  EXPECT_GT(w.widget.Layout().LineHeight(), before);
  EXPECT_EQ(w.view.LineHeight(), w.widget.Layout().LineHeight());
}

TEST(ViewDisplayTest, ComposedTextCountsAsAnOpenInputMethod) {
  DisplayWindow w;
  QMenuBar bar;
  w.display->ShowImeMarkIn(bar);
  auto* mark = qobject_cast<QLabel*>(bar.cornerWidget(Qt::TopRightCorner));
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->text(), QStringLiteral("[A]"));
  QInputMethodEvent composing(QStringLiteral("あ"), {});
  QApplication::sendEvent(&w.widget, &composing);
  EXPECT_TRUE(w.view.ime.open);
  EXPECT_EQ(mark->text(), QStringLiteral("「あ」"));
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("あ"));
  QApplication::sendEvent(&w.widget, &commit);
  EXPECT_FALSE(w.view.ime.open);
  EXPECT_EQ(mark->text(), QStringLiteral("[A]"));
}

// The input method's own state (as fcitx5 tells it) sets the mark with
// nothing composed; composing still counts as on while it is off.
TEST(ViewDisplayTest, MarkFollowsTheInputMethodsOwnStateInALabelWideEnoughForBoth) {
  DisplayWindow w;
  QMenuBar bar;
  w.display->ShowImeMarkIn(bar);
  auto* mark = qobject_cast<QLabel*>(bar.cornerWidget(Qt::TopRightCorner));
  ASSERT_NE(mark, nullptr);
  for (const QString& text : {QStringLiteral("[A]"), QStringLiteral("「あ」")})
    EXPECT_GE(mark->minimumWidth(), mark->fontMetrics().horizontalAdvance(text)) << text.toStdString();

  w.widget.SetInputMethodOn(true);
  EXPECT_TRUE(w.view.ime.open);
  EXPECT_EQ(mark->text(), QStringLiteral("「あ」")) << "on with nothing typed";
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("あ"));
  QApplication::sendEvent(&w.widget, &commit);
  EXPECT_EQ(mark->text(), QStringLiteral("「あ」")) << "a commit leaves it on";
  w.widget.SetInputMethodOn(false);
  EXPECT_EQ(mark->text(), QStringLiteral("[A]"));
  QInputMethodEvent composing(QStringLiteral("い"), {});
  QApplication::sendEvent(&w.widget, &composing);
  EXPECT_EQ(mark->text(), QStringLiteral("「あ」")) << "composing counts as on";
}

}  // namespace
