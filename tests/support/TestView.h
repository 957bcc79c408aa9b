// A view wired as the batch runner wires it, for tests: a settings store in a
// temporary file, fixed-cell layout of 80 x 40 cells, an in-memory clipboard
// and a UI host that records message boxes and answers from a queue.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "settings/CommandLine.h"
#include "settings/SettingsStore.h"
#include "document/Document.h"
#include "editor/EditorView.h"
#include "text/Cp932.h"
#include "platform/LineLayout.h"
#include "platform/UiHost.h"
#include "support/TempDir.h"

struct RecordingHost : UiHost {
  struct Message {
    std::string caption, text;
  };
  std::vector<Message> messages;
  std::deque<MsgResult> answers;
  // Called with each dialog; return false to cancel. Default: OK unchanged.
  std::function<bool(DialogData&)> onDialog;
  std::vector<DialogData> dialogs;  // as they were shown (initial values)
  std::function<bool(FileDialogData&)> onFile;
  // Called with each font chooser; return false to cancel. Default: Cancel.
  std::function<bool(FontDescription&)> onFont;
  std::vector<FontDescription> fonts;  // as each chooser opened
  int beeps = 0;

  MsgResult MessageBox(const std::string& caption, const std::string& text, MsgButtons buttons, MsgIcon) override {
    messages.push_back({caption, text});
    if (!answers.empty()) {
      MsgResult r = answers.front();
      answers.pop_front();
      return r;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes : MsgResult::Ok;
  }
  bool RunDialog(DialogData& d) override {
    dialogs.push_back(d);
    return onDialog ? onDialog(d) : true;
  }
  bool ChooseFile(FileDialogData& d) override { return onFile ? onFile(d) : false; }
  bool ChooseFont(FontDescription& f) override {
    fonts.push_back(f);
    return onFont ? onFont(f) : false;
  }
  void Beep() override { ++beeps; }
};

// The parts of a process as the batch runner builds them: the application
// context over a settings file in a fresh folder, a recording UI host, an
// in-memory clipboard and the view in 80 x 40 fixed cells of 8 x 16 pixels.
// `args` is the command line; `setup` writes settings before anything reads them.
struct ViewParts {
  TempDir dir;
  RecordingHost host;
  MemoryClipboard clipboard;
  FixedCellLayout layout{8, 16};
  std::unique_ptr<AppContext> app;
  std::unique_ptr<EditorView> view;

  explicit ViewParts(const std::vector<std::string>& args = {},
                     const std::function<void(SettingsStore&)>& setup = {}) {
    const std::string settingsPath = dir.Path("Pivra.conf");
    if (setup) {
      SettingsStore before(settingsPath);
      setup(before);
    }
    app = std::make_unique<AppContext>(args, settingsPath);
    view = app->CreateView(host, clipboard);
    view->Edit().SetLayout(&layout);
    view->Edit().SetClientRect({0, 0, 80 * 8, 40 * 16});
  }
  ~ViewParts() { view.reset(); }
};

struct TestView {
  ViewParts parts;
  SettingsStore& settings = parts.app->Settings();
  Document& doc = parts.app->Doc();
  RecordingHost& host = parts.host;
  MemoryClipboard& clipboard = parts.clipboard;
  EditorView& view = *parts.view;

  explicit TestView(const std::string& text = "") : TestView(text, {}) {}
  // `setup` writes settings before the view reads them.
  TestView(const std::string& text, const std::function<void(SettingsStore&)>& setup) : parts({}, setup) {
    view.Edit().SetText(text);
    view.OnInitialUpdate();
  }

  EditBuffer& Edit() { return view.Edit(); }
  std::string_view Text() { return view.Edit().Text(); }

  // Typing as the keyboard does it ("\r" is Enter, "\b" Backspace).
  void Type(const std::string& cp932) { view.TypeKeys(cp932); }
  void Key(int key, bool ctrl = false, bool shift = false) {
    view.OnKeyDown(key, ctrl, shift, false);
    view.OnKeyUp(key);
  }
  // A mouse selection from s to e, released.
  void Drag(int s, int e) {
    Edit().SetSel(s, e);
    view.OnMouseRelease();
  }
};
