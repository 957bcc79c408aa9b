// CommandContext: what a table or calculation command that works at the
// selection reads before it writes anything.
//
// Made from the view when the command starts: the selection [selStart,
// selEnd), which also becomes the view's table selection (the position the
// command tracks through its edits and puts the caret back to), the physical
// line that holds the selection start (the caret when nothing is selected),
// and the control's text. `text` views the control's own bytes, not a copy: it
// stays as it is until the command writes (TextRewrite.h), so whatever the
// command builds from it is built before that.
#pragma once

#include <string_view>

class EditBuffer;
class EditorView;

struct CommandContext {
  explicit CommandContext(EditorView& view);

  EditorView& view;
  EditBuffer& edit;
  int selStart;
  int selEnd;
  int caretRow;
  const std::string_view text;

  bool HasSelection() const { return selStart < selEnd; }
};
