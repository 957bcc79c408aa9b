#include "dialogs/ArithmeticOperations.h"

namespace arithmetic {

DialogControl OperationList(int id, const char* label, int operation) {
  return MakeCombo(id, label, {"×", "÷", "＋", "－"}, operation);
}

}  // namespace arithmetic
