#include "app/ScriptedUiHost.h"

#include <charconv>
#include <ostream>

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
    int id = 0;
    if (!ParseInt(control, id) || !dialog.Set(id, value)) {
      if (dialogError_.empty())
        dialogError_ = "dialog " + std::to_string(dialog.templateId) + " has no control " + control + " taking " + value;
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
