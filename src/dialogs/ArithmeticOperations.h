// The operation list shared by the two dialogs of two-column and two-row
// arithmetic: "×", "÷", "＋", "－", exchanged as the zero-based index.
#pragma once

#include "platform/DialogData.h"

namespace arithmetic {

inline constexpr int kOperationCount = 4;

// The list opened on `operation`; an index off the list (a stored setting out
// of range) leaves it without a selection.
DialogControl OperationList(int id, const char* label, int operation);

}  // namespace arithmetic
