// ViewModes: the modes of one pane, as the menus tick them and the window
// reads them. A plain value: a split copies it from pane to pane.
//
// Table mode shows the text as a table (no wrap, the column ruler, tab stops
// of the column width); outside it the text wraps and the tab stops are the
// text's. Where a mode is also a setting or a directive, it is read and
// written as the int those store at that edge only.
#pragma once

#include "editor/LineNumberMode.h"

struct ViewModes {
  bool table = true;
  // The table mode to give both panes when a split pane's modes differ.
  bool paneTable = true;
  // Editor mode (setting::EditorModeAtStart): a text that is not a .pvl file
  // opens outside table mode.
  bool editor = false;
  bool wordWrap = false;
  bool insert = true;  // false: typing overwrites
  // With it, typing and horizontal keys remember the caret's x for the
  // vertical moves that follow (setting::KeepCaretColumn, read when a
  // document is attached).
  bool keepCaretColumn = true;
  bool returnMarks = true;  // the end-of-line marks are drawn
  int tabWidth = 8;         // in characters
  LineNumberMode lineNumbers = LineNumberMode::Physical;
};
