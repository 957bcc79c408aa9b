#include "table/ColumnEditing.h"

#include <algorithm>
#include <string>

#include "editor/CommandContext.h"
#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "table/CaretColumns.h"
#include "table/TableCells.h"
#include "table/TableGrid.h"
#include "table/TableClipboard.h"

namespace column_editing {

namespace {

// The columns a column command takes: the caret's cell column, or the
// selected block's columns when the selection is not empty.
struct Columns {
  int first = 0;
  int count = 1;
};

Columns SelectedColumns(const EditorView& view, std::string_view text, int s, int e) {
  Columns c;
  c.first = caret_column::Cell(text, s);
  if (s < e) {
    c.first = view.cellRange.firstCol;
    c.count = view.cellRange.Columns();
  }
  return c;
}

// After a column insertion: the caret at the start of the inserted cell of
// the caret's row (where the control leaves it when that cell is missing).
int CaretAtCell(EditorView& view, int column, int caretRow) {
  SelectCell(view, column, caretRow);
  return view.Edit().GetSel().first;
}

}  // namespace

void InsertBlankColumn(EditorView& view) {
  const CommandContext in(view);
  const int column = caret_column::Insertion(in.text, in.selStart);

  TableGrid grid(in.text);
  const CellRange& block = view.cellRange;
  int firstRow = 0;
  int lastRow = grid.RowCount() - 1;
  if (block.firstRow < block.lastRow) {
    firstRow = std::max(0, block.firstRow);
    lastRow = std::min(lastRow, block.lastRow);
  }
  const int count = block.Columns() > 1 ? block.Columns() : 1;
  // `count` empty cells from `column` on: `count` TABs at the insertion point
  // of the first (each later one goes right after the one before it).
  const std::string blanks(static_cast<std::size_t>(count) - 1, '\t');
  for (int r = firstRow; r <= lastRow; ++r) grid.InsertCell(column, r, blanks);
  if (!grid.Changed()) return;

  TextRewrite rewrite(view);
  if (!rewrite.ReplaceText(grid.Text(), {.recordSelection = true})) return;
  const int caret = CaretAtCell(view, column, in.caretRow);
  rewrite.PlaceCaret(caret);
  view.tableSelection = {caret, caret};
}

namespace {

// The selected columns into the table clipboard, read from `grid` before it is edited.
void CopyColumns(EditorView& view, const TableGrid& grid, const Columns& columns) {
  std::vector<std::string>& rows = view.Extension<TableClipboard>().rows;
  if (rows.size() < static_cast<std::size_t>(grid.RowCount())) rows.resize(static_cast<std::size_t>(grid.RowCount()));
  for (int r = 0; r < grid.RowCount(); ++r) rows[static_cast<std::size_t>(r)] = grid.Cells(r, columns.first, columns.count);
}

// Deletes the selected columns, copying them first when `copy` is set: the
// one grid serves both.
void DeleteColumns(EditorView& view, bool copy) {
  const CommandContext in(view);
  const Columns columns = SelectedColumns(view, in.text, in.selStart, in.selEnd);

  TableGrid grid(in.text);
  if (copy) CopyColumns(view, grid, columns);
  grid.Track(in.selStart);
  for (int r = 0; r < grid.RowCount(); ++r) grid.DeleteCells(columns.first, r, columns.count);
  if (!grid.Changed()) return;

  view.tableSelection.first = grid.Tracked();
  TextRewrite rewrite(view);
  if (!rewrite.ReplaceText(grid.Text(), {.recordSelection = true})) return;
  rewrite.PlaceCaret(view.tableSelection.first);
}

}  // namespace

void DeleteColumn(EditorView& view) { DeleteColumns(view, false); }

void CopyColumn(EditorView& view) {
  EditBuffer& edit = view.Edit();
  const auto [s, e] = edit.GetSel();
  const std::string_view text = edit.Text();
  CopyColumns(view, TableGrid(text), SelectedColumns(view, text, s, e));
}

void CutColumn(EditorView& view) { DeleteColumns(view, true); }

void InsertCopiedColumn(EditorView& view) {
  const CommandContext in(view);
  const int column = caret_column::Insertion(in.text, in.selStart);

  TableGrid grid(in.text);
  grid.Track(in.selStart);
  const std::vector<std::string>& rows = view.Extension<TableClipboard>().rows;
  for (int r = 0; r < grid.RowCount(); ++r) {
    const std::size_t i = static_cast<std::size_t>(r);
    grid.InsertCell(column, r, i < rows.size() ? std::string_view(rows[i]) : std::string_view());
  }
  if (!grid.Changed()) return;

  view.tableSelection.first = grid.Tracked();
  // Undo brings back the text together with the selection the user had.
  TextRewrite rewrite(view);
  if (!rewrite.ReplaceText(grid.Text(), {.recordSelection = true})) return;
  rewrite.PlaceCaret(CaretAtCell(view, column, in.caretRow));
}

}  // namespace column_editing
