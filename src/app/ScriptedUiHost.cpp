#include "app/ScriptedUiHost.h"

#include <charconv>
#include <ostream>

#include "app/ScriptText.h"
#include "text/Cp932.h"

namespace {

bool ParseInt(const std::string& s, int& value) {
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size();
}

std::string EscapeNewlines(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out;
}

// The control a script names by its id ("1117") or its name ("to-row").
const DialogControl* ControlOf(const DialogData& dialog, const std::string& control) {
  int id = 0;
  return ParseInt(control, id) ? dialog.Find(id) : dialog.FindByName(control);
}

// Why `dialog` did not take `value` for `control`: no such control, or the
// value is not one the control can hold (with the values it can).
std::string WhyRefused(const DialogData& dialog, const std::string& control, const std::string& value) {
  const std::string prefix = "dialog " + std::to_string(dialog.templateId) + " ";
  int id = 0;
  const DialogControl* c = ControlOf(dialog, control);
  if (!c || c->kind == DialogControl::Kind::Label) return prefix + "has no control " + control;
  const std::string what = prefix + "control " + control + " cannot take " + value;
  switch (c->kind) {
    case DialogControl::Kind::Check:
    case DialogControl::Kind::Radio:
      return what + ": it takes 0 or 1";
    case DialogControl::Kind::List:
    case DialogControl::Kind::Combo:
      if (c->items.empty()) return what + ": its list is empty";
      return what + (ParseInt(value, id) ? ": the value is out of range" : ": not a number") + ", its list takes 0 to " +
             std::to_string(c->items.size() - 1);
    default:
      return what;
  }
}

}  // namespace

void ScriptedUiHost::SetDialogInput(DialogInput input) {
  input_ = std::move(input);
  dialogError_.clear();
}

MsgResult ScriptedUiHost::MessageBox(const std::string& caption, const std::string& text, MsgButtons buttons,
                                  MsgIcon) {
  out_ << "message: " << caption << ": " << EscapeNewlines(text) << "\n";
  MsgResult answer = buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                                       : MsgResult::Ok;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  return answer;
}

bool ScriptedUiHost::RunDialog(DialogData& dialog) {
  for (const auto& [control, value] : input_.values) {
    const DialogControl* c = ControlOf(dialog, control);
    if (!c || !dialog.Set(c->id, value)) {
      if (dialogError_.empty()) dialogError_ = WhyRefused(dialog, control, value);
    }
  }
  input_.values.clear();
  return !input_.cancel && dialogError_.empty();
}

bool ScriptedUiHost::ChooseFile(FileDialogData& dialog) {
  for (const auto& [control, value] : input_.values) {
    if (control == "path") {
      dialog.path = value;
    } else if (control == "encoding") {
      const std::optional<file_encoding::Encoding> e = file_encoding::FromName(value);
      if (!dialog.offerEncoding) {
        dialogError_ = "this dialog offers no encoding";
      } else if (!e) {
        dialogError_ = "unknown encoding " + value + " (cp932, utf-8 or utf-8-bom)";
      } else {
        dialog.encoding = *e;
        dialog.encodingChosen = true;
      }
    } else if (control == "format") {
      const std::optional<csv::FileFormat> f = csv::FormatFromName(value);
      if (!dialog.offerFormat) {
        dialogError_ = "this dialog offers no format";
      } else if (!f) {
        dialogError_ = "unknown format " + value + " (text or csv)";
      } else {
        dialog.format = *f;
        dialog.formatChosen = true;
      }
    }
  }
  input_.values.clear();
  // As the save dialog does: a name typed without an extension gets the default one.
  if (dialog.save && !dialog.defaultExt.empty() && !dialog.path.empty()) {
    const std::size_t slash = dialog.path.rfind('/');
    const std::size_t dot = dialog.path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dialog.path += "." + dialog.defaultExt;
  }
  return !input_.cancel && !dialog.path.empty() && dialogError_.empty();
}

bool ScriptedUiHost::ChooseFont(FontDescription& font) {
  std::string answer;
  bool given = false;
  for (const auto& [control, value] : input_.values) {
    if (control == "font") {
      answer = value;
      given = true;
    }
  }
  std::erase_if(input_.values, [](const auto& v) { return v.first == "font"; });
  if (input_.cancel || !given) return false;
  const std::size_t c2 = answer.rfind(',');
  const std::size_t c1 = c2 == std::string::npos || c2 == 0 ? std::string::npos : answer.rfind(',', c2 - 1);
  int height = 0, weight = 0;
  std::string face, why;
  if (c1 == std::string::npos || !ParseInt(answer.substr(c1 + 1, c2 - c1 - 1), height) ||
      !ParseInt(answer.substr(c2 + 1), weight) || !DecodeScriptText(answer.substr(0, c1), face, why) ||
      face.empty()) {
    if (dialogError_.empty()) dialogError_ = "font takes FACE,HEIGHT,WEIGHT, got " + answer;
    return false;
  }
  font.faceName = cp932::ToUtf8(face);
  font.height = height;
  font.weight = weight;
  return true;
}

void ScriptedUiHost::Beep() { out_ << "beep\n"; }

bool ScriptedUiHost::OpenAddress(const std::string& address) {
  out_ << "open: " << address << "\n";
  return true;
}

bool ScriptedUiHost::StartProgram(const std::string& program, const std::vector<std::string>& args,
                                  const std::string& folder) {
  out_ << "start: " << program;
  for (const std::string& arg : args) out_ << " " << arg;
  out_ << " in " << folder << "\n";
  return true;
}
