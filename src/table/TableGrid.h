// TableGrid: a text read once as rows and cells, edited cell by cell, and
// written back in one pass.
//
// Commands that touch every row of a large table would be quadratic if each
// cell operation searched the whole text for its row and rebuilt the text. The
// grid finds every row and every TAB once; each row is then either the
// original bytes or an edited copy of its cells, and Text() joins the rows
// again. The results are those of the cell operations of TableCells.h applied
// one after another to the text:
//   - Cells() reads like GetCells (the row with every CR and LF removed), and
//     sees the edits made so far;
//   - InsertCell() and DeleteCell() edit like InsertCellIntoText and
//     DeleteCell, on the cells of the row (up to its first CR);
//   - a position registered with Track() moves with the edits exactly as the
//     TableSelection start moves when those operations edit the text.
//
// Layout: rows_[r] = {start, cellsEnd, end} in the original text, where
// [start, cellsEnd) are the cells and [cellsEnd, end) the line break (and any
// stray CR before it); tabs_[tabBegin_[r] .. tabBegin_[r + 1]) are the TAB
// offsets of row r's cells. edited_[r] indexes copies_ once row r was edited.
// A first edit of a row that inserts one cell or removes one span is kept as
// pending_[i] (edited_[r] == kPendingBase - i): where in the row's original
// cells, how many bytes went, and where the inserted bytes lie in
// pendingBytes_, one buffer for all rows. The common commands that add or
// remove a cell in every row so copy no row and allocate nothing per row;
// the row is copied into copies_ when it is read or edited again. copies_ is a
// deque so the views RowCells hands out stay valid while other rows are copied.
// The grid holds a view of the text: the text must outlive it and not change.
// Its numbers are read by the NumberReading it was made with.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/NumberReading.h"

class TableGrid {
 public:
  explicit TableGrid(std::string_view text, numbers::NumberReading reading = numbers::NumberReading::Plain);

  // Rows: LF count + 1; row n starts after the n-th LF.
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Offsets in the original text.
  int RowStart(int row) const { return rows_[static_cast<std::size_t>(row)].start; }
  int RowEnd(int row) const { return rows_[static_cast<std::size_t>(row)].end; }  // after its LF
  // Number of TABs in the row's cells (as edited).
  int TabCount(int row) const;
  // True when the row's line break holds nothing but CR and LF bytes, so the
  // cells are the whole row once CR and LF are removed (otherwise reading a
  // cell reads on past a stray CR).
  bool CleanBreak(int row) const;

  // The row's cells as they are now (no line break).
  std::string_view RowCells(int row) const;
  // The whole logical line as it is now, with its line break.
  std::string Line(int row) const;

  // GetCells; "" for a row that does not exist.
  std::string Cells(int row, int firstCol, int count) const;
  // The same cells as a view into the text, when the row is untouched and
  // ends in a plain line break (so they are bytes of the text); nullopt
  // otherwise.
  std::optional<std::string_view> CellsInText(int row, int firstCol, int count) const;
  numbers::NumberReading Reading() const { return reading_; }
  // numbers::CellValue of the single cell (col, row), read by the grid's reading.
  double Number(int row, int col) const;
  // The sum of Number over the row's cells firstCol..lastCol, added left to
  // right; cells past the row's last TAB add nothing (they are empty).
  double SumOfNumbers(int row, int firstCol, int lastCol) const;

  // Where a cell inserted at `col` goes in the row's cells (cells::InsertPoint);
  // false when the row does not exist or is too short for it.
  bool InsertPoint(int row, int col, std::size_t& point, bool& valueFirst) const;

  // The cell operations; false when the row is too short (nothing changes).
  // `point`, when given, receives where in the row's cells the insertion went.
  bool InsertCell(int col, int row, std::string_view value, std::size_t* point = nullptr);
  bool DeleteCell(int col, int row);
  // `count` DeleteCell calls on the same column, stopping at the first that
  // fails, as one edit of the row (cells::CellRunSpan).
  bool DeleteCells(int col, int row, int count);
  // DeleteCell on each column from lastCol down to firstCol, as one edit of
  // the row (cells::BlockSpan).
  bool DeleteBlockCells(int row, int firstCol, int lastCol);
  // Replaces the row's cells (the line break stays).
  void SetRowCells(int row, std::string cells);

  // Registers the position to carry through the edits (at most one); call
  // before editing.
  void Track(int pos);
  int Tracked() const;

  bool Changed() const { return !copies_.empty() || !pending_.empty(); }
  // The edited text, in one pass.
  std::string Text() const;

 private:
  struct Row {
    int start;
    int cellsEnd;
    int end;
  };
  struct Pending {
    std::size_t point;    // in the row's original cells
    std::size_t removed;  // original bytes from there that went
    std::size_t offset;   // of the bytes inserted there, in pendingBytes_
    std::size_t length;
  };
  std::string_view PendingBytes(const Pending& p) const { return std::string_view(pendingBytes_).substr(p.offset, p.length); }

  static constexpr int kPendingBase = -2;
  // Records the first edit of an untouched row: `removed` bytes at `point`
  // go, and the last `inserted` bytes of pendingBytes_ come in their place.
  void AddPending(int row, std::size_t point, std::size_t removed, std::size_t inserted);
  std::string& Editable(int row);
  const std::string& Materialize(int row) const;
  std::size_t RowLength(int row) const;
  void Remove(int row, std::size_t start, std::size_t end);
  bool Exists(int row) const { return row >= 0 && row < RowCount(); }

  std::string_view text_;
  numbers::NumberReading reading_;
  std::vector<Row> rows_;
  std::vector<int> tabs_;
  std::vector<int> tabBegin_;
  // -1: original; >= 0: index into copies_; <= kPendingBase: a pending insertion.
  // Reading a row with a pending insertion copies it, hence mutable.
  mutable std::vector<int> edited_;
  mutable std::deque<std::string> copies_;
  std::vector<Pending> pending_;
  std::string pendingBytes_;

  // The tracked position: its row and its offset in that row's cells while
  // it lies there, or the row it follows (inside that row's line break).
  int tracked_ = -1;
  int trackedRow_ = -1;
  int trackedOffset_ = 0;
  bool trackedInCells_ = false;
};
