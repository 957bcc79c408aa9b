#include "dialogs/RangeMappingDialog.h"

#include "settings/SettingsStore.h"

void RangeMappingDialog::Load(const SettingsStore& settings) {
  a = settings.GetInt(setting::RangeFromA);
  b = settings.GetInt(setting::RangeFromB);
  c = settings.GetInt(setting::RangeToC);
  d = settings.GetInt(setting::RangeToD);
}

void RangeMappingDialog::Save(SettingsStore& settings) const {
  settings.WriteInt(setting::RangeFromA, a);
  settings.WriteInt(setting::RangeFromB, b);
  settings.WriteInt(setting::RangeToC, c);
  settings.WriteInt(setting::RangeToD, d);
}

DialogData RangeMappingDialog::Build() const {
  DialogData dialog;
  dialog.templateId = kTemplateId;
  dialog.caption = "一次変換";
  dialog.cancelLabel = "ｷｬﾝｾﾙ";
  // First line B -> D, second line A -> C.
  dialog.controls.push_back(MakeIntegerEdit(kBId, "B=", b).Named("b"));
  dialog.controls.push_back(MakeIntegerEdit(kDId, "→ D=", d).Named("d").SameLine());
  dialog.controls.push_back(MakeIntegerEdit(kAId, "A=", a).Named("a"));
  dialog.controls.push_back(MakeIntegerEdit(kCId, "→ C=", c).Named("c").SameLine());
  dialog.controls.push_back(MakeLabel("現在位置の列（行）の各値 X ; A≦X≦Ｂ　を Y ; C≦Y≦D に変換"));
  dialog.controls.push_back(MakeLabel("即ち、 Y=(X-A)*(D-C)/(B-A)+C を、指定位置へ挿入"));
  return dialog;
}

bool RangeMappingDialog::Read(const DialogData& dialog) {
  int values[4];
  const int ids[4] = {kAId, kBId, kCId, kDId};
  for (int i = 0; i < 4; ++i)
    if (!ParseDialogInteger(dialog.Text(ids[i]), values[i])) return false;
  a = values[0];
  b = values[1];
  c = values[2];
  d = values[3];
  return true;
}
