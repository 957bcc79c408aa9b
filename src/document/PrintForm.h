// PrintForm: the steps around printing a .pvl document. Its directive line is
// brought up to date first (an undo step of its own), then the "//" lines are
// taken out of the text for the printer, and afterwards the text as it was
// goes back into the control. A document that was unmodified before printing
// is then saved, so that the file carries the refreshed directive line and
// the refresh's undo step is the saved text. A read-only text is printed as
// it is shown and never saved by printing.
#pragma once

#include <string>
#include <string_view>

class Document;
class EditorView;

namespace print_form {

// Start of printing a .pvl file: the directive line is brought up to date as
// an undo step of its own (a read-only text is left as it is).
void RefreshDirectiveLine(EditorView& view);
// Then the text's print form; returns the text as it was, for RestoreAfterPrinting.
std::string StripCommentLines(EditorView& view);
// End of printing: `text` (StripCommentLines' result) goes back into the
// control; textOnly when nothing was printed. A document that was unmodified
// when RefreshDirectiveLine ran is saved, so that the refreshed directive line
// reaches the file and the refresh's undo step is the saved text.
void RestoreAfterPrinting(EditorView& view, Document& doc, std::string_view text, bool textOnly = false);

}  // namespace print_form
