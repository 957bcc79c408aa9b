#include "app/DocumentStartup.h"

#include "app/AppContext.h"
#include "document/CaretMemory.h"
#include "document/Document.h"
#include "editor/EditorView.h"

bool OpenDocumentAtStartup(AppContext& app, EditorView& view) {
  PruneCaretMemory(app.Settings());
  Document& doc = app.Doc();
  if (app.Args().HasFile()) return doc.OpenDocumentFile(app.Args().FileToOpen());
  doc.SetTitle(Document::kUntitled);
  doc.OnNewDocument();
  for (EditorView* v : doc.Views()) v->OnInitialUpdate();
  if (doc.FirstView() == nullptr) view.OnInitialUpdate();
  return true;
}
