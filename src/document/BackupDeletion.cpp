#include "document/BackupDeletion.h"

#include <dirent.h>
#include <unistd.h>

#include <memory>

#include "settings/AppIdentity.h"
#include "document/Document.h"
#include "document/DocumentFile.h"
#include "editor/EditorView.h"

namespace {

bool EndsWithBak(const char* name) {
  const std::string_view n(name);
  return n.size() >= 4 && n.substr(n.size() - 4) == ".bak";
}

// printf-like filling of the message texts: each %s and %d in turn.
std::string Fill(std::string text, const std::string& s, long long d = 0) {
  std::size_t from = 0;
  const std::size_t ps = text.find("%s");
  if (ps != std::string::npos) {
    text.replace(ps, 2, s);
    from = ps + s.size();  // a "%d" inside the folder name stays as it is
  }
  const std::size_t pd = text.find("%d", from);
  if (pd != std::string::npos) text.replace(pd, 2, std::to_string(d));
  return text;
}

}  // namespace

std::vector<std::string> FindBackupFiles(const std::string& folder, const std::string& exclude,
                                         std::size_t limit) {
  std::vector<std::string> found;
  if (folder.empty()) return found;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return found;
  while (const dirent* e = ::readdir(dir.get())) {
    if (!EndsWithBak(e->d_name)) continue;
    std::string path = folder + e->d_name;
    if (path == exclude) continue;
    found.push_back(std::move(path));
    if (limit && found.size() >= limit) break;
  }
  return found;
}

bool CanDeleteBackupFiles(EditorView& view) {
  return !view.Doc().FileFolder().empty() && !FindBackupFiles(view.Doc().FileFolder(), view.Doc().PathName(), 1).empty();
}

void DeleteBackupFiles(EditorView& view) {
  const std::string& folder = view.Doc().FileFolder();
  if (folder.empty()) return;
  const std::vector<std::string> files = FindBackupFiles(folder, view.Doc().PathName());
  if (files.empty()) return;
  UiHost& host = view.Host();
  const std::string caption = app_identity::kAppName;
  const std::string shownFolder = docfile::DisplayPath(folder);

  const MsgResult mode = host.MessageBox(
      caption,
      Fill("%s \nにある全てのバックアップファイルを削除します。\n1つずつ確認しながら削除しますか？\n「いいえ」を選択すると確認せずに全て消します。",
           shownFolder),
      MsgButtons::YesNoCancel, MsgIcon::Question);
  if (mode == MsgResult::Cancel) return;

  int count = 0;
  bool failed = false;
  for (const std::string& file : files) {
    if (mode == MsgResult::Yes) {
      const MsgResult r = host.MessageBox(caption, Fill("%s\nこのファイルを削除しますか？", docfile::DisplayPath(file)),
                                          MsgButtons::YesNoCancel, MsgIcon::Question);
      if (r == MsgResult::Cancel) return;
      if (r == MsgResult::No) continue;
    }
    if (::unlink(file.c_str()) != 0) {
      host.MessageBox(caption, "Failed to delete backup files", MsgButtons::Ok, MsgIcon::Exclamation);
      failed = true;
      break;
    }
    ++count;
  }
  if (mode == MsgResult::No && !failed) {
    host.MessageBox(caption, Fill("%s \nにある全てのバックアップファイル（%d 個）の削除に成功しました！", shownFolder, count),
                    MsgButtons::Ok, MsgIcon::Information);
    return;
  }
  host.MessageBox(caption, Fill("%s \nにある %d 個のバックアップファイルを削除しました！", shownFolder, count),
                  MsgButtons::Ok, MsgIcon::Information);
}
