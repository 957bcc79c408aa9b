// CalcEvaluator: the arithmetic of one line typed into the document.
//
// The evaluator rewrites text instead of parsing it. An expression is cut at
// its parentheses into groups, innermost first, each group's place in the
// text that held it being marked "str[N]". Groups are then evaluated in that
// order and each value is written back over its mark as a fixed-point number
// with four decimals; the value of every power is written back into its term
// the same way. Those two places therefore carry only four decimals.
//
// Within a group a sum is split at "+" and "-" into terms. A term is reduced
// by its powers first (written back as text), then every divisor and every
// multiplier is collected into two products, so a/b*c is a*c/b. Operands are
// read as atof reads them: the leading number, anything else reading 0
// (with the Japanese reading, as numbers::JapaneseNumber reads them).
//
// "万" (ten thousand, CP932 0x96 0x9C) may follow a number (1.5万) or stand
// between two numbers (3万2500). When a term used it, a final result of 10,000
// or more is written as ten-thousands, "万" and the rest (1万7500.00).
//
// With the Japanese number reading (numbers/NumberReading.h) every operand is
// read by numbers::JapaneseNumber, so 千, 億 and 兆 join 万 as units
// (1億2345万6789, 3万5千); the flag then holds the largest unit used (1 for 万
// or 千, 2 for 億, 3 for 兆), and the result is written with units up to that
// one (1億2345万6789.0). A unit in a power's base or exponent is refused as 万
// is.
//
// The evaluator lives for one calculation. It reads the decimals of the
// result and the "万 was used" flag from its owner (the view keeps the flag
// between the calls of one calculation and clears it at its end) and shows
// its two messages through the UI host. All text is CP932 bytes; every
// search steps over double-byte characters, so a trail byte is never taken
// for an operator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "numbers/NumberReading.h"

class UiHost;

class CalcEvaluator {
 public:
  // textLimit is the size limit of the text the formula comes from; it
  // bounds how far substituting variables may grow the formula.
  CalcEvaluator(int& manFlag, int decimalPlaces, UiHost& host,
                numbers::NumberReading reading = numbers::NumberReading::Plain, int textLimit = 1048575);

  // The result text of an expression whose blanks are already removed:
  // DecimalPlaces decimals, or the 万 form. Empty when a ")" has no "("
  // before it.
  std::string EvaluateExpression(std::string_view expression);

  // Replaces x1, x2, ... in the formula by their values in the definitions
  // (x1=3,x2=1.5万). Stops at the first index that is not defined; an empty
  // value shows a message and stops there.
  void SubstituteVariables(std::string_view definitions, std::string& formula);

  // Value of a parenthesis-free expression: terms joined by "+" and "-".
  double EvaluateSum(std::string_view text);

  // Value of one term: factors joined by "*", "/" and "^". The text is
  // rewritten on the way (powers replaced by their values, operands removed).
  double EvaluateTerm(std::string& text);

  // Value of one operand with its "万"; a trailing "万" is removed from the text.
  double ReadNumber(std::string& text);

  // atof as the evaluator reads operands (the cell value rule), except that a
  // text beginning with numbers::kErrorText reads NaN: it is what FormatNumber
  // writes for NaN, and a group such as (0/0) written back into the expression
  // must keep the final result an error instead of reading 0.
  static double Atof(std::string_view text);
  // atoi: the leading whole number, saturated at the 32-bit range.
  static std::int32_t WholeNumber(std::string_view text);

  // 1.0 multiplied n times by base, as a loop of n multiplications gives it,
  // without doing n multiplications when n is huge (see the definition).
  static double RepeatedProduct(double base, std::uint64_t n);

  // The 万 form of a non-negative fixed-point text of 10,000 or more
  // ("32500.5" -> "3万2500.5").
  static std::string ManNotation(std::string_view fixed);
  // The same with the units up to the largest one used (1 万, 2 億, 3 兆):
  // "123456789.0" with 2 is "1億2345万6789.0". A unit whose digits are all 0
  // is left out ("1億0.0"); the digits below 万 keep one before the point.
  static std::string UnitNotation(std::string_view fixed, int largestUnit);

  static constexpr std::string_view kMan = "\x96\x9C";  // 万

 private:
  std::string ReplaceGroupMarks(std::string_view text, const std::string* values, std::size_t count) const;
  // An operand's value by the evaluator's reading (Atof for the plain one).
  double Operand(std::string_view text) const;
  // Whether the text holds a unit the reading knows (万; with the Japanese
  // reading also 千, 億 and 兆), and the largest one as the flag counts it.
  int LargestUnit(std::string_view text) const;

  int& manFlag_;
  int decimalPlaces_;
  UiHost& host_;
  numbers::NumberReading reading_;
  std::size_t formulaLimit_;
};
