#include "dialogs/ColumnArithmeticDialog.h"

#include "dialogs/RowDialogFields.h"
#include "dialogs/ArithmeticOperations.h"

DialogData ColumnArithmeticDialog::Build() const {
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "列の四則計算";
  d.cancelLabel = "ｷｬﾝｾﾙ";
  // A column beyond the list opens on its last item (as the sort dialog's does).
  d.controls.push_back(rowdialog::ColumnList(kFirstColumnId, "", firstColumn, kColumnCount).Named("first-column"));
  // "[1] 列 [×] [2] 列を計算して、指定位置へ値を挿入"
  d.controls.push_back(arithmetic::OperationList(kOperationId, "列", operation).Named("operation").SameLine());
  d.controls.push_back(rowdialog::ColumnList(kSecondColumnId, "", secondColumn, kColumnCount).Named("second-column").SameLine());
  d.controls.push_back(MakeLabel("列").SameLine());
  d.controls.push_back(MakeLabel("を計算して、指定位置へ値を挿入").SameLine());
  return d;
}

void ColumnArithmeticDialog::Read(const DialogData& dialog) {
  firstColumn = dialog.Value(kFirstColumnId);
  operation = dialog.Value(kOperationId);
  secondColumn = dialog.Value(kSecondColumnId);
}
