// CellText: the row and TAB grammar of the table, on plain text. Every cell
// operation (TableCells.h on the view, TableGrid on a text read once) finds its
// cells through these rules.
//
// A row is a logical line: row n starts after the n-th LF of the text. The
// cells of a row end at its first CR (or at its LF, or at the end of the
// text); everything from there to the next row is the row's line break.
// Field k of a row is the text after its k-th TAB (k = 0: from the row start)
// up to the next TAB or the end of the row's cells. A row with k TABs has
// k + 1 fields; "a\tb\t" has three, the last one empty. A row without any
// TAB has no addressable cells: reading gives "", and selecting, moving to or
// deleting a cell of it does nothing (inserting into column 0 or 1 still works).
//
// TAB, CR and LF never occur as trail bytes of a double-byte character, so the
// byte positions found for them are always character boundaries. Functions
// that take a `row` take the row's cells only (no line break).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cells {

inline constexpr std::size_t npos = std::string_view::npos;

// Offset where row n starts (after the n-th LF), or npos when the text has
// fewer than n LFs (or n < 0).
std::size_t RowStart(std::string_view text, int n);

// End of the cells of the row that starts at rowStart: its first CR or LF, or
// the end of the text.
std::size_t RowCellsEnd(std::string_view text, std::size_t rowStart);

// One row of a text as a command that walks many rows reads it, in one pass
// that stops reading TABs after the first `maxTabs`: the row's start, where
// its cells end (its first CR or LF), where the row ends (after its LF, or at
// the end of the text), whether it has an LF, and whether its line break
// holds nothing but CRs before that LF (otherwise a stray CR stands inside
// the line). `tabs` receives the offsets of the first TABs of its cells.
struct RowScan {
  std::size_t start = 0;
  std::size_t cellsEnd = 0;
  std::size_t end = 0;
  bool hasLf = false;
  bool cleanBreak = true;
};
RowScan ScanRow(std::string_view text, std::size_t start, std::size_t maxTabs, std::vector<std::size_t>& tabs);

// The cell `col` with its following TAB, as SelectCell and DeleteCell find it:
// [start, end) within `row`. False when the cell does not exist.
bool CellSpan(std::string_view row, int col, std::size_t& start, std::size_t& end);

// What `count` DeleteCell calls on column `col` remove, one after another
// (each stops the run when it finds no cell): cells col.. with their
// following TABs, a last cell without the TAB before it; from column 0 the
// last cell stays when the run reaches it. One contiguous [start, end) within
// `row`, found in one pass. False when the first call finds no cell.
bool CellRunSpan(std::string_view row, int col, int count, std::size_t& start, std::size_t& end);

// What DeleteCell removes for each column from lastCol down to firstCol
// (negative columns skipped): one contiguous [start, end) within `row`, found
// in one pass; a block that reaches the last cell takes the row to its end.
// False when no column of the block exists in the row.
bool BlockSpan(std::string_view row, int firstCol, int lastCol, std::size_t& start, std::size_t& end);

// Where a cell insertion (TableCells.h, TableGrid::InsertCell) puts a new cell
// `col` into `row`, and whether the value goes before its TAB (column 0) or
// after it. False when the row is too short.
bool InsertPoint(std::string_view row, int col, std::size_t& point, bool& valueFirst);

// The text a cell insertion inserts for `value`, returned or added to `out`.
std::string InsertText(std::string_view value, bool valueFirst);
void AppendInsertText(std::string& out, std::string_view value, bool valueFirst);

// GetCells on a row that holds no CR or LF.
std::string_view Fields(std::string_view row, int firstCol, int count);

// Moves a tracked position over an insertion of `length` bytes at `point`
// (it moves when the insertion is strictly before it) and over a removal of
// [start, end) (a position inside the removed text goes to its start).
inline void TrackInsert(int& pos, std::size_t point, std::size_t length) {
  if (static_cast<std::size_t>(pos) > point) pos += static_cast<int>(length);
}
inline void TrackRemove(int& pos, std::size_t start, std::size_t end) {
  if (static_cast<std::size_t>(pos) >= end)
    pos -= static_cast<int>(end - start);
  else if (static_cast<std::size_t>(pos) >= start)
    pos = static_cast<int>(start);
}

}  // namespace cells
