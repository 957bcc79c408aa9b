#include "app/StatusPanes.h"

#include <cstdio>

#include "buffer/EditBuffer.h"

namespace status_panes {

std::string SizeText(int n) {
  char buf[48];
  if (n >= 1000) {
    std::snprintf(buf, sizeof buf, "%d.%d KB", n / 1000, (n / 100) % 10);
  } else {
    std::snprintf(buf, sizeof buf, "%d byte", n);
  }
  return buf;
}

std::string CaretPaneText(const EditBuffer& edit) {
  const int line = edit.LineFromChar(-1);
  const int start = edit.GetSel().first;
  // The column is counted from the start of the same line as L: the caret's
  // own line (LineIndex(-1)) would give a negative column for a selection
  // that ends on a later line.
  const int lineStart = edit.LineIndex(line);
  char buf[96];
  std::snprintf(buf, sizeof buf, "%d 行, %d 列 【 %d 文字】", line + 1, start - lineStart, start);
  return std::string(buf) + SizeText(edit.GetTextLength());
}

std::string InsertPaneText(bool insert) { return insert ? "挿入" : "上書"; }

std::string EncodingPaneText(file_encoding::Encoding encoding, bool lossy, bool csv) {
  return std::string(file_encoding::Caption(encoding)) + (csv ? " CSV" : "") + (lossy ? " 読取専用" : "");
}

}  // namespace status_panes
