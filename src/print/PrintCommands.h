// The print commands: print with and without the dialog, the preview, the
// printer setup, the print font, and the column and margin choices.
#pragma once

class CommandTable;
class EditorView;

void RegisterPrintCommands(CommandTable& table);

namespace print_commands {

// Columns 1 to 4: stored, then the preview opens, also when unchanged.
void SetColumns(EditorView& view, int columns);
// Margin steps 1 to 4: nothing when unchanged; else stored, then the preview.
void SetMarginStep(EditorView& view, int step);
// The print font chooser, then the preview.
void ChoosePrintFont(EditorView& view);

}  // namespace print_commands
