#include "dialogs/SiskOperations.h"

#include "dialogs/RowDialogFields.h"

namespace sisk {

DialogControl OperationList(int id, const char* label, int operation) {
  DialogControl list = rowdialog::Control(id, DialogControl::Kind::Combo, label);
  list.items = {"×", "÷", "＋", "－"};
  list.value = operation;
  return list;
}

}  // namespace sisk
