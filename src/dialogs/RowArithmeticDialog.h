// RowArithmeticDialog: the "行の四則計算" dialog (template 194) as plain data: two
// integer-only fields of 1-based row numbers around a drop-down list of the
// four operations "×", "÷", "＋", "－".
#pragma once

#include "platform/DialogData.h"

class RowArithmeticDialog {
 public:
  static constexpr int kTemplateId = 194;
  static constexpr int kFirstRowId = 1112;
  static constexpr int kOperationId = 1111;
  static constexpr int kSecondRowId = 1113;

  int firstRow = 1;
  int operation = 0;  // setting::RowArithmeticOperation; an index off the list selects nothing
  int secondRow = 2;

  DialogData Build() const;
  // False when a row field does not hold a 32-bit integer.
  bool Read(const DialogData& dialog);
};
