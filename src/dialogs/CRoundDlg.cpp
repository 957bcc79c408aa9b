#include "dialogs/CRoundDlg.h"

#include <algorithm>

namespace {

DialogControl MakeControl(int id, DialogControl::Kind kind, const char* label) {
  DialogControl c;
  c.id = id;
  c.kind = kind;
  c.label = label;
  return c;
}

}  // namespace

DialogData CRoundDlg::Build() const {
  using K = DialogControl::Kind;
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "四捨五入";
  DialogControl list = MakeControl(kPlaceListId, K::Combo, "小数第");
  list.items = {"1", "2", "3", "4"};
  // A stored value outside the list opens on the nearest item.
  list.value = std::clamp(index, 0, kItemCount - 1);
  d.controls.push_back(list);
  d.controls.push_back(MakeControl(-1, K::Label, "位を四捨五入します。"));
  return d;
}

void CRoundDlg::Read(const DialogData& dialog) {
  index = std::clamp(dialog.Value(kPlaceListId), 0, kItemCount - 1);
}
