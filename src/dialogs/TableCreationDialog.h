// TableCreationDialog: the "表の作成" dialog (template 197) as plain data.
//
// Four fields: a header-row check box, the numbers of data rows and columns
// (integer edit fields) and a three-way radio group for the first column.
// Load reads them from the settings (setting::NewTableHeaderRow, NewTableRows,
// NewTableColumns, NewTableNumbering), Save writes them back, Build
// gives the DialogData the host shows and Read takes the user's answer.
#pragma once

#include "platform/DialogData.h"

class SettingsStore;

class TableCreationDialog {
 public:
  static constexpr int kTemplateId = 197;
  static constexpr int kHeaderRowId = 1032;
  static constexpr int kRowsId = 1001;
  static constexpr int kColumnsId = 1117;
  // The radio buttons of the numbering group, for numbering 0, 1 and 2.
  static constexpr int kNoNumberId = 1120;
  static constexpr int kNumberFromOneId = 1119;
  static constexpr int kLineNumberId = 1118;
  static constexpr int kNumberingGroup = 1;

  int headerRow = 0;  // 1: a first row with the labels R1, R2, ...
  int rows = 5;       // data rows
  int columns = 5;
  int numbering = 0;  // 0 nothing, 1 numbers from 1, 2 line numbers

  void Load(const SettingsStore& settings);
  void Save(SettingsStore& settings) const;

  DialogData Build() const;
  // Takes the values of an answered dialog; false when an edit field does not
  // hold an integer (the fields then stay as they were).
  bool Read(const DialogData& dialog);
};
