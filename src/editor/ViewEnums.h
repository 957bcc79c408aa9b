// The two context menus of a view and the update hints a document sends its
// views. The values are the resource and hint numbers the rest of the
// program was built around; they are kept so that ids stay recognisable.
#pragma once

// The editing menu shows outside table mode, the table menu inside it.
enum class ContextMenu { Edit = 119, Table = 321 };

// What changed, as the document or the frame tells the views. Every hint
// first runs the common steps (line ends, line-number mode, margins, redraws).
enum class UpdateHint {
  None = 0,
  SplitStarted = 109,  // a pane was split off: return marks re-read, wrap off
  WordWrap = 204,      // a pane was removed: wrap re-applied, return marks re-read
  Colours = 333,       // text or background colour changed
  DisplayFont = 444,   // the display font changed
  Saved = 707,         // the current undo step is the saved text
  New = 777,           // a new document: the view starts over
  Reloaded = 888,      // the file was read again
};
