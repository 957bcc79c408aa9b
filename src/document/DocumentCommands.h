// DocumentCommands: what the user does with the document's file (new, open,
// save, save as, the recent files, a dropped file, reopening in another
// encoding) and the questions those ask: the open and save dialogs, the save
// prompt for a modified document, and the offer to reload a file another
// program has written.
//
// A DocumentCommands holds nothing but the document it acts on, so it is made
// where a command runs: DocumentCommands(doc).OnFileSave(). Every step that
// leaves the current file asks the save prompt first and stops when the user
// cancels; the file itself is read and written by the Document.
#pragma once

#include <string>

#include "document/FileText.h"

class CommandTable;
class Document;
class EditorView;

class DocumentCommands {
 public:
  explicit DocumentCommands(Document& doc) : doc_(doc) {}

  // The view passed is the active pane, whose caret is remembered.
  void OnFileNew(EditorView& active);   // cmd::FileNew
  void OnFileOpen(EditorView& active);  // cmd::FileOpen
  bool OnFileSave();                    // cmd::FileSave; true when saved
  bool OnFileSaveAs();                  // cmd::FileSaveAs; true when saved
  void OnOpenRecentFile(EditorView& active, int index);  // cmd::RecentFileFirst + index
  // A file dropped on the window (file-system bytes): opened as Open opens
  // the file chosen in its dialog.
  void OnDropFile(EditorView& active, const std::string& path);
  // cmd::ReopenAsCp932, cmd::ReopenAsUtf8: the save prompt, then the file read
  // again as that encoding (also by later reloads).
  void OnReopen(EditorView& active, file_text::ReadAs readAs);
  // cmd::ReopenAsCsv, cmd::ReopenAsText: likewise, the file read again as
  // comma-separated records or as text.
  void OnReopenInFormat(EditorView& active, csv::FileFormat format);

  // The save prompt for a modified document; false when the user cancels
  // or the save fails, so that what asked stops.
  bool SaveModified();
  // Closing the window: remembers the caret (not in print preview), then the
  // save prompt. True when the window may close.
  bool CanCloseFrame(EditorView& active, bool inPrintPreview);
  // Called when the application is activated: offers to reload the file
  // when another program has written it since it was opened or saved.
  void CheckExternalChange();

 private:
  // The common steps of Open, the recent files and a dropped file: the save
  // prompt, the caret, the split, then the document's open.
  enum class OpenOutcome { Opened, Cancelled, Failed };
  OpenOutcome OpenOther(EditorView& active, const std::string& path);
  void SaveCaretPosition(EditorView& active);
  // The save prompt and what comes before a reopen; false when the user cancelled.
  bool PrepareReopen(EditorView& active, bool& keptEdits);

  Document& doc_;
};

// The document's entries of the command table.
void RegisterDocumentCommands(CommandTable& table);

// The document a view shows. Every view of the program is built over a
// Document; the view itself knows it only as a ViewDocument.
Document& DocumentOf(EditorView& view);
