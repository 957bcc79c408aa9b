// InlineCalc: arithmetic typed into the document, computed when Enter is
// released.
//
// A line of arithmetic that ends with "=" gets its result written after the
// "=" (1200*3+500= becomes 1200*3+500=4100). A line holding a formula in x1,
// x2, ... and no "=" is remembered in the view's CalcState; each later line
// that starts with "x1=" is then replaced by the formula's value, ", if " and
// the line (8, if x1=2, x2=3). Any other line forgets the formula.
//
// The line is replaced with one ReplaceSel, so the undo history records it
// by its automatic change capture, like typing; no snapshot is pushed here.
#pragma once

#include <string>
#include <string_view>

class EditorView;

// What Enter finished: the part of the line before the caret, and the forms
// the decision is made on.
struct FinishedLine {
  std::string prepared;   // "man" as 万, trailing white space and "=" removed
  std::string compact;    // prepared without blanks
  bool endsWithEquals = false;
  bool hasOperator = false;  // one of + - * / ^
  bool hasX1 = false;
  bool hasEquals = false;  // an "=" left inside
};

FinishedLine PrepareLine(std::string_view finished);

// Runs on the release of Enter (after the key inserted its line break).
void CalculateLine(EditorView& view);
