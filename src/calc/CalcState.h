// CalcState: the in-line calculation's state kept in the view between
// keystrokes (the pending formula and its flags).
#pragma once

#include <string>

struct CalcState {
  std::string pendingFormula;  // CP932
  int formulaPending = 0;
  int manFlag = 0;
};
