// ViewDocument: what a view needs of the document it shows.
//
// The view owns this interface and the document subsystem implements it, so
// the view never depends on files, backups or directive lines: it reads the
// file's name and its parts, asks the document to set it up for its text
// (the initial update) and tells it when the text has been modified.
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
  // Its parts, kept with it: the folder with its trailing '/', the name
  // without and with its extension, and the extension with its dot (case
  // kept). The shell and backup commands start in the folder; the extension
  // says which words and modes the file gets.
  virtual const std::string& FileFolder() const = 0;
  virtual const std::string& FileTitle() const = 0;
  virtual const std::string& FileNameExt() const = 0;
  virtual const std::string& FileExt() const = 0;
  // True while the text is not a faithful form of the file (it holds
  // substitutes for characters CP932 cannot hold): the views show it
  // read-only and it is never written over that file.
  virtual bool IsLossy() const { return false; }

  // Views join when they are built and leave when they are destroyed.
  virtual void AddView(EditorView* view) = 0;
  virtual void RemoveView(EditorView* view) = 0;

  // Sets the view up for the document's current text: the file's modes, the
  // directive line, the remembered caret and a fresh undo history.
  virtual void InitialiseView(EditorView& view) = 0;
};
