// DecimalPlacesDialog: the "四捨五入" dialog (template 191) as plain data: one drop-down
// list "1" to "4", the decimal place at which results are rounded. Its field
// is the index of the chosen item, which is also the number of decimals kept
// (rounding at the first decimal keeps 0 decimals).
#pragma once

#include "platform/DialogData.h"

class DecimalPlacesDialog {
 public:
  static constexpr int kTemplateId = 191;
  static constexpr int kPlaceListId = 1033;
  static constexpr int kItemCount = 4;

  int index = 0;

  DialogData Build() const;
  void Read(const DialogData& dialog);
};
