#include "table/TableFormatting.h"

#include "app/SettingsStore.h"
#include "dialogs/CRoundDlg.h"
#include "dialogs/CTabDlg.h"
#include "editor/CPivraView.h"

namespace table_formatting {

void ChangeTableWidth(CPivraView& view) {
  CTabDlg choice;
  choice.index = CTabDlg::IndexForWidth(view.tabWidth);
  DialogData dialog = choice.Build();
  if (!view.Host().RunDialog(dialog)) return;
  choice.Read(dialog);
  view.tabWidth = CTabDlg::WidthForIndex(choice.index);
  view.Edit().SetTabStops(view.tabWidth * 4);
  view.Settings().WriteInt("Settings", "RetuHaba", view.tabWidth);
  if (view.tableMode) view.redrawLineNumbers = true;  // the column ruler follows the width
}

void ChangeRoundingPlace(CPivraView& view) {
  CRoundDlg choice;
  choice.index = view.Settings().GetInt("Settings", "Sho", 0);
  DialogData dialog = choice.Build();
  if (!view.Host().RunDialog(dialog)) return;
  choice.Read(dialog);
  view.decimalPlaces = choice.index;
  view.Settings().WriteInt("Settings", "Sho", choice.index);
}

void DeviationScores(CPivraView&) {}

}  // namespace table_formatting
