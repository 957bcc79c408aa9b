#include "table/TableFormatting.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "settings/SettingsStore.h"
#include "dialogs/DecimalPlacesDialog.h"
#include "dialogs/TabWidthDialog.h"
#include "editor/CommandContext.h"
#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "table/TableGrid.h"
#include "table/CellText.h"
#include "table/NumberReadingMode.h"
#include "numbers/FormatNumber.h"

namespace table_formatting {

void ChangeTableWidth(EditorView& view) {
  TabWidthDialog choice;
  choice.index = TabWidthDialog::IndexForWidth(view.modes.tabWidth);
  DialogData dialog = choice.Build();
  if (!view.Host().RunDialog(dialog)) return;
  choice.Read(dialog);
  view.modes.tabWidth = TabWidthDialog::WidthForIndex(choice.index);
  view.Edit().SetTabStops(view.modes.tabWidth * 4);
  view.Settings().WriteInt(setting::TableColumnWidth, view.modes.tabWidth);
  if (view.modes.table) view.redraw.lineNumbers = true;  // the column ruler follows the width
}

void ChangeRoundingPlace(EditorView& view) {
  DecimalPlacesDialog choice;
  // The list opens on the decimals results are written with now, or on its
  // nearest item for more decimals set by hand, which OK without another
  // choice keeps: OK without a choice changes nothing.
  choice.index = view.decimalPlaces;
  DialogData dialog = choice.Build();
  const int shown = dialog.Value(DecimalPlacesDialog::kPlaceListId);
  if (!view.Host().RunDialog(dialog)) return;
  choice.Read(dialog);
  if (choice.index == shown && view.decimalPlaces != shown) return;
  view.decimalPlaces = choice.index;
  view.Settings().WriteInt(setting::DecimalPlaces, choice.index);
}

// Population mean and standard deviation, taken on the distances from the
// first value: values that are all equal then have a deviation of exactly 0
// (their sum divided by their count need not give the value back), and every
// one of them scores 50.
void DeviationScores(EditorView& view) {
  const CommandContext in(view);
  const std::string_view text = in.text;
  const int s = in.selStart;
  const int e = in.selEnd;
  const CellRange block = view.cellRange;

  // The scores go right of the data, or in front of it when the selection
  // ends right after a TAB or at the start of its row.
  const bool endsAtCellStart = e <= 0 || text[static_cast<std::size_t>(e) - 1] == '\t' ||
                               text[static_cast<std::size_t>(e) - 1] == '\n';
  const int target = endsAtCellStart ? block.firstCol : block.firstCol + 1;
  if (s >= e) return;
  const int n = block.Rows();
  if (n < 1) return;

  TableGrid grid(text, NumberReadingOf(view));
  std::vector<double> d(static_cast<std::size_t>(n));
  double origin = 0;
  double sum = 0;
  for (int i = 0; i < n; ++i) {
    const double x = grid.Number(block.firstRow + i, block.firstCol);
    if (i == 0) origin = x;
    d[static_cast<std::size_t>(i)] = x - origin;
    sum += d[static_cast<std::size_t>(i)];
  }
  const double mean = sum / n;
  double squares = 0;
  for (double v : d) squares += (v - mean) * (v - mean);
  const double deviation = std::sqrt(squares / n);

  // Each score is typed in front of the target cell of its row; the caret
  // ends after the last one.
  int shift = 0;
  int caret = -1;
  for (int i = 0; i < n; ++i) {
    const int row = block.firstRow + i;
    if (row < 0 || row >= grid.RowCount()) continue;
    // All values equal: every value is exactly the mean, scored 50.
    const double score = deviation == 0 ? 50 : (d[static_cast<std::size_t>(i)] - mean) * 10 / deviation + 50;
    const std::string value = numbers::FormatNumber(score, view.decimalPlaces);
    std::size_t point = 0;
    bool valueFirst = false;
    if (!cells::InsertPoint(grid.RowCells(row), target, point, valueFirst)) continue;
    grid.InsertCell(target, row, value);
    caret = grid.RowStart(row) + shift + static_cast<int>(point + value.size() + 1);
    shift += static_cast<int>(value.size() + 1);
  }
  if (caret < 0) return;

  TextRewrite rewrite(view);
  if (!rewrite.ReplaceText(grid.Text(), {.keepScroll = true})) return;
  rewrite.PlaceCaret(caret);
}

}  // namespace table_formatting
