// EditBuffer: the text control as every editing part of the program sees it.
//
// The text is one CP932 byte string with CR LF line breaks, held in a
// GapText whose gap follows the edits, so typing in the middle of a large
// text moves only the bytes between one edit and the next. Every position,
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
// The buffer holds the text, the selection (anchor and caret) and the column
// kept while moving up and down; it is the façade of two parts it keeps in
// step with the text:
//   lines_   the logical line starts (LineStarts), updated edit by edit;
//   rows_    the physical lines, geometry and scrolling (RowLayout).
// Invariant: after every public call both describe text_ exactly, and
// 0 <= anchor_, caret_ <= text_.Size(). Every change of the text goes through
// Replace (an edit: both re-scan only the lines it touched) or SetText.
// Both read the text a range at a time (Slice), never as one run: only
// Text(), asked for by a caller, closes the gap.
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

#include "buffer/GapText.h"
#include "buffer/LineStarts.h"
#include "buffer/RowLayout.h"
#include "platform/Clipboard.h"
#include "platform/Geometry.h"
#include "platform/LineLayout.h"

class EditBuffer {
 public:
  // The size limit a buffer starts with, 1,048,575 bytes, and the largest
  // one it takes (1 GiB - 1): with it every byte offset and the sum of any
  // two stays inside an int.
  static constexpr int kDefaultTextLimit = 0xFFFFF;
  static constexpr int kMaxTextLimit = 0x3FFFFFFF;
  // Width of the caret in pixels; the window draws it this wide, and the
  // horizontal scroll range leaves room for it after the widest row.
  static constexpr int kCaretWidth = RowLayout::kCaretWidth;
  // Largest tab interval SetTabStops takes, in dialog units (256 characters);
  // larger ones are cut to it.
  static constexpr int kMaxTabUnits = RowLayout::kMaxTabUnits;
  // x positions within a row saturate here (2^30 pixels), so that adding a
  // margin or a scroll offset to one never overflows.
  static constexpr int kMaxRowPixels = RowLayout::kMaxRowPixels;

  explicit EditBuffer(const LineLayout* layout = nullptr);

  // ---- text
  std::string GetText() const { return text_.Copy(0, text_.Size()); }
  // The whole text as one run, without a copy (the gap is moved to the end).
  // Valid until the next change: while the text is one run no Slice moves it.
  std::string_view Text() const { return text_.Contiguous(); }
  // Bytes [begin, end), 0 <= begin <= end <= length, without a copy: cheap
  // for a range that does not straddle the last edit, and for one near it.
  // Valid until the next change or the next Text or Slice call.
  std::string_view Slice(int begin, int end) const { return text_.View(begin, end); }
  // A copy of bytes [begin, end).
  std::string Copy(int begin, int end) const { return text_.Copy(begin, end); }
  char At(int pos) const { return text_.At(pos); }  // byte pos, 0 <= pos < length
  void SetText(std::string_view text);
  // Takes the string's storage instead of copying it (a file just read).
  void SetText(std::string&& text);
  void SetText(const char* text) { SetText(std::string_view(text)); }
  // What SetText of the text with bytes [start, end) replaced by `with` does
  // (caret at the start, scrolled to the top), reached by an edit of that
  // range alone: a command that changes one place of a large text neither
  // builds the whole new text nor lays every line out again. Like SetText it
  // raises no change notification and is not limited. `with` must not be a
  // view into this buffer.
  void RewriteRange(int start, int end, std::string_view with);
  int GetTextLength() const { return text_.Size(); }
  // Moves on at every change of the text (an edit or SetText), never
  // otherwise: equal revisions mean the same text.
  std::uint64_t TextRevision() const { return textRevision_; }

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
  int FirstVisibleLine() const { return rows_.FirstVisibleRow(); }
  void LineScroll(int columns, int lines);
  int VisibleLineCount() const;  // whole physical lines that fit in the formatting rectangle

  // ---- points. PosFromChar packs each half into 16 signed bits, as the
  // control does; CaretPoint gives the unclipped caret point.
  Point PosFromChar(int pos) const;
  std::pair<int, int> CharFromPos(int x, int y) const;
  Point CaretPoint() const;

  // ---- logical lines (counted by LF)
  int LogicalLineCount() const { return lines_.Count(); }
  int LogicalLineStart(int n) const { return lines_.Start(n); }
  int LogicalLineFromChar(int pos) const;
  // Whether the text holds a CR LF. Read from the line ends, where one always
  // stands: a usual text answers at its first line, without reading the rest.
  bool ContainsCrLf() const;
  std::pair<std::string, int> GetLogicalLine(int n);  // n = -1: the caret line
  std::pair<int, int> CaretPosition();                 // (column, pos), last visible pair

  // ---- settings of the control
  void SetTabStops(int dialogUnits);
  int TabStopUnits() const { return rows_.TabStopUnits(); }
  int TabPixels() const { return rows_.TabPixels(); }
  void SetReadOnly(bool flag) { readOnly_ = flag; }
  bool IsReadOnly() const { return readOnly_; }
  void SetMargins(int left, int right);
  int LeftMargin() const { return rows_.LeftMargin(); }
  int RightMargin() const { return rows_.RightMargin(); }
  Rect GetRect() const { return rows_.FormatRect(); }
  void SetRect(const Rect& rect);
  void SetClientRect(const Rect& client);
  Rect ClientRect() const { return rows_.ClientRect(); }
  void SetWordWrap(bool wrap);
  bool IsWordWrap() const { return rows_.IsWordWrap(); }
  void SetLayout(const LineLayout* layout);  // re-lays out the whole text
  const LineLayout& Layout() const { return rows_.Layout(); }
  int HorizontalScroll() const { return rows_.HorizontalScroll(); }
  // Clamped to 0..MaxHorizontalScroll(); always 0 with word wrap.
  void SetHorizontalScroll(int pixels);
  // The same, clamped to the range for a widest row the caller measured
  // already (the window keeps it for its scroll bar), so that dragging the
  // bar over a large text does not measure every row at each step.
  void SetHorizontalScroll(int pixels, int widestRowPixels) { rows_.SetHorizontalScroll(pixels, widestRowPixels); }
  // The furthest the text scrolls left without word wrap: the widest row and
  // the caret after it then end at the right edge of the formatting
  // rectangle. 0 when they fit, and always with word wrap.
  int MaxHorizontalScroll() const { return MaxHorizontalScroll(WidestRowPixels()); }
  // The same for a widest row the caller has measured already.
  int MaxHorizontalScroll(int widestRowPixels) const { return rows_.MaxHorizontalScroll(widestRowPixels); }
  // The size limit in bytes: typing and paste that would pass it are
  // refused. Its owner sets it from the settings; it is cut to
  // kDefaultTextLimit..kMaxTextLimit. SetText is not limited.
  int LimitText() const { return textLimit_; }
  void SetLimitText(int bytes);

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

  // ---- what changed since a mark. The undo history marks the text each
  // time it stores a snapshot; the next snapshot then compares only the bytes
  // between the ends no edit since has touched, instead of the whole text.
  struct UnchangedEnds {
    int prefix = 0;  // leading bytes no edit since the mark touched
    int suffix = 0;  // trailing bytes no edit since the mark touched
  };
  UnchangedEnds UnchangedSinceMark() const { return unchanged_; }
  // The mark is bookkeeping for the history, not part of the text's value.
  void MarkUnchanged() const { unchanged_ = {GetTextLength(), GetTextLength()}; }

  // Change notification (EN_CHANGE): raised by ReplaceSel, typing, Cut and
  // Paste; never by SetText.
  std::function<void()> onChange;

  // The bytes of physical line `row`: [begin, end) without the line break
  // that ends it; `wraps` when its logical line goes on in the next row.
  // {-1, -1, false} for a row that does not exist.
  using RowSpan = RowLayout::RowSpan;
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
  // The text and its line starts, as the row layout reads them.
  RowLayout::Source RowSource() const { return {text_, lines_}; }
  void Replace(int start, int end, std::string_view with);  // raw edit, keeps lines_ and rows_
  int SnapToBoundary(int pos) const;
  // Bytes [from, pos] (the byte at pos too when there is one: the second byte
  // of a character starting before pos may stand there).
  std::string_view ReadThrough(int from, int pos) const;
  // Everything SetText does after the text is in place.
  void ResetToText();

  GapText text_;
  LineStarts lines_;
  RowLayout rows_;
  int anchor_ = 0;
  int caret_ = 0;
  bool readOnly_ = false;
  std::uint64_t textRevision_ = 0;
  int textLimit_ = kDefaultTextLimit;
  // Since the last MarkUnchanged: each edit lowers both to the bytes before
  // and after it; SetText makes them {0, 0}.
  mutable UnchangedEnds unchanged_;
  std::pair<int, int> lastVisibleCaret_{0, 0};
  int desiredX_ = -1;  // x kept while moving up and down
};
