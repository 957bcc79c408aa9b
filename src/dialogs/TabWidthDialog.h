// TabWidthDialog: the "タブ幅の変更" dialog (template 195) as plain data: one
// drop-down list of the widths 4 to 24 characters in steps of 4. Its field is
// the index of the chosen item; width = index × 4 + 4.
#pragma once

#include "platform/DialogData.h"

class TabWidthDialog {
 public:
  static constexpr int kTemplateId = 195;
  static constexpr int kWidthListId = 1115;
  static constexpr int kItemCount = 6;

  int index = 1;  // "8"

  // The index that shows a width; widths that are not on the list show the
  // nearest item, so the list always opens with a choice.
  static int IndexForWidth(int tabWidth);
  static int WidthForIndex(int index) { return index * 4 + 4; }

  DialogData Build() const;
  void Read(const DialogData& dialog);
};
