// EditBuffer: the text control as every editing part of the program sees it.
//
// The text is one CP932 byte string with CR LF line breaks. Every position,
// selection bound and length is a byte offset in 0..length; the buffer never
// puts a selection bound inside a double-byte character.
//
// Two kinds of line:
//   - a logical line runs from the start of the text, or the byte after an LF,
//     up to and including the next LF (or the end of the text);
//   - a physical line is a line as shown: with word wrap on, a long logical line
//     is broken into several physical lines at the formatting width. Every
//     line-numbered operation of the contract (LineCount, LineIndex,
//     LineFromChar, LineLength, FirstVisibleLine, LineScroll) counts physical
//     lines, and so does RowRange.
//
// Data kept incrementally, so a keystroke in a 1 MB text touches only the
// changed logical line and shifts two integer arrays:
//   lineStart_[i]   byte offset of logical line i (lineStart_[0] == 0);
//   rows_[i]        offsets, relative to lineStart_[i], where physical rows 1..
//                   of logical line i begin (empty when the line does not wrap);
//   rowPrefix_[i]   number of physical lines before logical line i
//                   (rowPrefix_.size() == lineStart_.size() + 1).
// Invariant: after every public call these three describe text_ exactly.
//
// Geometry follows the Win32 EDIT control: a client rectangle, a formatting
// rectangle inside it (client less the margins unless SetRect was called), the
// first visible physical line and, without word wrap, a horizontal scroll offset.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Geometry.h"
#include "platform/LineLayout.h"

class EditBuffer {
 public:
  static constexpr int kTextLimit = 0xFFFFF;  // 1,048,575 bytes
  // Width of the caret in pixels; the window draws it this wide, and the
  // horizontal scroll range leaves room for it after the widest row.
  static constexpr int kCaretWidth = 2;
  // Largest tab interval SetTabStops takes, in dialog units (256 characters);
  // larger ones are cut to it.
  static constexpr int kMaxTabUnits = 1024;
  // x positions within a row saturate here (2^30 pixels), so that adding a
  // margin or a scroll offset to one never overflows.
  static constexpr int kMaxRowPixels = 1 << 30;

  explicit EditBuffer(const LineLayout* layout = nullptr);

  // ---- text
  std::string GetText() const { return text_; }
  const std::string& Text() const { return text_; }  // no copy; valid until the next change
  void SetText(std::string_view text);
  int GetTextLength() const { return static_cast<int>(text_.size()); }

  // ---- selection. The anchor is where a keyboard or mouse selection started;
  // the caret is the other end. GetSel is ordered.
  std::pair<int, int> GetSel() const;
  void SetSel(int start, int end);
  int Caret() const { return caret_; }
  int Anchor() const { return anchor_; }
  void ReplaceSel(std::string_view text);
  void ScrollCaret();
  // The caret put at each position in turn, scrolled into view each time, as
  // SetSel(p, p) and ScrollCaret() for each would leave the view; one pass
  // for ascending positions. Each position must be a character boundary; the
  // caret ends at the last.
  void ScrollCaretThrough(const std::vector<int>& positions);

  // ---- physical lines
  int LineCount() const;
  int LineIndex(int line) const;
  int LineFromChar(int pos) const;
  int LineLength(int pos) const;
  int FirstVisibleLine() const { return firstVisible_; }
  void LineScroll(int columns, int lines);
  int VisibleLineCount() const;  // whole physical lines that fit in the formatting rectangle

  // ---- points. PosFromChar packs each half into 16 signed bits, as the
  // control does; CaretPoint gives the unclipped caret point.
  Point PosFromChar(int pos) const;
  std::pair<int, int> CharFromPos(int x, int y) const;
  Point CaretPoint() const;

  // ---- logical lines (counted by LF)
  int LogicalLineCount() const { return static_cast<int>(lineStart_.size()); }
  int LogicalLineStart(int n) const { return lineStart_[n]; }
  int LogicalLineFromChar(int pos) const;
  std::pair<std::string, int> GetLogicalLine(int n);  // n = -1: the caret line
  std::pair<int, int> CaretPosition();                 // (column, pos), last visible pair

  // ---- settings of the control
  void SetTabStops(int dialogUnits);
  int TabStopUnits() const { return tabUnits_; }
  int TabPixels() const;
  void SetReadOnly(bool flag) { readOnly_ = flag; }
  bool IsReadOnly() const { return readOnly_; }
  void SetMargins(int left, int right);
  int LeftMargin() const { return leftMargin_; }
  int RightMargin() const { return rightMargin_; }
  Rect GetRect() const;
  void SetRect(const Rect& rect);
  void SetClientRect(const Rect& client);
  Rect ClientRect() const { return client_; }
  void SetWordWrap(bool wrap);
  bool IsWordWrap() const { return wordWrap_; }
  void SetLayout(const LineLayout* layout);  // re-lays out the whole text
  const LineLayout& Layout() const { return *layout_; }
  int HorizontalScroll() const { return hScroll_; }
  // Clamped to 0..MaxHorizontalScroll(); always 0 with word wrap.
  void SetHorizontalScroll(int pixels);
  // The furthest the text scrolls left without word wrap: the widest row and
  // the caret after it then end at the right edge of the formatting
  // rectangle. 0 when they fit, and always with word wrap.
  int MaxHorizontalScroll() const { return MaxHorizontalScroll(WidestRowPixels()); }
  // The same for a widest row the caller has measured already.
  int MaxHorizontalScroll(int widestRowPixels) const;
  int LimitText() const { return kTextLimit; }

  // ---- typing and clipboard, as the user does it. Each refuses (returns
  // false, changes nothing) when read-only or when the result would pass the
  // limit; each that changes the text raises the change notification.
  bool TypeText(std::string_view cp932);
  bool Backspace();   // removes the character before the caret (CR LF as one)
  bool DeleteChar();  // removes the character after the caret (CR LF as one)
  bool Cut(ClipboardPort& clip);
  void Copy(ClipboardPort& clip) const;
  bool Paste(const ClipboardPort& clip);
  void SelectAll() { SetSel(0, GetTextLength()); }

  // ---- caret movement by keys; extend keeps the anchor (Shift).
  enum class Move { Left, Right, Up, Down, Home, End, PageUp, PageDown, TextStart, TextEnd };
  void MoveCaret(Move move, bool extend);
  // Moves the caret to the point (mouse click or drag); extend keeps the anchor.
  void MoveCaretToPoint(int x, int y, bool extend);

  // Change notification (EN_CHANGE): raised by ReplaceSel, typing, Cut and
  // Paste; never by SetText.
  std::function<void()> onChange;

  // The bytes of physical line `row`: [begin, end) without the line break
  // that ends it; `wraps` when its logical line goes on in the next row.
  // {-1, -1, false} for a row that does not exist.
  struct RowSpan {
    int begin = -1;
    int end = -1;
    bool wraps = false;
  };
  RowSpan RowRange(int row) const;
  // x of pos within its physical line, from the start of that line, in pixels.
  int XInRow(int pos) const;
  // x after the character `ch` (one or two bytes) that starts at x in its
  // row: a TAB goes on to the next tab stop, any other character adds its
  // width in the layout. Walking a row from x = 0 with it gives each
  // character's x as XInRow does.
  int Advance(int x, std::string_view ch) const;
  // Widest physical line in pixels (for the horizontal scroll range).
  int WidestRowPixels() const;

 private:
  void Replace(int start, int end, std::string_view with);  // raw edit, keeps the index
  void RebuildIndex();
  void Relayout();
  template <typename Change>
  void ChangeLayout(Change change);
  void WrapLogicalLine(int line, std::vector<int>& rowStarts) const;
  int RowStartOfLogical(int line, int row) const;
  int LogicalOfRow(int row) const;
  int FormattingWidth() const;
  int SnapToBoundary(int pos) const;
  int PosInRowFromX(int row, int x) const;
  void ClampFirstVisible();
  void MeasureSingleBytes();
  // x after walking [begin, end) of one physical row from x = 0.
  int WalkX(int begin, int end) const;

  std::string text_;
  std::vector<int> lineStart_{0};
  std::vector<std::vector<int>> rows_{{}};
  std::vector<int> rowPrefix_{0, 1};

  const LineLayout* layout_;
  // The layout's width of every single-byte character (TAB unused), measured
  // once per layout so walking a row does not ask the layout per byte.
  int singleWidth_[256] = {};
  int anchor_ = 0;
  int caret_ = 0;
  int firstVisible_ = 0;
  int hScroll_ = 0;
  int tabUnits_ = 32;
  bool readOnly_ = false;
  bool wordWrap_ = false;
  int leftMargin_ = 0;
  int rightMargin_ = 0;
  Rect client_{0, 0, 640, 640};
  Rect format_{0, 0, 640, 640};
  bool formatSetExplicitly_ = false;
  std::pair<int, int> lastVisibleCaret_{0, 0};
  int desiredX_ = -1;  // x kept while moving up and down
};
