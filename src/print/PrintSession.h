// PrintSession: what printing and the preview do to the editor.
//
// A .pvl document is printed in its print form: its directive line is
// brought up to date and the comment lines ("//...") are left out; the text
// shown during printing is the one printed. Afterwards the text is put back
// with the refreshed directive line (and an unmodified document is saved, so
// the line reaches the file); when nothing was printed, only the text is put
// back.
//
// The preview opens on the page that holds the editor's first visible line.
// Left on another page, it makes that page's first line the editor's top line
// with the caret there; left on its start page, it changes nothing. For a
// .pvl document the page's first byte is found again in the restored text,
// past the comment lines that the print form left out.
#pragma once

#include <string_view>

#include "print/PrintHost.h"

class EditorView;

namespace print_session {

// Runs one printout or preview of the view's text through the installed host.
void Run(EditorView& view, PrintRequest::Kind kind);

// The offset in `text` of byte `printFormOffset` of its print form (the text
// without its comment lines).
int TextOffsetOfPrintForm(std::string_view text, int printFormOffset);

}  // namespace print_session
