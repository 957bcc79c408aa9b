#include "app/FrameCommands.h"

#include "app/PaneSplitter.h"
#include "document/Document.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"

namespace {

template <typename Step>
std::function<void(EditorView&)> OnSplitter(Step step) {
  return [step](EditorView& view) {
    const auto* doc = dynamic_cast<const Document*>(&view.Doc());
    if (PaneSplitter* splitter = doc ? PaneSplitter::Of(*doc) : nullptr) step(*splitter);
  };
}

}  // namespace

void RegisterFrameCommands(CommandTable& t) {
  t.Add({cmd::SplitRows, "分割・横 ( &1 )", "", "", OnSplitter([](PaneSplitter& s) { s.ToggleRowSplit(); }), {}, {}});
  t.Add({cmd::SplitColumns, "分割・縦 ( &2 )", "", "", OnSplitter([](PaneSplitter& s) { s.ToggleColumnSplit(); }), {},
         {}});
  t.Add({cmd::NextPane, "", "", "", OnSplitter([](PaneSplitter& s) { s.ActivateOtherPane(); }), {}, {}});
  t.Add({cmd::PreviousPane, "", "", "", OnSplitter([](PaneSplitter& s) { s.ActivateOtherPane(); }), {}, {}});
}
