// RangeMappingDialog: the "一次変換" dialog (template 190) as plain data: four whole
// numbers A, B, C and D of the range mapping that takes A to C and B to D,
// Y = (X - A) * (D - C) / (B - A) + C, each in an integer-only edit field and
// kept in the settings (setting::RangeFromA, RangeFromB, RangeToC, RangeToD).
#pragma once

#include "platform/DialogData.h"

class SettingsStore;

class RangeMappingDialog {
 public:
  static constexpr int kTemplateId = 190;
  static constexpr int kAId = 1013;
  static constexpr int kBId = 1014;
  static constexpr int kCId = 1015;
  static constexpr int kDId = 1016;

  int a = 60;
  int b = 120;
  int c = 65;
  int d = 100;

  void Load(const SettingsStore& settings);
  void Save(SettingsStore& settings) const;
  DialogData Build() const;
  // False when a field does not hold a 32-bit integer.
  bool Read(const DialogData& dialog);
};
