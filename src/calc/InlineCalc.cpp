#include "calc/InlineCalc.h"

#include <algorithm>
#include <vector>

#include "settings/SettingsStore.h"
#include "calc/CalcEvaluator.h"
#include "editor/CommandContext.h"
#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "numbers/NumberChars.h"
#include "numbers/WideNumberChars.h"
#include "table/NumberReadingMode.h"
#include "text/Cp932.h"
#include "calc/CalcState.h"

namespace {

constexpr std::size_t npos = cp932::npos;

// The line as the Japanese reading calculates it: every full-width character
// of arithmetic as its half-width form, every other character as it is.
std::string HalfWidthForm(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t length = 0;
  for (std::size_t p = 0; p < text.size(); p += length) {
    const unsigned code = numbers::CharCode(text, p, length);
    const char half = length == 2 ? numbers::HalfWidthOf(code) : 0;
    if (half != 0)
      out += half;
    else
      out.append(text, p, length);
  }
  return out;
}

// PrepareLine with the Japanese reading: the trailing blanks may be
// full-width, the final "=" may be "＝", and the tests are made on the
// half-width form. The characters are found from the start of the line, so a
// trail byte is never taken for a blank or an "=".
FinishedLine PrepareJapaneseLine(std::string_view finished) {
  FinishedLine line;
  std::string l = cp932::ReplaceAll(finished, "man", CalcEvaluator::kMan);
  std::vector<std::size_t> starts;
  for (std::size_t p = 0; p < l.size(); p = cp932::Next(l, p)) starts.push_back(p);
  auto lastCode = [&] {
    std::size_t length = 0;
    return numbers::CharCode(l, starts.back(), length);
  };
  auto dropLast = [&] {
    l.resize(starts.back());
    starts.pop_back();
  };
  while (!starts.empty() && (lastCode() < 0x80 ? numbers::IsBlank(static_cast<char>(lastCode()))
                                                : lastCode() == numbers::wide::kBlank))
    dropLast();
  line.endsWithEquals = !starts.empty() && (lastCode() == '=' || lastCode() == numbers::wide::kEquals);
  if (line.endsWithEquals) line.equalsSign = l.substr(starts.back());
  while (!starts.empty() && (lastCode() == '=' || lastCode() == numbers::wide::kEquals)) dropLast();
  line.compact = cp932::RemoveAll(HalfWidthForm(l), ' ');
  line.prepared = std::move(l);
  line.hasOperator = cp932::FindFirstOf(line.compact, "+-*/^") != npos;
  line.hasX1 = cp932::Find(line.compact, "x1") != npos;
  line.hasEquals = cp932::Find(line.compact, '=') != npos;
  return line;
}

}  // namespace

FinishedLine PrepareLine(std::string_view finished, numbers::NumberReading reading) {
  if (reading == numbers::NumberReading::Japanese) return PrepareJapaneseLine(finished);
  FinishedLine line;
  // Trail bytes are 0x40 or above, so the white space and "=" trimmed from
  // the end are always whole characters.
  std::string l = cp932::ReplaceAll(finished, "man", CalcEvaluator::kMan);
  while (!l.empty() && numbers::IsBlank(l.back())) l.pop_back();
  line.endsWithEquals = !l.empty() && l.back() == '=';
  while (!l.empty() && l.back() == '=') l.pop_back();
  line.compact = cp932::RemoveAll(l, ' ');
  line.prepared = std::move(l);
  line.hasOperator = cp932::FindFirstOf(line.compact, "+-*/^") != npos;
  line.hasX1 = cp932::Find(line.compact, "x1") != npos;
  line.hasEquals = cp932::Find(line.compact, '=') != npos;
  return line;
}

void CalculateLine(EditorView& view) {
  const CommandContext in(view);
  const EditBuffer& edit = in.edit;
  const int s = in.selStart;
  const int e = in.selEnd;
  // Only a line that Enter really finished is calculated: a read-only text,
  // or a text at its size limit, takes no line break, and the line before
  // the caret must then stay as it is.
  if (edit.IsReadOnly() || s < 2 || in.text.compare(static_cast<std::size_t>(s) - 2, 2, "\r\n") != 0) return;

  const int lineEnd = s - 2;
  const int lineStart = edit.LogicalLineStart(edit.LogicalLineFromChar(lineEnd));
  const std::string_view finished =
      std::string_view(in.text).substr(static_cast<std::size_t>(lineStart), static_cast<std::size_t>(lineEnd - lineStart));
  const numbers::NumberReading reading = NumberReadingOf(view);
  const FinishedLine line = PrepareLine(finished, reading);
  CalcState& calc = view.Extension<CalcState>();

  if (line.hasOperator && !line.hasEquals && line.hasX1) {
    calc.pendingFormula = line.compact;
    calc.formulaPending = 1;
    return;
  }
  if (line.hasOperator && !line.hasX1 && line.endsWithEquals) {
    // A label or the earlier cells of a table row stay out of the sum.
    std::string_view expression = line.compact;
    const std::size_t tab = cp932::FindLast(expression, '\t');
    if (tab != npos) expression.remove_prefix(tab + 1);
    CalcEvaluator evaluator(calc.manFlag, view.decimalPlaces, view.Host(), reading, edit.LimitText());
    const std::string result = evaluator.EvaluateExpression(expression);
    TextRewrite::TypeAsUser(view, lineStart, e, line.prepared + line.equalsSign + result + "\r\n");
    calc.pendingFormula.clear();
    calc.formulaPending = 0;
    return;
  }
  if (calc.formulaPending == 1 && line.compact.compare(0, 3, "x1=") == 0) {
    // A definitions line: the formula stays pending for the next one.
    std::string formula = calc.pendingFormula;
    CalcEvaluator evaluator(calc.manFlag, view.decimalPlaces, view.Host(), reading, edit.LimitText());
    evaluator.SubstituteVariables(line.compact, formula);
    const std::string result = evaluator.EvaluateExpression(formula);
    TextRewrite::TypeAsUser(view, lineStart, lineEnd, result + ", if " + line.prepared + "\r\n");
    return;
  }
  calc.pendingFormula.clear();
  calc.formulaPending = 0;
}

