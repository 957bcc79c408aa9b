// RowSortDialog: the "行データの並び替え" dialog (template 131) as plain data.
//
// Fields: the sort column (index into the drop-down list "1" to "40"), the
// first and last row counted from 1 (integer edit fields), and two check
// boxes, descending and by value, whose start state comes from
// setting::SortDescending and setting::SortByValue and is written back
// after a sort.
#pragma once

#include "platform/DialogData.h"

class SettingsStore;

class RowSortDialog {
 public:
  static constexpr int kTemplateId = 131;
  static constexpr int kColumnListId = 1007;
  static constexpr int kFromRowId = 1001;
  static constexpr int kToRowId = 1117;
  static constexpr int kDescendingId = 1006;
  static constexpr int kByValueId = 1031;
  static constexpr int kColumnCount = 40;

  int column = 0;  // 0 = first column
  int fromRow = 1;
  int toRow = 1;
  int descending = 1;
  int byValue = 1;

  void Load(const SettingsStore& settings);
  void Save(SettingsStore& settings) const;

  DialogData Build() const;
  // Takes the values of an answered dialog; false when a row field does not
  // hold an integer (the fields then stay as they were).
  bool Read(const DialogData& dialog);
};
