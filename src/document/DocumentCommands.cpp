// The document's entries of the command table: new, open, save, save as, the
// recent files and the deletion of backups.
#include "document/BackupDeletion.h"
#include "document/CPivraDoc.h"
#include "document/RecentFileList.h"
#include "editor/CPivraView.h"
#include "editor/CommandTable.h"

void RegisterDocumentCommands(CommandTable& t) {
  auto add = [&t](int id, const char* caption, std::function<void(CPivraView&)> run,
                  std::function<bool(CPivraView&)> enabled = {}) {
    CommandEntry e;
    e.id = id;
    e.mainCaption = caption;
    e.run = std::move(run);
    e.enabled = std::move(enabled);
    t.Add(std::move(e));
  };
  add(57600, "新規作成(&N)", [](CPivraView& v) { v.Document().OnFileNew(v); });
  add(57601, "開く(&O)...", [](CPivraView& v) { v.Document().OnFileOpen(v); });
  add(57603, "上書き保存(&S)", [](CPivraView& v) { v.Document().OnFileSave(); },
      [](CPivraView& v) { return v.Document().IsModified(); });
  add(57604, "名前を付けて保存(&A)...", [](CPivraView& v) { v.Document().OnFileSaveAs(); });
  add(32793, "バックアップの削除", DeleteBackupFiles, CanDeleteBackupFiles);
  // The recent files have no fixed caption: the File menu shows
  // recent_files::MenuEntries, one entry per listed file.
  for (int n = 0; n < recent_files::kCount; ++n) {
    add(recent_files::kFirstCommand + n, "", [n](CPivraView& v) { v.Document().OnOpenRecentFile(v, n); },
        [n](CPivraView& v) {
          return static_cast<std::size_t>(n) < recent_files::Entries(v.Settings()).size();
        });
  }
}
