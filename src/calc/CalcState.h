// CalcState: the in-line calculation's state kept in the view between
// keystrokes (the pending formula and its flags), held as the view's
// Extension<CalcState>().
#pragma once

#include <string>

#include "editor/ViewExtension.h"

struct CalcState : ViewExtension {
  std::string pendingFormula;  // CP932, blanks removed; empty when none
  int formulaPending = 1;      // 1 while a definitions line is computed against pendingFormula
  int manFlag = 0;             // 1 while the expression being evaluated used 万

  // A view starts with the formula pending, and so does each initialisation
  // (which keeps the formula itself): a definitions line typed first is
  // computed against whatever formula is held, an empty one reading 0.
  void OnViewInitialised() {
    formulaPending = 1;
    manFlag = 0;
  }
};
