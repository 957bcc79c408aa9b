// Document: the one document of a process: the file it stands for, its
// title and modified flag, and the views that show it. It is the file model:
// reading, writing and reloading the file, and telling the user when one of
// those fails. What the user asks for (the file commands, their dialogs and
// the save prompt) is DocumentCommands.
//
// The text itself lives in the views' EditBuffers; the document reads a file
// into its first view and writes the first view's text back. The text is
// CP932, at most 1,048,575 bytes, without NUL bytes. A CP932 file is the
// text's bytes; a UTF-8 file is converted when read and written back in the
// form it had (file_text::FileForm), and an unedited one as the very bytes
// that were read. A UTF-8 file holding characters CP932 cannot hold is shown
// read-only with substitutes and is never written over. A comma-separated
// file (a name ending in .csv, or one reopened as CSV) shows its records as
// TAB-separated rows and is written back as records, unchanged ones with
// their own bytes; one with a field no row can show (a line end or a TAB in
// it) is likewise shown read-only and never written over.
//
// States: untitled (path "", title "無題"; saving asks for a name) or named
// (path and title of a file, set by a successful open or Save As). An open or
// reload that fails leaves the document exactly as it was: text, path, title,
// modified flag and undo history. A save that fails leaves the file on disk as
// it was and the document modified.
//
// The modified flag is set by the views' undo history, cleared by open, new
// and every successful save; each successful save also tells the views (the
// Saved hint) that their current undo step is the saved text.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/FileText.h"
#include "editor/ViewDocument.h"
#include "editor/ViewEnums.h"

class SettingsStore;
class UiHost;

class Document final : public ViewDocument {
 public:
  // Untitled documents have an empty path and the title "無題".
  static constexpr const char* kUntitled = "無題";

  Document() = default;
  // Reads setting::BackupOnSave once; settings are also where the
  // recent-file list and the caret memory live.
  explicit Document(SettingsStore& settings);
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  const std::string& PathName() const override { return path_; }  // file system path, "" when untitled
  // Sets the path (and its parts) and, from it, the title (the file name, readable).
  void SetPathName(const std::string& path);
  const std::string& Title() const { return title_; }  // UTF-8
  void SetTitle(const std::string& title) { title_ = title; }
  const std::string& FileFolder() const override { return folder_; }
  const std::string& FileTitle() const override { return fileTitle_; }
  const std::string& FileNameExt() const override { return nameExt_; }
  const std::string& FileExt() const override { return ext_; }

  bool IsModified() const override { return modified_; }
  void SetModifiedFlag(bool modified) override { modified_ = modified; }

  // Make a ".bak" copy before the document's own file is overwritten.
  int backupEnabled = 1;
  // The file's last-write time (seconds since 1970) after the last successful
  // open, save or accepted reload; 0 before any.
  std::int64_t lastKnownFileTime = 0;
  // True while the user is asked whether to reload a file changed outside.
  bool askingAboutExternalChange = false;

  // ---- views. Views add themselves when built and leave when destroyed;
  // the first one is the one the document reads into and writes from.
  void AddView(EditorView* view) override;
  void RemoveView(EditorView* view) override;
  void InitialiseView(EditorView& view) override;
  EditorView* FirstView() const { return views_.empty() ? nullptr : views_.front(); }
  const std::vector<EditorView*>& Views() const { return views_; }
  void UpdateAllViews(EditorView* sender, UpdateHint hint);

  // ---- the framework's steps
  // Empties the path, clears the modified flag and the first view's text.
  bool OnNewDocument();
  // Reads the file into the first view. On failure the user has been told
  // and nothing has changed.
  bool OnOpenDocument(const std::string& path);
  // Writes the first view's text to path, keeping the old version as
  // path + ".bak" when path is the document's own path, backups are on and
  // the file exists. On failure the user has been told, the file is as it
  // was and the document stays modified.
  bool OnSaveDocument(const std::string& path);
  // Opens a file as the document (full path, title, recent list) and
  // initialises the views; on failure the document stays as it was.
  bool OpenDocumentFile(const std::string& path);
  // Writes the text to path in `form` and makes path the document's file
  // (title, recent list, file time); false, with the file as it was, on failure.
  bool SaveAs(const std::string& path, const file_text::FileForm& form);
  // Reads the file again after another program wrote it: the views are told,
  // the reloaded text becomes a saved undo step and the document unmodified.
  bool Reload();
  // Reads the file again as `readAs` (also at later reloads) and initialises
  // the views; on failure the document keeps its text and its earlier choice.
  bool ReopenAs(file_text::ReadAs readAs);
  // Reads the file again as comma-separated records or as text (also at
  // later reloads), like ReopenAs.
  bool ReopenInFormat(csv::FileFormat format);
  // Takes the file's last-write time as lastKnownFileTime.
  void ReadFileTime();

  // Removes a split window before the current file is left; set by the
  // window, empty where there is none.
  std::function<void()> unsplit;
  // Remembers the caret of the file from the pane the user works in; set by
  // a window whose panes decide which one that is, else the active pane's.
  std::function<void(EditorView& active)> saveCaretPosition;

  // Where messages go (the first view's UI host) and the settings (those
  // given at construction, else the first view's); null without a view.
  UiHost* Host() const;
  SettingsStore* Settings() const;

  // ---- the file's encoding
  const file_text::FileForm& Form() const { return form_; }
  bool IsLossy() const override { return lossy_; }

 private:
  void SetPath(const std::string& path);
  void ShowMessage(const std::string& text);
  file_text::ReadAs CurrentReadAs() const;
  csv::FileFormat FormatFor(const std::string& path) const;
  // Reads the file again after a reopen command changed readAs_ or formatChoice_.
  bool Reopen();
  // Writes the first view's text to path in `form` (Save, Save As).
  bool WriteText(const std::string& path, const file_text::FileForm& form);

  std::string path_;
  std::string folder_, fileTitle_, nameExt_, ext_;  // parts of path_ (docfile::SplitPath)
  std::string title_ = kUntitled;
  bool modified_ = false;
  SettingsStore* settings_ = nullptr;
  std::vector<EditorView*> views_;
  file_text::FileForm form_;
  bool lossy_ = false;
  // Why the text is lossy: a record no row can show (its line), rather than
  // characters CP932 cannot hold.
  std::optional<int> unshowableRecordLine_;
  std::optional<file_text::ReadAs> readAs_;  // chosen by a reopen command
  std::optional<csv::FileFormat> formatChoice_;  // likewise
  // A UTF-8 or comma-separated file as read, and its text as the control holds it: while the
  // text is unchanged, saving writes these bytes again. Empty for a text file whose text
  // encodes to exactly its bytes: writing it gives them anyway.
  std::string fileBytes_;
  std::string fileText_;
};
