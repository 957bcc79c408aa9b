// DocumentCommands: the user's file commands and the questions they ask,
// over the document's file model; and the document's entries of the command
// table.
#include "document/DocumentCommands.h"

#include "document/BackupDeletion.h"
#include "document/Document.h"
#include "document/DocumentFile.h"
#include "document/RecentFileList.h"
#include "document/ViewAttachment.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "platform/UiHost.h"
#include "settings/AppIdentity.h"
#include "settings/SettingsStore.h"

namespace {

constexpr const char* kOpenFilter = "All files (*.*)|*.*|Text/Pvl files (*.txt;*.pvl)|*.txt;*.pvl||";
constexpr const char* kSaveFilter = "Pivra Files (*.pvl)|*.pvl|すべてのファイル (*.*)|*.*||";

bool IsCsvPath(const std::string& path) { return csv::HasCsvExtension(path); }

bool IsPvlPath(const std::string& path) {
  std::string folder, title, ext, nameExt;
  docfile::SplitPath(path, folder, title, ext, nameExt);
  return ext == ".pvl" || ext == ".PVL";
}

}  // namespace

void DocumentCommands::OnFileNew(EditorView& active) {
  if (!SaveModified()) return;
  SaveCaretPosition(active);
  if (doc_.unsplit) doc_.unsplit();
  doc_.SetTitle(Document::kUntitled);
  doc_.OnNewDocument();
  doc_.UpdateAllViews(nullptr, UpdateHint::New);
}

void DocumentCommands::OnFileOpen(EditorView& active) {
  UiHost* host = doc_.Host();
  if (!host) return;
  FileDialogData dialog;
  dialog.title = "開く";
  dialog.filter = kOpenFilter;
  dialog.initialPath = doc_.PathName();
  if (!host->ChooseFile(dialog) || dialog.path.empty()) return;
  const std::string path = docfile::FullPath(dialog.path);
  if (path == doc_.PathName()) return;  // the file already open: no reload
  OpenOther(active, path);
}

void DocumentCommands::OnOpenRecentFile(EditorView& active, int index) {
  SettingsStore* settings = doc_.Settings();
  if (!settings || index < 0) return;
  const std::vector<std::string> entries = recent_files::Entries(*settings);
  if (static_cast<std::size_t>(index) >= entries.size()) return;
  const std::string path = entries[static_cast<std::size_t>(index)];
  // The open file itself: as with Open, nothing happens, so an answer of
  // "No" to the save prompt can never mark unsaved edits as saved.
  if (path == doc_.PathName()) return;
  if (OpenOther(active, path) == OpenOutcome::Failed && !docfile::Exists(path)) recent_files::Remove(*settings, path);
}

void DocumentCommands::OnDropFile(EditorView& active, const std::string& path) {
  if (path.empty()) return;
  const std::string full = docfile::FullPath(path);
  if (full == doc_.PathName()) return;  // the file already open: no reload, as with Open
  OpenOther(active, full);
}

DocumentCommands::OpenOutcome DocumentCommands::OpenOther(EditorView& active, const std::string& path) {
  if (!SaveModified()) return OpenOutcome::Cancelled;
  // Still modified: the user chose not to save. The edits are dropped by the
  // open, so the flag goes; and the caret of text that is not saved is not
  // remembered.
  const bool keptEdits = doc_.IsModified();
  if (keptEdits)
    doc_.SetModifiedFlag(false);
  else
    SaveCaretPosition(active);
  if (doc_.unsplit) doc_.unsplit();
  if (doc_.OpenDocumentFile(path)) return OpenOutcome::Opened;
  doc_.SetModifiedFlag(keptEdits);
  return OpenOutcome::Failed;
}

bool DocumentCommands::OnFileSave() {
  if (doc_.Title() == Document::kUntitled) return OnFileSaveAs();
  if (!doc_.OnSaveDocument(doc_.PathName())) return false;
  doc_.ReadFileTime();
  return true;
}

bool DocumentCommands::OnFileSaveAs() {
  UiHost* host = doc_.Host();
  if (!host) return false;
  FileDialogData dialog;
  dialog.save = true;
  dialog.title = "名前を付けて保存";
  dialog.filter = kSaveFilter;
  dialog.defaultExt = "pvl";
  dialog.offerEncoding = true;
  dialog.encoding = doc_.Form().encoding;
  dialog.defaultExtEncoding = file_encoding::Encoding::Cp932;
  dialog.offerFormat = true;
  dialog.format = doc_.Form().format;
  if (!doc_.PathName().empty()) {
    dialog.initialPath = doc_.PathName();
  } else {
    // The title, cut before anything that cannot be part of a file name.
    const std::string& title = doc_.Title();
    dialog.initialPath = title.substr(0, title.find_first_of(":/\\")) + ".pvl";
  }
  if (!host->ChooseFile(dialog) || dialog.path.empty()) return false;
  const std::string path = docfile::FullPath(dialog.path);
  // Without a choice, the program's own files are CP932 and others keep the
  // document's encoding.
  file_text::FileForm form = doc_.Form();
  if (dialog.encodingChosen)
    form.encoding = dialog.encoding;
  else if (IsPvlPath(path))
    form.encoding = dialog.defaultExtEncoding;
  // Likewise a .csv name is written as CSV and a .pvl one as text.
  csv::FileFormat format = form.format;
  if (dialog.formatChosen)
    format = dialog.format;
  else if (IsCsvPath(path))
    format = csv::FileFormat::Csv;
  else if (IsPvlPath(path))
    format = csv::FileFormat::Text;
  if (format != form.format) {
    // Records end as the file's lines did, CR LF by default; a text file
    // written from records keeps their line end where its encoding lets it.
    if (format == csv::FileFormat::Csv) {
      form.records = {};
      form.records.lineEnd = form.lineEnds == file_text::LineEnds::Lf   ? "\n"
                             : form.lineEnds == file_text::LineEnds::Cr ? "\r"
                                                                        : "\r\n";
    } else {
      form.lineEnds = form.records.lineEnd == "\n"   ? file_text::LineEnds::Lf
                      : form.records.lineEnd == "\r" ? file_text::LineEnds::Cr
                                                      : file_text::LineEnds::AsHeld;
    }
    form.format = format;
  }
  return doc_.SaveAs(path, form);
}

bool DocumentCommands::SaveModified() {
  if (!doc_.IsModified()) return true;
  UiHost* host = doc_.Host();
  if (!host) return true;
  std::string text = "%1 への変更を保存しますか?";
  text.replace(text.find("%1"), 2, doc_.Title());
  switch (host->MessageBox(app_identity::kAppName, text, MsgButtons::YesNoCancel, MsgIcon::Question)) {
    case MsgResult::Cancel:
      return false;
    case MsgResult::No:
      return true;
    default:
      return OnFileSave();
  }
}

void DocumentCommands::SaveCaretPosition(EditorView& active) {
  if (doc_.saveCaretPosition) {
    doc_.saveCaretPosition(active);
  } else {
    view_attachment::SaveCaretPosition(active);
  }
}

bool DocumentCommands::CanCloseFrame(EditorView& active, bool inPrintPreview) {
  if (!inPrintPreview) SaveCaretPosition(active);
  return SaveModified();
}

void DocumentCommands::CheckExternalChange() {
  // The question's own window takes the activation away and back; that must
  // not ask a second time while the first question is open.
  if (doc_.askingAboutExternalChange) return;
  std::int64_t t = 0;
  if (!docfile::LastWriteTime(doc_.PathName(), t) || t <= doc_.lastKnownFileTime) return;
  UiHost* host = doc_.Host();
  if (!host) return;
  doc_.askingAboutExternalChange = true;
  // Yes replaces the text shown, so a document with unsaved edits says so.
  std::string question = "他で編集されて、更新されています。\n新たに開き直しますか？";
  if (doc_.IsModified()) question += "\n保存されていない変更は破棄されます。";
  const MsgResult answer = host->MessageBox(app_identity::kAppName, question, MsgButtons::YesNo, MsgIcon::Exclamation);
  // Either answer settles this version of the file: after No the question
  // comes again only when the file changes again.
  doc_.lastKnownFileTime = t;
  if (answer == MsgResult::Yes) doc_.Reload();
  doc_.askingAboutExternalChange = false;
}

bool DocumentCommands::PrepareReopen(EditorView& active, bool& keptEdits) {
  if (doc_.PathName().empty() || !SaveModified()) return false;
  keptEdits = doc_.IsModified();  // the user chose not to save
  if (keptEdits)
    doc_.SetModifiedFlag(false);
  else
    view_attachment::SaveCaretPosition(active);
  if (doc_.unsplit) doc_.unsplit();
  return true;
}

void DocumentCommands::OnReopen(EditorView& active, file_text::ReadAs readAs) {
  bool keptEdits = false;
  if (!PrepareReopen(active, keptEdits)) return;
  if (!doc_.ReopenAs(readAs)) doc_.SetModifiedFlag(keptEdits);
}

void DocumentCommands::OnReopenInFormat(EditorView& active, csv::FileFormat format) {
  bool keptEdits = false;
  if (!PrepareReopen(active, keptEdits)) return;
  if (!doc_.ReopenInFormat(format)) doc_.SetModifiedFlag(keptEdits);
}

// ---------------------------------------------------------------- the command table

Document& DocumentOf(EditorView& view) { return dynamic_cast<Document&>(view.Doc()); }

void RegisterDocumentCommands(CommandTable& t) {
  t.Add({.id = cmd::FileNew, .name = "file-new", .mainCaption = "新規作成(&N)",
         .run = [](EditorView& v) { DocumentCommands(DocumentOf(v)).OnFileNew(v); }});
  t.Add({.id = cmd::FileOpen, .name = "file-open", .mainCaption = "開く(&O)...",
         .run = [](EditorView& v) { DocumentCommands(DocumentOf(v)).OnFileOpen(v); }});
  t.Add({.id = cmd::FileSave, .name = "file-save", .mainCaption = "上書き保存(&S)",
         .run = [](EditorView& v) { DocumentCommands(DocumentOf(v)).OnFileSave(); },
         .enabled = [](EditorView& v) { return v.Doc().IsModified(); }});
  t.Add({.id = cmd::FileSaveAs, .name = "file-save-as", .mainCaption = "名前を付けて保存(&A)...",
         .run = [](EditorView& v) { DocumentCommands(DocumentOf(v)).OnFileSaveAs(); }});
  // Reading the file again in the other encoding needs a file.
  auto hasFile = [](EditorView& v) { return !v.Doc().PathName().empty(); };
  t.Add({.id = cmd::ReopenAsCp932, .name = "reopen-as-cp932", .mainCaption = "CP932 で開き直す(&J)",
         .run = [](EditorView& v) { DocumentCommands(DocumentOf(v)).OnReopen(v, file_text::ReadAs::Cp932); }, .enabled = hasFile});
  t.Add({.id = cmd::ReopenAsUtf8, .name = "reopen-as-utf8", .mainCaption = "UTF-8 で開き直す(&U)",
         .run = [](EditorView& v) { DocumentCommands(DocumentOf(v)).OnReopen(v, file_text::ReadAs::Utf8); }, .enabled = hasFile});
  t.Add({.id = cmd::ReopenAsCsv, .name = "reopen-as-csv", .mainCaption = "CSV として開き直す",
         .run = [](EditorView& v) { DocumentCommands(DocumentOf(v)).OnReopenInFormat(v, csv::FileFormat::Csv); }, .enabled = hasFile});
  t.Add({.id = cmd::ReopenAsText, .name = "reopen-as-text", .mainCaption = "テキストとして開き直す",
         .run = [](EditorView& v) { DocumentCommands(DocumentOf(v)).OnReopenInFormat(v, csv::FileFormat::Text); }, .enabled = hasFile});
  t.Add({.id = cmd::DeleteBackupFiles, .name = "delete-backup-files", .mainCaption = "バックアップの削除",
         .run = DeleteBackupFiles, .enabled = CanDeleteBackupFiles});
  // The recent files have no fixed caption: the File menu shows
  // recent_files::MenuEntries, one entry per listed file. Their names count
  // from 1, as the menu does.
  for (int n = 0; n < recent_files::kCount; ++n) {
    t.Add({.id = cmd::RecentFileFirst + n, .name = "open-recent-file-" + std::to_string(n + 1),
           .run = [n](EditorView& v) { DocumentCommands(DocumentOf(v)).OnOpenRecentFile(v, n); },
           .enabled = [n](EditorView& v) {
             return static_cast<std::size_t>(n) < recent_files::Entries(v.Settings()).size();
           }});
  }
}
