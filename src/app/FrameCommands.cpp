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
  t.Add({.id = cmd::SplitRows, .name = "split-rows", .mainCaption = "分割・横 ( &1 )",
         .run = OnSplitter([](PaneSplitter& s) { s.ToggleRowSplit(); })});
  t.Add({.id = cmd::SplitColumns, .name = "split-columns", .mainCaption = "分割・縦 ( &2 )",
         .run = OnSplitter([](PaneSplitter& s) { s.ToggleColumnSplit(); })});
  t.Add({.id = cmd::NextPane, .name = "next-pane", .run = OnSplitter([](PaneSplitter& s) { s.ActivateOtherPane(); })});
  t.Add({.id = cmd::PreviousPane, .name = "previous-pane",
         .run = OnSplitter([](PaneSplitter& s) { s.ActivateOtherPane(); })});
}
