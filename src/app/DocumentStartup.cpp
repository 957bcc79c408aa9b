#include "app/DocumentStartup.h"

#include <filesystem>

#include "app/AppContext.h"
#include "document/CaretMemory.h"
#include "document/Document.h"
#include "document/DocumentFile.h"
#include "editor/EditorView.h"

namespace {

// An empty document, untitled or bound to `path`, shown in every view.
void StartEmpty(Document& doc, EditorView& view, const std::string& path) {
  doc.SetTitle(Document::kUntitled);
  doc.OnNewDocument();
  if (!path.empty()) doc.SetPathName(path);
  for (EditorView* v : doc.Views()) v->OnInitialUpdate();
  if (doc.FirstView() == nullptr) view.OnInitialUpdate();
}

bool FolderExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(std::filesystem::path(path).parent_path(), ec);
}

}  // namespace

bool OpenDocumentAtStartup(AppContext& app, EditorView& view) {
  PruneCaretMemory(app.Settings());
  Document& doc = app.Doc();
  if (!app.Args().HasFile()) {
    StartEmpty(doc, view, {});
    return true;
  }
  const std::string path = docfile::FullPath(app.Args().FileToOpen());
  if (!docfile::Exists(path) && FolderExists(path)) {
    StartEmpty(doc, view, path);
    return true;
  }
  if (doc.OpenDocumentFile(path)) return true;
  StartEmpty(doc, view, {});
  return false;
}
