#include "dialogs/SiskOperations.h"

namespace sisk {

DialogControl OperationList(int id, const char* label, int operation) {
  return MakeCombo(id, label, {"×", "÷", "＋", "－"}, operation);
}

}  // namespace sisk
