#include "calc/InlineCalc.h"

#include <algorithm>

#include "settings/SettingsStore.h"
#include "calc/CalcEvaluator.h"
#include "editor/CommandContext.h"
#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "numbers/NumberChars.h"
#include "text/Cp932.h"
#include "calc/CalcState.h"

namespace {

constexpr std::size_t npos = cp932::npos;

}  // namespace

FinishedLine PrepareLine(std::string_view finished) {
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
  const FinishedLine line = PrepareLine(finished);
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
    CalcEvaluator evaluator(calc.manFlag, view.decimalPlaces, view.Host(), edit.LimitText());
    const std::string result = evaluator.EvaluateExpression(expression);
    TextRewrite::TypeAsUser(view, lineStart, e, line.prepared + "=" + result + "\r\n");
    calc.pendingFormula.clear();
    calc.formulaPending = 0;
    return;
  }
  if (calc.formulaPending == 1 && line.compact.compare(0, 3, "x1=") == 0) {
    // A definitions line: the formula stays pending for the next one.
    std::string formula = calc.pendingFormula;
    CalcEvaluator evaluator(calc.manFlag, view.decimalPlaces, view.Host(), edit.LimitText());
    evaluator.SubstituteVariables(line.compact, formula);
    const std::string result = evaluator.EvaluateExpression(formula);
    TextRewrite::TypeAsUser(view, lineStart, lineEnd, result + ", if " + line.prepared + "\r\n");
    return;
  }
  calc.pendingFormula.clear();
  calc.formulaPending = 0;
}

