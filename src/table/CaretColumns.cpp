#include "table/CaretColumns.h"

#include <algorithm>
#include <cstddef>

#include "text/Cp932.h"

namespace caret_column {

namespace {

std::size_t Clamp(std::string_view text, int pos) {
  return static_cast<std::size_t>(std::clamp(pos, 0, static_cast<int>(text.size())));
}

// Start of the row that holds p: the byte after the last LF before it.
std::size_t RowStartOf(std::string_view text, std::size_t p) {
  const std::size_t lf = cp932::FindLast(text, '\n', p);
  return lf == cp932::npos ? 0 : lf + 1;
}

}  // namespace

int RowOf(std::string_view text, int pos) {
  return static_cast<int>(cp932::Count(text.substr(0, Clamp(text, pos)), "\n"));
}

int Cell(std::string_view text, int pos) { return cp932::TabsBeforeInLine(text, Clamp(text, pos)); }

int Insertion(std::string_view text, int pos) {
  const std::size_t p = Clamp(text, pos);
  const int tabs = cp932::TabsBeforeInLine(text, p);
  const bool insideCell = p > RowStartOf(text, p) && text[p - 1] != '\t';
  return insideCell ? tabs + 1 : tabs;
}

int Paste(std::string_view text, int pos) {
  const std::size_t p = Clamp(text, pos);
  const int tabs = cp932::TabsBeforeInLine(text, p);
  const bool afterTab = p > 0 && text[p - 1] == '\t';
  return afterTab ? tabs : tabs + 1;
}

}  // namespace caret_column
