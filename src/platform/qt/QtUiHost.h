// QtUiHost: the window's answer to everything the core asks of the user:
// message boxes, the dialogs described by DialogData, and the file choosers.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/UiHost.h"

class QtUiHost final : public UiHost {
 public:
  explicit QtUiHost(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  MsgResult MessageBox(const std::string& caption, const std::string& text, MsgButtons buttons, MsgIcon icon) override;
  bool RunDialog(DialogData& dialog) override;
  bool ChooseFile(FileDialogData& dialog) override;
  // The Qt font chooser, opened on the font the description resolves to; a
  // negative height is the character height in pixels. OK without a change
  // leaves `font` as it was (font_chooser::Choose).
  bool ChooseFont(FontDescription& font) override;
  void Beep() override;
  bool OpenAddress(const std::string& address) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder) override;

  // "Name (*.a;*.b)|*.a;*.b|...||" -> "Name (*.a *.b);;..." as the Qt file
  // dialog reads it; "*.*" is every file, as on the system the form comes from.
  static QString QtFileFilter(const std::string& filter);

 private:
  QPointer<QWidget> parent_;
};
