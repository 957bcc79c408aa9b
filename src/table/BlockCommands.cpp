// The column and block editing, table creation and formatting entries of the
// command table. The enable rules read the cell block (CellRange), the table
// selection and the table clipboard as the table context menu shows them.
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "table/TableCommands.h"
#include "table/BlockEditing.h"
#include "table/ColumnEditing.h"
#include "table/TableCreation.h"
#include "table/TableFormatting.h"
#include "table/TableClipboard.h"

void RegisterBlockCommands(CommandTable& t) {
  auto noTableSelection = [](EditorView& v) { return v.tableSelection.first >= v.tableSelection.second; };
  auto add = [&t](int id, const char* caption, void (*run)(EditorView&),
                  std::function<bool(EditorView&)> enabled = {}) {
    t.Add({id, "", "", caption, [run](EditorView& v) { run(v); }, std::move(enabled), {}});
  };

  add(cmd::DeviationScoresRight, "偏差値　（列の選択範囲に対し、右へ）", table_formatting::DeviationScores,
      [](EditorView& v) { return v.cellRange.lastCol == v.cellRange.firstCol; });
  add(cmd::ClearBlock, "選択範囲の値・文字列のクリア", block_editing::ClearBlock, [](EditorView& v) {
    const CellRange& c = v.cellRange;
    return c.Columns() > 0 && c.Rows() > 0 && c.Columns() + c.Rows() > 1;
  });
  add(cmd::DeleteBlock, "選択範囲の削除", block_editing::DeleteBlockCommand,
      [](EditorView& v) { return v.cellRange.Rows() > 1; });
  add(cmd::InsertBlankCells, "選択範囲へ空白セルの挿入", column_editing::InsertBlankColumn, [](EditorView& v) {
    const CellRange& c = v.cellRange;
    return c.firstCol < c.lastCol || c.firstRow < c.lastRow;
  });
  add(cmd::InsertBlankColumn, "列の挿入　(空白の1列を）", column_editing::InsertBlankColumn);
  add(cmd::DeleteColumn, "列の削除", column_editing::DeleteColumn);
  add(cmd::CopyColumn, "列のコピー", column_editing::CopyColumn);
  add(cmd::CutColumn, "列の切取", column_editing::CutColumn);
  add(cmd::InsertCopiedColumn, "コピー/切取列の挿入", column_editing::InsertCopiedColumn, noTableSelection);
  add(cmd::CopyBlock, "選択範囲のコピー", block_editing::BlockCopy);
  add(cmd::CutBlock, "選択範囲の切取", block_editing::BlockCut);
  add(cmd::PasteBlock, "上の範囲の貼付", block_editing::BlockPaste,
      [](EditorView& v) { return v.Extension<TableClipboard>().rowCount > 1; });
  // Without a copied block there is nothing to repeat (its counts would be
  // divided by), so the entry is off then.
  add(cmd::PasteBlockRepeated, "上の範囲の貼付(繰返し）", block_editing::RepeatedPaste, [](EditorView& v) {
    const CellRange& c = v.cellRange;
    return v.tableSelection.first < v.tableSelection.second && (c.Columns() > 1 || c.Rows() > 1) &&
           v.Extension<TableClipboard>().rowCount > 0 && v.Extension<TableClipboard>().columnCount > 0;
  });

  t.Add({cmd::CreateTable, "表の作成", "", "表の作成", [](EditorView& v) { table_creation::CreateTable(v); },
         noTableSelection, {}});
  t.Add({cmd::ChangeTableWidth, "表の幅の変更", "", "表の幅の変更",
         [](EditorView& v) { table_formatting::ChangeTableWidth(v); }, {}, {}});
  t.Add({cmd::ChangeRoundingPlace, "四捨五入の位 (小数)", "", "四捨五入の位 (小数)",
         [](EditorView& v) { table_formatting::ChangeRoundingPlace(v); }, {}, {}});
}
