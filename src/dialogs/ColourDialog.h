// ColourDialog: the "色の設定" dialog (template 312) as plain data: colour
// buttons for the text and background, for the eleven tokens and for twelve
// user strings beside their edit fields, and four reset buttons.
//
// The dialog works on its own copy of the colours, read from the settings
// store (not from the view) each time it opens. A colour button opens the
// colour chooser with the dialog's sixteen custom colours. The reset buttons
// act on the store at once, whether the dialog is then confirmed or
// cancelled; a view keeps the colours it has until it takes new ones.
#pragma once

#include "platform/DialogData.h"
#include "settings/ColourScheme.h"

class SettingsStore;

class ColourDialog {
 public:
  static constexpr int kTemplateId = 312;
  static constexpr int kTextColourId = 1105;
  static constexpr int kBackgroundColourId = 1106;
  static constexpr int kFirstTokenId = 1070;      // 1070 + k: token k in ColourScheme::kTokens order
  static constexpr int kFirstUserColourId = 1081;  // 1081 + i: user string i's colour
  static constexpr int kFirstUserStringId = 1093;  // 1093 + i: user string i
  static constexpr int kResetAllId = 1107;
  static constexpr int kResetCustomId = 1108;
  static constexpr int kResetTokensId = 1109;
  static constexpr int kResetTextId = 1110;

  explicit ColourDialog(SettingsStore& settings);

  ColourScheme scheme;
  ColourScheme::CustomColours custom{};

  // The dialog's controls over the current copy; its buttons act through this object.
  DialogData Build();
  void Read(const DialogData& dialog);
  // A reset button: the store loses the section at once and the copy its values.
  void Reset(int buttonId);
  // OK: the copy goes to the store.
  void Store() const;

 private:
  void Fill(DialogData& dialog) const;
  SettingsStore& settings_;
};
