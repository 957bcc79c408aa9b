// ViewAttachment: what happens to a view when a document's text is attached
// to it, and the document-dependent steps around printing and closing.
//
// A view is set up for its document in one fixed order (InitialiseView): the
// print margin, the reset table state, table mode with its tab width
// (which a .pvl file's directive line may change), editor mode for other
// files, read-only log files, the common update steps (which also give a
// loaded text CR LF line ends), the remembered caret, and a fresh undo history.
#pragma once

#include <string>
#include <string_view>

class Document;
class EditorView;

namespace view_attachment {

void InitialiseView(EditorView& view);

bool IsPvlFile(const EditorView& view);  // extension exactly ".pvl" or ".PVL"
bool IsLogFile(const EditorView& view);  // extension exactly ".log" or ".LOG"
void ApplyDirectiveLine(EditorView& view);
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
// Remembers the caret of the document's file, for the next time it is opened.
void SaveCaretPosition(EditorView& view);

}  // namespace view_attachment
