// The column and block editing, table creation and formatting entries of the
// command table. The enable rules read the cell block (CellRange), the table
// selection and the table clipboard as the table context menu shows them.
#include "editor/CPivraView.h"
#include "editor/CommandTable.h"
#include "table/TableCreation.h"
#include "table/TableFormatting.h"

void RegisterBlockCommands(CommandTable& t) {
  auto noTableSelection = [](CPivraView& v) { return v.tableSelection.first >= v.tableSelection.second; };

  t.Add({32811, "表の作成", "", "表の作成", [](CPivraView& v) { table_creation::CreateTable(v); },
         noTableSelection, {}});
  t.Add({32812, "表の幅の変更", "", "表の幅の変更", [](CPivraView& v) { table_formatting::ChangeTableWidth(v); }, {},
         {}});
  t.Add({32813, "四捨五入の位 (小数)", "", "四捨五入の位 (小数)",
         [](CPivraView& v) { table_formatting::ChangeRoundingPlace(v); }, {}, {}});
}
