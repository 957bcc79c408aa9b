// The column list shared by the sort, rank and column arithmetic dialogs, and
// the column and row range the sort and rank dialogs read back.
#pragma once

#include "platform/DialogData.h"

namespace rowdialog {

// The drop-down list of columns "1" .. "count", opened on `column` (a column
// beyond the list opens on the last item, one before it on the first).
DialogControl ColumnList(int id, const char* label, int column, int count);

// More rows than any text within the size limit can hold.
inline constexpr int kRowLimit = 0x100000;

// The chosen column (kept on the list) and the two row fields of an answered
// dialog, each cut to -kRowLimit..kRowLimit; false, with nothing taken, when a
// row field does not hold an integer.
bool ReadColumnAndRows(const DialogData& dialog, int listId, int fromId, int toId, int count, int& column,
                       int& fromRow, int& toRow);

}  // namespace rowdialog
