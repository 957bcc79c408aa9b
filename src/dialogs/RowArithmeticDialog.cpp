#include "dialogs/RowArithmeticDialog.h"

#include "dialogs/ArithmeticOperations.h"

DialogData RowArithmeticDialog::Build() const {
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "行の四則計算";
  d.cancelLabel = "ｷｬﾝｾﾙ";
  d.controls.push_back(MakeIntegerEdit(kFirstRowId, "", firstRow).Named("first-row"));
  // "[1] 行 [×] [2] 行を計算して、指定位置へ値を挿入"
  d.controls.push_back(arithmetic::OperationList(kOperationId, "行", operation).Named("operation").SameLine());
  d.controls.push_back(MakeIntegerEdit(kSecondRowId, "", secondRow).Named("second-row").SameLine());
  d.controls.push_back(MakeLabel("行").SameLine());
  d.controls.push_back(MakeLabel("を計算して、指定位置へ値を挿入").SameLine());
  return d;
}

bool RowArithmeticDialog::Read(const DialogData& dialog) {
  int first = 0, second = 0;
  if (!ParseDialogInteger(dialog.Text(kFirstRowId), first) || !ParseDialogInteger(dialog.Text(kSecondRowId), second))
    return false;
  firstRow = first;
  secondRow = second;
  operation = dialog.Value(kOperationId);
  return true;
}
