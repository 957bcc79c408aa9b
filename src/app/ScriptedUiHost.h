// ScriptedUiHost: the user interface of a batch run, answered by its script.
//
// Message boxes print "message: CAPTION: TEXT" (line breaks as \n) and take
// the next queued answer, else their default button (OK, or Yes). A dialog
// starts with its own initial values, takes the control values the script
// gave for the command being run (each control named by its id or its name),
// then OK (or Cancel when asked). A control
// the dialog does not have, or a value it refuses, is remembered as the
// command's error. File dialogs take the "path" value; a name typed into the
// save dialog without an extension gets the default one, as the real dialog
// gives it. A beep prints "beep"; addresses and programs are printed as
// "open: ADDRESS" and "start: PROGRAM ARG... in FOLDER" instead of being opened
// or started.
#pragma once

#include <deque>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "platform/UiHost.h"

class ScriptedUiHost final : public UiHost {
 public:
  explicit ScriptedUiHost(std::ostream& out) : out_(out) {}

  struct DialogInput {
    std::vector<std::pair<std::string, std::string>> values;  // control id or name (or "path") and value
    bool cancel = false;
  };
  // The input for the dialogs of the next command; clears the last error.
  void SetDialogInput(DialogInput input);
  // Why the last dialog could not take the input; "" when it could.
  const std::string& DialogError() const { return dialogError_; }
  void QueueAnswer(MsgResult answer) { answers_.push_back(answer); }

  MsgResult MessageBox(const std::string& caption, const std::string& text, MsgButtons buttons,
                       MsgIcon icon) override;
  bool RunDialog(DialogData& dialog) override;
  bool ChooseFile(FileDialogData& dialog) override;
  // Takes "font=FACE,HEIGHT,WEIGHT" (FACE knows the TEXT escapes, so a blank is \x20).
  bool ChooseFont(FontDescription& font) override;
  void Beep() override;
  bool OpenAddress(const std::string& address) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder) override;

 private:
  std::ostream& out_;
  std::deque<MsgResult> answers_;
  DialogInput input_;
  std::string dialogError_;
};
