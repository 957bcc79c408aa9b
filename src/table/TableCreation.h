// TableCreation: the "表の作成" command, which types an empty grid of
// TAB-separated rows below the caret's line.
//
// The grid starts with two CR LF, so one empty line separates it from the
// caret's line; every row of it (the optional header row R1, R2, ... and the
// data rows, optionally numbered) has the same number of TABs and ends with a
// TAB before its CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class EditorView;
class TableCreationDialog;

namespace table_creation {

// The grid text for the dialog's choices. caretRow is the number of CR bytes
// before the caret: with line numbers, data row b is numbered with the 1-based
// line it will have, caretRow + 3 + b (+1 below a header row).
std::string BuildTableText(const TableCreationDialog& choice, int caretRow);

// Its length in bytes, computed without building it (to refuse a grid that
// could never fit into the text); counting stops as soon as it passes cap.
std::size_t TableTextLength(const TableCreationDialog& choice, int caretRow, std::size_t cap = SIZE_MAX);

// Command cmd::CreateTable.
void CreateTable(EditorView& view);

}  // namespace table_creation
