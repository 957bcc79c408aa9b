// The expression evaluator and the in-line calculation on arbitrary lines.
//
// Input: decimal places (0-3), then one line. The evaluator takes the line
// (blanks removed, as the in-line calculation gives it); then the line is
// typed into a view as the user would finish it, with "=" and Enter, and
// after a formula line a definition line "x1=...". Nothing may crash, the
// text must stay within the size limit and undo must give the line back.
#include <memory>

#include "FuzzSupport.h"
#include "app/AppContext.h"
#include "calc/CalcEvaluator.h"
#include "calc/InlineCalc.h"
#include "editor/KeyCodes.h"
#include "platform/LineLayout.h"

namespace {

struct SilentHost : UiHost {
  MsgResult MessageBox(const std::string&, const std::string&, MsgButtons, MsgIcon) override { return MsgResult::Ok; }
  bool RunDialog(DialogData&) override { return false; }
  bool ChooseFile(FileDialogData&) override { return false; }
};

struct Parts {
  SilentHost host;
  MemoryClipboard clipboard;
  FixedCellLayout layout{8, 16};
  AppContext app{{}, FuzzScratchFolder() + "/Pivra.conf"};
  std::unique_ptr<EditorView> view = app.CreateView(host, clipboard);
  Parts() {
    view->Edit().SetLayout(&layout);
    view->Edit().SetClientRect({0, 0, 640, 640});
    view->OnInitialUpdate();
  }
};

void FinishLine(EditorView& view, const std::string& line) {
  EditBuffer& edit = view.Edit();
  edit.SetSel(edit.GetTextLength(), edit.GetTextLength());
  view.TypeKeys(line);
  view.PressKey(key::Return, false, false, false, "\r");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int decimals = static_cast<int>(in.Below(4));
  const std::string formula = in.Bytes(80);
  std::string line = in.Rest();
  if (line.size() > 200) line.resize(200);

  static Parts parts;
  int man = 0;
  CalcEvaluator evaluator(man, decimals, parts.host);
  std::string compact;
  for (char c : line)
    if (c != ' ' && c != '\t') compact += c;
  evaluator.EvaluateExpression(compact);
  std::string substituted = formula;
  evaluator.SubstituteVariables(line, substituted);

  EditorView& view = *parts.view;
  view.decimalPlaces = decimals;
  view.Edit().SetText("");
  view.History().Restart(view.Edit());
  FinishLine(view, line + "=");
  FinishLine(view, formula);
  FinishLine(view, "x1=" + line);
  FUZZ_CHECK(view.Edit().GetTextLength() <= view.Edit().LimitText());
  while (view.History().CanUndo()) view.Undo();
  FUZZ_CHECK(view.Edit().Text().empty());
  return 0;
}
