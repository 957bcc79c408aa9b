// RankDialog: the "順位付け・番号列の挿入" dialog (template 208) as plain data.
//
// Fields: the key column (index into the drop-down list "1" to "40"), the
// first and last row counted from 1 (integer edit fields), and the rank check
// box: ticked, the rows are sorted by the column in descending order and
// ranked; not ticked, a running number 1, 2, 3, ... is inserted instead. The
// check box starts from setting::RankRows, which the dialog never writes.
#pragma once

#include "platform/DialogData.h"

class SettingsStore;

class RankDialog {
 public:
  static constexpr int kTemplateId = 208;
  static constexpr int kColumnListId = 1007;
  static constexpr int kFromRowId = 1001;
  static constexpr int kToRowId = 1117;
  static constexpr int kRankId = 1028;
  static constexpr int kColumnCount = 40;

  int column = 0;  // 0 = first column
  int fromRow = 1;
  int toRow = 1;
  int rank = 1;

  void Load(const SettingsStore& settings);

  DialogData Build() const;
  // Takes the values of an answered dialog; false when a row field does not
  // hold an integer (the fields then stay as they were).
  bool Read(const DialogData& dialog);
};
