// LinearTransform: the eight table commands that compute, for each value X of
// one column (or row), Y by a linear formula and insert the Y values as a new
// column beside it (or a new row above or below it). The source cells stay.
//
// Two formulas, each with its dialog of four whole numbers:
//   slope and offset (SlopeOffsetDialog):  Y = X * m / n + p / q
//   range mapping (RangeMappingDialog):   Y = (X - A) * (D - C) / (B - A) + C
// Column mode visits every row of the cell block (every row of the text
// without a selection) and gives empty and non-numeric source cells a value
// too (X = 0). Row mode builds the new line first and leaves a result cell
// empty where its source cell is empty. Either way the change is one undo
// step, and the four numbers are stored only when the dialog ends with OK.
#pragma once

class EditorView;
class CommandTable;

enum class TransformFormula { SlopeOffset, RangeMapping };

// The coefficients of one run, whichever dialog gave them.
struct TransformCoefficients {
  TransformFormula formula = TransformFormula::SlopeOffset;
  int m = 1, n = 1, p = 1, q = 1;      // slope and offset
  int a = 60, b = 120, c = 65, d = 100;  // range mapping
  double Apply(double x) const;
};

void TransformCells(EditorView& view, TransformFormula formula, bool columnMode, bool before);

void RegisterLinearTransformCommands(CommandTable& table);
