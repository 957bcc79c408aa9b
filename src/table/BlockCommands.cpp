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
  // The commands run as plain functions of the view.
  auto run = [](void (*step)(EditorView&)) { return [step](EditorView& v) { step(v); }; };

  t.Add({.id = cmd::DeviationScoresRight, .name = "deviation-scores-right",
         .tableCaption = "偏差値　（列の選択範囲に対し、右へ）", .run = run(table_formatting::DeviationScores),
         .enabled = [](EditorView& v) { return v.cellRange.lastCol == v.cellRange.firstCol; }});
  t.Add({.id = cmd::ClearBlock, .name = "clear-block", .tableCaption = "選択範囲の値・文字列のクリア",
         .run = run(block_editing::ClearBlock), .enabled = [](EditorView& v) {
           const CellRange& c = v.cellRange;
           return c.Columns() > 0 && c.Rows() > 0 && c.Columns() + c.Rows() > 1;
         }});
  t.Add({.id = cmd::DeleteBlock, .name = "delete-block", .tableCaption = "選択範囲の削除",
         .run = run(block_editing::DeleteBlockCommand), .enabled = [](EditorView& v) { return v.cellRange.Rows() > 1; }});
  t.Add({.id = cmd::InsertBlankCells, .name = "insert-blank-cells", .tableCaption = "選択範囲へ空白セルの挿入",
         .run = run(column_editing::InsertBlankColumn), .enabled = [](EditorView& v) {
           const CellRange& c = v.cellRange;
           return c.firstCol < c.lastCol || c.firstRow < c.lastRow;
         }});
  t.Add({.id = cmd::InsertBlankColumn, .name = "insert-blank-column", .tableCaption = "列の挿入　(空白の1列を）",
         .run = run(column_editing::InsertBlankColumn)});
  t.Add({.id = cmd::DeleteColumn, .name = "delete-column", .tableCaption = "列の削除",
         .run = run(column_editing::DeleteColumn)});
  t.Add({.id = cmd::CopyColumn, .name = "copy-column", .tableCaption = "列のコピー",
         .run = run(column_editing::CopyColumn)});
  t.Add({.id = cmd::CutColumn, .name = "cut-column", .tableCaption = "列の切取", .run = run(column_editing::CutColumn)});
  t.Add({.id = cmd::InsertCopiedColumn, .name = "insert-copied-column", .tableCaption = "コピー/切取列の挿入",
         .run = run(column_editing::InsertCopiedColumn), .enabled = noTableSelection});
  t.Add({.id = cmd::CopyBlock, .name = "copy-block", .tableCaption = "選択範囲のコピー",
         .run = run(block_editing::BlockCopy)});
  t.Add({.id = cmd::CutBlock, .name = "cut-block", .tableCaption = "選択範囲の切取", .run = run(block_editing::BlockCut)});
  t.Add({.id = cmd::PasteBlock, .name = "paste-block", .tableCaption = "上の範囲の貼付",
         .run = run(block_editing::BlockPaste),
         .enabled = [](EditorView& v) { return v.Extension<TableClipboard>().rowCount > 1; }});
  // Without a copied block there is nothing to repeat (its counts would be
  // divided by), so the entry is off then.
  t.Add({.id = cmd::PasteBlockRepeated, .name = "paste-block-repeated", .tableCaption = "上の範囲の貼付(繰返し）",
         .run = run(block_editing::RepeatedPaste), .enabled = [](EditorView& v) {
           const CellRange& c = v.cellRange;
           return v.tableSelection.first < v.tableSelection.second && (c.Columns() > 1 || c.Rows() > 1) &&
                  v.Extension<TableClipboard>().rowCount > 0 && v.Extension<TableClipboard>().columnCount > 0;
         }});

  t.Add({.id = cmd::CreateTable, .name = "create-table", .mainCaption = "表の作成", .tableCaption = "表の作成",
         .run = [](EditorView& v) { table_creation::CreateTable(v); }, .enabled = noTableSelection});
  t.Add({.id = cmd::ChangeTableWidth, .name = "change-table-width", .mainCaption = "表の幅の変更",
         .tableCaption = "表の幅の変更", .run = [](EditorView& v) { table_formatting::ChangeTableWidth(v); }});
  t.Add({.id = cmd::ChangeRoundingPlace, .name = "change-rounding-place", .mainCaption = "四捨五入の位 (小数)",
         .tableCaption = "四捨五入の位 (小数)", .run = [](EditorView& v) { table_formatting::ChangeRoundingPlace(v); }});
}
