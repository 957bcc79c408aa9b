#include "calc/LinearTransform.h"

#include <string>

#include "settings/SettingsStore.h"
#include "calc/ColumnInsertion.h"
#include "dialogs/SlopeOffsetDialog.h"
#include "dialogs/RangeMappingDialog.h"
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

double TransformCoefficients::Apply(double x) const {
  if (formula == TransformFormula::SlopeOffset)
    return static_cast<double>(m) * x / static_cast<double>(n) + static_cast<double>(p) / static_cast<double>(q);
  // The two differences are taken in 64 bits: every pair of 32-bit bounds has
  // its exact difference (a 32-bit difference would overflow).
  const auto dc = static_cast<long long>(d) - c;
  const auto ba = static_cast<long long>(b) - a;
  return (x - a) * static_cast<double>(dc) / static_cast<double>(ba) + c;
}

namespace {

// Shows the formula's dialog with the stored numbers; false when it did not
// end with OK.
bool AskCoefficients(EditorView& view, TransformFormula formula, TransformCoefficients& k) {
  k.formula = formula;
  if (formula == TransformFormula::SlopeOffset) {
    SlopeOffsetDialog dlg;
    dlg.Load(view.Settings());
    DialogData data = dlg.Build();
    if (!view.Host().RunDialog(data) || !dlg.Read(data)) return false;
    k.m = dlg.m;
    k.n = dlg.n;
    k.p = dlg.p;
    k.q = dlg.q;
  } else {
    RangeMappingDialog dlg;
    dlg.Load(view.Settings());
    DialogData data = dlg.Build();
    if (!view.Host().RunDialog(data) || !dlg.Read(data)) return false;
    k.a = dlg.a;
    k.b = dlg.b;
    k.c = dlg.c;
    k.d = dlg.d;
  }
  return true;
}

void StoreCoefficients(EditorView& view, const TransformCoefficients& k) {
  if (k.formula == TransformFormula::SlopeOffset) {
    SlopeOffsetDialog dlg;
    dlg.m = k.m;
    dlg.n = k.n;
    dlg.p = k.p;
    dlg.q = k.q;
    dlg.Save(view.Settings());
  } else {
    RangeMappingDialog dlg;
    dlg.a = k.a;
    dlg.b = k.b;
    dlg.c = k.c;
    dlg.d = k.d;
    dlg.Save(view.Settings());
  }
}

}  // namespace

void TransformCells(EditorView& view, TransformFormula formula, bool columnMode, bool before) {
  TransformCoefficients k;
  if (!AskCoefficients(view, formula, k)) return;

  const CommandContext in(view);
  TextRewrite rewrite(view);
  const std::string_view text = in.text;
  const bool selection = in.HasSelection();
  const CellRange block = view.cellRange;
  // The anchor is the selection's end, on its line.
  const int anchor = in.selEnd;
  const int row = in.edit.LogicalLineFromChar(anchor);
  const int lineStart = in.edit.LogicalLineStart(row);

  if (columnMode) {
    const int source = cp932::TabsBeforeInLine(text, static_cast<std::size_t>(anchor));
    const int target = before ? source : source + 1;
    const long long rows = selection ? static_cast<long long>(block.lastRow) - block.firstRow + 1
                                     : static_cast<long long>(cp932::Count(text, "\n")) + 1;
    InsertColumnAsTyped(rewrite, block.firstRow, rows, target, [&](const TableGrid& grid, int r) {
      return numbers::FormatNumber(k.Apply(grid.Number(r, source)), view.decimalPlaces);
    });
  } else {
    const TableGrid grid(text, NumberReadingOf(view));
    const long long columns = selection ? static_cast<long long>(block.lastCol) - block.firstCol + 1
                                        : static_cast<long long>(grid.TabCount(row)) + 1;
    const int first = block.firstCol;
    std::string added = before ? "" : "\r\n";
    added.append(static_cast<std::size_t>(std::max(first, 0)), '\t');
    for (long long i = 0; i < columns; ++i) {
      const bool last = i == columns - 1;
      const std::string cell = grid.Cells(row, static_cast<int>(first + i), 1);
      if (!cell.empty()) {
        added += numbers::FormatNumber(k.Apply(numbers::CellValue(cell, grid.Reading())), view.decimalPlaces);
        if (!last) added += '\t';
      } else if (!last) {
        added += '\t';
      }
    }
    int point = lineStart;
    if (before) {
      added += "\r\n";
    } else {
      point = LineContentEnd(text, lineStart);
    }
    rewrite.TypeAt(point, added);
  }
  StoreCoefficients(view, k);
}

void RegisterLinearTransformCommands(CommandTable& t) {
  auto oneColumn = [](EditorView& v) { return v.cellRange.lastCol - v.cellRange.firstCol <= 0; };
  auto oneRow = [](EditorView& v) { return v.cellRange.lastRow - v.cellRange.firstRow <= 0; };
  using F = TransformFormula;
  // A column transform is off when the block is wider than one column, a row
  // transform when it is taller than one row; the range mappings right and
  // below are always on.
  auto transform = [](F formula, bool column, bool before) {
    return [=](EditorView& v) { TransformCells(v, formula, column, before); };
  };
  t.Add({.id = cmd::ColumnSlopeOffsetLeft, .name = "column-slope-offset-left",
         .tableCaption = "列を一次変換 Y=aX+b し、前（左）へ", .run = transform(F::SlopeOffset, true, true),
         .enabled = oneColumn});
  t.Add({.id = cmd::ColumnSlopeOffsetRight, .name = "column-slope-offset-right",
         .tableCaption = "列を一次変換 Y=aX+b し、後ろ（右）へ", .run = transform(F::SlopeOffset, true, false),
         .enabled = oneColumn});
  t.Add({.id = cmd::RowSlopeOffsetAbove, .name = "row-slope-offset-above",
         .tableCaption = "行を一次変換 Y=aX+b し、上へ", .run = transform(F::SlopeOffset, false, true),
         .enabled = oneRow});
  t.Add({.id = cmd::RowSlopeOffsetBelow, .name = "row-slope-offset-below",
         .tableCaption = "行を一次変換 Y=aX+b し、下へ", .run = transform(F::SlopeOffset, false, false),
         .enabled = oneRow});
  t.Add({.id = cmd::ColumnRangeMappingLeft, .name = "column-range-mapping-left",
         .tableCaption = "列を一次変換 A→C, B→D  し、前（左）へ", .run = transform(F::RangeMapping, true, true),
         .enabled = oneColumn});
  t.Add({.id = cmd::ColumnRangeMappingRight, .name = "column-range-mapping-right",
         .tableCaption = "列を一次変換 A→C, B→D  し、後ろ（右）へ", .run = transform(F::RangeMapping, true, false)});
  t.Add({.id = cmd::RowRangeMappingAbove, .name = "row-range-mapping-above",
         .tableCaption = "行を一次変換 A→C, B→D  し、上へ", .run = transform(F::RangeMapping, false, true),
         .enabled = oneRow});
  t.Add({.id = cmd::RowRangeMappingBelow, .name = "row-range-mapping-below",
         .tableCaption = "行を一次変換 A→C, B→D  し、下へ", .run = transform(F::RangeMapping, false, false)});
}
