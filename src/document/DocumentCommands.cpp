// The document's entries of the command table: new, open, save, save as, the
// recent files and the deletion of backups.
#include "document/DocumentCommands.h"

#include "document/BackupDeletion.h"
#include "document/Document.h"
#include "document/RecentFileList.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"

Document& DocumentOf(EditorView& view) { return dynamic_cast<Document&>(view.Doc()); }

void RegisterDocumentCommands(CommandTable& t) {
  auto add = [&t](int id, const char* caption, std::function<void(EditorView&)> run,
                  std::function<bool(EditorView&)> enabled = {}) {
    CommandEntry e;
    e.id = id;
    e.mainCaption = caption;
    e.run = std::move(run);
    e.enabled = std::move(enabled);
    t.Add(std::move(e));
  };
  add(cmd::FileNew, "新規作成(&N)", [](EditorView& v) { DocumentOf(v).OnFileNew(v); });
  add(cmd::FileOpen, "開く(&O)...", [](EditorView& v) { DocumentOf(v).OnFileOpen(v); });
  add(cmd::FileSave, "上書き保存(&S)", [](EditorView& v) { DocumentOf(v).OnFileSave(); },
      [](EditorView& v) { return v.Doc().IsModified(); });
  add(cmd::FileSaveAs, "名前を付けて保存(&A)...", [](EditorView& v) { DocumentOf(v).OnFileSaveAs(); });
  // Reading the file again in the other encoding needs a file.
  auto hasFile = [](EditorView& v) { return !v.Doc().PathName().empty(); };
  add(cmd::ReopenAsCp932, "CP932 で開き直す(&J)",
      [](EditorView& v) { DocumentOf(v).OnReopen(v, file_text::ReadAs::Cp932); }, hasFile);
  add(cmd::ReopenAsUtf8, "UTF-8 で開き直す(&U)",
      [](EditorView& v) { DocumentOf(v).OnReopen(v, file_text::ReadAs::Utf8); }, hasFile);
  add(cmd::DeleteBackupFiles, "バックアップの削除", DeleteBackupFiles, CanDeleteBackupFiles);
  // The recent files have no fixed caption: the File menu shows
  // recent_files::MenuEntries, one entry per listed file.
  for (int n = 0; n < recent_files::kCount; ++n) {
    add(cmd::RecentFileFirst + n, "", [n](EditorView& v) { DocumentOf(v).OnOpenRecentFile(v, n); },
        [n](EditorView& v) {
          return static_cast<std::size_t>(n) < recent_files::Entries(v.Settings()).size();
        });
  }
}
