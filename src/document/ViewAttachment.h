// ViewAttachment: what happens to a view when a document's text is attached
// to it, and the caret remembered when it closes.
//
// A view is set up for its document in one fixed order (InitialiseView): the
// print margin, the reset table state, table mode with its tab width
// (which a .pvl file's directive line may change), editor mode for other
// files than .pvl and comma-separated ones, read-only log files, the common update steps (which also give a
// loaded text CR LF line ends), the remembered caret, and a fresh undo history.
#pragma once

#include <string>
#include <string_view>

class EditorView;

namespace view_attachment {

// A comma-separated document (`records`) is a table, as a .pvl file is.
void InitialiseView(EditorView& view, bool records = false);

bool IsPvlFile(const EditorView& view);  // extension exactly ".pvl" or ".PVL"
bool IsLogFile(const EditorView& view);  // extension exactly ".log" or ".LOG"
void ApplyDirectiveLine(EditorView& view);
// Remembers the caret of the document's file, for the next time it is opened.
void SaveCaretPosition(EditorView& view);

}  // namespace view_attachment
