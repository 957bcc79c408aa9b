// RedrawRequests: what the view asks the window to rebuild at the next idle
// pass. A request is set by whatever changed the state it draws and cleared
// by the window once it has redrawn it.
#pragma once

struct RedrawRequests {
  bool lineNumbers = false;  // the gutter and, in table mode, the column ruler
  bool colouring = false;    // the text's colours and the overlay
  bool caret = false;        // the caret is made again (its size or font changed)
  bool imeMark = false;      // the input-method mark beside the caret
  // Drawing allowed: set when the view is set up for a document and again
  // when it becomes writable.
  bool drawingEnabled = false;
};
