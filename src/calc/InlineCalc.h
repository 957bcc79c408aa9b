// InlineCalc: arithmetic typed into the document, computed when Enter is
// released.
//
// A line of arithmetic that ends with "=" gets its result written after the
// "=" (1200*3+500= becomes 1200*3+500=4100). A line holding a formula in x1,
// x2, ... and no "=" is remembered in the view's CalcState; each later line
// that starts with "x1=" is then replaced by the formula's value, ", if " and
// the line (8, if x1=2, x2=3). Any other line forgets the formula.
//
// With the Japanese number reading (table/NumberReadingMode.h) a line typed
// with the input method on is calculated as its half-width form: full-width
// digits, ＋ － ＊ ／ ＾ × ÷, （ ）, the point, the comma, blanks and the final
// "＝" count as their half-width forms, and operands take 千, 万, 億 and 兆
// (CalcEvaluator). The line keeps the user's characters, its final "＝" too;
// only the result is written half-width ("１２０＋３０＝150.0").
//
// The line is replaced with one ReplaceSel, so the undo history records it
// by its automatic change capture, like typing; no snapshot is pushed here.
#pragma once

#include <string>
#include <string_view>

#include "numbers/NumberReading.h"

class EditorView;

// What Enter finished: the part of the line before the caret, and the forms
// the decision is made on.
struct FinishedLine {
  std::string prepared;   // "man" as 万, trailing white space and "=" removed
  std::string compact;    // prepared without blanks (with the Japanese reading, in half-width form)
  std::string equalsSign = "=";  // the final "=" the user typed ("＝" with the Japanese reading)
  bool endsWithEquals = false;
  bool hasOperator = false;  // one of + - * / ^
  bool hasX1 = false;
  bool hasEquals = false;  // an "=" left inside
};

FinishedLine PrepareLine(std::string_view finished, numbers::NumberReading reading = numbers::NumberReading::Plain);

// Runs on the release of Enter (after the key inserted its line break).
void CalculateLine(EditorView& view);
