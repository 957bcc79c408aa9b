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
  t.Add({.id = cmd::FileNew, .name = "file-new", .mainCaption = "新規作成(&N)",
         .run = [](EditorView& v) { DocumentOf(v).OnFileNew(v); }});
  t.Add({.id = cmd::FileOpen, .name = "file-open", .mainCaption = "開く(&O)...",
         .run = [](EditorView& v) { DocumentOf(v).OnFileOpen(v); }});
  t.Add({.id = cmd::FileSave, .name = "file-save", .mainCaption = "上書き保存(&S)",
         .run = [](EditorView& v) { DocumentOf(v).OnFileSave(); },
         .enabled = [](EditorView& v) { return v.Doc().IsModified(); }});
  t.Add({.id = cmd::FileSaveAs, .name = "file-save-as", .mainCaption = "名前を付けて保存(&A)...",
         .run = [](EditorView& v) { DocumentOf(v).OnFileSaveAs(); }});
  // Reading the file again in the other encoding needs a file.
  auto hasFile = [](EditorView& v) { return !v.Doc().PathName().empty(); };
  t.Add({.id = cmd::ReopenAsCp932, .name = "reopen-as-cp932", .mainCaption = "CP932 で開き直す(&J)",
         .run = [](EditorView& v) { DocumentOf(v).OnReopen(v, file_text::ReadAs::Cp932); }, .enabled = hasFile});
  t.Add({.id = cmd::ReopenAsUtf8, .name = "reopen-as-utf8", .mainCaption = "UTF-8 で開き直す(&U)",
         .run = [](EditorView& v) { DocumentOf(v).OnReopen(v, file_text::ReadAs::Utf8); }, .enabled = hasFile});
  t.Add({.id = cmd::DeleteBackupFiles, .name = "delete-backup-files", .mainCaption = "バックアップの削除",
         .run = DeleteBackupFiles, .enabled = CanDeleteBackupFiles});
  // The recent files have no fixed caption: the File menu shows
  // recent_files::MenuEntries, one entry per listed file. Their names count
  // from 1, as the menu does.
  for (int n = 0; n < recent_files::kCount; ++n) {
    t.Add({.id = cmd::RecentFileFirst + n, .name = "open-recent-file-" + std::to_string(n + 1),
           .run = [n](EditorView& v) { DocumentOf(v).OnOpenRecentFile(v, n); },
           .enabled = [n](EditorView& v) {
             return static_cast<std::size_t>(n) < recent_files::Entries(v.Settings()).size();
           }});
  }
}
