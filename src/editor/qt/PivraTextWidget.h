// PivraTextWidget: the window of one view's text control.
//
// It passes keys, characters, mouse and input method events to the view as
// the control would receive them; every decision (what a key does, where the
// caret goes, how lines wrap) is the core's. The viewport's coordinates are
// the buffer's client coordinates: a resize sets the buffer's client
// rectangle and sends the view update hint 0.
//
// It does not draw the text itself: each paint event gathers what the picture
// needs (the part to draw, the control's colours, the caret, the cell block,
// the focus and the text being composed) into a PaintRequest and hands it to
// the painter the display code set (display/qt/TextPainter). Without one it
// only fills the background.
//
// Input method: the text being composed (with the clause formats and the
// caret the input method gives) stands in place of the selection, or at the
// caret, and is only drawn there; the document receives the committed text,
// with any range the input method replaces, through InputMethodText as one
// undo step. The widget answers the input method's queries about the caret's
// line from the same class, and tells the input method after every input,
// scroll, resize and focus change, so its candidate list follows the caret.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QList>
#include <QTextCharFormat>
#include <QTimer>
#include <functional>
#include <memory>

class EditorView;
class FontLayout;
class QMenu;

class PivraTextWidget : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // The layout is given to the view's buffer and must outlive the widget.
  PivraTextWidget(EditorView& view, const FontLayout& layout, QWidget* parent = nullptr);
  ~PivraTextWidget() override;

  EditorView& View() { return view_; }
  const FontLayout& Layout() const { return *layout_; }
  // A new display font: the buffer re-lays out its text with it.
  void SetFontLayout(const FontLayout& layout);

  // Text and background colours of the control: the view's, or black on
  // pale blue while the text is read-only.
  QColor TextColour() const;
  QColor BackgroundColour() const;

  // Brings scroll bars and the picture up to date after the view changed
  // other than through this widget's own input (a menu command, a new text).
  void Refresh();

  // The context menu of the view's current mode (table menu in table mode,
  // editing menu otherwise), with its commands enabled and ticked by the view.
  std::unique_ptr<QMenu> BuildContextMenu();

  // What one paint event asks to be drawn, in viewport coordinates.
  struct PaintRequest {
    QRect viewport;  // the whole viewport
    QRect dirty;     // the part to draw again
    QColor text;     // TextColour() and BackgroundColour()
    QColor background;
    QColor selectedText;  // the palette's highlight colours
    QColor selectedBackground;
    QRect caret;           // the caret, a line high
    QRect block;           // the cell block to invert; empty when there is none
    bool blockFixed = false;  // a cell block is fixed: the plain selection is not drawn
    bool focused = false;  // the caret shows only with the focus
    // Text being composed: drawn in the caret's row as if it stood in place
    // of the selection (or at the caret), the text after it moved right;
    // `caret` is then the caret inside it.
    struct Composition {
      QString text;  // empty: nothing is being composed
      struct Format {
        int start = 0, length = 0;  // UTF-16 units of `text`
        QTextCharFormat format;
      };
      QList<Format> formats;  // what the input method asks for; text outside them is underlined
      int cursor = 0;         // the caret inside `text`, in UTF-16 units
      bool cursorVisible = true;
      int rowShift = 0;  // pixels the composing row is drawn further left to keep the caret in view
    } composition;
  };
  // Draws the picture of every paint event into the viewport.
  void SetPainter(std::function<void(QPainter&, const PaintRequest&)> painter) { painter_ = std::move(painter); }

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  // The input method's own state, where it tells one (InputMethodStatus):
  // the view's input-method mark follows it; text being composed still
  // counts as on.
  void SetInputMethodOn(bool on);

  // Keys of the platform -> Windows virtual-key codes (0 when there is none).
  static int VirtualKey(int qtKey);

 signals:
  // Emitted after any input or command reached the view.
  void viewChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void AfterInput();
  void SyncScrollBars();
  void SyncClientRect();
  static std::string ToCp932(const QString& text);
  void ShowContextMenu(const QPoint& viewportPos);
  void DragScroll();
  void RunCommand(int id);
  QRect CaretRect() const;
  // The caret, or while composing the caret inside the composed text; the
  // shift of the composing row comes with it.
  QRect CompositionCaretRect(int* rowShift = nullptr) const;
  // Asks the input method to read the caret rectangle and the text again.
  void TellInputMethod();

  EditorView& view_;
  const FontLayout* layout_;
  PaintRequest::Composition composition_;
  bool inputMethodOn_ = false;
  QTimer dragTimer_;
  QTimer wholeMeasureTimer_;
  QPoint dragPos_;
  bool dragging_ = false;
  bool releasePending_ = false;  // a double click waits for its release
  int syncDepth_ = 0;  // inside SyncScrollBars: scroll bar changes are ours
  int wheelRemainder_ = 0;
  // Widest row, remembered for the horizontal scroll range until the text
  // changes; after plain typing only the caret's row is measured again (a
  // range that stays wider after a deletion is harmless), after anything
  // else every row: at once in a text under 4 MB, in a larger one the rows
  // on screen and the caret's at once and every row when the changes pause
  // (wholeMeasureTimer_).
  bool typingOnly_ = false;
  struct WidestKey {
    int length = -1, lines = -1, tabUnits = -1, width = -1;
    const void* layout = nullptr;
    bool operator==(const WidestKey&) const = default;
  } widestKey_;
  int widest_ = 0;
  std::function<void(QPainter&, const PaintRequest&)> painter_;
};
