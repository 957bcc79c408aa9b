// The table engine's entries of the command table: row and column aggregates,
// the row sort and the rank or number column.
#include "table/TableCommands.h"

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "table/Aggregates.h"
#include "table/RowSort.h"

void RegisterTableCommands(CommandTable& t) {
  RegisterBlockCommands(t);
  // Row results need at least two block columns; column results two block rows.
  auto rowsEnabled = [](EditorView& v) { return v.cellRange.Columns() > 1 && v.cellRange.Rows() > 0; };
  auto columnsEnabled = [](EditorView& v) { return v.cellRange.Columns() > 0 && v.cellRange.Rows() > 1; };
  auto rows = [&](int id, const char* caption, Aggregate kind, bool left) {
    t.Add({id, "", "", caption, [=](EditorView& v) { RowAggregate(v, kind, left); }, rowsEnabled, {}});
  };
  auto columns = [&](int id, const char* caption, Aggregate kind, bool up) {
    t.Add({id, "", "", caption, [=](EditorView& v) { ColumnAggregate(v, kind, up); }, columnsEnabled, {}});
  };
  rows(cmd::RowSumRight, "和・右＝行の和を後ろ（右）へ", Aggregate::Sum, false);
  rows(cmd::RowAverageRight, "平均・右＝行の平均を後ろ（右）へ", Aggregate::Average, false);
  rows(cmd::RowSumLeft, "和・左＝行の和を前（左）へ", Aggregate::Sum, true);
  rows(cmd::RowAverageLeft, "平均・左＝行の平均を前（左）へ", Aggregate::Average, true);
  columns(cmd::ColumnSumBelow, "和・下＝列の和を下へ", Aggregate::Sum, false);
  columns(cmd::ColumnAverageBelow, "平均・下＝列の平均を下へ", Aggregate::Average, false);
  columns(cmd::ColumnSumAbove, "和・上＝列の和を上へ", Aggregate::Sum, true);
  columns(cmd::ColumnAverageAbove, "平均・上＝列の平均を上へ", Aggregate::Average, true);

  t.Add({cmd::SortRows, "", "", "行の並べ替え", [](EditorView& v) { SortRowsCommand(v); }, {}, {}});
  t.Add({cmd::InsertRankColumn, "", "", "順位・番号列の挿入", [](EditorView& v) { RankRowsCommand(v); }, {}, {}});
}
