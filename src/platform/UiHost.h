// UiHost: everything the core asks of the user interface.
//
// Commands run headless: message boxes, dialogs and file choosers go through
// this interface. The window answers with real Qt dialogs, the batch runner
// from its script. All texts here are UTF-8.
#pragma once

#include <string>
#include <vector>

#include "platform/DialogData.h"
#include "platform/FontDescription.h"

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Warning, Exclamation, Question, Error };
enum class MsgResult { Ok, Cancel, Yes, No };

class UiHost {
 public:
  virtual ~UiHost() = default;
  virtual MsgResult MessageBox(const std::string& caption, const std::string& text, MsgButtons buttons,
                               MsgIcon icon) = 0;
  // Shows the dialog; true for OK (the data then holds the user's values).
  virtual bool RunDialog(DialogData& dialog) = 0;
  virtual bool ChooseFile(FileDialogData& dialog) = 0;
  // The font chooser, opened on `font`; true for OK (`font` then holds the choice).
  virtual bool ChooseFont(FontDescription& /*font*/) { return false; }
  virtual void Beep() {}
  // Opens an address (a web page, a file) with the desktop's handler; false when none took it.
  virtual bool OpenAddress(const std::string& /*address*/) { return false; }
  // Starts PROGRAM (a name found on PATH, or a path) with ARGS in FOLDER ("" for the current one),
  // detached from this process; false when it could not be started.
  virtual bool StartProgram(const std::string& /*program*/, const std::vector<std::string>& /*args*/,
                            const std::string& /*folder*/) {
    return false;
  }
};
