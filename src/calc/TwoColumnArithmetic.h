// TwoColumnArithmetic: the four table commands that combine two columns (or
// two rows) cell by cell with one of "×", "÷", "＋", "－" and insert the
// results as a new column (or row). The source cells stay.
//
// L is the value of the left column (upper row) and R that of the right
// column (lower row), whichever list or field named it; a cell's value is
// read as the user chose (NumberReadingOf). A division by 0 writes
// numbers::kErrorText. Column mode gives two empty cells the operation on 0
// and 0; row mode leaves the result empty there.
// Equal columns or rows, or a cancelled dialog, change nothing and store
// nothing; otherwise the change is one undo step and the operation is stored
// (setting::ColumnArithmeticOperation, setting::RowArithmeticOperation).
#pragma once

#include <string>

class EditorView;
class CommandTable;

// The result text of operation `operation` (0 "×", 1 "÷", 2 "＋", 3 "－") on
// L and R with `decimals` decimals; empty for any other index.
std::string CombineValues(int operation, double left, double right, int decimals);

void CombineCells(EditorView& view, bool columnMode, bool before);

void RegisterTwoColumnCommands(CommandTable& table);
