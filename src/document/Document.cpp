#include "document/Document.h"

#include <algorithm>

#include "document/DocumentFile.h"
#include "document/DocumentMessages.h"
#include "document/RecentFileList.h"
#include "document/ViewAttachment.h"
#include "editor/EditorView.h"
#include "platform/UiHost.h"
#include "settings/AppIdentity.h"
#include "settings/SettingsStore.h"
#include "text/LineEnds.h"

Document::Document(SettingsStore& settings)
    : backupEnabled(settings.GetInt(setting::BackupOnSave)), settings_(&settings) {}

void Document::SetPath(const std::string& path) {
  path_ = path;
  docfile::SplitPath(path_, folder_, fileTitle_, ext_, nameExt_);
}

void Document::SetPathName(const std::string& path) {
  SetPath(path);
  if (path.empty()) return;
  const std::size_t slash = path.rfind('/');
  title_ = docfile::DisplayPath(slash == std::string::npos ? path : path.substr(slash + 1));
}

// ---------------------------------------------------------------- views

void Document::AddView(EditorView* view) {
  if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void Document::RemoveView(EditorView* view) { views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end()); }

void Document::InitialiseView(EditorView& view) {
  view_attachment::InitialiseView(view, form_.format == csv::FileFormat::Csv);
}

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
  SetPath("");
  modified_ = false;
  form_ = {};
  lossy_ = false;
  unshowableRecordLine_.reset();
  readAs_.reset();
  formatChoice_.reset();
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

csv::FileFormat Document::FormatFor(const std::string& path) const {
  if (formatChoice_) return *formatChoice_;
  return csv::HasCsvExtension(path) ? csv::FileFormat::Csv : csv::FileFormat::Text;
}

// The file is read and converted whole before anything is touched, so a
// refused file leaves the text, path and flags of the document as they were.
bool Document::OnOpenDocument(const std::string& path) {
  EditorView* view = FirstView();
  if (!view) return false;
  const file_text::ReadAs readAs = CurrentReadAs();
  const csv::FileFormat format = FormatFor(path);
  const int limit = view->Edit().LimitText();
  // The limit holds for the text shown; quotes make a comma-separated file
  // longer than its rows.
  const bool convertedText = readAs != file_text::ReadAs::Cp932 || format == csv::FileFormat::Csv;
  std::string bytes;
  const docfile::ReadResult r =
      docfile::ReadDocumentFile(path, bytes, convertedText ? docfile::MaxUtf8FileBytes(limit) : limit);
  if (r.status != docfile::ReadStatus::Ok) {
    ShowMessage(document_messages::OpenFailure(r, path, limit));
    return false;
  }
  // The bytes go into the decoding: a CP932 text file's become the text.
  const auto fileSize = static_cast<std::int64_t>(bytes.size());
  file_text::Loaded loaded = file_text::Decode(std::move(bytes), readAs, format);
  if (loaded.text.size() > static_cast<std::size_t>(limit)) {
    const docfile::ReadResult tooLarge{docfile::ReadStatus::TooLarge, 0, fileSize};
    ShowMessage(document_messages::OpenFailure(tooLarge, path, limit));
    return false;
  }
  form_ = loaded.form;
  lossy_ = loaded.firstUnconvertible.has_value() || loaded.firstUnshowableRecordLine.has_value();
  unshowableRecordLine_ = loaded.firstUnconvertible ? std::nullopt : loaded.firstUnshowableRecordLine;
  fileBytes_.clear();
  fileText_.clear();
  // Substitutes for unconvertible characters never go back to a file; blanks
  // shown for a record's line ends do, as the record's own bytes. A text file
  // whose text encodes to its bytes again needs no copy of either: writing
  // the unedited text gives the same bytes.
  if ((form_.encoding != file_encoding::Encoding::Cp932 || form_.format == csv::FileFormat::Csv) &&
      !loaded.firstUnconvertible && !file_text::EncodesBackToFile(loaded)) {
    fileBytes_ = std::move(loaded.fileBytes);
    fileText_ = loaded.text;
    line_ends::NormaliseDocument(fileText_);
  }
  loaded.fileBytes = std::string();
  view->Edit().SetText(std::move(loaded.text));
  modified_ = false;
  std::int64_t t = 0;
  if (docfile::LastWriteTime(path, t)) lastKnownFileTime = t;
  if (loaded.firstUnconvertible)
    ShowMessage(document_messages::Unconvertible(*loaded.firstUnconvertible, path));
  else if (unshowableRecordLine_)
    ShowMessage(document_messages::UnshowableRecord(*unshowableRecordLine_, path));
  return true;
}

bool Document::OnSaveDocument(const std::string& path) { return WriteText(path, form_); }

bool Document::WriteText(const std::string& path, const file_text::FileForm& form) {
  EditorView* view = FirstView();
  if (!view || path.empty()) return false;
  if (lossy_ && docfile::SameFile(path, path_)) {
    ShowMessage(unshowableRecordLine_ ? document_messages::UnshowableOverwrite(path)
                                      : document_messages::LossyOverwrite(path));
    return false;
  }
  const std::string_view text = view->Edit().Text();
  const bool unedited = !fileBytes_.empty() && form.encoding == form_.encoding && form.format == form_.format &&
                        text == fileText_;
  const bool backup = path == path_ && backupEnabled != 0 && docfile::Exists(path);
  // What is written is looked at where it already is, not copied (the file's
  // own bytes, or a CP932 text file's text, which is its bytes), or converted
  // a piece at a time as it is written.
  docfile::WriteResult r;
  if (unedited) {
    r = docfile::WriteDocumentFile(path, fileBytes_, backup);
  } else {
    file_text::EncodedPieces pieces(text, form);
    r = docfile::WriteDocumentFile(
        path,
        [&pieces](std::string_view& piece) {
          if (pieces.Next(piece)) return docfile::PieceStatus::Piece;
          return pieces.FirstBad() ? docfile::PieceStatus::Failed : docfile::PieceStatus::End;
        },
        backup);
    if (r.stage == docfile::WriteStage::SourceFailed) {
      ShowMessage(document_messages::Unencodable(*pieces.FirstBad(), form.encoding, path));
      return false;
    }
  }
  if (r.backupFailed) {
    // A plain message box without a caption of its own.
    if (UiHost* host = Host()) host->MessageBox("Error", "Failed to make the back up file !!", MsgButtons::Ok, MsgIcon::None);
  }
  if (!r.Ok()) {
    ShowMessage(document_messages::SaveFailure(r, path));
    return false;
  }
  form_ = form;
  // A CP932 file now has the text's own line ends.
  if (form_.encoding == file_encoding::Encoding::Cp932) form_.lineEnds = file_text::LineEnds::AsHeld;
  lossy_ = false;
  unshowableRecordLine_.reset();
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
  const std::optional<csv::FileFormat> previousFormat = formatChoice_;
  readAs_.reset();
  formatChoice_.reset();
  if (!OnOpenDocument(full)) {
    readAs_ = previousReadAs;
    formatChoice_ = previousFormat;
    return false;
  }
  SetPathName(full);
  if (SettingsStore* settings = Settings()) recent_files::Add(*settings, full);
  const std::vector<EditorView*> views = views_;
  for (EditorView* v : views) v->OnInitialUpdate();
  return true;
}

// ---------------------------------------------------------------- the file's other steps

bool Document::SaveAs(const std::string& path, const file_text::FileForm& form) {
  if (!WriteText(path, form)) return false;
  SetPathName(path);
  // Read again (a reload) in the format it now has, whatever its name says.
  formatChoice_ = form.format;
  if (SettingsStore* settings = Settings()) recent_files::Add(*settings, path);
  ReadFileTime();
  return true;
}

bool Document::Reload() {
  if (!OnOpenDocument(path_)) return false;
  UpdateAllViews(nullptr, UpdateHint::Reloaded);
  if (lossy_)
    for (EditorView* v : views_) v->Edit().SetReadOnly(true);
  // The reloaded text becomes an undo step of its own, marked as saved: the
  // history again matches the text shown, and undo brings back the edits the
  // reload replaced.
  if (EditorView* view = FirstView()) {
    view->History().Push(view->Edit());
    view->History().MarkSaved();
  }
  modified_ = false;
  return true;
}

bool Document::ReopenAs(file_text::ReadAs readAs) {
  const std::optional<file_text::ReadAs> previous = readAs_;
  readAs_ = readAs;
  if (!Reopen()) {
    readAs_ = previous;
    return false;
  }
  return true;
}

bool Document::ReopenInFormat(csv::FileFormat format) {
  const std::optional<csv::FileFormat> previous = formatChoice_;
  formatChoice_ = format;
  if (!Reopen()) {
    formatChoice_ = previous;
    return false;
  }
  return true;
}

bool Document::Reopen() {
  if (!OnOpenDocument(path_)) return false;
  const std::vector<EditorView*> views = views_;
  for (EditorView* v : views) v->OnInitialUpdate();
  ReadFileTime();
  return true;
}
