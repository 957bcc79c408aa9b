#include "editor/CommandIds.h"
#include "editor/qt/PivraTextWidget.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <string>

#include "editor/CommandTable.h"
#include "editor/qt/CommandMenu.h"
#include "editor/qt/QtTestSupport.h"

namespace {

const std::string kHyo = "\x95\x5C";                        // 表: trail byte 0x5C
const std::string kHyoKeisan = "\x95\x5C\x8C\x76\x8E\x5A";  // 表計算

void Commit(PivraTextWidget& w, const QString& text) {
  QInputMethodEvent e;
  e.setCommitString(text);
  QApplication::sendEvent(&w, &e);
}

QAction* ActionFor(QMenu& menu, int id) {
  for (QAction* a : menu.actions())
    if (CommandOf(a) == id) return a;
  return nullptr;
}

// ---------------------------------------------------------------- typing

TEST(PivraTextWidgetTest, TypedJapaneseCharacterIsStoredAsItsCp932Bytes) {
  TestWindow t;
  t.TypeChar(QStringLiteral("a"));
  t.TypeChar(QStringLiteral("表"));
  EXPECT_EQ(t.Text(), "a" + kHyo);
  EXPECT_EQ(t.view.Edit().Caret(), 3);
}

struct EraseCase {
  const char* name;
  std::string text;
  int caret;
  Qt::Key key;
  std::string expected;
};

TEST(PivraTextWidgetTest, BackspaceAndDeleteRemoveWholeCharactersAndLineBreaks) {
  const EraseCase cases[] = {
      {"backspace after a trail byte 0x5C", "a" + kHyo, 3, Qt::Key_Backspace, "a"},
      {"delete before a double-byte character", kHyo + "b", 0, Qt::Key_Delete, "b"},
      {"backspace after CR LF", "ab\r\ncd", 4, Qt::Key_Backspace, "abcd"},
      {"delete before CR LF", "ab\r\ncd", 2, Qt::Key_Delete, "abcd"},
      {"backspace after a lone lead byte at the end", "a\x95", 2, Qt::Key_Backspace, "a"},
  };
  for (const EraseCase& c : cases) {
    TestWindow t;
    t.SetText(c.text);
    t.view.Edit().SetSel(c.caret, c.caret);
    t.Key(c.key);
    EXPECT_EQ(t.Text(), c.expected) << c.name;
  }
}

TEST(PivraTextWidgetTest, EnterInsertsCrLfThatBackspaceRemovesAsOneUnit) {
  TestWindow t;
  t.TypeChar(QStringLiteral("x"));
  t.Key(Qt::Key_Return);
  EXPECT_EQ(t.Text(), "x\r\n");
  EXPECT_EQ(t.view.Edit().Caret(), 3);
  t.Key(Qt::Key_Backspace);
  EXPECT_EQ(t.Text(), "x");
}

TEST(PivraTextWidgetTest, InputMethodCommitIsTypedAsCp932AndPreeditIsNotText) {
  TestWindow t;
  QInputMethodEvent preedit(QStringLiteral("ひょう"), {});
  QApplication::sendEvent(&t.widget, &preedit);
  EXPECT_EQ(t.Text(), "");
  Commit(t.widget, QStringLiteral("表計算"));
  EXPECT_EQ(t.Text(), kHyoKeisan);
  t.Key(Qt::Key_Backspace);
  EXPECT_EQ(t.Text(), kHyo + "\x8C\x76");
  EXPECT_TRUE(t.widget.inputMethodQuery(Qt::ImEnabled).toBool());
  const QRect caret = t.widget.inputMethodQuery(Qt::ImCursorRectangle).toRect();
  EXPECT_EQ(caret.height(), t.layout.LineHeight());
}

struct OverwriteCase {
  const char* name;
  std::string text;
  int caret;
  bool inputMethod;
  QString typed;
  std::string expected;
};

TEST(PivraTextWidgetTest, OverwriteModeReplacesWhatFollowsTheCaret) {
  const OverwriteCase cases[] = {
      {"a key replaces one character", "ab" + kHyo + "\r\n", 0, false, QStringLiteral("x"), "xb" + kHyo + "\r\n"},
      {"a key replaces a double-byte character whole", kHyo + "b", 0, false, QStringLiteral("x"), "xb"},
      {"a key never replaces the line break", "a\r\nb", 1, false, QStringLiteral("x"), "ax\r\nb"},
      {"a commit replaces as many bytes as it occupies", "abcd\r\nx", 0, true, QStringLiteral("表"),
       kHyo + "cd\r\nx"},
      {"a commit never replaces beyond its line", "ab\r\nx", 1, true, QStringLiteral("表計"),
       "a" + kHyo + "\x8C\x76\r\nx"},
  };
  for (const OverwriteCase& c : cases) {
    TestWindow t;
    t.SetText(c.text);
    t.view.Edit().SetSel(c.caret, c.caret);
    t.Key(Qt::Key_Insert);
    ASSERT_FALSE(t.view.modes.insert) << c.name;
    if (c.inputMethod) {
      Commit(t.widget, c.typed);
    } else {
      t.TypeChar(c.typed);
    }
    EXPECT_EQ(t.Text(), c.expected) << c.name;
  }
}

TEST(PivraTextWidgetTest, TabIsTypedAndKeepsTheFocus) {
  TestApp();
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* other = new QLineEdit;
  layout->addWidget(other);
  TestWindow t;
  t.widget.setParent(&window);
  layout->addWidget(&t.widget);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  t.widget.setFocus();
  t.Key(Qt::Key_Tab);
  EXPECT_EQ(t.Text(), "\t");
  EXPECT_TRUE(t.widget.hasFocus());
  t.widget.setParent(nullptr);
}

TEST(PivraTextWidgetTest, CtrlWithALetterTypesNothing) {
  TestWindow t;
  QTest::keyClick(&t.widget, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(t.Text(), "");
}

// ---------------------------------------------------------------- clipboard, undo

TEST(PivraTextWidgetTest, CopyPutsUnicodeOnTheClipboardAndPasteGivesTheSameBytes) {
  TestWindow t;
  const std::string text = kHyoKeisan + "\t1\r\n" + "\x82\xA0" + "b";  // 表計算, TAB, 1, CR LF, あb
  t.SetText(text);
  t.Key(Qt::Key_A, Qt::ControlModifier);
  t.Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("表計算\t1\r\nあb"));
  t.view.Edit().SetSel(static_cast<int>(text.size()), static_cast<int>(text.size()));
  t.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(t.Text(), text + text);
}

TEST(PivraTextWidgetTest, PastedTextWithLfLineEndsGetsCrLf) {
  TestWindow t;
  QGuiApplication::clipboard()->setText(QStringLiteral("表\nx"));
  t.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(t.Text(), kHyo + "\r\nx");
}

TEST(PivraTextWidgetTest, CtrlZUndoesAndCtrlYRedoesTyping) {
  TestWindow t;
  t.TypeChar(QStringLiteral("表"));
  ASSERT_EQ(t.Text(), kHyo);
  t.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(t.Text(), "");
  t.Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(t.Text(), kHyo);
}

// ---------------------------------------------------------------- context menu and enable rules

TEST(PivraTextWidgetTest, ContextMenuFollowsTableMode) {
  TestWindow t;
  ASSERT_TRUE(t.view.modes.table);
  EXPECT_EQ(t.view.ContextMenuResource(), ContextMenu::Table);
  auto table = t.widget.BuildContextMenu();
  EXPECT_EQ(table->title(), QStringLiteral("表計算"));
  QAction* toggle = ActionFor(*table, cmd::ToggleTableMode);
  ASSERT_NE(toggle, nullptr);
  EXPECT_EQ(toggle->text(), QStringLiteral("表計算モードの解除"));
  EXPECT_TRUE(toggle->isChecked());
  EXPECT_EQ(ActionFor(*table, cmd::Undo), nullptr) << "undo is not in the table menu";

  toggle->trigger();
  EXPECT_FALSE(t.view.modes.table);
  EXPECT_EQ(t.view.ContextMenuResource(), ContextMenu::Edit);
  auto edit = t.widget.BuildContextMenu();
  EXPECT_EQ(edit->title(), QStringLiteral("編集"));
  ASSERT_NE(ActionFor(*edit, cmd::Undo), nullptr);
  EXPECT_TRUE(ActionFor(*edit, cmd::Undo)->text().startsWith(QStringLiteral("元に戻す (&Z)")));
  ASSERT_NE(ActionFor(*edit, cmd::ToggleTableMode), nullptr);
  EXPECT_EQ(ActionFor(*edit, cmd::ToggleTableMode)->text(), QStringLiteral("表計算モードの設定/解除"));
  EXPECT_FALSE(ActionFor(*edit, cmd::ToggleTableMode)->isChecked());
}

// A command chosen from the text's menu runs under the wait cursor, and
// leaves none behind.
TEST(PivraTextWidgetTest, ContextMenuCommandsRunUnderTheWaitCursor) {
  TestWindow t;
  t.view.Execute(cmd::ToggleTableMode);  // the edit menu, with Cut
  t.SetText("abc");
  EditBuffer& e = t.view.Edit();
  e.SetSel(0, 1);
  std::vector<Qt::CursorShape> seen;
  const std::function<void()> notify = e.onChange;
  e.onChange = [&] {
    seen.push_back(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor);
    if (notify) notify();
  };
  auto menu = t.widget.BuildContextMenu();
  QAction* cut = ActionFor(*menu, cmd::Cut);
  ASSERT_NE(cut, nullptr);
  cut->trigger();
  EXPECT_EQ(t.Text(), "bc");
  EXPECT_EQ(seen, std::vector<Qt::CursorShape>{Qt::WaitCursor});
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(PivraTextWidgetTest, RightButtonReleaseShowsTheMenuOfTheModeAtThatMoment) {
  TestWindow t;
  QString shown;
  auto closeMenu = [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      shown = menu->title();
      menu->close();
    }
  };
  QTimer::singleShot(0, closeMenu);
  QTest::mouseClick(t.widget.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(100, 50));
  EXPECT_EQ(shown, QStringLiteral("表計算"));
  t.view.Execute(cmd::ToggleTableMode);
  QTimer::singleShot(0, closeMenu);
  QTest::mouseClick(t.widget.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(100, 50));
  EXPECT_EQ(shown, QStringLiteral("編集"));
}

TEST(PivraTextWidgetTest, UndoAndRedoEntriesFollowTheHistoryAndReadOnly) {
  TestWindow t;
  t.view.Execute(cmd::ToggleTableMode);  // the editing menu holds undo and redo
  auto states = [&](bool& undo, bool& redo) {
    auto menu = t.widget.BuildContextMenu();
    undo = ActionFor(*menu, cmd::Undo)->isEnabled();
    redo = ActionFor(*menu, cmd::Redo)->isEnabled();
  };
  bool undo = true, redo = true;
  states(undo, redo);
  EXPECT_FALSE(undo) << "nothing typed yet";
  EXPECT_FALSE(redo);

  t.TypeChar(QStringLiteral("x"));
  states(undo, redo);
  EXPECT_TRUE(undo);
  EXPECT_FALSE(redo);

  t.Key(Qt::Key_Z, Qt::ControlModifier);
  states(undo, redo);
  EXPECT_FALSE(undo);
  EXPECT_TRUE(redo);

  t.view.Execute(cmd::ToggleReadOnly);
  states(undo, redo);
  EXPECT_FALSE(undo);
  EXPECT_FALSE(redo) << "redo is disabled while the text is read-only";
  t.view.Execute(cmd::ToggleReadOnly);
  t.Key(Qt::Key_Y, Qt::ControlModifier);
  states(undo, redo);
  EXPECT_TRUE(undo);
  EXPECT_FALSE(redo);

  t.view.Execute(cmd::ToggleReadOnly);
  states(undo, redo);
  EXPECT_FALSE(undo) << "undo is disabled while the text is read-only";
}

// ---------------------------------------------------------------- mouse and scrolling

TEST(PivraTextWidgetTest, ClickPlacesTheCaretAndShiftClickExtendsTheSelection) {
  TestWindow t;
  t.SetText("abc\t" + kHyo + "\r\nline two\r\n");
  EditBuffer& e = t.view.Edit();
  const Point hyo = e.PosFromChar(4);
  QTest::mouseClick(t.widget.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(hyo.x + 2, hyo.y + 2));
  EXPECT_EQ(e.GetSel(), std::make_pair(4, 4));
  const Point two = e.PosFromChar(12);
  QTest::mouseClick(t.widget.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(two.x + 1, two.y + 2));
  EXPECT_EQ(e.GetSel(), std::make_pair(4, 12));
}

TEST(PivraTextWidgetTest, DoubleClickSelectsTheWordUnderTheMouse) {
  TestWindow t;
  t.SetText("abc defgh ijk\r\n");
  EditBuffer& e = t.view.Edit();
  const Point f = e.PosFromChar(6);
  QTest::mouseDClick(t.widget.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(f.x + 2, f.y + 2));
  const auto [s, en] = e.GetSel();
  EXPECT_LE(s, 6);
  EXPECT_GT(en, 6);
  EXPECT_EQ(e.Text().substr(static_cast<std::size_t>(s), static_cast<std::size_t>(en - s)).find(' '), std::string::npos);
}

TEST(PivraTextWidgetTest, DragInTableModeFixesTheCellBlockAtTheRelease) {
  TestWindow t;
  t.SetText("1\t2\t3\r\n4\t5\t6\r\n7\t8\t9\r\n");
  EditBuffer& e = t.view.Edit();
  const Point from = e.PosFromChar(0);
  const Point to = e.PosFromChar(12);  // row 2, after "6"
  QWidget* vp = t.widget.viewport();
  QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, QPoint(from.x + 1, from.y + 2));
  QMouseEvent move(QEvent::MouseMove, QPointF(to.x + 1, to.y + 2), vp->mapToGlobal(QPointF(to.x + 1, to.y + 2)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(vp, &move);
  QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, QPoint(to.x + 1, to.y + 2));
  EXPECT_EQ(e.GetSel(), std::make_pair(0, 12));
  EXPECT_EQ(t.view.cellRange, (CellRange{0, 0, 2, 1}));
}

// A drag from the middle of one cell to the middle of another inverts the
// whole cells of the block, from tab stop to tab stop, and nothing above the
// text (the ruler row of table mode) or beside it.
TEST(PivraTextWidgetTest, DragInvertsExactlyTheCellsOfTheBlock) {
  TestWindow t;
  t.SetText(kHyoKeisan + "\t12\t345\r\nab\t" + kHyo + "\tc\r\nx\ty\tzz\r\n");
  EditBuffer& e = t.view.Edit();
  const Point from = e.PosFromChar(8);                // between "1" and "2" of row 0
  const Point to = e.PosFromChar(e.LineIndex(2) + 5);  // between the two "z" of row 2
  QWidget* vp = t.widget.viewport();
  QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, QPoint(from.x + 1, from.y + 2));
  QMouseEvent move(QEvent::MouseMove, QPointF(to.x + 1, to.y + 2), vp->mapToGlobal(QPointF(to.x + 1, to.y + 2)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(vp, &move);
  QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, QPoint(to.x + 1, to.y + 2));
  ASSERT_EQ(t.view.cellRange, (CellRange{1, 0, 2, 2}));

  const Rect text = e.GetRect();
  const int tab = e.TabPixels();
  const int lh = t.layout.LineHeight();
  ASSERT_GT(text.top, 0) << "table mode keeps a ruler row above the text";
  const Rect block = t.view.BlockHighlight();
  EXPECT_EQ(block, (Rect{text.left + tab, text.top, text.left + 3 * tab, text.top + 3 * lh}));

  // The fixed block alone shows the selection: against the picture of the
  // text with nothing selected, exactly the block's pixels are inverted.
  const QImage inverted = vp->grab().toImage();
  const auto [anchor, caretPos] = std::make_pair(e.Anchor(), e.Caret());
  e.SetSel(caretPos, caretPos);
  const QImage plain = vp->grab().toImage();
  e.SetSel(anchor, caretPos);
  ASSERT_EQ(t.view.BlockHighlight(), block);
  ASSERT_EQ(inverted.size(), plain.size());
  const Point caret = e.CaretPoint();  // drawn over the block, never inverted
  const QRect caretRect(caret.x, caret.y, EditBuffer::kCaretWidth, lh);
  int wrong = 0;
  for (int y = 0; y < plain.height(); ++y)
    for (int x = 0; x < plain.width(); ++x) {
      if (caretRect.contains(x, y)) continue;
      const QRgb p = plain.pixel(x, y);
      const bool inside = x >= block.left && x < block.right && y >= block.top && y < block.bottom;
      const QRgb expected = inside ? qRgb(255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p)) : p;
      if ((inverted.pixel(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF)) ++wrong;
    }
  EXPECT_EQ(wrong, 0) << "pixels inverted outside the block or left as they were inside it";
}

TEST(PivraTextWidgetTest, WheelScrollsThreeLinesAndTheScrollBarFollows) {
  TestWindow t;
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line\r\n";
  t.SetText(text);
  QWheelEvent down(QPointF(50, 50), t.widget.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(t.widget.viewport(), &down);
  EXPECT_EQ(t.view.Edit().FirstVisibleLine(), 3);
  EXPECT_EQ(t.widget.verticalScrollBar()->value(), 3);
  t.widget.verticalScrollBar()->setValue(10);
  EXPECT_EQ(t.view.Edit().FirstVisibleLine(), 10);
}

// The vertical bar counts rows, so a text of 1,300,000 rows (more than
// 2^31 / 100 pixels of rows) is scrolled through to its last row and back by
// the thumb alone, and the thumb stands where the first visible row does.
TEST(PivraTextWidgetTest, VerticalBarReachesEveryRowOfAMillionRowText) {
  TestWindow t;
  std::string text;
  text.reserve(1300000 * 3);
  for (int i = 0; i < 1300000; ++i) text += "1\r\n";
  t.SetText(text);
  const EditBuffer& e = t.view.Edit();
  QScrollBar* bar = t.widget.verticalScrollBar();
  const int lastFirst = e.LineCount() - e.VisibleLineCount();
  ASSERT_GT(lastFirst, 1299000);
  EXPECT_EQ(bar->maximum(), lastFirst);
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(e.FirstVisibleLine(), lastFirst);
  EXPECT_EQ(e.LineFromChar(e.GetTextLength()), e.LineCount() - 1);
  bar->setSliderPosition(654321);  // a drag of the thumb
  EXPECT_EQ(e.FirstVisibleLine(), 654321);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(e.FirstVisibleLine(), 654322);
  t.view.Edit().SetSel(e.GetTextLength(), e.GetTextLength());
  t.Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(bar->value(), 0);
  t.Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(bar->value(), lastFirst) << "the bar follows the caret to the end";
  // The thumb's place is the row's share of the range, not an overflowed product.
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = Qt::Vertical;
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = option.sliderValue = bar->value();
  option.pageStep = bar->pageStep();
  option.singleStep = bar->singleStep();
  const QRect groove = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, bar);
  const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
  EXPECT_EQ(thumb.bottom(), groove.bottom());
}

TEST(PivraTextWidgetTest, ResizeSetsTheClientRectangleAndHorizontalBarOnlyWithoutWrap) {
  TestWindow t;
  t.widget.resize(500, 300);
  QApplication::processEvents();
  const Rect client = t.view.Edit().ClientRect();
  EXPECT_EQ(client.Width(), t.widget.viewport()->width());
  EXPECT_EQ(client.Height(), t.widget.viewport()->height());
  EXPECT_EQ(t.widget.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);  // table mode: no wrap
  t.view.Execute(cmd::ToggleTableMode);
  t.widget.Refresh();
  EXPECT_EQ(t.widget.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(t.widget.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(PivraTextWidgetTest, HorizontalScrollRangeFollowsTheWidestRowWithoutWrap) {
  TestWindow t;
  t.SetText("short\r\nabc\r\n");
  EditBuffer& e = t.view.Edit();
  EXPECT_EQ(t.widget.horizontalScrollBar()->maximum(), 0) << "the text fits";
  e.SetSel(12, 12);  // the last line
  QTest::keyClicks(&t.widget, QString(100, QLatin1Char('w')));
  ASSERT_GT(e.WidestRowPixels() + EditBuffer::kCaretWidth, e.GetRect().Width());
  EXPECT_EQ(t.widget.horizontalScrollBar()->maximum(), e.MaxHorizontalScroll()) << "the typed row grew";
  t.view.Execute(cmd::SelectAll);  // select all, then cut by the accelerator
  t.Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(t.Text(), "");
  EXPECT_EQ(t.widget.horizontalScrollBar()->maximum(), 0) << "measured again after a command";
}

// In a text of 4 MB or more a command's change measures the rows on screen
// at once and every row when the changes pause: the range never shrinks
// under the user while a key is held, and ends as wide as the widest row.
TEST(PivraTextWidgetTest, HorizontalRangeOfALargeTextFollowsACommandOnceTheChangesPause) {
  TestWindow t;
  std::string text = std::string(2000, 'w') + "\r\n";
  while (text.size() < 4500000) text += "x\r\n";
  t.view.Edit().SetLimitText(8 * 1024 * 1024);  // a limit raised past the text
  t.SetText(text);
  const EditBuffer& e = t.view.Edit();
  QScrollBar* bar = t.widget.horizontalScrollBar();
  const auto waitFor = [](const std::function<bool()>& done) {
    for (int i = 0; i < 250 && !done(); ++i) QTest::qWait(20);
  };
  waitFor([&] { return bar->maximum() == e.MaxHorizontalScroll(); });
  ASSERT_EQ(bar->maximum(), e.MaxHorizontalScroll());
  ASSERT_GT(bar->maximum(), 0) << "the long first row";

  t.view.Edit().SetSel(0, 2002);
  t.Key(Qt::Key_X, Qt::ControlModifier);  // cut the long row: a command, not typing
  ASSERT_EQ(e.GetTextLength(), static_cast<int>(text.size()) - 2002);
  EXPECT_GT(bar->maximum(), 0) << "not every row measured yet";
  waitFor([&] { return bar->maximum() == 0; });
  EXPECT_EQ(bar->maximum(), 0) << "every row measured once the changes paused";
}

// Scrolled to the end of its range, the widest row ends at the right edge of
// the text with just the caret's width after it: no empty window beyond it.
TEST(PivraTextWidgetTest, HorizontalScrollBarEndsWithTheWidestRowAndTheCaret) {
  const std::string wide = "a\t" + kHyoKeisan + "\t" + std::string(120, 'm');
  const struct {
    const char* name;
    std::string text;
  } cases[] = {{"narrow", "1\t2\r\n"}, {"wide in the middle", "1\r\n" + wide + "\r\n2"}};
  for (const auto& c : cases) {
    TestWindow t;
    t.SetText(c.text);
    const EditBuffer& e = t.view.Edit();
    QScrollBar* bar = t.widget.horizontalScrollBar();
    const int expected = std::max(0, e.WidestRowPixels() + EditBuffer::kCaretWidth - e.GetRect().Width());
    EXPECT_EQ(bar->maximum(), expected) << c.name;
    EXPECT_EQ(bar->pageStep(), e.GetRect().Width()) << c.name;
    bar->setValue(bar->maximum());
    EXPECT_EQ(e.HorizontalScroll(), expected) << c.name;
    if (expected > 0) {
      const int rowEnd = e.LineIndex(1) + static_cast<int>(wide.size());
      EXPECT_EQ(e.PosFromChar(rowEnd).x + EditBuffer::kCaretWidth, e.GetRect().right) << c.name;
    }
  }
}

// ---------------------------------------------------------------- drawing

TEST(PivraTextWidgetTest, PaintsJapaneseTextUndecodableBytesAndTheBlockHighlight) {
  TestWindow t;
  QImage blank = t.widget.viewport()->grab().toImage();
  t.SetText(kHyoKeisan + "\t\x80\xFF\r\n1\t2\r\n");
  const QImage image = t.widget.viewport()->grab().toImage();
  EXPECT_NE(image, blank);
  // Something dark where 表 stands.
  const Point p = t.view.Edit().PosFromChar(0);
  int dark = 0;
  for (int y = p.y; y < p.y + t.layout.LineHeight(); ++y)
    for (int x = p.x; x < p.x + t.layout.CharWidth(kHyo); ++x)
      if (qGray(image.pixel(x, y)) < 128) ++dark;
  EXPECT_GT(dark, 10);

  t.view.Edit().SetSel(2, 0);  // the caret stays where it was drawn
  t.view.OnMouseRelease();     // fixes the block of the first cell
  ASSERT_GE(t.view.BlockHighlight().Width(), 20);
  const QImage inverted = t.widget.viewport()->grab().toImage();
  EXPECT_NEAR(qGray(inverted.pixel(p.x + 19, p.y + 9)), 255 - qGray(image.pixel(p.x + 19, p.y + 9)), 1);
}

}  // namespace
