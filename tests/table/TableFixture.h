// A view wired as the batch runner wires it, for the table tests: a settings
// store in a temporary file, fixed cells of 8 x 16 pixels in an 80 x 40 cell
// window, an in-memory clipboard and a UI host that records message boxes and
// dialogs and answers dialogs through a callback.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/SettingsStore.h"
#include "document/CPivraDoc.h"
#include "editor/CPivraView.h"
#include "editor/LineLayout.h"
#include "editor/UiHost.h"

namespace tabletest {

struct Host : UiHost {
  struct Message {
    std::string caption, text;
  };
  std::vector<Message> messages;
  std::vector<DialogData> shown;  // each dialog as it was opened
  // Fills in the dialog; false cancels it. Empty: OK with the initial values.
  std::function<bool(DialogData&)> answer;

  MsgResult MessageBox(const std::string& caption, const std::string& text, MsgButtons, MsgIcon) override {
    messages.push_back({caption, text});
    return MsgResult::Ok;
  }
  bool RunDialog(DialogData& d) override {
    shown.push_back(d);
    return answer ? answer(d) : true;
  }
  bool ChooseFile(FileDialogData&) override { return false; }
};

struct TempDir {
  std::filesystem::path path;
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "pivra-table-XXXXXX").string();
    path = mkdtemp(tmpl.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

struct Fixture {
  TempDir dir;
  SettingsStore settings{(dir.path / "Pivra.conf").string()};
  CommandLine commandLine;
  CPivraDoc doc;
  Host host;
  MemoryClipboard clipboard;
  FixedCellLayout layout{8, 16};
  CPivraView view{settings, commandLine, doc, host, clipboard};

  explicit Fixture(const std::string& text = "") {
    view.Edit().SetLayout(&layout);
    view.Edit().SetClientRect({0, 0, 80 * 8, 40 * 16});
    view.Edit().SetText(text);
    view.OnInitialUpdate();
    if (view.Edit().Text() != text) {  // the tests mean the bytes they give, line ends included
      view.Edit().SetText(text);
      view.History().Restart(view.Edit());
    }
  }
  EditBuffer& Edit() { return view.Edit(); }
  const std::string& Text() { return view.Edit().Text(); }
  // A mouse selection from s to e, released (fixes the cell block in table mode).
  void Drag(int s, int e) {
    Edit().SetSel(s, e);
    view.OnLButtonUp();
  }
  std::pair<int, int> Sel() const { return view.Edit().GetSel(); }
  unsigned Undo() { return view.History().Current(); }
};

}  // namespace tabletest
