// RowLayout: a text's physical lines (rows) and where they stand on the screen.
//
// A physical line is a line as shown: with word wrap on, a long logical line
// is broken into several rows at the formatting width; without it every
// logical line is one row. The rows are kept per logical line:
//   rows_[i]       offsets, relative to the start of logical line i, where its
//                  rows 1.. begin (empty when the line does not wrap);
//   rowPrefix_     number of rows before logical line i, rowPrefix_.Value(i)
//                  (Count() == number of logical lines + 1, and Back() is
//                  the number of rows); a Partitioning, so the shift of the
//                  counts after an edit's lines is applied lazily.
// Invariant: after every call, rows_ and rowPrefix_ describe the text and line
// starts last given (after Splice, the text after the edit) at the current
// width, tab stops and layout; Splice re-wraps only the logical lines the edit
// rewrote and shifts the counts after them.
//
// Geometry follows the Win32 EDIT control: a client rectangle, a formatting
// rectangle inside it (client less the margins unless SetRect was called), the
// first visible row and, without word wrap, a horizontal scroll offset in
// pixels. A row's x positions come from the LineLayout's character widths and
// the tab stops; they saturate at kMaxRowPixels.
//
// The text is its owner's: every call that reads it is given the bytes and
// their line starts as a Source. The bytes are read a line (or a row) at a
// time, never as one run, so laying out the line an edit touched does not
// close the gap of the text's GapText.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "buffer/GapText.h"
#include "buffer/LineStarts.h"
#include "buffer/Partitioning.h"
#include "platform/Geometry.h"
#include "platform/LineLayout.h"

class RowLayout {
 public:
  // Width of the caret in pixels; the horizontal scroll range leaves room for
  // it after the widest row.
  static constexpr int kCaretWidth = 2;
  // Largest tab interval in dialog units (256 characters); larger ones are cut to it.
  static constexpr int kMaxTabUnits = 1024;
  // x positions within a row saturate here (2^30 pixels), so that adding a
  // margin or a scroll offset to one never overflows.
  static constexpr int kMaxRowPixels = 1 << 30;

  // The text being laid out: its bytes and their logical line starts.
  struct Source {
    const GapText& bytes;
    const LineStarts& lines;
  };

  // The bytes of one row: [begin, end) without the line break that ends it;
  // `wraps` when its logical line goes on in the next row. {-1, -1, false}
  // for a row that does not exist.
  struct RowSpan {
    int begin = -1;
    int end = -1;
    bool wraps = false;
  };

  // `layout` must outlive the rows; none means fixed cells.
  explicit RowLayout(const LineLayout* layout);

  // ---- laying out
  // A new text: scrolled back to its start and laid out whole.
  void Reset(const Source& text);
  // After an edit the line starts reported as `change`: re-wraps the rewritten lines.
  void Splice(const Source& text, LineStarts::Change change);

  // ---- rows
  int RowCount() const { return rowPrefix_.Back(); }
  // The row that holds `pos` (0..length; a larger one counts as the length).
  int RowOf(const Source& text, int pos) const;
  RowSpan RowRange(const Source& text, int row) const;
  // The first byte of `row`, -1 when there is no such row.
  int RowStart(const Source& text, int row) const;
  // The position in `row` nearest x (pixels from the row's start): before the
  // character whose middle is right of x, else the row's end (on a wrapped
  // row its last character).
  int PosInRowFromX(const Source& text, int row, int x) const;

  // ---- pixels
  // x of pos within its row, from the start of that row.
  int XInRow(const Source& text, int pos) const;
  // x after the character `ch` (one or two bytes) that starts at x in its
  // row: a TAB goes on to the next tab stop, any other character adds its
  // width in the layout.
  int Advance(int x, std::string_view ch) const;
  // Widest row in pixels (for the horizontal scroll range).
  int WidestRowPixels(const Source& text) const;
  // The unclipped client point of pos: left of its character, top of its row.
  Point PointOf(const Source& text, int pos) const;
  // The position nearest a client point and the row it is in.
  std::pair<int, int> CharFromPoint(const Source& text, int x, int y) const;

  // ---- scrolling
  int FirstVisibleRow() const { return firstVisible_; }
  int VisibleRowCount() const;  // whole rows that fit in the formatting rectangle
  void Scroll(const Source& text, int columns, int rows);
  // Back to the first row and no horizontal scroll, as Reset leaves it.
  void ScrollHome() {
    firstVisible_ = 0;
    hScroll_ = 0;
  }
  int HorizontalScroll() const { return hScroll_; }
  void SetHorizontalScroll(const Source& text, int pixels);
  // The same within the range of a widest row already measured.
  void SetHorizontalScroll(int pixels, int widestRowPixels);
  int MaxHorizontalScroll(int widestRowPixels) const;
  // Scrolls the least that brings the caret at pos into view (and, past the
  // right edge, a quarter of the width more).
  void ScrollTo(const Source& text, int pos);
  // ScrollTo for each position in turn, ascending, in one pass.
  void ScrollThrough(const Source& text, const std::vector<int>& positions);

  // ---- settings; each lays the text out again only when the rows can change
  void SetTabStops(const Source& text, int dialogUnits);
  int TabStopUnits() const { return tabUnits_; }
  int TabPixels() const;
  void SetMargins(const Source& text, int left, int right);
  int LeftMargin() const { return leftMargin_; }
  int RightMargin() const { return rightMargin_; }
  Rect FormatRect() const;
  void SetFormatRect(const Source& text, const Rect& rect);
  void SetClientRect(const Source& text, const Rect& client);
  Rect ClientRect() const { return client_; }
  void SetWordWrap(const Source& text, bool wrap);
  bool IsWordWrap() const { return wordWrap_; }
  void SetLayout(const Source& text, const LineLayout* layout);  // lays out the whole text again
  const LineLayout& Layout() const { return *layout_; }

 private:
  static Partitioning OneLine() {
    Partitioning rows;
    rows.Assign({0, 1});
    return rows;
  }
  void Relayout(const Source& text);
  template <typename Change>
  void ChangeLayout(const Source& text, Change change);
  void WrapLogicalLine(const Source& text, int line, std::vector<int>& rowStarts) const;
  int RowStartOfLogical(const Source& text, int line, int row) const;
  int LogicalOfRow(int row) const;
  int FormattingWidth() const;
  void ClampFirstVisible();
  void MeasureSingleBytes();
  // x after walking bytes [begin, end) of one row from x = 0.
  int WalkX(const Source& text, int begin, int end) const;
  // The same over bytes already read: [begin, end) of `bytes`.
  int WalkX(std::string_view bytes, int begin, int end) const;

  std::vector<std::vector<int>> rows_{{}};
  Partitioning rowPrefix_ = OneLine();

  const LineLayout* layout_;
  // The layout's width of every single-byte character (TAB unused), measured
  // once per layout so walking a row does not ask the layout per byte.
  int singleWidth_[256] = {};
  int firstVisible_ = 0;
  int hScroll_ = 0;
  int tabUnits_ = 32;
  bool wordWrap_ = false;
  int leftMargin_ = 0;
  int rightMargin_ = 0;
  Rect client_{0, 0, 640, 640};
  Rect format_{0, 0, 640, 640};
  bool formatSetExplicitly_ = false;
};
