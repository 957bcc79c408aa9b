// ViewDocument: what a view needs of the document it shows.
//
// The view owns this interface and the document subsystem implements it, so
// the view never depends on files, backups or directive lines: it asks the
// document to set it up for its text (the initial update) and tells it when
// the text has been modified.
#pragma once

#include <string>

class EditorView;

class ViewDocument {
 public:
  virtual ~ViewDocument() = default;

  virtual bool IsModified() const = 0;
  virtual void SetModifiedFlag(bool modified) = 0;
  // The file's path in file-system bytes; "" for an untitled document.
  virtual const std::string& PathName() const = 0;

  // Views join when they are built and leave when they are destroyed.
  virtual void AddView(EditorView* view) = 0;
  virtual void RemoveView(EditorView* view) = 0;

  // Sets the view up for the document's current text: the file's modes, the
  // directive line, the remembered caret and a fresh undo history.
  virtual void InitialiseView(EditorView& view) = 0;
};
