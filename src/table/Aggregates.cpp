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

// The sums of the block's columns, each added in row order, read straight
// from the text a row at a time, so a column command over a large table keeps
// no index of its cells. A cell reads as GetCells reads it: "" in a row
// without a TAB and past the row's last TAB; in a row whose line break holds
// more than CR and LF (a stray CR inside the line) the cells read on past it,
// without the CRs and LFs, TABs after it too. Cells past a row's last TAB are
// not read at all: they are empty.
std::vector<double> ColumnSums(std::string_view text, const CellRange& block, numbers::NumberReading reading) {
  std::vector<double> sums(static_cast<std::size_t>(block.Columns()), 0.0);
  const int firstRow = std::max(block.firstRow, 0);
  std::size_t start = firstRow <= block.lastRow ? cells::RowStart(text, firstRow) : cells::npos;
  if (start == cells::npos) return sums;
  // The TABs that bound the cells up to lastCol; the rest of a row is not read.
  const std::size_t tabsWanted = static_cast<std::size_t>(block.lastCol) + 1;
  std::vector<std::size_t> tabs;
  tabs.reserve(std::min<std::size_t>(tabsWanted, 256));
  for (int row = firstRow; row <= block.lastRow; ++row) {
    const cells::RowScan scan = cells::ScanRow(text, start, tabsWanted, tabs);
    const std::size_t cellsEnd = scan.cellsEnd;
    // Enough TABs counted to know which of the columns up to lastCol the row has.
    const int tabCount = static_cast<int>(tabs.size());
    if (scan.cleanBreak) {
      const int lastCol = std::min(block.lastCol, tabCount);
      for (int c = block.firstCol; c <= lastCol; ++c) {
        std::string_view cell;
        if (tabCount > 0 && c >= 0) {
          const std::size_t from = c == 0 ? start : tabs[static_cast<std::size_t>(c) - 1] + 1;
          const std::size_t to = c < tabCount ? tabs[static_cast<std::size_t>(c)] : cellsEnd;
          cell = text.substr(from, to - from);
        }
        sums[static_cast<std::size_t>(c - block.firstCol)] += numbers::CellValue(cell, reading);
      }
    } else {
      std::string whole(text.substr(start, cellsEnd - start));
      whole += cp932::RemoveAll(cp932::RemoveAll(text.substr(cellsEnd, scan.end - cellsEnd), '\r'), '\n');
      for (int c = block.firstCol; c <= block.lastCol; ++c)
        sums[static_cast<std::size_t>(c - block.firstCol)] += numbers::CellValue(cells::Fields(whole, c, 1), reading);
    }
    if (!scan.hasLf) break;
    start = scan.end;
  }
  return sums;
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

  const std::vector<double> sums = ColumnSums(text, block, NumberReadingOf(view));
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
    rewrite.ReplaceRange(point, point, row);
  } else {
    rewrite.TypeAt(point, row);
  }
  MoveCaretToCell(view, block.firstCol, caretRow);
}
