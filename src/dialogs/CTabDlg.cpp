#include "dialogs/CTabDlg.h"

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

int CTabDlg::IndexForWidth(int tabWidth) { return std::clamp(tabWidth / 4 - 1, 0, kItemCount - 1); }

DialogData CTabDlg::Build() const {
  using K = DialogControl::Kind;
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "タブ幅の変更";
  DialogControl list = MakeControl(kWidthListId, K::Combo, "タブ幅を");
  list.items = {"4", "8", "12", "16", "20", "24"};
  list.value = std::clamp(index, 0, kItemCount - 1);
  d.controls.push_back(list);
  d.controls.push_back(MakeControl(-1, K::Label, "文字（半角）に変更します。"));
  return d;
}

void CTabDlg::Read(const DialogData& dialog) {
  index = std::clamp(dialog.Value(kWidthListId), 0, kItemCount - 1);
}
