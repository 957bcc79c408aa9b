#include "editor/qt/PivraTextWidget.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <string>

#include "platform/qt/FontLayout.h"
#include "editor/EditorView.h"
#include "editor/CommandTable.h"
#include "editor/InputMethodText.h"
#include "text/Cp932.h"
#include "editor/qt/CommandMenu.h"
#include "platform/qt/WaitCursorScope.h"

namespace {

constexpr int kDragScrollMs = 50;
// Texts from this size on have every row measured for the horizontal range
// only once their changes pause, this long after the last one.
constexpr int kMeasureAtOnceBytes = 4 * 1024 * 1024;
constexpr int kWholeMeasureDelayMs = 300;
constexpr int kWheelLines = 3;

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

PivraTextWidget::PivraTextWidget(EditorView& view, const FontLayout& layout, QWidget* parent)
    : QAbstractScrollArea(parent), view_(view), layout_(&layout) {
  view_.Edit().SetLayout(&layout);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  dragTimer_.setInterval(kDragScrollMs);
  connect(&dragTimer_, &QTimer::timeout, this, &PivraTextWidget::DragScroll);
  wholeMeasureTimer_.setSingleShot(true);
  wholeMeasureTimer_.setInterval(kWholeMeasureDelayMs);
  connect(&wholeMeasureTimer_, &QTimer::timeout, this, [this] {
    widestKey_ = {};  // every row measured again
    SyncScrollBars();
  });
}

PivraTextWidget::~PivraTextWidget() = default;

void PivraTextWidget::SetFontLayout(const FontLayout& layout) {
  layout_ = &layout;
  view_.Edit().SetLayout(&layout);
  Refresh();
}

QColor PivraTextWidget::TextColour() const {
  const Colour c = view_.colours.TextFor(view_.Edit().IsReadOnly());
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QColor PivraTextWidget::BackgroundColour() const {
  const Colour c = view_.colours.BackgroundFor(view_.Edit().IsReadOnly());
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

void PivraTextWidget::Refresh() {
  SyncScrollBars();
  viewport()->update();
  TellInputMethod();
}

void PivraTextWidget::AfterInput() {
  SyncScrollBars();
  viewport()->update();
  TellInputMethod();
  emit viewChanged();
}

void PivraTextWidget::TellInputMethod() {
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
}

// ---------------------------------------------------------------- geometry and scrolling

void PivraTextWidget::SyncClientRect() {
  const QSize size = viewport()->size();
  view_.Edit().SetClientRect({0, 0, size.width(), size.height()});
  view_.OnUpdate(UpdateHint::None);
}

void PivraTextWidget::SyncScrollBars() {
  // Showing or hiding the horizontal bar resizes the viewport, which syncs
  // again from inside this call; the depth keeps both from scrolling the text.
  ++syncDepth_;
  const EditBuffer& e = view_.Edit();
  const int visible = e.VisibleLineCount();
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, std::max(0, e.LineCount() - visible));
  v->setPageStep(visible);
  v->setSingleStep(1);
  v->setValue(e.FirstVisibleLine());

  if (e.IsWordWrap()) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  } else {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const WidestKey key{e.GetTextLength(), e.LineCount(), e.TabStopUnits(), e.GetRect().Width(), layout_};
    if (!(key == widestKey_)) {
      WidestKey sameShape = widestKey_;
      sameShape.length = key.length;
      sameShape.lines = key.lines;
      const auto rowWidth = [&e](int row) { return e.XInRow(e.RowRange(row).end); };
      if (typingOnly_ && sameShape == key) {
        // Typing changed the caret's row alone: only that row can have grown
        // (Enter splits a row in two narrower ones, Backspace at a line's
        // start joins two into the caret's).
        widest_ = std::max(widest_, rowWidth(e.LineFromChar(e.Caret())));
      } else if (e.GetTextLength() < kMeasureAtOnceBytes || widestKey_.length < 0) {
        widest_ = e.WidestRowPixels();
        wholeMeasureTimer_.stop();
      } else {
        // A large text changed by a command (undo, paste, a table command):
        // the rows on screen and the caret's are measured now, every row
        // once the changes pause, so holding a key down stays quick.
        const int first = e.FirstVisibleLine();
        const int last = std::min(e.LineCount(), first + visible + 1);
        for (int row = first; row < last; ++row) widest_ = std::max(widest_, rowWidth(row));
        widest_ = std::max(widest_, rowWidth(e.LineFromChar(e.Caret())));
        wholeMeasureTimer_.start();
      }
      widestKey_ = key;
    }
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, e.MaxHorizontalScroll(widest_));
    h->setPageStep(std::max(1, e.GetRect().Width()));
    h->setSingleStep(std::max(1, layout_->AverageCharWidth()));
    h->setValue(e.HorizontalScroll());
  }
  --syncDepth_;
  typingOnly_ = false;
}

void PivraTextWidget::scrollContentsBy(int, int) {
  if (syncDepth_ > 0) return;
  EditBuffer& e = view_.Edit();
  e.LineScroll(0, verticalScrollBar()->value() - e.FirstVisibleLine());
  // The bar's range is that of the widest row measured for it: the sideways
  // scroll stays inside it without measuring every row again.
  if (!e.IsWordWrap() && horizontalScrollBar()->value() != e.HorizontalScroll())
    e.SetHorizontalScroll(horizontalScrollBar()->value(), widest_);
  viewport()->update();
  TellInputMethod();
  emit viewChanged();
}

void PivraTextWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  SyncClientRect();
  SyncScrollBars();
  viewport()->update();
  TellInputMethod();
}

// ---------------------------------------------------------------- drawing

QRect PivraTextWidget::CaretRect() const {
  const Point c = view_.Edit().CaretPoint();
  return QRect(c.x, c.y, EditBuffer::kCaretWidth, layout_->LineHeight());
}

// The composed text starts where the selection starts (the caret when there
// is none) and is as wide as the display font makes it. When its end, or at
// least its caret, would pass the right edge, the row is drawn that much
// further left; its start never goes further than the caret needs.
QRect PivraTextWidget::CompositionCaretRect(int* rowShift) const {
  if (rowShift) *rowShift = 0;
  if (composition_.text.isEmpty()) return CaretRect();
  const EditBuffer& e = view_.Edit();
  const Point start = e.PosFromChar(e.GetSel().first);
  const QFontMetrics metrics(layout_->Font());
  const int cursorX = start.x + metrics.horizontalAdvance(composition_.text.left(composition_.cursor));
  const int endX = start.x + metrics.horizontalAdvance(composition_.text);
  const Rect format = e.GetRect();
  int shift = std::min(endX + EditBuffer::kCaretWidth - format.right, cursorX - format.left);
  shift = std::max({0, shift, cursorX + EditBuffer::kCaretWidth - format.right});
  if (rowShift) *rowShift = shift;
  return QRect(cursorX - shift, start.y, EditBuffer::kCaretWidth, layout_->LineHeight());
}

void PivraTextWidget::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  PaintRequest::Composition composition = composition_;
  const QRect caret = CompositionCaretRect(&composition.rowShift);
  const PaintRequest request{.viewport = viewport()->rect(),
                             .dirty = event->rect(),
                             .text = TextColour(),
                             .background = BackgroundColour(),
                             .selectedText = palette().color(QPalette::Active, QPalette::HighlightedText),
                             .selectedBackground = palette().color(QPalette::Active, QPalette::Highlight),
                             .caret = caret,
                             .block = ToQRect(view_.BlockHighlight()),
                             .blockFixed = view_.HasFixedBlock(),
                             .focused = hasFocus(),
                             .composition = composition};
  if (painter_) {
    painter_(p, request);
  } else {
    p.fillRect(request.dirty, request.background);
  }
}

// ---------------------------------------------------------------- keyboard

int PivraTextWidget::VirtualKey(int k) {
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 0x70 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return key::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return key::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return key::Return;
    case Qt::Key_Shift: return key::Shift;
    case Qt::Key_Control: return key::Control;
    case Qt::Key_Alt: return key::Alt;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return key::PageUp;
    case Qt::Key_PageDown: return key::PageDown;
    case Qt::Key_End: return key::End;
    case Qt::Key_Home: return key::Home;
    case Qt::Key_Left: return key::Left;
    case Qt::Key_Up: return key::Up;
    case Qt::Key_Right: return key::Right;
    case Qt::Key_Down: return key::Down;
    case Qt::Key_Insert: return key::Insert;
    case Qt::Key_Delete: return key::Delete;
    default: return 0;
  }
}

bool PivraTextWidget::focusNextPrevChild(bool) { return false; }  // TAB is text here

void PivraTextWidget::keyPressEvent(QKeyEvent* event) {
  const int key = VirtualKey(event->key());
  const Qt::KeyboardModifiers mods = event->modifiers();
  const bool ctrl = mods & Qt::ControlModifier;
  const bool alt = mods & Qt::AltModifier;
  const bool shift = mods & Qt::ShiftModifier;
  QString printable;
  for (const QChar c : event->text())
    if (c.unicode() >= 0x20 && c.unicode() != 0x7F) printable += c;
  typingOnly_ = !view_.PressKey(key, ctrl, shift, alt, ToCp932(printable));
  event->accept();
  AfterInput();
}

void PivraTextWidget::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
  if (event->isAutoRepeat()) return;
  const int key = VirtualKey(event->key());
  if (key == 0) return;
  view_.OnKeyUp(key);
  AfterInput();
}

std::string PivraTextWidget::ToCp932(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return cp932::FromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

// A commit (with the range it replaces) goes into the text first; the new
// composition then stands at the caret the commit left.
void PivraTextWidget::inputMethodEvent(QInputMethodEvent* event) {
  const bool commits =
      !event->commitString().isEmpty() || event->replacementLength() > 0 || event->replacementStart() != 0;
  if (commits) {
    const QByteArray utf8 = event->commitString().toUtf8();
    InputMethodText(view_).Commit(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                                  event->replacementStart(), event->replacementLength());
  }
  composition_ = {};
  composition_.text = event->preeditString();
  composition_.cursor = static_cast<int>(composition_.text.size());
  for (const QInputMethodEvent::Attribute& a : event->attributes()) {
    if (a.type == QInputMethodEvent::TextFormat) {
      const QTextCharFormat format = a.value.value<QTextFormat>().toCharFormat();
      if (format.isValid()) composition_.formats.append({a.start, a.length, format});
    } else if (a.type == QInputMethodEvent::Cursor) {
      composition_.cursor = std::clamp(a.start, 0, static_cast<int>(composition_.text.size()));
      composition_.cursorVisible = a.length != 0;
    }
  }
  typingOnly_ = true;
  // Where the input method tells no state of its own, text being composed
  // counts as open.
  const bool open = !composition_.text.isEmpty() || inputMethodOn_;
  if (view_.ime.open != open) view_.redraw.imeMark = true;
  view_.ime.open = open;
  event->accept();
  AfterInput();
}

void PivraTextWidget::SetInputMethodOn(bool on) {
  inputMethodOn_ = on;
  const bool open = on || !composition_.text.isEmpty();
  if (view_.ime.open == open) return;
  view_.ime.open = open;
  view_.redraw.imeMark = true;
  emit viewChanged();
}

QVariant PivraTextWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: return CompositionCaretRect().translated(viewport()->pos());
    case Qt::ImFont: return layout_->Font();
    case Qt::ImHints: return static_cast<int>(Qt::ImhMultiLine);
    case Qt::ImMaximumTextLength: return view_.Edit().LimitText();
    case Qt::ImCurrentSelection: return QString::fromStdU16String(InputMethodText(view_).Selection());
    case Qt::ImSurroundingText:
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
    case Qt::ImTextBeforeCursor:
    case Qt::ImTextAfterCursor: {
      const InputMethodText::Surrounding around = InputMethodText(view_).AroundCaret();
      const QString line = QString::fromStdU16String(around.text);
      if (query == Qt::ImCursorPosition) return around.cursor;
      if (query == Qt::ImAnchorPosition) return around.anchor;
      if (query == Qt::ImTextBeforeCursor) return line.left(around.cursor);
      if (query == Qt::ImTextAfterCursor) return line.mid(around.cursor);
      return line;
    }
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}

void PivraTextWidget::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  view_.redraw.caret = true;
  view_.redraw.colouring = true;
  viewport()->update();
  TellInputMethod();
}

void PivraTextWidget::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

// ---------------------------------------------------------------- mouse

void PivraTextWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  // A click ends the composition where it stands before the caret moves.
  if (!composition_.text.isEmpty()) QGuiApplication::inputMethod()->commit();
  const QPoint pos = event->position().toPoint();
  view_.OnMousePress(pos.x(), pos.y(), event->modifiers() & Qt::ShiftModifier);
  dragging_ = true;
  dragPos_ = pos;
  AfterInput();
}

// The second press of a double click selects a word; its release still ends
// the click as any release does (in table mode it fixes the cell block).
void PivraTextWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  // The platform may deliver the second press only as this event; the caret
  // goes to the point first, as the press would have put it.
  const QPoint pos = event->position().toPoint();
  view_.OnMousePress(pos.x(), pos.y(), false);
  view_.OnDoubleClick();
  releasePending_ = true;
  AfterInput();
}

void PivraTextWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  dragPos_ = event->position().toPoint();
  view_.OnMouseMove(dragPos_.x(), dragPos_.y());
  // Outside the text the selection keeps growing while the text scrolls.
  if (viewport()->rect().contains(dragPos_)) {
    dragTimer_.stop();
  } else if (!dragTimer_.isActive()) {
    dragTimer_.start();
  }
  AfterInput();
}

void PivraTextWidget::DragScroll() {
  if (!dragging_) {
    dragTimer_.stop();
    return;
  }
  EditBuffer& e = view_.Edit();
  const QRect r = viewport()->rect();
  if (dragPos_.y() < r.top()) e.LineScroll(0, -1);
  if (dragPos_.y() > r.bottom()) e.LineScroll(0, 1);
  if (!e.IsWordWrap()) {
    if (dragPos_.x() < r.left()) e.LineScroll(-1, 0);
    if (dragPos_.x() > r.right()) e.LineScroll(1, 0);
  }
  view_.OnMouseMove(dragPos_.x(), dragPos_.y());
  AfterInput();
}

void PivraTextWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton && (dragging_ || releasePending_)) {
    dragging_ = false;
    releasePending_ = false;
    dragTimer_.stop();
    view_.OnMouseRelease();
    AfterInput();
  } else if (event->button() == Qt::RightButton) {
    ShowContextMenu(pos);
  }
}

void PivraTextWidget::wheelEvent(QWheelEvent* event) {
  wheelRemainder_ += event->angleDelta().y();
  const int steps = wheelRemainder_ / 120;
  wheelRemainder_ -= steps * 120;
  if (steps != 0) {
    view_.Edit().LineScroll(0, -steps * kWheelLines);
    AfterInput();
  }
  event->accept();
}

// ---------------------------------------------------------------- context menu

void PivraTextWidget::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  // The right-button release shows the menu; here only the keyboard's menu key.
  if (event->reason() == QContextMenuEvent::Mouse) return;
  ShowContextMenu(CaretRect().bottomLeft());
}

std::unique_ptr<QMenu> PivraTextWidget::BuildContextMenu() {
  const ContextMenu resource = view_.ContextMenuResource();
  auto menu = std::make_unique<QMenu>();
  menu->setTitle(resource == ContextMenu::Table ? QStringLiteral("表計算") : QStringLiteral("編集"));
  FillCommandMenu(*menu, view_.Commands(), view_.Commands().ContextMenuItems(resource),
                  resource == ContextMenu::Table ? CaptionKind::Table : CaptionKind::Edit, [this](int id) { RunCommand(id); });
  RefreshCommandStates(*menu, view_);
  return menu;
}

void PivraTextWidget::ShowContextMenu(const QPoint& viewportPos) {
  const std::unique_ptr<QMenu> menu = BuildContextMenu();
  menu->exec(viewport()->mapToGlobal(viewportPos));
}

// A command of the text's own menu may rewrite a large text, as the main
// menu's may: it runs under the wait cursor too.
void PivraTextWidget::RunCommand(int id) {
  const WaitCursorScope waiting;
  view_.Execute(id);
  AfterInput();
}
