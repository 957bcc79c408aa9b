// The text widget and the input method: the composed text laid out in its row
// (what follows it moves right, nothing is covered, the caret stays in view),
// the input method's clause formats and caret, the answers to its queries
// about the caret's line, and commits that replace a range as one undo step.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QInputMethod>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTextCharFormat>
#include <string>

#include "editor/qt/PivraTextWidget.h"
#include "editor/qt/QtTestSupport.h"
#include "text/Cp932.h"

namespace {

std::string Cp(const QString& text) { return cp932::FromUtf8(text.toStdString()); }

void Compose(PivraTextWidget& w, const QString& preedit, const QList<QInputMethodEvent::Attribute>& attributes = {}) {
  QInputMethodEvent e(preedit, attributes);
  QApplication::sendEvent(&w, &e);
}

void Commit(PivraTextWidget& w, const QString& text, int replaceStart = 0, int replaceLength = 0) {
  QInputMethodEvent e;
  e.setCommitString(text, replaceStart, replaceLength);
  QApplication::sendEvent(&w, &e);
}

// The columns [from, to) of the upper part of the row at y, as pixels.
QList<QRgb> Band(const QImage& image, int from, int to, int y, int height) {
  QList<QRgb> pixels;
  for (int x = from; x < to; ++x)
    for (int row = y; row < y + height; ++row) pixels.append(image.pixel(x, row));
  return pixels;
}

TEST(PivraTextWidgetComposition, TextAfterTheCaretMovesRightByTheComposedTextAndStaysReadable) {
  TestWindow t;
  t.SetText("abcdefghijklmnop\r\nnext");
  EditBuffer& e = t.view.Edit();
  e.SetSel(3, 3);
  t.widget.Refresh();
  const QImage before = t.widget.viewport()->grab().toImage();
  Compose(t.widget, QStringLiteral("にほんご"));
  const QImage after = t.widget.viewport()->grab().toImage();
  EXPECT_EQ(t.Text(), "abcdefghijklmnop\r\nnext") << "composing writes nothing into the text";

  const Point d = e.PosFromChar(3);
  const Point end = e.PosFromChar(16);
  const int width = QFontMetrics(t.layout.Font()).horizontalAdvance(QStringLiteral("にほんご"));
  const int band = t.layout.LineHeight() - 3;  // above the underline
  const int from = d.x + EditBuffer::kCaretWidth;
  EXPECT_EQ(Band(after, from + width, end.x + width, d.y, band), Band(before, from, end.x, d.y, band))
      << "defg... stands the composed text's width further right";
  EXPECT_EQ(Band(after, 0, d.x, d.y, band), Band(before, 0, d.x, d.y, band)) << "abc stays";
  EXPECT_NE(Band(after, d.x, d.x + width, d.y, band), Band(before, d.x, d.x + width, d.y, band));
  const Point next = e.PosFromChar(18);
  EXPECT_EQ(Band(after, 0, after.width(), next.y, band), Band(before, 0, before.width(), next.y, band))
      << "the next row is untouched";

  const QRect caret = t.widget.inputMethodQuery(Qt::ImCursorRectangle).toRect().translated(-t.widget.viewport()->pos());
  EXPECT_EQ(caret.left(), d.x + width) << "the candidate list goes below the caret at the end of the composed text";
  EXPECT_EQ(caret.top(), d.y);

  Compose(t.widget, QString());
  EXPECT_EQ(t.widget.viewport()->grab().toImage(), before) << "an empty composition gives the row back";
}

TEST(PivraTextWidgetComposition, CaretInsideTheComposedTextStaysInViewAtTheRightEdge) {
  TestWindow t;
  const std::string line(200, 'w');
  t.SetText(line);
  EditBuffer& e = t.view.Edit();
  const int caretPos = 70;
  e.SetSel(caretPos, caretPos);
  e.ScrollCaret();
  t.widget.Refresh();
  const QString long_text = QString(30, QChar(0x3042));  // あ x 30
  QList<QInputMethodEvent::Attribute> attributes{{QInputMethodEvent::Cursor, 25, 1}};
  Compose(t.widget, long_text, attributes);
  const QRect caret = t.widget.inputMethodQuery(Qt::ImCursorRectangle).toRect().translated(-t.widget.viewport()->pos());
  const Rect format = e.GetRect();
  EXPECT_GE(caret.left(), format.left);
  EXPECT_LE(caret.left() + EditBuffer::kCaretWidth, format.right) << "the caret of the composition is in view";
  const QImage image = t.widget.viewport()->grab().toImage();
  EXPECT_EQ(image.pixel(caret.left(), caret.top()) & 0xFFFFFF, t.widget.TextColour().rgb() & 0xFFFFFF)
      << "and drawn where the input method is told it is";
  EXPECT_EQ(t.Text(), line);
}

TEST(PivraTextWidgetComposition, ClauseFormatsAndTheInputMethodsCaretAreHonoured) {
  TestWindow t;
  t.SetText("ab\r\n");
  EditBuffer& e = t.view.Edit();
  e.SetSel(2, 2);
  t.widget.Refresh();
  const QColor focusBackground(0, 0, 160), focusText(255, 255, 255);
  QTextCharFormat focused;
  focused.setBackground(focusBackground);
  focused.setForeground(focusText);
  QTextCharFormat other;
  other.setUnderlineStyle(QTextCharFormat::DashUnderline);
  const QString sentence = QStringLiteral("今日はいい天気です");
  auto attributes = [&](int focusStart, int focusLength, int cursor, bool visible) {
    QList<QInputMethodEvent::Attribute> list;
    if (focusStart > 0) list.append({QInputMethodEvent::TextFormat, 0, focusStart, other});
    list.append({QInputMethodEvent::TextFormat, focusStart, focusLength, focused});
    const int rest = focusStart + focusLength;
    list.append({QInputMethodEvent::TextFormat, rest, static_cast<int>(sentence.size()) - rest, other});
    list.append({QInputMethodEvent::Cursor, cursor, visible ? 1 : 0});
    return list;
  };
  const QFontMetrics metrics(t.layout.Font());
  const Point start = e.PosFromChar(2);
  const int lh = t.layout.LineHeight();
  auto focusColumns = [&](const QImage& image) {
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
      if (QColor(image.pixel(x, start.y + 1)) == focusBackground) {
        if (first < 0) first = x;
        last = x;
      }
    return std::make_pair(first, last);
  };

  struct Case {
    int focusStart, focusLength, cursor;
    bool visible;
  };
  for (const Case c : {Case{0, 3, 3, true}, Case{3, 2, 5, true}, Case{5, 4, 9, false}}) {
    SCOPED_TRACE(c.focusStart);
    Compose(t.widget, sentence, attributes(c.focusStart, c.focusLength, c.cursor, c.visible));
    const QImage image = t.widget.viewport()->grab().toImage();
    const int left = start.x + metrics.horizontalAdvance(sentence.left(c.focusStart));
    const int right = start.x + metrics.horizontalAdvance(sentence.left(c.focusStart + c.focusLength));
    const auto [first, last] = focusColumns(image);
    EXPECT_EQ(first, left) << "the focused clause is drawn in its colours, from its start";
    EXPECT_EQ(last, right - 1) << "to its end";
    // The other clauses are underlined with dashes: gaps in the bottom row.
    const int unfocusedX = c.focusStart > 0 ? start.x : right;
    const int unfocusedEnd = c.focusStart > 0 ? left : start.x + metrics.horizontalAdvance(sentence);
    int inked = 0, blank = 0;
    for (int x = unfocusedX; x < unfocusedEnd; ++x)
      (qGray(image.pixel(x, start.y + lh - 1)) < 128 ? inked : blank)++;
    EXPECT_GT(inked, 0) << "underlined";
    EXPECT_GT(blank, 0) << "with dashes";

    const int cursorX = start.x + metrics.horizontalAdvance(sentence.left(c.cursor));
    const QRect caret =
        t.widget.inputMethodQuery(Qt::ImCursorRectangle).toRect().translated(-t.widget.viewport()->pos());
    EXPECT_EQ(caret.left(), cursorX) << "the input method's caret";
    const bool caretDrawn = QColor(image.pixel(cursorX, start.y)) == t.widget.TextColour() &&
                            QColor(image.pixel(cursorX + 1, start.y)) == t.widget.TextColour();
    EXPECT_EQ(caretDrawn, c.visible) << "drawn only when the input method shows it";
  }
  EXPECT_EQ(t.Text(), "ab\r\n");
}

TEST(PivraTextWidgetComposition, QueriesDescribeTheCaretsLineInUtf16) {
  TestWindow t;
  t.SetText(Cp(QStringLiteral("ab\r\n日本語x\r\nlast")));
  t.view.Edit().SetSel(4, 10);  // 日本語 selected, the caret after it
  auto query = [&](Qt::InputMethodQuery q) { return t.widget.inputMethodQuery(q); };
  EXPECT_EQ(query(Qt::ImSurroundingText).toString(), QStringLiteral("日本語x"));
  EXPECT_EQ(query(Qt::ImCursorPosition).toInt(), 3);
  EXPECT_EQ(query(Qt::ImAnchorPosition).toInt(), 0);
  EXPECT_EQ(query(Qt::ImCurrentSelection).toString(), QStringLiteral("日本語"));
  EXPECT_EQ(query(Qt::ImTextBeforeCursor).toString(), QStringLiteral("日本語"));
  EXPECT_EQ(query(Qt::ImTextAfterCursor).toString(), QStringLiteral("x"));
  EXPECT_EQ(query(Qt::ImMaximumTextLength).toInt(), EditBuffer::kDefaultTextLimit);
}

// An input method reconverts a selected word by composing over the selection,
// or replaces a range before the caret with its commit; either way the word
// goes and the new one comes in one undo step.
TEST(PivraTextWidgetComposition, ReconversionReplacesTheWordAsOneUndoStep) {
  const std::string text = Cp(QStringLiteral("ab\r\n日本語x"));
  const std::string replaced = Cp(QStringLiteral("ab\r\n二本後x"));
  {
    TestWindow t;
    t.SetText(text);
    t.view.OnInitialUpdate();  // the text as opened: the history starts here
    t.view.Edit().SetSel(4, 10);
    Compose(t.widget, QStringLiteral("にほんご"));
    EXPECT_EQ(t.Text(), text) << "the selection stays in the text while it is composed over";
    Commit(t.widget, QStringLiteral("二本後"));
    EXPECT_EQ(t.Text(), replaced);
    t.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.Text(), text);
    EXPECT_EQ(t.view.Edit().GetSel(), std::make_pair(4, 10)) << "and comes back selected";
  }
  {
    TestWindow t;
    t.SetText(text);
    t.view.OnInitialUpdate();
    t.view.Edit().SetSel(10, 10);
    Commit(t.widget, QStringLiteral("二本後"), -3, 3);
    EXPECT_EQ(t.Text(), replaced);
    t.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.Text(), text);
  }
}

// The input method hears of every move of the caret rectangle at once, so its
// candidate list never stays behind: after a caret move, a scroll, a resize
// and while composing.
TEST(PivraTextWidgetComposition, InputMethodHearsOfEveryCaretRectangleChange) {
  TestWindow t;
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line\r\n";
  t.SetText(text);
  ASSERT_TRUE(t.widget.hasFocus());
  QInputMethod* inputMethod = QGuiApplication::inputMethod();
  QSignalSpy moves(inputMethod, &QInputMethod::cursorRectangleChanged);
  auto caretInWindow = [&] {
    return t.widget.inputMethodQuery(Qt::ImCursorRectangle).toRect().translated(t.widget.mapTo(t.widget.window(), QPoint()));
  };

  t.Key(Qt::Key_Down);
  EXPECT_GT(moves.count(), 0) << "caret move";
  EXPECT_EQ(inputMethod->cursorRectangle().toRect(), caretInWindow());

  QWheelEvent down(QPointF(50, 50), t.widget.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  int before = static_cast<int>(moves.count());
  QApplication::sendEvent(t.widget.viewport(), &down);
  EXPECT_GT(moves.count(), before) << "scroll";
  EXPECT_EQ(inputMethod->cursorRectangle().toRect(), caretInWindow());

  before = static_cast<int>(moves.count());
  t.widget.verticalScrollBar()->setValue(0);
  EXPECT_GT(moves.count(), before) << "scroll bar";
  EXPECT_EQ(inputMethod->cursorRectangle().toRect(), caretInWindow());

  before = static_cast<int>(moves.count());
  t.widget.resize(t.widget.width() - 40, t.widget.height() - 40);
  QApplication::processEvents();
  EXPECT_GT(moves.count(), before) << "resize";
  EXPECT_EQ(inputMethod->cursorRectangle().toRect(), caretInWindow());

  before = static_cast<int>(moves.count());
  Compose(t.widget, QStringLiteral("にほんご"));
  EXPECT_GT(moves.count(), before) << "composing";
  EXPECT_EQ(inputMethod->cursorRectangle().toRect(), caretInWindow());
}

}  // namespace
