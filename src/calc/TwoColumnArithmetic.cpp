#include "calc/TwoColumnArithmetic.h"

#include <algorithm>

#include "settings/SettingsStore.h"
#include "calc/ColumnInsertion.h"
#include "dialogs/RowArithmeticDialog.h"
#include "dialogs/ColumnArithmeticDialog.h"
#include "editor/CommandIds.h"
#include "editor/CommandContext.h"
#include "editor/EditorView.h"
#include "editor/CommandTable.h"
#include "editor/TextRewrite.h"
#include "text/Cp932.h"
#include "table/NumberReadingMode.h"
#include "table/TableGrid.h"
#include "numbers/NumberReading.h"
#include "numbers/FormatNumber.h"

std::string CombineValues(int operation, double left, double right, int decimals) {
  switch (operation) {
    case 0: return numbers::FormatNumber(left * right, decimals);
    case 1: return right == 0.0 ? std::string(numbers::kErrorText) : numbers::FormatNumber(left / right, decimals);
    case 2: return numbers::FormatNumber(left + right, decimals);
    case 3: return numbers::FormatNumber(left - right, decimals);
    default: return std::string();
  }
}

namespace {

void CombineColumns(const CommandContext& in, bool before, int startCol) {
  EditorView& view = in.view;
  ColumnArithmeticDialog dlg;
  dlg.firstColumn = startCol;
  dlg.operation = view.Settings().GetInt(setting::ColumnArithmeticOperation);
  const CellRange block = view.cellRange;
  dlg.secondColumn = block.lastCol > startCol ? block.lastCol : startCol + 1;
  DialogData data = dlg.Build();
  if (!view.Host().RunDialog(data)) return;
  dlg.Read(data);
  // A list left without a choice names no column.
  if (dlg.firstColumn < 0 || dlg.secondColumn < 0 || dlg.firstColumn == dlg.secondColumn) return;
  const int left = std::min(dlg.firstColumn, dlg.secondColumn);
  const int right = std::max(dlg.firstColumn, dlg.secondColumn);

  TextRewrite rewrite(view);
  const int target = before ? left : right + 1;
  const long long rows = in.HasSelection() ? static_cast<long long>(block.lastRow) - block.firstRow + 1
                                           : static_cast<long long>(cp932::Count(in.text, "\n")) + 1;
  InsertColumnAsTyped(rewrite, block.firstRow, rows, target, [&](const TableGrid& grid, int r) {
    return CombineValues(dlg.operation, grid.Number(r, left), grid.Number(r, right), view.decimalPlaces);
  });
  view.Settings().WriteInt(setting::ColumnArithmeticOperation, dlg.operation);
}

// A row number of the dialog (1-based) as a row index; numbers that name no
// row (0 or below) give -1, a row that reads as empty cells.
long long RowIndex(int number) { return number >= 1 ? static_cast<long long>(number) - 1 : -1; }

void CombineRows(const CommandContext& in, bool before, int startRow, int startLineStart) {
  EditorView& view = in.view;
  RowArithmeticDialog dlg;
  dlg.firstRow = startRow + 1;
  dlg.operation = view.Settings().GetInt(setting::RowArithmeticOperation);
  const CellRange block = view.cellRange;
  dlg.secondRow = block.lastRow > startRow ? block.lastRow + 1 : startRow + 2;
  DialogData data = dlg.Build();
  if (!view.Host().RunDialog(data) || !dlg.Read(data)) return;
  if (dlg.firstRow == dlg.secondRow) return;
  const long long upper = RowIndex(std::min(dlg.firstRow, dlg.secondRow));
  const long long lower = RowIndex(std::max(dlg.firstRow, dlg.secondRow));

  const std::string_view text = in.text;
  const TableGrid grid(text, NumberReadingOf(view));
  auto cell = [&](long long row, long long col) {
    return row < 0 || row >= grid.RowCount() || col > 0x7FFFFFFF ? std::string()
                                                                  : grid.Cells(static_cast<int>(row), static_cast<int>(col), 1);
  };
  const long long columns = in.HasSelection() ? static_cast<long long>(block.lastCol) - block.firstCol + 1
                                              : static_cast<long long>(grid.TabCount(startRow)) + 1;
  const int first = std::max(block.firstCol, 0);
  std::string added = before ? "" : "\r\n";
  added.append(static_cast<std::size_t>(first), '\t');
  for (long long k = 0; k < columns; ++k) {
    const bool last = k == columns - 1;
    const std::string l = cell(upper, first + k);
    const std::string r = cell(lower, first + k);
    if (l.empty() && r.empty()) {
      if (!last) added += '\t';
      continue;
    }
    added += CombineValues(dlg.operation, numbers::CellValue(l, grid.Reading()), numbers::CellValue(r, grid.Reading()),
                           view.decimalPlaces);
    if (!last) added += '\t';
  }

  int point = startLineStart;
  if (before) {
    added += "\r\n";
  } else if (lower == upper + 1 && lower < grid.RowCount()) {
    // Adjacent rows: right below the lower one.
    point = LineContentEnd(text, grid.RowStart(static_cast<int>(lower)));
  } else {
    // Otherwise below the line that holds the selection's end.
    const std::size_t cr = cp932::Find(text, '\r', static_cast<std::size_t>(in.selEnd));
    point = cr == cp932::npos ? static_cast<int>(text.size()) : static_cast<int>(cr);
  }
  TextRewrite rewrite(view);
  rewrite.TypeAt(point, added);
  view.Settings().WriteInt(setting::RowArithmeticOperation, dlg.operation);
}

}  // namespace

void CombineCells(EditorView& view, bool columnMode, bool before) {
  const CommandContext in(view);
  const int startRow = in.edit.LogicalLineFromChar(in.selStart);
  const int lineStart = in.edit.LogicalLineStart(startRow);
  if (columnMode) {
    CombineColumns(in, before, cp932::TabsBeforeInLine(in.text, static_cast<std::size_t>(in.selStart)));
  } else {
    CombineRows(in, before, startRow, lineStart);
  }
}

void RegisterTwoColumnCommands(CommandTable& t) {
  t.Add({.id = cmd::TwoColumnArithmeticLeft, .name = "two-column-arithmetic-left",
         .tableCaption = "2列を四則計算し、結果を前(左）へ", .run = [](EditorView& v) { CombineCells(v, true, true); }});
  t.Add({.id = cmd::TwoColumnArithmeticRight, .name = "two-column-arithmetic-right",
         .tableCaption = "2列を四則計算し、結果を後ろ(右）へ", .run = [](EditorView& v) { CombineCells(v, true, false); }});
  t.Add({.id = cmd::TwoRowArithmeticAbove, .name = "two-row-arithmetic-above", .tableCaption = "2行を四則計算し、上へ",
         .run = [](EditorView& v) { CombineCells(v, false, true); }});
  t.Add({.id = cmd::TwoRowArithmeticBelow, .name = "two-row-arithmetic-below", .tableCaption = "2行を四則計算し、下へ",
         .run = [](EditorView& v) { CombineCells(v, false, false); }});
}
