// QtClipboard: the system clipboard as the EditBuffer's ClipboardPort.
//
// The program's text is CP932; the system clipboard holds Unicode. Copying
// converts CP932 -> Unicode and pasting Unicode -> CP932 (characters CP932
// cannot hold become "?"), so Japanese text moves both ways between PivraF
// and other programs. Pasted text whose lines end with LF alone gets CR LF.
#pragma once

#include "platform/Clipboard.h"

class QtClipboard final : public ClipboardPort {
 public:
  void SetText(const std::string& cp932) override;
  std::string GetText() const override;
};
