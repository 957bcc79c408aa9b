// SlopeOffsetDialog: the "X * m / n + p / q の計算" dialog (template 133) as plain data:
// four whole numbers m, n, p and q of the slope-and-offset transform
// Y = X * m / n + p / q, each in an integer-only edit field and kept in the
// settings (setting::SlopeM, SlopeN, OffsetP, OffsetQ).
#pragma once

#include "platform/DialogData.h"

class SettingsStore;

class SlopeOffsetDialog {
 public:
  static constexpr int kTemplateId = 133;
  static constexpr int kMId = 1010;
  static constexpr int kNId = 1009;
  static constexpr int kPId = 1011;
  static constexpr int kQId = 1012;

  int m = 1;
  int n = 1;
  int p = 1;
  int q = 1;

  void Load(const SettingsStore& settings);
  void Save(SettingsStore& settings) const;
  DialogData Build() const;
  // False when a field does not hold a 32-bit integer.
  bool Read(const DialogData& dialog);
};
