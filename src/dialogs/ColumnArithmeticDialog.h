// ColumnArithmeticDialog: the "列の四則計算" dialog (template 193) as plain data: two
// drop-down lists of the columns "1" to "40" (zero-based item index = column)
// around a list of the four operations "×", "÷", "＋", "－".
#pragma once

#include "platform/DialogData.h"

class ColumnArithmeticDialog {
 public:
  static constexpr int kTemplateId = 193;
  static constexpr int kFirstColumnId = 1114;
  static constexpr int kOperationId = 1111;
  static constexpr int kSecondColumnId = 1008;
  static constexpr int kColumnCount = 40;

  int firstColumn = 0;
  int operation = 0;  // setting::ColumnArithmeticOperation; an index off the list selects nothing
  int secondColumn = 1;

  DialogData Build() const;
  void Read(const DialogData& dialog);
};
