#include "app/BatchRunner.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/AppContext.h"
#include "app/DocumentStartup.h"
#include "display/Overlay.h"
#include "app/PaneSplitter.h"
#include "app/ScriptedWindowHost.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "find/BatchBarInput.h"
#include "find/FindCommands.h"
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

BatchRunner::BatchRunner(std::ostream& out, std::ostream& err) : out_(out), err_(err), host_(out) {}

bool BatchRunner::DecodeText(const std::string& arg, std::string& cp932Text, std::string& why) {
  cp932Text.clear();
  std::string utf8;  // pending UTF-8 run, converted as a whole
  auto flush = [&] {
    cp932Text += cp932::FromUtf8(utf8);
    utf8.clear();
  };
  for (std::size_t i = 0; i < arg.size(); ++i) {
    if (arg[i] != '\\') {
      utf8 += arg[i];
      continue;
    }
    if (i + 1 >= arg.size()) {
      why = "a backslash ends the text";
      return false;
    }
    const char e = arg[++i];
    switch (e) {
      case 'n': utf8 += '\n'; break;
      case 'r': utf8 += '\r'; break;
      case 't': utf8 += '\t'; break;
      case 'b': utf8 += '\b'; break;
      case '\\': utf8 += '\\'; break;
      case 'x': {
        int byte = 0;
        if (i + 2 >= arg.size()) {
          why = "\\x needs two hex digits";
          return false;
        }
        const auto [end, ec] = std::from_chars(arg.data() + i + 1, arg.data() + i + 3, byte, 16);
        if (ec != std::errc() || end != arg.data() + i + 3) {
          why = "\\x needs two hex digits";
          return false;
        }
        flush();
        cp932Text += static_cast<char>(byte);
        i += 2;
        break;
      }
      default:
        why = std::string("unknown escape \\") + e;
        return false;
    }
  }
  flush();
  return true;
}

bool BatchRunner::Type(EditorView& view, const std::string& arg, std::string& why) {
  std::string text;
  if (!DecodeText(arg, text, why)) return false;
  view.TypeKeys(text);
  return true;
}

bool BatchRunner::Key(EditorView& view, const std::string& spec, std::string& why) {
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
  view.PressKey(key, ctrl, shift, alt);
  view.OnKeyUp(key);
  return true;
}

bool BatchRunner::Command(EditorView& view, const std::vector<std::string>& words, std::string& why) {
  int id = 0;
  if (words.size() < 2) {
    why = "command needs an id or a name";
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
    input.values.emplace_back(words[i].substr(0, eq), words[i].substr(eq + 1));
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
    if (!DecodeText(value, text, why) || !find::SetBarControl(view, id, text, why)) return false;
  }
  return true;
}

void BatchRunner::PrintState(EditorView& view) {
  const EditBuffer& e = view.Edit();
  const auto [s, en] = e.GetSel();
  const CellRange& c = view.cellRange;
  out_ << "state: sel=" << s << "," << en << " cellrange=" << c.firstCol << "," << c.firstRow << "," << c.lastCol
       << "," << c.lastRow << " tablesel=" << view.tableSelection.first << "," << view.tableSelection.second
       << " modified=" << (view.Doc().IsModified() ? 1 : 0) << " undo=" << view.History().Current() << "/"
       << view.History().Top() << " table=" << view.tableMode << " linenumbers=" << view.lineNumberMode
       << " tab=" << view.tabWidth << " wrap=" << (e.IsWordWrap() ? 1 : 0) << " decimals=" << view.decimalPlaces
       << " readonly=" << (e.IsReadOnly() ? 1 : 0) << " len=" << e.GetTextLength()
       << " firstvisible=" << e.FirstVisibleLine();
  // The file's encoding, as the status bar shows it.
  if (const auto* doc = dynamic_cast<const Document*>(&view.Doc()))
    out_ << " encoding=" << file_encoding::Name(doc->Form().encoding);
  out_ << "\n";
}

// The overlay the window would paint now, the pane having the focus.
void BatchRunner::PrintOverlay(EditorView& view) { out_ << overlay::Listing(view, overlay::Compute(view, true)); }

bool BatchRunner::Execute(EditorView& view, AppContext& app, const std::string& line, std::string& why) {
  const std::vector<std::string> words = SplitWords(line);
  const std::string& verb = words[0];
  auto needInts = [&](std::size_t n, std::vector<int>& v) {
    v.assign(n, 0);
    if (words.size() != n + 1) {
      why = verb + " takes " + std::to_string(n) + " numbers";
      return false;
    }
    for (std::size_t i = 0; i < n; ++i)
      if (!ParseInt(words[i + 1], v[i])) {
        why = "not a number: " + words[i + 1];
        return false;
      }
    return true;
  };
  std::vector<int> n;
  if (verb == "select" || verb == "drag") {
    if (!needInts(2, n)) return false;
    if (verb == "select") {
      view.Edit().SetSel(n[0], n[1]);
      view.Edit().ScrollCaret();
    } else {
      EditBuffer& e = view.Edit();
      e.SetSel(n[0], n[0]);
      e.ScrollCaret();
      const Point from = e.PosFromChar(e.Caret());
      view.OnMousePress(from.x, from.y, false);
      e.SetSel(n[0], n[1]);
      e.ScrollCaret();
      view.OnMouseRelease();
    }
    return true;
  }
  if (verb == "type") return Type(view, RestAfterWords(line, 1), why);
  if (verb == "key") {
    if (words.size() != 2) {
      why = "key takes one key name";
      return false;
    }
    return Key(view, words[1], why);
  }
  if (verb == "command") return Command(view, words, why);
  if (verb == "open") {
    const std::string path = RestAfterWords(line, 1);
    if (path.empty()) {
      why = "open takes a path";
      return false;
    }
    host_.SetDialogInput({{{"path", path}}, false});
    view.Execute(cmd::FileOpen);
    return true;
  }
  if (verb == "answer") {
    if (words.size() != 2) {
      why = "answer takes yes, no, cancel or ok";
      return false;
    }
    const std::string& a = words[1];
    if (a == "yes") host_.QueueAnswer(MsgResult::Yes);
    else if (a == "no") host_.QueueAnswer(MsgResult::No);
    else if (a == "cancel") host_.QueueAnswer(MsgResult::Cancel);
    else if (a == "ok") host_.QueueAnswer(MsgResult::Ok);
    else {
      why = "answer takes yes, no, cancel or ok";
      return false;
    }
    return true;
  }
  if (verb == "setint") {
    int value = 0;
    if (words.size() != 4 || !ParseInt(words[3], value)) {
      why = "setint takes SECTION KEY N";
      return false;
    }
    app.Settings().WriteInt(words[1], words[2], value);
    return true;
  }
  if (verb == "setstr") {
    if (words.size() < 3) {
      why = "setstr takes SECTION KEY TEXT";
      return false;
    }
    std::string text;
    if (!DecodeText(RestAfterWords(line, 3), text, why)) return false;
    app.Settings().WriteString(words[1], words[2], cp932::ToUtf8(text));
    return true;
  }
  if (verb == "write") {
    const std::string path = RestAfterWords(line, 1);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f || !f.write(view.Edit().Text().data(), static_cast<std::streamsize>(view.Edit().Text().size())) ||
        !f.flush()) {
      why = "cannot write " + path;
      return false;
    }
    return true;
  }
  if (verb == "state") {
    PrintState(view);
    return true;
  }
  if (verb == "overlay") {
    PrintOverlay(view);
    return true;
  }
  why = "unknown verb " + verb;
  return false;
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
    splitter.OnIdle(true);  // the idle pass that follows every input in the window
    splitter.ReleaseRemovedPanes();
  }
  out_.flush();
  splitter_ = nullptr;
  return 0;
}
