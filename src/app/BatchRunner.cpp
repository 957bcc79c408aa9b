#include "app/BatchRunner.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/AppContext.h"
#include "app/DocumentStartup.h"
#include "display/Overlay.h"
#include "document/DocumentCommands.h"
#include "app/PaneSplitter.h"
#include "app/ScriptText.h"
#include "app/ScriptedWindowHost.h"
#include "app/WindowShot.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "find/BatchBarInput.h"
#include "find/FindCommands.h"
#include "table/NumberReadingMode.h"
#include "text/Cp932.h"
#include "platform/LineLayout.h"

namespace {

constexpr int kColumns = 80;
constexpr int kRows = 40;
constexpr int kCellWidth = 8;
constexpr int kLineHeight = 16;

std::vector<std::string> SplitWords(const std::string& s) {
  std::vector<std::string> words;
  std::istringstream in(s);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

bool ParseInt(const std::string& s, int& value) {
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size();
}

// The rest of the line after `count` words and the blank that follows them.
std::string RestAfterWords(const std::string& line, int count) {
  std::size_t p = 0;
  for (int i = 0; i < count; ++i) {
    p = line.find_first_not_of(" \t", p);
    if (p == std::string::npos) return {};
    p = line.find_first_of(" \t", p);
    if (p == std::string::npos) return {};
  }
  return p < line.size() ? line.substr(p + 1) : std::string();
}

int KeyCode(const std::string& name) {
  static const std::pair<const char*, int> keys[] = {
      {"Enter", key::Return}, {"Backspace", key::Back}, {"Delete", key::Delete}, {"Insert", key::Insert},
      {"Left", key::Left},    {"Right", key::Right},    {"Up", key::Up},         {"Down", key::Down},
      {"Home", key::Home},    {"End", key::End},        {"PageUp", key::PageUp},  {"PageDown", key::PageDown},
      {"Tab", key::Tab},      {"F3", key::F3},          {"F6", key::F6},
  };
  for (const auto& [n, code] : keys)
    if (name == n) return code;
  return name.size() == 1 ? EditorView::KeyOfCharacter(name) : 0;
}

}  // namespace

// One script line being run. `line` starts at the verb; words[0] is the verb.
struct BatchRunner::VerbCall {
  const Verb& verb;
  EditorView& view;
  AppContext& app;
  const std::string& line;
  const std::vector<std::string>& words;

  // The rest of the line after its first `count` words (the verb is the first).
  std::string Rest(int count) const { return RestAfterWords(line, count); }
  // The error for arguments that do not fit the verb.
  std::string Takes() const { return std::string(verb.name) + " takes " + std::string(verb.usage); }
};

std::span<const BatchRunner::Verb> BatchRunner::Verbs() {
  static const Verb verbs[] = {
      {.name = "open", .usage = "a path", .run = &BatchRunner::Open},
      {.name = "select", .usage = "2 numbers", .run = &BatchRunner::Select},
      {.name = "drag", .usage = "2 numbers", .run = &BatchRunner::Drag},
      {.name = "type", .usage = "a text", .run = &BatchRunner::Type},
      {.name = "key", .usage = "one key name", .run = &BatchRunner::Key},
      {.name = "command", .usage = "an id or a name", .run = &BatchRunner::Command},
      {.name = "answer", .usage = "yes, no, cancel or ok", .run = &BatchRunner::Answer},
      {.name = "setint", .usage = "SECTION KEY N", .run = &BatchRunner::SetInt},
      {.name = "setstr", .usage = "SECTION KEY TEXT", .run = &BatchRunner::SetStr},
      {.name = "write", .usage = "a path", .run = &BatchRunner::Write},
      {.name = "state", .usage = "nothing", .run = &BatchRunner::PrintState},
      {.name = "overlay", .usage = "nothing", .run = &BatchRunner::PrintOverlay},
      {.name = "shot", .usage = "a path", .run = &BatchRunner::Shot},
  };
  return verbs;
}

namespace {

// START END of `select` and `drag`: exactly two numbers.
bool TwoNumbers(const BatchRunner::VerbCall& call, int& start, int& end, std::string& why) {
  if (call.words.size() != 3) {
    why = call.Takes();
    return false;
  }
  int* const values[] = {&start, &end};
  for (std::size_t i = 0; i < 2; ++i)
    if (!ParseInt(call.words[i + 1], *values[i])) {
      why = "not a number: " + call.words[i + 1];
      return false;
    }
  return true;
}

}  // namespace

BatchRunner::BatchRunner(std::ostream& out, std::ostream& err) : out_(out), err_(err), host_(out) {}

bool BatchRunner::Execute(EditorView& view, AppContext& app, const std::string& line, std::string& why) {
  const std::vector<std::string> words = SplitWords(line);
  for (const Verb& verb : Verbs())
    if (verb.name == words[0]) return (this->*verb.run)(VerbCall{verb, view, app, line, words}, why);
  why = "unknown verb " + words[0];
  return false;
}

bool BatchRunner::Open(const VerbCall& call, std::string& why) {
  const std::string path = call.Rest(1);
  if (path.empty()) {
    why = call.Takes();
    return false;
  }
  host_.SetDialogInput({{{"path", path}}, false});
  call.view.Execute(cmd::FileOpen);
  return true;
}

bool BatchRunner::Select(const VerbCall& call, std::string& why) {
  int start = 0, end = 0;
  if (!TwoNumbers(call, start, end, why)) return false;
  call.view.Edit().SetSel(start, end);
  call.view.Edit().ScrollCaret();
  return true;
}

bool BatchRunner::Drag(const VerbCall& call, std::string& why) {
  int start = 0, end = 0;
  if (!TwoNumbers(call, start, end, why)) return false;
  EditBuffer& e = call.view.Edit();
  e.SetSel(start, start);
  e.ScrollCaret();
  const Point from = e.PosFromChar(e.Caret());
  call.view.OnMousePress(from.x, from.y, false);
  e.SetSel(start, end);
  e.ScrollCaret();
  call.view.OnMouseRelease();
  return true;
}

bool BatchRunner::Type(const VerbCall& call, std::string& why) {
  std::string text;
  if (!DecodeScriptText(call.Rest(1), text, why)) return false;
  call.view.TypeKeys(text);
  return true;
}

bool BatchRunner::Key(const VerbCall& call, std::string& why) {
  if (call.words.size() != 2) {
    why = call.Takes();
    return false;
  }
  const std::string& spec = call.words[1];
  bool ctrl = false, shift = false, alt = false;
  std::string name = spec;
  for (;;) {
    if (name.rfind("Ctrl+", 0) == 0) {
      ctrl = true;
      name = name.substr(5);
    } else if (name.rfind("Shift+", 0) == 0) {
      shift = true;
      name = name.substr(6);
    } else if (name.rfind("Alt+", 0) == 0) {
      alt = true;
      name = name.substr(4);
    } else {
      break;
    }
  }
  const int key = KeyCode(name);
  if (key == 0) {
    why = "unknown key " + spec;
    return false;
  }
  call.view.PressKey(key, ctrl, shift, alt);
  call.view.OnKeyUp(key);
  return true;
}

// command ID [CONTROL=VALUE ...] [cancel]: the command as the menu runs it,
// its dialogs (or the find and replace bars) answered with the values.
bool BatchRunner::Command(const VerbCall& call, std::string& why) {
  EditorView& view = call.view;
  const std::vector<std::string>& words = call.words;
  int id = 0;
  if (words.size() < 2) {
    why = "command needs " + std::string(call.verb.usage);
    return false;
  }
  // A command is named by its number or by its name in the command table.
  if (!ParseInt(words[1], id)) {
    const CommandEntry* named = view.Commands().FindByName(words[1]);
    if (!named) {
      why = "unknown command " + words[1];
      return false;
    }
    id = named->id;
  }
  ScriptedUiHost::DialogInput input;
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (words[i] == "cancel") {
      input.cancel = true;
      continue;
    }
    const std::size_t eq = words[i].find('=');
    if (eq == std::string::npos) {
      why = "expected CONTROL=VALUE or cancel, got " + words[i];
      return false;
    }
    std::string value = words[i].substr(eq + 1);
    // A path cannot hold a blank of its own in a line split at blanks: it
    // takes the TEXT escapes (\x20).
    if (words[i].compare(0, eq, "path") == 0 && !DecodeScriptPath(words[i].substr(eq + 1), value, why)) return false;
    input.values.emplace_back(words[i].substr(0, eq), std::move(value));
  }
  // The find and replace bars stay open between commands: the values are
  // typed into the open bar, or into the bar the command opens.
  const bool toBar = find::BatchTakesBarInput(view, id);
  std::vector<std::pair<std::string, std::string>> barValues;
  if (toBar) barValues.swap(input.values);
  if (toBar && find::ShownBarOf(view) && !ApplyBarInput(view, barValues, why)) return false;
  host_.SetDialogInput(std::move(input));
  const bool barWasShown = find::ShownBarOf(view);
  switch (view.Execute(id)) {
    case EditorView::CommandResult::Unknown:
      why = "unknown command " + words[1];
      return false;
    case EditorView::CommandResult::Disabled:
      out_ << "disabled: " << id << "\n";
      break;
    case EditorView::CommandResult::Done:
      PrintPanes(id);
      break;
  }
  if (toBar && !barWasShown && find::ShownBarOf(view) && !ApplyBarInput(view, barValues, why)) return false;
  const std::string dialogError = host_.DialogError();
  if (!dialogError.empty()) {
    why = dialogError;
    return false;
  }
  return true;
}

bool BatchRunner::ApplyBarInput(EditorView& view, const std::vector<std::pair<std::string, std::string>>& values,
                                std::string& why) {
  for (const auto& [control, value] : values) {
    int id = 0;
    std::string text;
    if (!ParseInt(control, id) && (id = find::BarControlByName(control)) == 0) {
      why = "expected a control id or name, got " + control;
      return false;
    }
    if (!DecodeScriptText(value, text, why) || !find::SetBarControl(view, id, text, why)) return false;
  }
  return true;
}

bool BatchRunner::Answer(const VerbCall& call, std::string& why) {
  static const std::pair<std::string_view, MsgResult> answers[] = {
      {"yes", MsgResult::Yes}, {"no", MsgResult::No}, {"cancel", MsgResult::Cancel}, {"ok", MsgResult::Ok}};
  if (call.words.size() == 2)
    for (const auto& [name, answer] : answers)
      if (call.words[1] == name) {
        host_.QueueAnswer(answer);
        return true;
      }
  why = call.Takes();
  return false;
}

bool BatchRunner::SetInt(const VerbCall& call, std::string& why) {
  int value = 0;
  if (call.words.size() != 4 || !ParseInt(call.words[3], value)) {
    why = call.Takes();
    return false;
  }
  call.app.Settings().WriteInt(call.words[1], call.words[2], value);
  return true;
}

bool BatchRunner::SetStr(const VerbCall& call, std::string& why) {
  if (call.words.size() < 3) {
    why = call.Takes();
    return false;
  }
  std::string text;
  if (!DecodeScriptText(call.Rest(3), text, why)) return false;
  call.app.Settings().WriteString(call.words[1], call.words[2], cp932::ToUtf8(text));
  return true;
}

bool BatchRunner::Write(const VerbCall& call, std::string& why) {
  const std::string path = call.Rest(1);
  const std::string_view text = call.view.Edit().Text();
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f || !f.write(text.data(), static_cast<std::streamsize>(text.size())) || !f.flush()) {
    why = "cannot write " + path;
    return false;
  }
  return true;
}

bool BatchRunner::PrintState(const VerbCall& call, std::string&) {
  EditorView& view = call.view;
  const EditBuffer& e = view.Edit();
  const auto [s, en] = e.GetSel();
  const CellRange& c = view.cellRange;
  out_ << "state: sel=" << s << "," << en << " cellrange=" << c.firstCol << "," << c.firstRow << "," << c.lastCol
       << "," << c.lastRow << " tablesel=" << view.tableSelection.first << "," << view.tableSelection.second
       << " modified=" << (view.Doc().IsModified() ? 1 : 0) << " undo=" << view.History().Current() << "/"
       << view.History().Top() << " table=" << view.modes.table << " linenumbers=" << static_cast<int>(view.modes.lineNumbers)
       << " tab=" << view.modes.tabWidth << " wrap=" << (e.IsWordWrap() ? 1 : 0) << " decimals=" << view.decimalPlaces
       << " readonly=" << (e.IsReadOnly() ? 1 : 0) << " len=" << e.GetTextLength()
       << " firstvisible=" << e.FirstVisibleLine();
  // The file's encoding, as the status bar shows it.
  const auto* doc = dynamic_cast<const Document*>(&view.Doc());
  if (doc) out_ << " encoding=" << file_encoding::Name(doc->Form().encoding);
  // Whether the file is read and written as comma-separated records.
  if (doc) out_ << " format=" << csv::FormatName(doc->Form().format);
  out_ << " numbers=" << NumberReadingName(NumberReadingOf(view)) << "\n";
  return true;
}

// The overlay the window would paint now, the pane having the focus.
bool BatchRunner::PrintOverlay(const VerbCall& call, std::string&) {
  out_ << overlay::Listing(call.view, overlay::Compute(call.view, true));
  return true;
}

// The main window as it would show now, painted into a PNG file.
bool BatchRunner::Shot(const VerbCall& call, std::string& why) {
  const std::string path = call.Rest(1);
  if (path.empty()) {
    why = call.Takes();
    return false;
  }
  return window_shot::Take(call.app, call.view, path, why);
}

// The split commands tell how many panes the window shows afterwards.
void BatchRunner::PrintPanes(int id) {
  if (splitter_ && (id == cmd::SplitRows || id == cmd::SplitColumns)) out_ << "panes: " << splitter_->PaneCount() << "\n";
}

int BatchRunner::Run(const std::vector<std::string>& args, const std::string& scriptPath,
                     const std::string& filePath) {
  std::ifstream script(scriptPath, std::ios::binary);
  if (!script) {
    err_ << "error: cannot read script " << scriptPath << "\n";
    return 2;
  }
  AppContext app(args);
  MemoryClipboard clipboard;
  ScriptedWindowHost windowHost(out_);
  static const FixedCellLayout layout(kCellWidth, kLineHeight);
  const std::unique_ptr<EditorView> viewOwner = app.CreateView(host_, clipboard);
  EditorView& view = *viewOwner;
  view.Edit().SetLayout(&layout);
  view.Edit().SetClientRect({0, 0, kColumns * kCellWidth, kRows * kLineHeight});
  // The FILE of the command line is the one the command line names; a file
  // that cannot be opened ends the run, where the window goes on untitled.
  static_cast<void>(filePath);
  if (!OpenDocumentAtStartup(app, view)) {
    out_.flush();
    return 1;
  }

  // Panes split off later are laid out as the first one.
  PaneSplitter splitter(app.Doc(), view, [&] {
    std::unique_ptr<EditorView> pane = app.CreateView(host_, clipboard);
    pane->Edit().SetLayout(&layout);
    return pane;
  });
  splitter.SetClientSize(kColumns * kCellWidth, kRows * kLineHeight);
  splitter_ = &splitter;
  // Closing the window (Exit, or the update check) asks as the close box
  // does; once it closed, the rest of the script has no window to act on.
  windowHost.SetCloseCheck([&] { return DocumentCommands(app.Doc()).CanCloseFrame(splitter.Active(), false); });

  std::string line;
  for (int number = 1; std::getline(script, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::string why;
    if (!Execute(splitter.Active(), app, line.substr(first), why)) {
      out_.flush();
      err_ << "error: line " << number << ": " << why << "\n";
      splitter_ = nullptr;
      return 2;
    }
    if (windowHost.Closed()) break;
    splitter.OnIdle(true);  // the idle pass that follows every input in the window
    splitter.ReleaseRemovedPanes();
  }
  out_.flush();
  splitter_ = nullptr;
  return 0;
}
