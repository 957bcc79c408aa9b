#include "dialogs/SlopeOffsetDialog.h"

#include "settings/SettingsStore.h"

void SlopeOffsetDialog::Load(const SettingsStore& settings) {
  m = settings.GetInt(setting::SlopeM);
  n = settings.GetInt(setting::SlopeN);
  p = settings.GetInt(setting::OffsetP);
  q = settings.GetInt(setting::OffsetQ);
}

void SlopeOffsetDialog::Save(SettingsStore& settings) const {
  settings.WriteInt(setting::SlopeM, m);
  settings.WriteInt(setting::SlopeN, n);
  settings.WriteInt(setting::OffsetP, p);
  settings.WriteInt(setting::OffsetQ, q);
}

DialogData SlopeOffsetDialog::Build() const {
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "X * m / n + p / q の計算";
  d.cancelLabel = "ｷｬﾝｾﾙ";
  d.controls.push_back(MakeLabel("現在位置の列（行）の（選択部分の）各値 X を"));
  // "Y = X * [m] / [n] + [p] / [q] に変換して、Y を指定位置へ挿入します。"
  d.controls.push_back(MakeIntegerEdit(kMId, "Y = X *", m).Named("m"));
  d.controls.push_back(MakeIntegerEdit(kNId, "/", n).Named("n").SameLine());
  d.controls.push_back(MakeIntegerEdit(kPId, "+", p).Named("p").SameLine());
  d.controls.push_back(MakeIntegerEdit(kQId, "/", q).Named("q").SameLine());
  d.controls.push_back(MakeLabel("に変換して、Y を指定位置へ挿入します。").SameLine());
  return d;
}

bool SlopeOffsetDialog::Read(const DialogData& dialog) {
  int values[4];
  const int ids[4] = {kMId, kNId, kPId, kQId};
  for (int i = 0; i < 4; ++i)
    if (!ParseDialogInteger(dialog.Text(ids[i]), values[i])) return false;
  m = values[0];
  n = values[1];
  p = values[2];
  q = values[3];
  return true;
}
