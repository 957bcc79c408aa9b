#include "table/BlockEditing.h"

#include <algorithm>
#include <string>
#include <vector>

#include "editor/CommandContext.h"
#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "table/CaretColumns.h"
#include "table/CellText.h"
#include "table/TableCells.h"
#include "table/TableGrid.h"
#include "text/Cp932.h"
#include "table/TableClipboard.h"

namespace block_editing {

namespace {

std::string_view ClipboardEntry(const TableClipboard& clip, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < clip.rows.size() ? std::string_view(clip.rows[static_cast<std::size_t>(i)])
                                                                   : std::string_view();
}

// The cells of a clipboard entry (an empty entry is one empty cell).
std::vector<std::string_view> SplitCells(std::string_view entry) {
  std::vector<std::string_view> out;
  for (std::size_t start = 0;;) {
    const std::size_t tab = cp932::Find(entry, '\t', start);
    if (tab == cp932::npos) {
      out.push_back(entry.substr(start));
      return out;
    }
    out.push_back(entry.substr(start, tab - start));
    start = tab + 1;
  }
}

// An entry of C cells made `width` cells wide: the whole entry repeated
// width / C times, then its first width % C cells.
std::string Widen(std::string_view entry, int repeats, int rest) {
  const std::vector<std::string_view> cells = SplitCells(entry);
  std::string out;
  bool first = true;
  auto add = [&](std::string_view cell) {
    if (!first) out += '\t';
    out.append(cell);
    first = false;
  };
  for (int k = 0; k < repeats; ++k)
    for (std::string_view cell : cells) add(cell);
  for (int j = 0; j < rest && static_cast<std::size_t>(j) < cells.size(); ++j) add(cells[static_cast<std::size_t>(j)]);
  return out;
}

}  // namespace

void DeleteBlock(TableGrid& grid, const CellRange& block) {
  const int lastRow = std::min(block.lastRow, grid.RowCount() - 1);
  for (int r = lastRow; r >= std::max(0, block.firstRow); --r) grid.DeleteBlockCells(r, block.firstCol, block.lastCol);
}

void BlockCopy(EditorView& view) {
  const CellRange& block = view.cellRange;
  TableClipboard& clip = view.Extension<TableClipboard>();
  clip.columnCount = block.Columns();
  clip.rowCount = block.Rows();
  if (clip.rowCount > 0 && clip.rows.size() < static_cast<std::size_t>(clip.rowCount))
    clip.rows.resize(static_cast<std::size_t>(clip.rowCount));
  for (int i = 0; i < clip.rowCount; ++i)
    clip.rows[static_cast<std::size_t>(i)] = GetCells(view, block.firstRow + i, block.firstCol, clip.columnCount);
}

void BlockCut(EditorView& view) {
  BlockCopy(view);
  DeleteBlockCommand(view);
}

void DeleteBlockCommand(EditorView& view) {
  const CommandContext in(view);
  TableGrid grid(in.text);
  grid.Track(view.tableSelection.first);
  DeleteBlock(grid, view.cellRange);
  if (!grid.Changed()) return;

  view.tableSelection.first = grid.Tracked();
  TextRewrite rewrite(view);
  if (!rewrite.ReplaceText(grid.Text())) return;
  rewrite.PlaceCaret(view.tableSelection.first);
}

namespace {

// `text` with the selected block deleted, when there is a selection and a
// cell goes; the TableSelection start moves along. False when nothing went
// (`out` is then left alone).
bool DeleteSelectedBlock(EditorView& view, std::string_view text, bool selected, std::string& out) {
  if (!selected) return false;
  TableGrid grid(text);
  grid.Track(view.tableSelection.first);
  DeleteBlock(grid, view.cellRange);
  view.tableSelection.first = grid.Tracked();
  if (!grid.Changed()) return false;
  out = grid.Text();
  return true;
}

}  // namespace

void BlockPaste(EditorView& view) {
  const CommandContext in(view);
  std::string afterDelete;
  const bool deleted = DeleteSelectedBlock(view, in.text, in.HasSelection(), afterDelete);
  const std::string_view base = deleted ? std::string_view(afterDelete) : in.text;

  const int p = view.tableSelection.first;
  view.cellRange.firstCol = caret_column::Paste(base, p);
  view.cellRange.firstRow = caret_column::RowOf(base, p);

  TableGrid grid(base);
  grid.Track(p);
  const TableClipboard& clip = view.Extension<TableClipboard>();
  for (int i = 0; i < clip.rowCount; ++i)
    grid.InsertCell(view.cellRange.firstCol, view.cellRange.firstRow + i, ClipboardEntry(clip, i));
  if (!grid.Changed() && !deleted) return;

  view.tableSelection.first = grid.Tracked();
  const std::string pasted = grid.Changed() ? grid.Text() : std::string();
  TextRewrite rewrite(view);
  if (!rewrite.ReplaceText(grid.Changed() ? std::string_view(pasted) : std::string_view(base))) return;
  rewrite.PlaceCaret(in.selEnd);
}

void RepeatedPaste(EditorView& view) {
  const TableClipboard& clip = view.Extension<TableClipboard>();
  const int R = clip.rowCount;
  const int C = clip.columnCount;
  if (R <= 0 || C <= 0) return;  // an empty clipboard has nothing to repeat
  const int H = view.cellRange.Rows();
  const int W = view.cellRange.Columns();
  const int verticalRepeats = std::max(0, H / R);
  const int verticalRest = std::max(0, H % R);

  // The clipboard block made as wide as the selected one. The widened rows
  // are a copy: the clipboard keeps the block that was copied.
  std::vector<std::string> entries(static_cast<std::size_t>(R));
  for (int i = 0; i < R; ++i) {
    const std::string_view entry = ClipboardEntry(clip, i);
    entries[static_cast<std::size_t>(i)] = C != W ? Widen(entry, W / C, W % C) : std::string(entry);
  }

  const CommandContext in(view);
  std::string afterDelete;
  const bool deleted = DeleteSelectedBlock(view, in.text, true, afterDelete);
  const std::string_view base = deleted ? std::string_view(afterDelete) : in.text;

  const int p = view.tableSelection.first;
  view.cellRange.firstCol = caret_column::Cell(base, p);
  view.cellRange.firstRow = caret_column::RowOf(base, p);
  const int firstCol = view.cellRange.firstCol;
  const int firstRow = view.cellRange.firstRow;

  TableGrid grid(base);
  grid.Track(p);
  for (int k = 0; k < verticalRepeats; ++k)
    for (int i = 0; i < R; ++i) grid.InsertCell(firstCol, firstRow + R * k + i, entries[static_cast<std::size_t>(i)]);
  for (int i = 0; i < verticalRest; ++i)
    grid.InsertCell(firstCol, firstRow + R * verticalRepeats + i, entries[static_cast<std::size_t>(i)]);
  if (!grid.Changed() && !deleted) return;

  view.tableSelection.first = grid.Tracked();
  const std::string pasted = grid.Changed() ? grid.Text() : std::string();
  TextRewrite rewrite(view);
  if (!rewrite.ReplaceText(grid.Changed() ? std::string_view(pasted) : std::string_view(base))) return;
  rewrite.PlaceCaret(view.tableSelection.first);
}

void ClearBlock(EditorView& view) {
  const CellRange block = view.cellRange;
  if (block.Columns() < 1 || block.Rows() < 1) return;
  const CommandContext in(view);

  // Each existing cell with its TAB becomes a single TAB, left to right, so a
  // last cell (which has no TAB of its own) leaves its row ending with a TAB.
  // The caret ends after the TAB of the last cell cleared.
  TableGrid grid(in.text);
  int shift = 0;   // length change of the rows above the current one
  int caret = -1;  // in the new text
  const int lastRow = std::min(block.lastRow, grid.RowCount() - 1);
  for (int r = std::max(0, block.firstRow); r <= lastRow; ++r) {
    // Once the first cell exists, each later one does too (a cleared last
    // cell leaves a TAB and an empty cell after it), so the block's cells
    // become one TAB each and the row's cells after the block stay.
    const std::string_view oldRow = grid.RowCells(r);
    const int firstCol = std::max(0, block.firstCol);
    std::size_t start = 0;
    std::size_t end = 0;
    if (!cells::BlockSpan(oldRow, firstCol, block.lastCol, start, end)) continue;
    const std::size_t cleared = static_cast<std::size_t>(block.lastCol - firstCol) + 1;
    std::string cellsOfRow;
    cellsOfRow.reserve(oldRow.size() - (end - start) + cleared);
    cellsOfRow.append(oldRow.substr(0, start)).append(cleared, '\t').append(oldRow.substr(end));
    const std::size_t before = oldRow.size();
    const std::size_t afterLast = start + cleared;  // after the TAB of the row's last cleared cell
    caret = grid.RowStart(r) + shift + static_cast<int>(afterLast);
    shift += static_cast<int>(cellsOfRow.size()) - static_cast<int>(before);
    if (cellsOfRow != grid.RowCells(r)) grid.SetRowCells(r, std::move(cellsOfRow));
  }
  if (caret < 0) return;
  TextRewrite rewrite(view);
  if (!rewrite.ReplaceText(grid.Text(), {.keepScroll = true})) return;
  rewrite.PlaceCaret(caret);
}

}  // namespace block_editing
