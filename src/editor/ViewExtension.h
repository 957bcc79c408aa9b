// ViewExtension: the base of the state a subsystem above the editor keeps for
// each view (the table clipboard, the calculation state, the find and replace
// bars). EditorView::Extension<T> makes it on first use and destroys it with
// the view; the editor never sees the derived type.
#pragma once

struct ViewExtension {
  virtual ~ViewExtension() = default;
};
