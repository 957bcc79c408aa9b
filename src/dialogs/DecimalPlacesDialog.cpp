#include "dialogs/DecimalPlacesDialog.h"

#include <algorithm>

DialogData DecimalPlacesDialog::Build() const {
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "四捨五入";
  // A stored value outside the list opens on the nearest item.
  d.controls.push_back(MakeCombo(kPlaceListId, "小数第", {"1", "2", "3", "4"}, std::clamp(index, 0, kItemCount - 1))
                            .Named("decimal-place"));
  d.controls.push_back(MakeLabel("位を四捨五入します。").SameLine());
  return d;
}

void DecimalPlacesDialog::Read(const DialogData& dialog) {
  index = std::clamp(dialog.Value(kPlaceListId), 0, kItemCount - 1);
}
