#include "calc/InlineCalc.h"

#include <algorithm>

#include "settings/SettingsStore.h"
#include "calc/CalcEvaluator.h"
#include "editor/EditorView.h"
#include "text/Cp932.h"

namespace {

constexpr std::size_t npos = cp932::npos;

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool HasOperator(std::string_view text) {
  for (std::size_t p = 0; p < text.size(); p = cp932::Next(text, p)) {
    if (cp932::CharLen(text, p) != 1) continue;
    const char c = text[p];
    if (c == '+' || c == '-' || c == '*' || c == '/' || c == '^') return true;
  }
  return false;
}

// Virtual-key codes after which the caret's x is remembered: those the CP932
// locale's isalpha accepts (letters and half-width katakana codes), and
// Backspace, Tab, Enter, Left, Right, Home and End.
bool MovesCaretColumn(int key) {
  if ((key >= 0x41 && key <= 0x5A) || (key >= 0x61 && key <= 0x7A) || (key >= 0xA1 && key <= 0xDF)) return true;
  return key == vk::Back || key == vk::Tab || key == vk::Return || key == vk::Left || key == vk::Right ||
         key == vk::Home || key == vk::End;
}

}  // namespace

FinishedLine PrepareLine(std::string_view finished) {
  FinishedLine line;
  // Trail bytes are 0x40 or above, so the white space and "=" trimmed from
  // the end are always whole characters.
  std::string l = cp932::ReplaceAll(finished, "man", CalcEvaluator::kMan);
  while (!l.empty() && IsWhiteSpace(l.back())) l.pop_back();
  line.endsWithEquals = !l.empty() && l.back() == '=';
  while (!l.empty() && l.back() == '=') l.pop_back();
  line.compact = cp932::RemoveAll(l, ' ');
  line.prepared = std::move(l);
  line.hasOperator = HasOperator(line.compact);
  line.hasX1 = cp932::Find(line.compact, "x1") != npos;
  line.hasEquals = cp932::Find(line.compact, '=') != npos;
  return line;
}

void CalculateLine(EditorView& view) {
  EditBuffer& edit = view.Edit();
  view.workText = edit.GetText();
  const auto [s, e] = edit.GetSel();
  view.tableSelection = {s, e};
  // Only a line that Enter really finished is calculated: a read-only text,
  // or a text at its size limit, takes no line break, and the line before
  // the caret must then stay as it is.
  if (edit.IsReadOnly() || s < 2 || view.workText.compare(static_cast<std::size_t>(s) - 2, 2, "\r\n") != 0) return;

  const int lineEnd = s - 2;
  const int lineStart = edit.LogicalLineStart(edit.LogicalLineFromChar(lineEnd));
  const std::string_view finished =
      std::string_view(view.workText).substr(static_cast<std::size_t>(lineStart), static_cast<std::size_t>(lineEnd - lineStart));
  const FinishedLine line = PrepareLine(finished);
  CalcState& calc = view.calc;

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
    CalcEvaluator evaluator(calc.manFlag, view.decimalPlaces, view.Host());
    const std::string result = evaluator.EvaluateExpression(expression);
    edit.SetSel(lineStart, e);
    edit.ScrollCaret();
    edit.ReplaceSel(line.prepared + "=" + result + "\r\n");
    calc.pendingFormula.clear();
    calc.formulaPending = 0;
    return;
  }
  if (calc.formulaPending == 1 && line.compact.compare(0, 3, "x1=") == 0) {
    // A definitions line: the formula stays pending for the next one.
    std::string formula = calc.pendingFormula;
    CalcEvaluator evaluator(calc.manFlag, view.decimalPlaces, view.Host());
    evaluator.SubstituteVariables(line.compact, formula);
    const std::string result = evaluator.EvaluateExpression(formula);
    edit.SetSel(lineStart, lineEnd);
    edit.ScrollCaret();
    edit.ReplaceSel(result + ", if " + line.prepared + "\r\n");
    return;
  }
  calc.pendingFormula.clear();
  calc.formulaPending = 0;
}

void OverwriteAfterImeCommit(EditorView& view, int key) {
  if (view.insertMode != 0) return;
  EditBuffer& edit = view.Edit();
  const std::string& text = edit.Text();
  const int pos = edit.CaretPosition().second;
  if (pos < 0 || pos >= edit.GetTextLength() || view.imeOpen != 1 || key != vk::Return) return;
  const auto p = static_cast<std::size_t>(pos);
  if (p == 0 || text[p - 1] == '\n' || text[p] == '\r') return;
  // The committed text lies between the recorded start and the caret, on
  // the caret's line; a start that is not there was not recorded for it.
  const int committed = pos - view.imeStartPos;
  if (committed <= 0 || view.imeStartPos < edit.LogicalLineStart(edit.LogicalLineFromChar(pos))) return;
  // The caret's line ends at the CR before the next LF (or at that LF when
  // it stands alone), or at the end of the text.
  std::size_t lineEnd = text.size();
  const std::size_t lf = cp932::Find(text, '\n', p);
  if (lf != npos) lineEnd = (lf > p && text[lf - 1] == '\r') ? lf - 1 : lf;
  const std::size_t target = std::min(p + static_cast<std::size_t>(committed), lineEnd);
  // A double-byte character that the count reaches into goes whole.
  std::size_t end = p;
  while (end < target) end = cp932::Next(text, end);
  edit.SetSel(pos, static_cast<int>(end));
  edit.ScrollCaret();
  edit.ReplaceSel("");
}

void RememberCaretColumn(EditorView& view, int key) {
  if (view.keepCaretColumn != 1) return;
  if (MovesCaretColumn(key)) view.caretColumnX = view.Edit().CaretPoint().x;
  if (view.caretColumnX < 0) view.caretColumnX = 0;
}
