#include "dialogs/TabWidthDialog.h"

#include <algorithm>

int TabWidthDialog::IndexForWidth(int tabWidth) { return std::clamp(tabWidth / 4 - 1, 0, kItemCount - 1); }

DialogData TabWidthDialog::Build() const {
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "タブ幅の変更";
  d.controls.push_back(
      MakeCombo(kWidthListId, "タブ幅を", {"4", "8", "12", "16", "20", "24"}, std::clamp(index, 0, kItemCount - 1))
                            .Named("tab-width"));
  d.controls.push_back(MakeLabel("文字（半角）に変更します。").SameLine());
  return d;
}

void TabWidthDialog::Read(const DialogData& dialog) {
  index = std::clamp(dialog.Value(kWidthListId), 0, kItemCount - 1);
}
