// StatusPanes: the texts of the main frame's status bar panes.
//
// The caret pane reads "L 行, C 列 【 P 文字】" followed directly by the text
// size: L is the caret's physical line counted from 1, C its byte offset from
// the start of that line and P its byte offset in the text (both from the
// selection start); the size is "N.D KB" (thousands and hundreds of bytes)
// from 1,000 bytes on, else "N byte". A read-only text shows its own
// figures as any other does.
#pragma once

#include <string>

#include "text/FileEncoding.h"

class EditBuffer;

namespace status_panes {

// UTF-8 texts.
std::string SizeText(int bytes);
std::string CaretPaneText(const EditBuffer& edit);
std::string InsertPaneText(bool insert);  // "挿入" or "上書"
// The encoding of the document's file: "CP932", "UTF-8" or "UTF-8 (BOM付き)",
// followed by " CSV" for a comma-separated file, with " 読取専用" added while
// the text may not be written over its file.
std::string EncodingPaneText(file_encoding::Encoding encoding, bool lossy, bool csv = false);

}  // namespace status_panes
