// The text painter on its own, drawing a buffer into an image: characters in
// the text colour, the selection on its highlight, an undecodable byte as a
// box, the overlay between the rows and the block, and the caret only with
// the focus.
#include "display/qt/TextPainter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <string>

#include "buffer/EditBuffer.h"
#include "editor/qt/QtTestSupport.h"
#include "platform/qt/FontLayout.h"

namespace {

const std::string kHyo = "\x95\x5C";  // 表: trail byte 0x5C

const QColor kText(0, 0, 0);
const QColor kBackground(255, 255, 255);
const QColor kSelectedText(255, 255, 0);
const QColor kSelectedBackground(0, 0, 160);

struct Picture {
  QApplication& app = TestApp();
  FontLayout layout{TestFont()};
  EditBuffer buffer{&layout};
  QImage image{320, 80, QImage::Format_RGB32};

  Picture() {
    buffer.SetClientRect({0, 0, image.width(), image.height()});
    buffer.SetMargins(10, 0);
    buffer.SetText("ab\t\x80" + kHyo + "\r\nsecond");
  }
  PivraTextWidget::PaintRequest Request(bool focused) const {
    const Point caret = buffer.CaretPoint();
    return {.viewport = image.rect(),
            .dirty = image.rect(),
            .text = kText,
            .background = kBackground,
            .selectedText = kSelectedText,
            .selectedBackground = kSelectedBackground,
            .caret = QRect(caret.x, caret.y, EditBuffer::kCaretWidth, layout.LineHeight()),
            .block = QRect(),
            .focused = focused,
            .composition = {}};
  }
  void Paint(const PivraTextWidget::PaintRequest& request, const std::function<void(QPainter&)>& overlay = {}) {
    image.fill(Qt::red);  // every pixel is painted over
    QPainter p(&image);
    TextPainter(buffer, layout).Paint(p, request, overlay);
  }
  // How many pixels of the character cell of `pos` (its width `width`) have `colour`.
  int Count(int pos, int width, const QColor& colour) const {
    const Point at = buffer.PosFromChar(pos);
    int n = 0;
    for (int y = at.y; y < at.y + layout.LineHeight(); ++y)
      for (int x = at.x; x < at.x + width; ++x)
        if (image.pixelColor(x, y) == colour) ++n;
    return n;
  }
  int Dark(int pos, int width) const {
    const Point at = buffer.PosFromChar(pos);
    int n = 0;
    for (int y = at.y; y < at.y + layout.LineHeight(); ++y)
      for (int x = at.x; x < at.x + width; ++x)
        if (qGray(image.pixel(x, y)) < 128) ++n;
    return n;
  }
};

TEST(TextPainterTest, DrawsCharactersSelectionAndHexBoxWhereTheBufferPutsThem) {
  Picture t;
  t.buffer.SetSel(1, 3);  // "b" and the TAB
  t.Paint(t.Request(false));
  const int a = t.layout.CharWidth("a");
  EXPECT_EQ(t.image.pixelColor(t.image.width() - 1, t.image.height() - 1), kBackground);
  EXPECT_EQ(t.image.pixelColor(2, 2), kBackground) << "the left margin";
  EXPECT_GT(t.Dark(0, a), 5) << "an unselected character in the text colour";
  EXPECT_EQ(t.Count(0, a, kSelectedBackground), 0);

  const int b = t.Count(1, a, kSelectedBackground);
  EXPECT_GT(b, 0) << "a selected character on the highlight";
  EXPECT_LT(b, a * t.layout.LineHeight()) << "and its glyph in the highlighted text colour";
  EXPECT_GT(t.Count(1, a, kSelectedText), 0);
  const int tab = t.buffer.PosFromChar(3).x - t.buffer.PosFromChar(2).x;
  ASSERT_GT(tab, 0);
  EXPECT_EQ(t.Count(2, tab, kSelectedBackground), tab * t.layout.LineHeight()) << "a selected TAB is all highlight";

  // 0x80 decodes to nothing: a box whose left edge stands one pixel into its cell.
  const Point box = t.buffer.PosFromChar(3);
  EXPECT_EQ(t.image.pixelColor(box.x + 1, box.y + t.layout.LineHeight() / 2), kText);
  EXPECT_GT(t.Dark(4, t.layout.CharWidth(kHyo)), 10) << "表 after the box";
  EXPECT_GT(t.Dark(t.buffer.LineIndex(1), a), 5) << "the second row";
}

TEST(TextPainterTest, CaretOnlyWithTheFocusAndBlockInvertedOverTheOverlay) {
  Picture t;
  t.buffer.SetSel(6, 6);  // after 表
  const Point caret = t.buffer.CaretPoint();
  t.Paint(t.Request(false));
  EXPECT_EQ(t.image.pixelColor(caret.x, caret.y + 1), kBackground);
  t.Paint(t.Request(true));
  EXPECT_EQ(t.image.pixelColor(caret.x, caret.y + 1), kText);
  EXPECT_EQ(t.image.pixelColor(caret.x + EditBuffer::kCaretWidth - 1, caret.y + t.layout.LineHeight() - 1), kText);

  PivraTextWidget::PaintRequest request = t.Request(false);
  request.block = QRect(200, 40, 30, 20);
  t.Paint(request, [](QPainter& p) { p.fillRect(QRect(210, 50, 40, 20), QColor(255, 0, 0)); });
  EXPECT_EQ(t.image.pixelColor(205, 45), QColor(0, 0, 0)) << "the background inverted";
  EXPECT_EQ(t.image.pixelColor(215, 55), QColor(0, 255, 255)) << "the overlay inverted: it came before the block";
  EXPECT_EQ(t.image.pixelColor(240, 55), QColor(255, 0, 0)) << "the overlay outside the block";
}

}  // namespace

namespace {

// While text is composed over a selection, the overlay of that row moves with
// the text it marks: what follows the selection stands after the composed
// text, what comes before stays, and other rows are untouched.
TEST(TextPainterTest, OverlayOfTheComposingRowFollowsItsText) {
  Picture t;
  t.buffer.SetText("abcdefgh\r\nabcdefgh");
  t.buffer.SetSel(2, 4);  // "cd" is composed over
  const QColor mark(255, 0, 0);
  auto markAt = [&](int pos) {
    const Point p = t.buffer.PosFromChar(pos);
    return QRect(p.x + 1, p.y + 1, 3, 3);
  };
  const int marked[] = {1, 6, 11};  // "b", "g", and "b" of the next row
  auto overlay = [&](QPainter& p) {
    for (const int pos : marked) p.fillRect(markAt(pos), mark);
  };
  PivraTextWidget::PaintRequest request = t.Request(false);
  request.composition.text = QStringLiteral("にほんご");
  t.Paint(request, overlay);
  const int width = QFontMetrics(t.layout.Font()).horizontalAdvance(request.composition.text);
  const int removed = t.buffer.PosFromChar(4).x - t.buffer.PosFromChar(2).x;
  EXPECT_EQ(t.image.pixelColor(markAt(1).center()), mark) << "before the composed text";
  EXPECT_EQ(t.image.pixelColor(markAt(6).center() + QPoint(width - removed, 0)), mark) << "after it";
  EXPECT_NE(t.image.pixelColor(markAt(6).center()), mark) << "not where the text was";
  EXPECT_EQ(t.image.pixelColor(markAt(11).center()), mark) << "the next row";
}

}  // namespace
