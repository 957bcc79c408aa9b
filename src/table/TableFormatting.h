// TableFormatting: the commands that set how the table looks and how its
// results are written: the table-mode column width (cmd::ChangeTableWidth),
// the decimal places of computed results (cmd::ChangeRoundingPlace) and the
// deviation scores of a column block (cmd::DeviationScoresRight).
#pragma once

class EditorView;

namespace table_formatting {

// Command cmd::ChangeTableWidth: TabWidthDialog; the chosen width becomes
// TabWidth and the tab stops, and is stored as the table-mode width
// setting::TableColumnWidth in either mode.
void ChangeTableWidth(EditorView& view);

// Command cmd::ChangeRoundingPlace: DecimalPlacesDialog; the chosen index
// becomes DecimalPlaces and setting::DecimalPlaces. The text does not change.
void ChangeRoundingPlace(EditorView& view);

// Command cmd::DeviationScoresRight: the deviation score of every value of the
// one-column block, written as a new cell beside it.
void DeviationScores(EditorView& view);

}  // namespace table_formatting
