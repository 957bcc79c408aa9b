// The column and block commands against a plain model: each command written
// out step by step with the single-cell operations (DeleteCell,
// InsertCellIntoText, SelectCell on a working copy of the text), as slow as
// that is, and compared on random tables with what the one-pass commands
// produce: the text bytes, the selection, the table selection, the cell block
// and the table clipboard.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "editor/CommandIds.h"
#include "editor/TextRewrite.h"
#include "numbers/CellNumber.h"
#include "numbers/FormatNumber.h"
#include "table/CellText.h"
#include "table/TableCells.h"
#include "support/TestView.h"
#include "table/TableClipboard.h"

namespace {

// ---------------------------------------------------------------- the model

int TabsBefore(std::string_view text, int pos) {
  int start = pos;
  while (start > 0 && text[static_cast<std::size_t>(start) - 1] != '\n') --start;
  return static_cast<int>(cp932::Count(std::string_view(text).substr(static_cast<std::size_t>(start),
                                                                     static_cast<std::size_t>(pos - start)),
                                       "\t"));
}
bool AtRowStart(std::string_view text, int pos) { return pos == 0 || text[static_cast<std::size_t>(pos) - 1] == '\n'; }
int InsertionColumn(std::string_view text, int pos) {
  const bool inside = !AtRowStart(text, pos) && text[static_cast<std::size_t>(pos) - 1] != '\t';
  return TabsBefore(text, pos) + (inside ? 1 : 0);
}
int PasteColumn(std::string_view text, int pos) {
  const bool afterTab = pos > 0 && text[static_cast<std::size_t>(pos) - 1] == '\t';
  return TabsBefore(text, pos) + (afterTab ? 0 : 1);
}
int LfsBefore(std::string_view text, int pos) {
  return static_cast<int>(std::count(text.begin(), text.begin() + pos, '\n'));
}
int TextRows(std::string_view text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1; }

std::string Entry(EditorView& v, int i) {
  const auto& rows = v.Extension<TableClipboard>().rows;
  return static_cast<std::size_t>(i) < rows.size() ? rows[static_cast<std::size_t>(i)] : std::string();
}
void SetEntry(EditorView& v, int i, std::string s) {
  auto& rows = v.Extension<TableClipboard>().rows;
  if (rows.size() <= static_cast<std::size_t>(i)) rows.resize(static_cast<std::size_t>(i) + 1);
  rows[static_cast<std::size_t>(i)] = std::move(s);
}

void ModelDeleteBlock(EditorView& v, const CellRange& c, std::string& work) {
  for (int r = c.lastRow; r >= c.firstRow; --r)
    for (int col = c.lastCol; col >= c.firstCol; --col) DeleteCell(v, col, r, work);
}

void CaretTo(EditorView& v, int pos) {
  v.Edit().SetSel(pos, pos);
  v.Edit().ScrollCaret();
}

void ModelInsertBlankColumn(EditorView& v) {
  EditBuffer& ed = v.Edit();
  const auto [s, e] = ed.GetSel();
  const int caretRow = ed.LineFromChar(-1);
  std::string work = ed.GetText();
  v.tableSelection = {s, e};
  const int column = InsertionColumn(work, s);
  int first = 0, last = TextRows(work) - 1;
  if (v.cellRange.firstRow < v.cellRange.lastRow) first = v.cellRange.firstRow, last = v.cellRange.lastRow;
  const int count = v.cellRange.Columns() > 1 ? v.cellRange.Columns() : 1;
  const std::string before = work;
  for (int c = 0; c < count; ++c)
    for (int r = first; r <= last; ++r) InsertCellIntoText(v, column + c, r, "", work);
  if (work == before) return;
  ed.SetText(work);
  SelectCell(v, column, caretRow);
  const int start = ed.GetSel().first;
  CaretTo(v, start);
  v.tableSelection = {start, start};
}

void ModelColumns(EditorView& v, int s, int e, int& column, int& count) {
  column = TabsBefore(v.Edit().Text(), s);
  count = 1;
  if (s < e) column = v.cellRange.firstCol, count = v.cellRange.Columns();
}

void ModelDeleteColumn(EditorView& v) {
  EditBuffer& ed = v.Edit();
  const auto [s, e] = ed.GetSel();
  std::string work = ed.GetText();
  v.tableSelection = {s, e};
  int column, count;
  ModelColumns(v, s, e, column, count);
  const std::string before = work;
  for (int r = 0, rows = TextRows(before); r < rows; ++r)
    for (int k = 0; k < count; ++k) DeleteCell(v, column, r, work);
  if (work == before) return;
  ed.SetText(work);
  CaretTo(v, v.tableSelection.first);
}

void ModelCopyColumn(EditorView& v) {
  const auto [s, e] = v.Edit().GetSel();
  int column, count;
  ModelColumns(v, s, e, column, count);
  for (int r = 0, rows = TextRows(v.Edit().Text()); r < rows; ++r) SetEntry(v, r, GetCells(v, r, column, count));
}

void ModelInsertCopiedColumn(EditorView& v) {
  EditBuffer& ed = v.Edit();
  const auto [s, e] = ed.GetSel();
  const int caretRow = ed.LineFromChar(-1);
  std::string work = ed.GetText();
  v.tableSelection = {s, e};
  const int column = InsertionColumn(work, s);
  const std::string before = work;
  for (int r = 0, rows = TextRows(before); r < rows; ++r) InsertCellIntoText(v, column, r, Entry(v, r), work);
  if (work == before) return;
  ed.SetText(work);
  SelectCell(v, column, caretRow);
  CaretTo(v, ed.GetSel().first);
}

void ModelBlockCopy(EditorView& v) {
  TableClipboard& c = v.Extension<TableClipboard>();
  c.columnCount = v.cellRange.Columns();
  c.rowCount = v.cellRange.Rows();
  for (int i = 0; i < c.rowCount; ++i)
    SetEntry(v, i, GetCells(v, v.cellRange.firstRow + i, v.cellRange.firstCol, c.columnCount));
}

void ModelDeleteBlock(EditorView& v) {
  EditBuffer& ed = v.Edit();
  std::string work = ed.GetText();
  v.tableSelection = ed.GetSel();
  const std::string before = work;
  ModelDeleteBlock(v, v.cellRange, work);
  if (work == before) return;
  ed.SetText(work);
  CaretTo(v, v.tableSelection.first);
}

void ModelBlockPaste(EditorView& v) {
  EditBuffer& ed = v.Edit();
  std::string work = ed.GetText();
  v.tableSelection = ed.GetSel();
  const std::string before = work;
  if (v.tableSelection.first < v.tableSelection.second) ModelDeleteBlock(v, v.cellRange, work);
  v.cellRange.firstCol = PasteColumn(work, v.tableSelection.first);
  v.cellRange.firstRow = LfsBefore(work, v.tableSelection.first);
  for (int i = 0; i < v.Extension<TableClipboard>().rowCount; ++i)
    InsertCellIntoText(v, v.cellRange.firstCol, v.cellRange.firstRow + i, Entry(v, i), work);
  if (work == before) return;
  ed.SetText(work);
  CaretTo(v, v.tableSelection.second);
}

void ModelRepeatedPaste(EditorView& v) {
  const int R = v.Extension<TableClipboard>().rowCount, C = v.Extension<TableClipboard>().columnCount;
  const int H = v.cellRange.Rows(), W = v.cellRange.Columns();
  std::vector<std::string> entries;
  for (int i = 0; i < R; ++i) {
    std::string entry = Entry(v, i);
    if (C != W) {
      std::vector<std::string> cellsOf;
      for (std::size_t p = 0;;) {
        const std::size_t t = entry.find('\t', p);
        cellsOf.push_back(entry.substr(p, t == std::string::npos ? std::string::npos : t - p));
        if (t == std::string::npos) break;
        p = t + 1;
      }
      std::vector<std::string> wide;
      for (int k = 0; k < W / C; ++k) wide.insert(wide.end(), cellsOf.begin(), cellsOf.end());
      for (int j = 0; j < W % C && j < static_cast<int>(cellsOf.size()); ++j) wide.push_back(cellsOf[static_cast<std::size_t>(j)]);
      entry.clear();
      for (std::size_t j = 0; j < wide.size(); ++j) entry += (j ? "\t" : "") + wide[j];
    }
    entries.push_back(entry);
  }
  EditBuffer& ed = v.Edit();
  std::string work = ed.GetText();
  v.tableSelection = ed.GetSel();
  const std::string before = work;
  ModelDeleteBlock(v, v.cellRange, work);
  const int fc = TabsBefore(work, v.tableSelection.first);
  const int fr = LfsBefore(work, v.tableSelection.first);
  v.cellRange.firstCol = fc;
  v.cellRange.firstRow = fr;
  for (int k = 0; k < H / R; ++k)
    for (int i = 0; i < R; ++i) InsertCellIntoText(v, fc, fr + R * k + i, entries[static_cast<std::size_t>(i)], work);
  for (int i = 0; i < H % R; ++i)
    InsertCellIntoText(v, fc, fr + R * (H / R) + i, entries[static_cast<std::size_t>(i)], work);
  if (work == before) return;
  ed.SetText(work);
  CaretTo(v, v.tableSelection.first);
}

void ModelClearBlock(EditorView& v) {
  const CellRange c = v.cellRange;
  if (c.Columns() < 1 || c.Rows() < 1) return;
  EditBuffer& ed = v.Edit();
  std::string work = ed.GetText();
  v.tableSelection = ed.GetSel();
  const auto selection = ed.GetSel();
  for (int r = c.firstRow; r <= c.lastRow; ++r)
    for (int col = c.firstCol; col <= c.lastCol; ++col) {
      // SelectCell gives "" both for a missing cell and for an empty last
      // cell, which exists; the cell exists when its span does.
      const std::string_view text = ed.Text();
      const std::size_t rowStart = cells::RowStart(text, r);
      if (rowStart == cells::npos) continue;
      const std::string_view row = text.substr(rowStart, cells::RowCellsEnd(text, rowStart) - rowStart);
      std::size_t s0, e0;
      if (!cells::CellSpan(row, col, s0, e0)) continue;
      SelectCell(v, col, r);
      ed.ReplaceSel("\t");
    }
  // Clearing cells that were empty already changes nothing at all.
  if (ed.Text() == work) ed.SetSel(selection.first, selection.second);
}

// Deviation scores typed into the control one row after another, each
// insertion re-reading the text.
void ModelDeviation(EditorView& v) {
  EditBuffer& ed = v.Edit();
  v.tableSelection = ed.GetSel();
  std::string work = ed.GetText();
  const auto [s, e] = v.tableSelection;
  const CellRange c = v.cellRange;
  const bool front = AtRowStart(work, e) || work[static_cast<std::size_t>(e) - 1] == '\t';
  const int target = front ? c.firstCol : c.firstCol + 1;
  if (s >= e) return;
  const int n = c.Rows();
  std::vector<double> d;
  double sum = 0;
  for (int i = 0; i < n; ++i) {
    const double x = numbers::CellNumber(GetCells(v, c.firstRow + i, c.firstCol, 1));
    d.push_back(i == 0 ? 0.0 : x - (numbers::CellNumber(GetCells(v, c.firstRow, c.firstCol, 1))));
    sum += d.back();
  }
  const double mean = sum / n;
  double squares = 0;
  for (double x : d) squares += (x - mean) * (x - mean);
  const double sd = std::sqrt(squares / n);
  const std::string before = ed.GetText();
  const auto selection = ed.GetSel();
  for (int i = 0; i < n; ++i) {
    const double score = sd == 0 ? 50 : (d[static_cast<std::size_t>(i)] - mean) * 10 / sd + 50;
    TextRewrite rewrite(v);
    InsertCellIntoControl(rewrite, target, c.firstRow + i, numbers::FormatNumber(score, v.decimalPlaces));
  }
  if (ed.Text() == before) ed.SetSel(selection.first, selection.second);
}

// ---------------------------------------------------------------- random tables

std::string RandomTable(std::mt19937& rng) {
  static const char* fields[] = {"", "1", "23", "-4.5", "\x95\x5C", "ab", "7e1", " 9"};
  std::string t;
  const int rows = std::uniform_int_distribution<int>(1, 7)(rng);
  for (int r = 0; r < rows; ++r) {
    const int n = std::uniform_int_distribution<int>(0, 5)(rng);
    for (int f = 0; f < n; ++f) {
      if (f) t += '\t';
      t += fields[std::uniform_int_distribution<int>(0, 7)(rng)];
    }
    if (rng() % 5 == 0) t += '\t';
    // Mostly CR LF; now and then a bare LF, as a text set from elsewhere may hold.
    if (r + 1 < rows || rng() % 2) t += rng() % 8 ? "\r\n" : "\n";
  }
  return t;
}

// A character boundary that is not between a CR and its LF.
int RandomPos(std::mt19937& rng, const std::string& text) {
  std::vector<int> ok;
  for (std::size_t p = 0;; p = cp932::Next(text, p)) {
    if (p == 0 || text[p - 1] != '\r') ok.push_back(static_cast<int>(p));
    if (p >= text.size()) break;
  }
  return ok[std::uniform_int_distribution<std::size_t>(0, ok.size() - 1)(rng)];
}

using Command = void (*)(EditorView&);

struct ModelCase {
  int id;
  Command model;
};

// Sets up the same random state on two views: text, a mouse block, then a
// keyboard selection (which leaves the block as it was) and clipboard rows.
void Prepare(std::mt19937& rng, TestView& a, TestView& b) {
  const std::string text = RandomTable(rng);
  int s = RandomPos(rng, text), e = RandomPos(rng, text);
  if (s > e) std::swap(s, e);
  if (rng() % 4 == 0) e = s;  // a click without a block
  int ks = RandomPos(rng, text), ke = RandomPos(rng, text);
  if (ks > ke) std::swap(ks, ke);
  if (rng() % 2) ke = ks;
  const bool keyboardSelection = rng() % 3 == 0;
  const int clipRows = std::uniform_int_distribution<int>(0, 4)(rng);
  const int clipCols = std::uniform_int_distribution<int>(0, 3)(rng);
  std::vector<std::string> entries;
  for (int i = 0; i < 6; ++i) entries.push_back(i % 2 ? "x\ty" : (i % 3 ? "" : "z"));
  for (TestView* t : {&a, &b}) {
    // What an initial update does for these commands, without its settings
    // writes (each one is a synced file write).
    t->Edit().SetText(text);
    t->view.History().Restart(t->Edit());
    t->view.cellRange = CellRange{};
    t->view.tableSelection = {0, 0};
    t->Drag(s, e);
    if (keyboardSelection) t->Edit().SetSel(ks, ke);
    t->view.Extension<TableClipboard>().rows = entries;
    t->view.Extension<TableClipboard>().rowCount = clipRows;
    t->view.Extension<TableClipboard>().columnCount = clipCols;
  }
}

TEST(BlockEditingModel, RandomTablesMatchTheCellByCellCommands) {
  const ModelCase cases[] = {
      {cmd::InsertBlankColumn, ModelInsertBlankColumn},
      {cmd::InsertBlankCells, ModelInsertBlankColumn},
      {cmd::DeleteColumn, ModelDeleteColumn},
      {cmd::CopyColumn, ModelCopyColumn},
      {cmd::CutColumn, [](EditorView& v) {
         ModelCopyColumn(v);
         ModelDeleteColumn(v);
       }},
      {cmd::InsertCopiedColumn, ModelInsertCopiedColumn},
      {cmd::CopyBlock, ModelBlockCopy},
      {cmd::CutBlock, [](EditorView& v) {
         ModelBlockCopy(v);
         ModelDeleteBlock(v);
       }},
      {cmd::DeleteBlock, ModelDeleteBlock},
      {cmd::PasteBlock, ModelBlockPaste},
      {cmd::PasteBlockRepeated, ModelRepeatedPaste},
      {cmd::ClearBlock, ModelClearBlock},
      {cmd::DeviationScoresRight, ModelDeviation},
  };
  for (const ModelCase& c : cases) {
    TestView fast, model;
    int ran = 0, changedRuns = 0;
    for (unsigned seed = 1; seed <= 400; ++seed) {
      std::mt19937 rng(seed * 7919u + static_cast<unsigned>(c.id));
      Prepare(rng, fast, model);
      const std::string original(fast.Text());
      const auto selBefore = fast.Edit().GetSel();
      if (!fast.view.IsEnabled(c.id)) continue;
      const auto undoBefore = fast.view.History().Current();
      ASSERT_EQ(fast.view.Execute(c.id), EditorView::CommandResult::Done);
      c.model(model.view);
      const std::string where = "command " + std::to_string(c.id) + " seed " + std::to_string(seed) + " text [" +
                                original + "]";
      ASSERT_EQ(fast.Text(), model.Text()) << where;
      EXPECT_EQ(fast.Edit().GetSel(), model.Edit().GetSel()) << where;
      EXPECT_EQ(fast.view.tableSelection, model.view.tableSelection) << where;
      EXPECT_EQ(fast.view.cellRange, model.view.cellRange) << where;
      EXPECT_EQ(fast.view.Extension<TableClipboard>().rowCount, model.view.Extension<TableClipboard>().rowCount) << where;
      EXPECT_EQ(fast.view.Extension<TableClipboard>().columnCount, model.view.Extension<TableClipboard>().columnCount) << where;
      const std::size_t n = std::max(fast.view.Extension<TableClipboard>().rows.size(), model.view.Extension<TableClipboard>().rows.size());
      for (std::size_t i = 0; i < n; ++i)
        EXPECT_EQ(Entry(fast.view, static_cast<int>(i)), Entry(model.view, static_cast<int>(i))) << where << " entry " << i;

      // Exactly one undo step when the text changed, none otherwise; undo
      // brings the text back.
      const bool changed = fast.Text() != original;
      ++ran;
      changedRuns += changed ? 1 : 0;
      EXPECT_EQ(fast.view.History().Current(), undoBefore + (changed ? 1 : 0)) << where;
      EXPECT_TRUE(fast.view.History().autoSnapshot) << where;
      if (changed) {
        fast.view.Execute(cmd::Undo);
        EXPECT_EQ(fast.Text(), original) << where;
        if (c.id == cmd::InsertBlankColumn || c.id == cmd::InsertBlankCells || c.id == cmd::DeleteColumn ||
            c.id == cmd::CutColumn || c.id == cmd::InsertCopiedColumn) {
          EXPECT_EQ(fast.Edit().GetSel(), selBefore) << where;  // the selection the user had
        }
      }
    }
    // The random states reach the command and, for most, change the text.
    EXPECT_GT(ran, 80) << c.id;
    if (c.id != cmd::CopyColumn && c.id != cmd::CopyBlock) {
      EXPECT_GT(changedRuns, ran / 2) << c.id;
    }
  }
}

}  // namespace
