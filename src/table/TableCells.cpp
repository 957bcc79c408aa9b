#include "table/TableCells.h"

#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "table/CellText.h"
#include "text/Cp932.h"

namespace {

// The cells of row `row` of `text`: [start, end) in the text, or false when
// the row does not exist.
bool RowCells(std::string_view text, int row, std::size_t& start, std::size_t& end) {
  start = cells::RowStart(text, row);
  if (start == cells::npos) return false;
  end = cells::RowCellsEnd(text, start);
  return true;
}

// The same from the control, whose logical-line index finds the row at once.
bool ControlRowCells(const EditBuffer& edit, int row, std::size_t& start, std::size_t& end) {
  if (row < 0 || row >= edit.LogicalLineCount()) return false;
  start = static_cast<std::size_t>(edit.LogicalLineStart(row));
  end = cells::RowCellsEnd(edit.Text(), start);
  return true;
}

}  // namespace

std::string GetCells(EditorView& view, int row, int firstCol, int count) {
  if (row < 0 || count < 1) return {};
  std::string line = view.Edit().GetLogicalLine(row).first;
  if (line.find_first_of("\r\n") != std::string::npos) {
    line = cp932::RemoveAll(line, '\r');
    line = cp932::RemoveAll(line, '\n');
  }
  return std::string(cells::Fields(line, firstCol, count));
}

std::string SelectCell(EditorView& view, int col, int row) {
  EditBuffer& edit = view.Edit();
  std::size_t rowStart, rowEnd, start, end;
  if (!ControlRowCells(edit, row, rowStart, rowEnd)) return {};
  const std::string_view cellsOfRow = std::string_view(edit.Text()).substr(rowStart, rowEnd - rowStart);
  if (!cells::CellSpan(cellsOfRow, col, start, end)) return {};
  std::string selected(cellsOfRow.substr(start, end - start));
  edit.SetSel(static_cast<int>(rowStart + start), static_cast<int>(rowStart + end));
  edit.ScrollCaret();
  return selected;
}

void MoveCaretToCell(EditorView& view, int col, int row) {
  EditBuffer& edit = view.Edit();
  std::size_t rowStart, rowEnd, start, end;
  if (!ControlRowCells(edit, row, rowStart, rowEnd)) return;
  const std::string_view cellsOfRow = std::string_view(edit.Text()).substr(rowStart, rowEnd - rowStart);
  if (!cells::CellSpan(cellsOfRow, col, start, end)) return;
  edit.SetSel(static_cast<int>(rowStart + start), static_cast<int>(rowStart + start));
  edit.ScrollCaret();
}

void DeleteCell(EditorView& view, int col, int row, std::string& text) {
  std::size_t rowStart, rowEnd, start, end;
  if (!RowCells(text, row, rowStart, rowEnd)) return;
  if (!cells::CellSpan(std::string_view(text).substr(rowStart, rowEnd - rowStart), col, start, end)) return;
  text.erase(rowStart + start, end - start);
  cells::TrackRemove(view.tableSelection.first, rowStart + start, rowStart + end);
}

void InsertCellIntoText(EditorView& view, int col, int row, std::string_view value, std::string& text) {
  std::size_t rowStart, rowEnd, point;
  bool valueFirst = false;
  if (!RowCells(text, row, rowStart, rowEnd)) return;
  if (!cells::InsertPoint(std::string_view(text).substr(rowStart, rowEnd - rowStart), col, point, valueFirst)) return;
  point += rowStart;
  const std::string inserted = cells::InsertText(value, valueFirst);
  text.insert(point, inserted);
  cells::TrackInsert(view.tableSelection.first, point, inserted.size());
}

void InsertCellIntoControl(TextRewrite& rewrite, int col, int row, std::string_view value) {
  std::size_t rowStart, rowEnd, point;
  bool valueFirst = false;
  const EditBuffer& edit = rewrite.View().Edit();
  // The control's own line index finds the row without searching.
  if (!ControlRowCells(edit, row, rowStart, rowEnd)) return;
  if (!cells::InsertPoint(std::string_view(edit.Text()).substr(rowStart, rowEnd - rowStart), col, point, valueFirst)) return;
  rewrite.TypeAt(static_cast<int>(rowStart + point), cells::InsertText(value, valueFirst));
}

void ShowSelectionError(EditorView& view) {
  view.Host().MessageBox("注意！",
                         "選択が無いか、選択に誤りがあります。\n計算したい行列の左上から右下までを、マウスで選択して下さい。",
                         MsgButtons::Ok, MsgIcon::Exclamation);
}
