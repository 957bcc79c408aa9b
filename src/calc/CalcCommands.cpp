// The calculation entries of the command table and the key-release hook.
#include "calc/CalcCommands.h"

#include "calc/InlineCalc.h"
#include "calc/LinearTransform.h"
#include "calc/TwoColumnArithmetic.h"
#include "editor/EditorView.h"
#include "editor/CommandTable.h"

void RegisterCalcCommands(CommandTable& table) {
  RegisterLinearTransformCommands(table);
  RegisterTwoColumnCommands(table);
}

void OnCalcKeyUp(EditorView& view, int key) {
  OverwriteAfterImeCommit(view, key);
  RememberCaretColumn(view, key);
  if (key == vk::Return) CalculateLine(view);
}
