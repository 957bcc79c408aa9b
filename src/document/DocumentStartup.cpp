#include "document/DocumentStartup.h"

#include "app/CPivraApp.h"
#include "document/CaretMemory.h"
#include "document/CPivraDoc.h"
#include "editor/CPivraView.h"

bool OpenDocumentAtStartup(CPivraApp& app, CPivraView& view) {
  PruneCaretMemory(app.Settings());
  CPivraDoc& doc = app.Document();
  if (app.Commands().HasFile()) return doc.OpenDocumentFile(app.Commands().FileToOpen());
  doc.SetTitle(CPivraDoc::kUntitled);
  doc.OnNewDocument();
  for (CPivraView* v : doc.Views()) v->OnInitialUpdate();
  if (doc.FirstView() == nullptr) view.OnInitialUpdate();
  return true;
}
