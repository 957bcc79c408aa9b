// The table engine's entries of the command table: row and column aggregates,
// the row sort and the rank or number column, and the choice of how cells
// are read.
#include "table/TableCommands.h"

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "table/Aggregates.h"
#include "table/NumberReadingMode.h"
#include "table/RowSort.h"

void RegisterTableCommands(CommandTable& t) {
  RegisterBlockCommands(t);
  RegisterNumberReadingCommand(t);
  // Row results need at least two block columns; column results two block rows.
  auto rowsEnabled = [](EditorView& v) { return v.cellRange.Columns() > 1 && v.cellRange.Rows() > 0; };
  auto columnsEnabled = [](EditorView& v) { return v.cellRange.Columns() > 0 && v.cellRange.Rows() > 1; };
  auto rowResult = [](Aggregate kind, bool left) {
    return [=](EditorView& v) { RowAggregate(v, kind, left); };
  };
  auto columnResult = [](Aggregate kind, bool up) {
    return [=](EditorView& v) { ColumnAggregate(v, kind, up); };
  };
  t.Add({.id = cmd::RowSumRight, .name = "sum-rows-right", .tableCaption = "和・右＝行の和を後ろ（右）へ",
         .run = rowResult(Aggregate::Sum, false), .enabled = rowsEnabled});
  t.Add({.id = cmd::RowAverageRight, .name = "average-rows-right", .tableCaption = "平均・右＝行の平均を後ろ（右）へ",
         .run = rowResult(Aggregate::Average, false), .enabled = rowsEnabled});
  t.Add({.id = cmd::RowSumLeft, .name = "sum-rows-left", .tableCaption = "和・左＝行の和を前（左）へ",
         .run = rowResult(Aggregate::Sum, true), .enabled = rowsEnabled});
  t.Add({.id = cmd::RowAverageLeft, .name = "average-rows-left", .tableCaption = "平均・左＝行の平均を前（左）へ",
         .run = rowResult(Aggregate::Average, true), .enabled = rowsEnabled});
  t.Add({.id = cmd::ColumnSumBelow, .name = "sum-columns-below", .tableCaption = "和・下＝列の和を下へ",
         .run = columnResult(Aggregate::Sum, false), .enabled = columnsEnabled});
  t.Add({.id = cmd::ColumnAverageBelow, .name = "average-columns-below", .tableCaption = "平均・下＝列の平均を下へ",
         .run = columnResult(Aggregate::Average, false), .enabled = columnsEnabled});
  t.Add({.id = cmd::ColumnSumAbove, .name = "sum-columns-above", .tableCaption = "和・上＝列の和を上へ",
         .run = columnResult(Aggregate::Sum, true), .enabled = columnsEnabled});
  t.Add({.id = cmd::ColumnAverageAbove, .name = "average-columns-above", .tableCaption = "平均・上＝列の平均を上へ",
         .run = columnResult(Aggregate::Average, true), .enabled = columnsEnabled});

  t.Add({.id = cmd::SortRows, .name = "sort-rows", .tableCaption = "行の並べ替え",
         .run = [](EditorView& v) { SortRowsCommand(v); }});
  t.Add({.id = cmd::InsertRankColumn, .name = "insert-rank-column", .tableCaption = "順位・番号列の挿入",
         .run = [](EditorView& v) { RankRowsCommand(v); }});
}
