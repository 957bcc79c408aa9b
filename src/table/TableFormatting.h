// TableFormatting: the commands that set how the table looks and how its
// results are written: the table-mode column width (32812), the decimal
// places of computed results (32813) and the deviation scores of a column
// block (32999).
#pragma once

class CPivraView;

namespace table_formatting {

// Command 32812: CTabDlg; the chosen width becomes TabWidth and the tab stops,
// and is stored as the table-mode width "Settings"/"RetuHaba" in either mode.
void ChangeTableWidth(CPivraView& view);

// Command 32813: CRoundDlg; the chosen index becomes DecimalPlaces and
// "Settings"/"Sho". The text does not change.
void ChangeRoundingPlace(CPivraView& view);

// Command 32999: the deviation score of every value of the one-column block,
// written as a new cell beside it.
void DeviationScores(CPivraView& view);

}  // namespace table_formatting
