#include "document/Document.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "settings/AppIdentity.h"
#include "settings/SettingsStore.h"
#include "document/DocumentFile.h"
#include "document/RecentFileList.h"
#include "document/ViewAttachment.h"
#include "editor/EditorView.h"
#include "platform/UiHost.h"
#include "text/LineEnds.h"

namespace {

constexpr const char* kOpenFilter = "All files (*.*)|*.*|Text/Pvl files (*.txt;*.pvl)|*.txt;*.pvl||";
constexpr const char* kSaveFilter = "Pivra Files (*.pvl)|*.pvl|すべてのファイル (*.*)|*.*||";

std::string WithPath(const char* text, const std::string& path) {
  std::string s = text;
  const std::size_t at = s.find("%1");
  if (at != std::string::npos) s.replace(at, 2, docfile::DisplayPath(path));
  return s;
}

std::string OpenFailureText(const docfile::ReadResult& r, const std::string& path) {
  using docfile::ReadStatus;
  switch (r.status) {
    case ReadStatus::TooLarge:
      return "ファイルが大きすぎて開けません。";
    case ReadStatus::HasNul:
      return WithPath("%1 には NUL 文字 (0x00) が含まれているため、開けません。\nテキストファイルではない可能性があります。", path);
    case ReadStatus::NotAFile:
      return WithPath("ドキュメントを開くことに失敗しました。\n%1 は通常のファイルではありません。", path);
    case ReadStatus::CannotOpen:
    case ReadStatus::Ok:
      break;
  }
  switch (r.error) {
    case ENOENT:
    case ENOTDIR:
      return WithPath("ドキュメントを開くことに失敗しました。\n%1 が見つかりません。", path);
    case EACCES:
    case EPERM:
      return WithPath("ドキュメントを開くことに失敗しました。\n%1 を読み取る権限がありません。", path);
    default:
      return WithPath("ドキュメントを開くことに失敗しました。\n%1", path) + "\n(" + std::strerror(r.error) + ")";
  }
}

std::string SaveFailureText(const docfile::WriteResult& r, const std::string& path) {
  std::string text;
  const bool diskFull = r.error == ENOSPC || r.error == EDQUOT;
  if (r.stage == docfile::WriteStage::TargetNotWritable) {
    text = WithPath("%1 は使用中または読み取り専用のため、書き込めません。", path);
  } else if (diskFull) {
    text = WithPath("%1 を保存できません。\nディスクの空き領域が足りません。", path);
  } else if (r.error == EROFS) {
    text = WithPath("%1 を保存できません。\n読み取り専用のファイルシステムです。", path);
  } else if (r.stage == docfile::WriteStage::CreateTemp && (r.error == EACCES || r.error == EPERM)) {
    text = WithPath("%1 を保存できません。\nこのフォルダには書き込めません。", path);
  } else if (r.stage == docfile::WriteStage::CreateTemp && (r.error == ENOENT || r.error == ENOTDIR)) {
    text = WithPath("%1 を保存できません。\nフォルダが見つかりません。", path);
  } else {
    text = WithPath("%1 を保存できません。", path) + "\n(" + std::strerror(r.error) + ")";
  }
  return text + "\nディスク上のファイルは変更されていません。";
}

std::string UnconvertibleText(const file_encoding::Unconvertible& u, const std::string& path) {
  return WithPath("%1 には CP932 で表せない文字があります。\n", path) + std::to_string(u.line) + (u.malformed ? " 行目の " : " 行目の") +
         file_encoding::Describe(u) +
         "\n\nその文字は 〓 で表示します。ファイルを損なわないよう読み取り専用で開き、"
         "このファイルには上書き保存しません。";
}

std::string LossyOverwriteText(const std::string& path) {
  return WithPath("%1 には CP932 で表せない文字があるため、上書き保存できません。\n"
                  "保存すると 〓 で表示している文字が失われます。\n"
                  "別のファイルに保存するには「名前を付けて保存」を使ってください。",
                  path);
}

std::string UnencodableText(const file_encoding::BadCp932& bad, file_encoding::Encoding encoding,
                            const std::string& path) {
  char byte[8];
  std::snprintf(byte, sizeof byte, "0x%02X", bad.byte);
  return WithPath("%1 を ", path) + file_encoding::Caption(encoding) + " で保存できません。\n" +
         std::to_string(bad.line) + " 行目に CP932 の文字ではないバイト " + byte +
         " があります。\nディスク上のファイルは変更されていません。";
}

bool IsPvlPath(const std::string& path) {
  std::string folder, title, ext, nameExt;
  docfile::SplitPath(path, folder, title, ext, nameExt);
  return ext == ".pvl" || ext == ".PVL";
}

}  // namespace

Document::Document(SettingsStore& settings)
    : backupEnabled(settings.GetInt(setting::BackupOnSave)), settings_(&settings) {}

void Document::SetPathName(const std::string& path) {
  path_ = path;
  if (path.empty()) return;
  const std::size_t slash = path.rfind('/');
  title_ = docfile::DisplayPath(slash == std::string::npos ? path : path.substr(slash + 1));
}

// ---------------------------------------------------------------- views

void Document::AddView(EditorView* view) {
  if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void Document::RemoveView(EditorView* view) { views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end()); }

void Document::InitialiseView(EditorView& view) { view_attachment::InitialiseView(view); }

void Document::UpdateAllViews(EditorView* sender, UpdateHint hint) {
  const std::vector<EditorView*> views = views_;
  for (EditorView* v : views)
    if (v != sender) v->OnUpdate(hint);
}

UiHost* Document::Host() const { return FirstView() ? &FirstView()->Host() : nullptr; }

SettingsStore* Document::Settings() const {
  if (settings_) return settings_;
  return FirstView() ? &FirstView()->Settings() : nullptr;
}

void Document::ShowMessage(const std::string& text) {
  if (UiHost* host = Host()) host->MessageBox(app_identity::kAppName, text, MsgButtons::Ok, MsgIcon::Exclamation);
}

void Document::ReadFileTime() {
  std::int64_t t = 0;
  if (docfile::LastWriteTime(path_, t)) lastKnownFileTime = t;
}

// ---------------------------------------------------------------- framework steps

bool Document::OnNewDocument() {
  path_.clear();
  modified_ = false;
  form_ = {};
  lossy_ = false;
  readAs_.reset();
  fileBytes_.clear();
  fileText_.clear();
  if (EditorView* view = FirstView()) view->Edit().SetText("");
  return true;
}

file_text::ReadAs Document::CurrentReadAs() const {
  if (readAs_) return *readAs_;
  const SettingsStore* settings = Settings();
  const int n = settings ? settings->GetInt(setting::OpenEncoding) : 0;
  return n == 1 ? file_text::ReadAs::Cp932 : n == 2 ? file_text::ReadAs::Utf8 : file_text::ReadAs::Detect;
}

// The file is read and converted whole before anything is touched, so a
// refused file leaves the text, path and flags of the document as they were.
bool Document::OnOpenDocument(const std::string& path) {
  EditorView* view = FirstView();
  if (!view) return false;
  const file_text::ReadAs readAs = CurrentReadAs();
  std::string bytes;
  const docfile::ReadResult r = docfile::ReadDocumentFile(
      path, bytes, readAs == file_text::ReadAs::Cp932 ? docfile::kMaxFileBytes : docfile::kMaxUtf8FileBytes);
  if (r.status != docfile::ReadStatus::Ok) {
    ShowMessage(OpenFailureText(r, path));
    return false;
  }
  file_text::Loaded loaded = file_text::Decode(bytes, readAs);
  if (loaded.tooLarge) {
    ShowMessage(OpenFailureText({docfile::ReadStatus::TooLarge, 0}, path));
    return false;
  }
  view->Edit().SetText(loaded.text);
  form_ = loaded.form;
  lossy_ = loaded.firstUnconvertible.has_value();
  fileBytes_.clear();
  fileText_.clear();
  if (form_.encoding != file_encoding::Encoding::Cp932 && !lossy_) {
    fileBytes_ = std::move(bytes);
    fileText_ = std::move(loaded.text);
    line_ends::NormaliseDocument(fileText_);
  }
  modified_ = false;
  std::int64_t t = 0;
  if (docfile::LastWriteTime(path, t)) lastKnownFileTime = t;
  if (loaded.firstUnconvertible) ShowMessage(UnconvertibleText(*loaded.firstUnconvertible, path));
  return true;
}

bool Document::OnSaveDocument(const std::string& path) { return WriteText(path, form_); }

bool Document::WriteText(const std::string& path, const file_text::FileForm& form) {
  EditorView* view = FirstView();
  if (!view || path.empty()) return false;
  if (lossy_ && docfile::SameFile(path, path_)) {
    ShowMessage(LossyOverwriteText(path));
    return false;
  }
  const std::string& text = view->Edit().Text();
  const bool unedited = !fileBytes_.empty() && form.encoding == form_.encoding && text == fileText_;
  std::string bytes;
  if (unedited) {
    bytes = fileBytes_;
  } else {
    file_text::Encoded encoded = file_text::Encode(text, form);
    if (encoded.firstBad) {
      ShowMessage(UnencodableText(*encoded.firstBad, form.encoding, path));
      return false;
    }
    bytes = std::move(encoded.bytes);
  }
  const bool backup = path == path_ && backupEnabled != 0 && docfile::Exists(path);
  const docfile::WriteResult r = docfile::WriteDocumentFile(path, bytes, backup);
  if (r.backupFailed) {
    // A plain message box without a caption of its own.
    if (UiHost* host = Host()) host->MessageBox("Error", "Failed to make the back up file !!", MsgButtons::Ok, MsgIcon::None);
  }
  if (!r.Ok()) {
    ShowMessage(SaveFailureText(r, path));
    return false;
  }
  form_ = form;
  // A CP932 file now has the text's own line ends.
  if (form_.encoding == file_encoding::Encoding::Cp932) form_.lineEnds = file_text::LineEnds::AsHeld;
  lossy_ = false;
  if (!unedited) {
    fileBytes_.clear();
    fileText_.clear();
  }
  modified_ = false;
  UpdateAllViews(nullptr, UpdateHint::Saved);
  return true;
}

bool Document::OpenDocumentFile(const std::string& path) {
  const std::string full = docfile::FullPath(path);
  // Another file is read as the setting says; a reopen's choice was for the old one.
  const std::optional<file_text::ReadAs> previousReadAs = readAs_;
  readAs_.reset();
  if (!OnOpenDocument(full)) {
    readAs_ = previousReadAs;
    return false;
  }
  SetPathName(full);
  if (SettingsStore* settings = Settings()) recent_files::Add(*settings, full);
  const std::vector<EditorView*> views = views_;
  for (EditorView* v : views) v->OnInitialUpdate();
  return true;
}

// ---------------------------------------------------------------- commands

void Document::OnFileNew(EditorView& active) {
  if (!SaveModified()) return;
  SaveCaretPosition(active);
  if (unsplit) unsplit();
  SetTitle(kUntitled);
  OnNewDocument();
  UpdateAllViews(nullptr, UpdateHint::New);
}

void Document::OnFileOpen(EditorView& active) {
  UiHost* host = Host();
  if (!host) return;
  FileDialogData dialog;
  dialog.title = "開く";
  dialog.filter = kOpenFilter;
  dialog.initialPath = path_;
  if (!host->ChooseFile(dialog) || dialog.path.empty()) return;
  const std::string path = docfile::FullPath(dialog.path);
  if (path == path_) return;  // the file already open: no reload
  OpenOther(active, path);
}

void Document::OnOpenRecentFile(EditorView& active, int index) {
  SettingsStore* settings = Settings();
  if (!settings || index < 0) return;
  const std::vector<std::string> entries = recent_files::Entries(*settings);
  if (static_cast<std::size_t>(index) >= entries.size()) return;
  const std::string path = entries[static_cast<std::size_t>(index)];
  // The open file itself: as with Open, nothing happens, so an answer of
  // "No" to the save prompt can never mark unsaved edits as saved.
  if (path == path_) return;
  if (OpenOther(active, path) == OpenOutcome::Failed && !docfile::Exists(path)) recent_files::Remove(*settings, path);
}

void Document::OnDropFile(EditorView& active, const std::string& path) {
  if (path.empty()) return;
  const std::string full = docfile::FullPath(path);
  if (full == path_) return;  // the file already open: no reload, as with Open
  OpenOther(active, full);
}

Document::OpenOutcome Document::OpenOther(EditorView& active, const std::string& path) {
  if (!SaveModified()) return OpenOutcome::Cancelled;
  // Still modified: the user chose not to save. The edits are dropped by the
  // open, so the flag goes; and the caret of text that is not saved is not
  // remembered.
  const bool keptEdits = modified_;
  if (keptEdits)
    modified_ = false;
  else
    SaveCaretPosition(active);
  if (unsplit) unsplit();
  if (OpenDocumentFile(path)) return OpenOutcome::Opened;
  modified_ = keptEdits;
  return OpenOutcome::Failed;
}

bool Document::OnFileSave() {
  if (title_ == kUntitled) return OnFileSaveAs();
  if (!OnSaveDocument(path_)) return false;
  ReadFileTime();
  return true;
}

bool Document::OnFileSaveAs() {
  UiHost* host = Host();
  if (!host) return false;
  FileDialogData dialog;
  dialog.save = true;
  dialog.title = "名前を付けて保存";
  dialog.filter = kSaveFilter;
  dialog.defaultExt = "pvl";
  dialog.offerEncoding = true;
  dialog.encoding = form_.encoding;
  dialog.defaultExtEncoding = file_encoding::Encoding::Cp932;
  if (!path_.empty()) {
    dialog.initialPath = path_;
  } else {
    // The title, cut before anything that cannot be part of a file name.
    dialog.initialPath = title_.substr(0, title_.find_first_of(":/\\")) + ".pvl";
  }
  if (!host->ChooseFile(dialog) || dialog.path.empty()) return false;
  const std::string path = docfile::FullPath(dialog.path);
  // Without a choice, the program's own files are CP932 and others keep the
  // document's encoding.
  file_text::FileForm form = form_;
  if (dialog.encodingChosen)
    form.encoding = dialog.encoding;
  else if (IsPvlPath(path))
    form.encoding = dialog.defaultExtEncoding;
  if (!WriteText(path, form)) return false;
  SetPathName(path);
  if (SettingsStore* settings = Settings()) recent_files::Add(*settings, path);
  // The views' idea of the file follows the new name (folder of the backup
  // command, file type of printing) without re-initialising them.
  for (EditorView* v : views_) {
    v->filePath = path;
    docfile::SplitPath(path, v->fileFolder, v->fileTitle, v->fileExt, v->fileNameExt);
  }
  ReadFileTime();
  return true;
}

bool Document::SaveModified() {
  if (!modified_) return true;
  UiHost* host = Host();
  if (!host) return true;
  std::string text = "%1 への変更を保存しますか?";
  text.replace(text.find("%1"), 2, title_);
  switch (host->MessageBox(app_identity::kAppName, text, MsgButtons::YesNoCancel, MsgIcon::Question)) {
    case MsgResult::Cancel:
      return false;
    case MsgResult::No:
      return true;
    default:
      return OnFileSave();
  }
}

void Document::SaveCaretPosition(EditorView& active) {
  if (saveCaretPosition) {
    saveCaretPosition(active);
  } else {
    view_attachment::SaveCaretPosition(active);
  }
}

bool Document::CanCloseFrame(EditorView& active, bool inPrintPreview) {
  if (!inPrintPreview) SaveCaretPosition(active);
  return SaveModified();
}

// ---------------------------------------------------------------- outside changes

void Document::CheckExternalChange() {
  // The question's own window takes the activation away and back; that must
  // not ask a second time while the first question is open.
  if (checkingExternalChange_) return;
  std::int64_t t = 0;
  if (!docfile::LastWriteTime(path_, t) || t <= lastKnownFileTime) return;
  UiHost* host = Host();
  if (!host) return;
  checkingExternalChange_ = true;
  // Yes replaces the text shown, so a document with unsaved edits says so.
  std::string question = "他で編集されて、更新されています。\n新たに開き直しますか？";
  if (modified_) question += "\n保存されていない変更は破棄されます。";
  const MsgResult answer = host->MessageBox(app_identity::kAppName, question, MsgButtons::YesNo, MsgIcon::Exclamation);
  // Either answer settles this version of the file: after No the question
  // comes again only when the file changes again.
  lastKnownFileTime = t;
  if (answer == MsgResult::Yes) {
    if (OnOpenDocument(path_)) {
      UpdateAllViews(nullptr, UpdateHint::Reloaded);
      if (lossy_)
        for (EditorView* v : views_) v->Edit().SetReadOnly(true);
      // The reloaded text becomes an undo step of its own, marked as saved:
      // the history again matches the text shown, and undo brings back the
      // edits the reload replaced.
      if (EditorView* view = FirstView()) {
        view->History().Push(view->Edit());
        view->History().MarkSaved();
      }
      modified_ = false;
    }
  }
  checkingExternalChange_ = false;
}

// ---------------------------------------------------------------- encodings

void Document::OnReopen(EditorView& active, file_text::ReadAs readAs) {
  if (path_.empty() || !SaveModified()) return;
  const bool keptEdits = modified_;  // the user chose not to save
  if (keptEdits)
    modified_ = false;
  else
    view_attachment::SaveCaretPosition(active);
  if (unsplit) unsplit();
  const std::optional<file_text::ReadAs> previous = readAs_;
  readAs_ = readAs;
  if (!OnOpenDocument(path_)) {
    readAs_ = previous;
    modified_ = keptEdits;
    return;
  }
  const std::vector<EditorView*> views = views_;
  for (EditorView* v : views) v->OnInitialUpdate();
  ReadFileTime();
}
