#include "calc/CalcCommands.h"

#include "calc/InlineCalc.h"
#include "calc/LinearTransform.h"
#include "calc/TwoColumnArithmetic.h"
#include "editor/EditorView.h"
#include "editor/CommandTable.h"

void RegisterCalcCommands(CommandTable& table) {
  RegisterLinearTransformCommands(table);
  RegisterTwoColumnCommands(table);
  table.AddKeyReleaseHandler([](EditorView& view, int key) {
    if (key == key::Return) CalculateLine(view);
  });
}
