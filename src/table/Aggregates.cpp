#include "table/Aggregates.h"

#include <algorithm>
#include <string>
#include <vector>

#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "numbers/FormatNumber.h"
#include "table/CellText.h"
#include "table/NumberReadingMode.h"
#include "table/TableCells.h"
#include "table/TableGrid.h"
#include "text/Cp932.h"

namespace {

const std::string& Label(Aggregate kind) {
  static const std::string sum = cp932::FromUtf8("合計");
  static const std::string average = cp932::FromUtf8("平均");
  return kind == Aggregate::Sum ? sum : average;
}

}  // namespace

// The sums go into the grid, which is written back once. The averages are
// typed into the control cell by cell in the same order; here the results of
// all block rows are written back at once, the scroll position is carried
// through the insertion points in turn as each insertion would have scrolled,
// and only the label is typed into the control.
void RowAggregate(EditorView& view, Aggregate kind, bool left) {
  const CellRange block = view.cellRange;
  if (block.lastCol < block.firstCol) {
    ShowSelectionError(view);
    return;
  }
  const int target = left ? block.firstCol : block.lastCol + 1;
  if (view.tableSelection.first >= view.tableSelection.second) {
    MoveCaretToCell(view, target, block.firstRow);
    return;
  }
  const std::string_view text = view.Edit().Text();
  TableGrid grid(text, NumberReadingOf(view));
  if (kind == Aggregate::Sum) grid.Track(view.tableSelection.first);
  const double width = block.Columns();
  const int firstRow = std::max(block.firstRow, 0);
  const int lastRow = std::min(block.lastRow, grid.RowCount() - 1);

  // Where each average goes in the text with all of them written: (position, length).
  std::vector<std::pair<int, int>> typed;
  int growth = 0;
  for (int r = firstRow; r <= lastRow; ++r) {
    const double sum = grid.SumOfNumbers(r, block.firstCol, block.lastCol);
    const std::string result = numbers::FormatNumber(kind == Aggregate::Sum ? sum : sum / width, view.decimalPlaces);
    std::size_t point = 0;
    if (!grid.InsertCell(target, r, result, &point)) continue;
    typed.emplace_back(grid.RowStart(r) + growth + static_cast<int>(point), static_cast<int>(result.size()) + 1);
    growth += static_cast<int>(result.size()) + 1;
  }
  const int labelRow = block.firstRow - 1;
  std::size_t labelPoint = 0;
  bool labelFirst = false;
  const bool label = labelRow >= 0 && labelRow < grid.RowCount() &&
                     cells::InsertPoint(grid.RowCells(labelRow), target, labelPoint, labelFirst);

  if (!grid.Changed() && !label) {  // every row too short: nothing to write
    MoveCaretToCell(view, target, block.firstRow);
    return;
  }
  TextRewrite rewrite(view);
  if (kind == Aggregate::Sum) {
    if (label) grid.InsertCell(target, labelRow, Label(kind));
    view.tableSelection.first = grid.Tracked();
    rewrite.ReplaceText(grid.Text());
  } else {
    if (grid.Changed()) rewrite.ReplaceTextAsTyped(grid.Text(), typed);
    if (label) InsertCellIntoControl(rewrite, target, labelRow, Label(kind));
  }
  MoveCaretToCell(view, target, block.firstRow);
}

void ColumnAggregate(EditorView& view, Aggregate kind, bool up) {
  const CellRange block = view.cellRange;
  if (block.lastCol < block.firstCol) {
    ShowSelectionError(view);
    return;
  }
  const int caretRow = up ? block.firstRow : block.lastRow + 1;
  if (view.tableSelection.first >= view.tableSelection.second) {
    MoveCaretToCell(view, block.firstCol, caretRow);
    return;
  }
  EditBuffer& edit = view.Edit();
  const std::string_view text = edit.Text();

  // Column sums, each added in row order.
  std::vector<double> sums(static_cast<std::size_t>(block.Columns()), 0.0);
  {
    const TableGrid grid(text, NumberReadingOf(view));
    const int lastRow = std::min(block.lastRow, grid.RowCount() - 1);
    for (int r = std::max(block.firstRow, 0); r <= lastRow; ++r) {
      const int last = std::min(block.lastCol, grid.TabCount(r));
      for (int c = block.firstCol; c <= last; ++c) sums[static_cast<std::size_t>(c - block.firstCol)] += grid.Number(r, c);
    }
  }
  std::string row;
  if (!up) row += "\r\n";
  if (block.firstCol > 0) {
    row += Label(kind);
    row.append(static_cast<std::size_t>(block.firstCol), '\t');
  }
  const double height = block.Rows();
  for (const double sum : sums) {
    row += numbers::FormatNumber(kind == Aggregate::Sum ? sum : sum / height, view.decimalPlaces);
    row += '\t';
  }
  if (up) row += "\r\n";

  // Above the line that holds the selection start, or at the end of the cells
  // of the line that holds the selection end.
  const int length = edit.GetTextLength();
  int point = 0;
  if (up) {
    const int s = std::clamp(view.tableSelection.first, 0, length);
    point = edit.LogicalLineStart(edit.LogicalLineFromChar(s));
  } else {
    const int e = std::clamp(view.tableSelection.second, 0, length);
    point = static_cast<int>(cells::RowCellsEnd(text, static_cast<std::size_t>(edit.LogicalLineStart(edit.LogicalLineFromChar(e)))));
  }

  TextRewrite rewrite(view);
  if (kind == Aggregate::Sum) {
    std::string withRow;
    withRow.reserve(text.size() + row.size());
    withRow.assign(text, 0, static_cast<std::size_t>(point));
    withRow += row;
    withRow.append(text, static_cast<std::size_t>(point));
    rewrite.ReplaceText(std::move(withRow));
  } else {
    rewrite.TypeAt(point, row);
  }
  MoveCaretToCell(view, block.firstCol, caretRow);
}
