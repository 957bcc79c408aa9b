// Controls shared by the sort and rank dialogs: the column list "1" to "40"
// and the integer row fields.
#pragma once

#include <string>

#include "dialogs/DialogData.h"

namespace rowdialog {

DialogControl Control(int id, DialogControl::Kind kind, const char* label);

// The drop-down list of columns "1" .. "count", opened on `column` (a column
// beyond the list opens on the last item, one before it on the first).
DialogControl ColumnList(int id, const char* label, int column, int count);

DialogControl RowField(int id, const char* label, int row);

// An integer typed into an edit field: optional blanks and sign around the digits.
bool ParseRow(const std::string& text, int& value);

}  // namespace rowdialog
