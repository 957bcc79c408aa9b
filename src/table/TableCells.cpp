#include "table/TableCells.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "editor/EditorView.h"
#include "text/Cp932.h"

// ---------------------------------------------------------------- plain text rules

namespace cells {

std::size_t RowStart(std::string_view text, int n) {
  if (n < 0) return npos;
  std::size_t pos = 0;
  for (int i = 0; i < n; ++i) {
    const std::size_t lf = cp932::Find(text, '\n', pos);
    if (lf == cp932::npos) return npos;
    pos = lf + 1;
  }
  return pos;
}

std::size_t RowCellsEnd(std::string_view text, std::size_t rowStart) {
  // CR and LF are never trail bytes: the first of either byte ends the cells.
  const std::size_t end = text.find_first_of("\r\n", rowStart);
  return end == std::string_view::npos ? text.size() : end;
}

namespace {

// Position after the k-th TAB of the row (k >= 1), or npos when it has fewer.
std::size_t AfterTab(std::string_view row, int k) {
  std::size_t pos = 0;
  for (int i = 0; i < k; ++i) {
    const std::size_t tab = cp932::Find(row, '\t', pos);
    if (tab == cp932::npos) return npos;
    pos = tab + 1;
  }
  return pos;
}

// The next TAB at or after pos, or the end of the row.
std::size_t TabOrEnd(std::string_view row, std::size_t pos) {
  const std::size_t tab = cp932::Find(row, '\t', pos);
  return tab == cp932::npos ? row.size() : tab;
}

}  // namespace

bool CellSpan(std::string_view row, int col, std::size_t& start, std::size_t& end) {
  if (col < 0) return false;
  if (col == 0) {
    const std::size_t tab = cp932::Find(row, '\t');
    if (tab == cp932::npos) return false;
    start = 0;
    end = tab + 1;
    return true;
  }
  start = AfterTab(row, col);
  if (start == npos) return false;
  end = TabOrEnd(row, start);
  if (end < row.size()) ++end;  // the TAB goes with its cell
  return true;
}

namespace {

// After the `count`-th TAB from `from`, or the row end when there are fewer.
std::size_t AfterTabsOrEnd(std::string_view row, std::size_t from, long long count) {
  for (long long i = 0; i < count; ++i) {
    const std::size_t tab = cp932::Find(row, '\t', from);
    if (tab == cp932::npos) return row.size();
    from = tab + 1;
  }
  return from;
}

}  // namespace

bool CellRunSpan(std::string_view row, int col, int count, std::size_t& start, std::size_t& end) {
  if (col < 0 || count < 1) return false;
  if (col == 0) {
    // Each call needs a TAB after the first cell, so the run stops before the last cell.
    if (cp932::Find(row, '\t') == cp932::npos) return false;
    start = 0;
    end = 0;
    for (int i = 0; i < count; ++i) {
      const std::size_t tab = cp932::Find(row, '\t', end);
      if (tab == cp932::npos) break;
      end = tab + 1;
    }
    return true;
  }
  start = AfterTab(row, col);
  if (start == npos) return false;
  end = AfterTabsOrEnd(row, start, count);
  return true;
}

bool BlockSpan(std::string_view row, int firstCol, int lastCol, std::size_t& start, std::size_t& end) {
  firstCol = firstCol < 0 ? 0 : firstCol;
  if (lastCol < firstCol) return false;
  if (firstCol == 0) {
    if (cp932::Find(row, '\t') == cp932::npos) return false;  // no cell 0 to delete
    start = 0;
  } else {
    start = AfterTab(row, firstCol);
    if (start == npos) return false;
  }
  end = AfterTabsOrEnd(row, start, static_cast<long long>(lastCol) - firstCol + 1);
  return true;
}

bool InsertPoint(std::string_view row, int col, std::size_t& point, bool& valueFirst) {
  if (col < 0) return false;
  valueFirst = col == 0;
  if (col == 0) {
    point = 0;
    return true;
  }
  const std::size_t from = col == 1 ? 0 : AfterTab(row, col - 1);
  if (from == npos) return false;
  point = TabOrEnd(row, from);
  return true;
}

std::string InsertText(std::string_view value, bool valueFirst) {
  std::string s;
  s.reserve(value.size() + 1);
  if (valueFirst) {
    s.append(value);
    s += '\t';
  } else {
    s += '\t';
    s.append(value);
  }
  return s;
}

std::string_view Fields(std::string_view row, int firstCol, int count) {
  if (count < 1 || firstCol < 0) return {};
  std::size_t start = 0;
  if (firstCol == 0) {
    if (cp932::Find(row, '\t') == cp932::npos) return {};
  } else {
    start = AfterTab(row, firstCol);
    if (start == npos) return {};
  }
  std::size_t end = start;
  for (int i = 0; i < count; ++i) {
    const std::size_t tab = cp932::Find(row, '\t', end);
    if (tab == cp932::npos) {
      end = row.size();
      break;
    }
    end = i + 1 < count ? tab + 1 : tab;
  }
  return row.substr(start, end - start);
}

}  // namespace cells

// ---------------------------------------------------------------- operations on the view

namespace {

// The cells of row `row` of `text`: [start, end) in the text, or false when
// the row does not exist.
bool RowCells(std::string_view text, int row, std::size_t& start, std::size_t& end) {
  start = cells::RowStart(text, row);
  if (start == cells::npos) return false;
  end = cells::RowCellsEnd(text, start);
  return true;
}

// The same from the control, whose logical-line index finds the row at once.
bool ControlRowCells(const EditBuffer& edit, int row, std::size_t& start, std::size_t& end) {
  if (row < 0 || row >= edit.LogicalLineCount()) return false;
  start = static_cast<std::size_t>(edit.LogicalLineStart(row));
  end = cells::RowCellsEnd(edit.Text(), start);
  return true;
}

}  // namespace

std::string GetCells(EditorView& view, int row, int firstCol, int count) {
  if (row < 0 || count < 1) return {};
  std::string line = view.Edit().GetLogicalLine(row).first;
  if (line.find_first_of("\r\n") != std::string::npos) {
    line = cp932::RemoveAll(line, '\r');
    line = cp932::RemoveAll(line, '\n');
  }
  return std::string(cells::Fields(line, firstCol, count));
}

std::string SelectCell(EditorView& view, int col, int row) {
  EditBuffer& edit = view.Edit();
  std::size_t rowStart, rowEnd, start, end;
  if (!ControlRowCells(edit, row, rowStart, rowEnd)) return {};
  const std::string_view cellsOfRow = std::string_view(edit.Text()).substr(rowStart, rowEnd - rowStart);
  if (!cells::CellSpan(cellsOfRow, col, start, end)) return {};
  std::string selected(cellsOfRow.substr(start, end - start));
  edit.SetSel(static_cast<int>(rowStart + start), static_cast<int>(rowStart + end));
  edit.ScrollCaret();
  return selected;
}

void MoveCaretToCell(EditorView& view, int col, int row) {
  EditBuffer& edit = view.Edit();
  std::size_t rowStart, rowEnd, start, end;
  if (!ControlRowCells(edit, row, rowStart, rowEnd)) return;
  const std::string_view cellsOfRow = std::string_view(edit.Text()).substr(rowStart, rowEnd - rowStart);
  if (!cells::CellSpan(cellsOfRow, col, start, end)) return;
  edit.SetSel(static_cast<int>(rowStart + start), static_cast<int>(rowStart + start));
  edit.ScrollCaret();
}

void DeleteCell(EditorView& view, int col, int row, std::string& text) {
  std::size_t rowStart, rowEnd, start, end;
  if (!RowCells(text, row, rowStart, rowEnd)) return;
  if (!cells::CellSpan(std::string_view(text).substr(rowStart, rowEnd - rowStart), col, start, end)) return;
  text.erase(rowStart + start, end - start);
  cells::TrackRemove(view.tableSelection.first, rowStart + start, rowStart + end);
}

void InsertCell(EditorView& view, int col, int row, std::string_view value, std::string& text, bool toControl) {
  std::size_t rowStart, rowEnd, point;
  bool valueFirst = false;
  EditBuffer& edit = view.Edit();
  // Into the control, `text` is the control's text: the control's own line
  // index finds the row without searching.
  const std::string_view target = toControl ? std::string_view(edit.Text()) : std::string_view(text);
  if (!(toControl ? ControlRowCells(edit, row, rowStart, rowEnd) : RowCells(target, row, rowStart, rowEnd))) return;
  if (!cells::InsertPoint(target.substr(rowStart, rowEnd - rowStart), col, point, valueFirst)) return;
  point += rowStart;
  const std::string inserted = cells::InsertText(value, valueFirst);
  if (toControl) {
    edit.SetSel(static_cast<int>(point), static_cast<int>(point));
    edit.ScrollCaret();
    edit.ReplaceSel(inserted);
    return;
  }
  text.insert(point, inserted);
  cells::TrackInsert(view.tableSelection.first, point, inserted.size());
}

// ---------------------------------------------------------------- numbers

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

double CellNumber(std::string_view s) {
  std::size_t p = 0;
  while (p < s.size() && IsSpace(s[p])) ++p;
  bool negative = false;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
  const std::size_t numberStart = p;
  // Decimal exponent of the first significant digit, kept to tell overflow
  // from underflow when the value does not fit a double.
  long long firstDigitExponent = 0;
  bool significant = false;
  std::size_t digits = 0;
  long long integerDigits = 0;
  for (; p < s.size() && IsDigit(s[p]); ++p, ++digits) {
    if (s[p] != '0') significant = true;
    if (significant) ++integerDigits;
  }
  if (significant) firstDigitExponent = integerDigits - 1;
  if (p < s.size() && s[p] == '.') {
    for (++p; p < s.size() && IsDigit(s[p]); ++p, ++digits) {
      if (significant) continue;
      --firstDigitExponent;
      if (s[p] != '0') significant = true;
    }
  }
  if (digits == 0) return 0.0;
  std::size_t end = p;
  long long exponent = 0;
  if (p < s.size() && (s[p] == 'e' || s[p] == 'E')) {
    std::size_t q = p + 1;
    bool expNegative = false;
    if (q < s.size() && (s[q] == '+' || s[q] == '-')) expNegative = s[q++] == '-';
    if (q < s.size() && IsDigit(s[q])) {
      for (; q < s.size() && IsDigit(s[q]); ++q)
        if (exponent < 1000000000) exponent = exponent * 10 + (s[q] - '0');
      if (expNegative) exponent = -exponent;
      end = q;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(s.data() + numberStart, s.data() + end, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range)
    value = significant && firstDigitExponent + exponent > 0 ? HUGE_VAL : 0.0;
  else if (result.ec != std::errc())
    value = 0.0;
  return negative ? -value : value;
}

std::string FormatNumber(double value, int decimals) {
  if (!std::isfinite(value)) return "Error";
  if (decimals < 0) decimals = 0;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;

  // The 15 significant digits d.dddddddddddddd and the exponent of the first.
  char sci[32];
  const auto [sciEnd, sciEc] =
      std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 14);
  if (sciEc != std::errc()) return "Error";
  const std::string_view text(sci, static_cast<std::size_t>(sciEnd - sci));
  const std::size_t ePos = text.find('e');
  std::string significant;
  for (const char c : text.substr(0, ePos))
    if (c != '.') significant += c;
  int exponent = 0;
  const std::string_view expText = text.substr(ePos + 1);
  std::from_chars(expText.data() + (expText[0] == '+' ? 1 : 0), expText.data() + expText.size(), exponent);

  // Integer and fraction digits of that decimal number.
  const int integerDigits = exponent + 1;
  std::string integer, fraction;
  if (integerDigits <= 0) {
    integer = "0";
    fraction = std::string(static_cast<std::size_t>(-integerDigits), '0') + significant;
  } else if (integerDigits >= static_cast<int>(significant.size())) {
    integer = significant + std::string(static_cast<std::size_t>(integerDigits) - significant.size(), '0');
  } else {
    integer = significant.substr(0, static_cast<std::size_t>(integerDigits));
    fraction = significant.substr(static_cast<std::size_t>(integerDigits));
  }

  // Half away from zero: the first dropped digit decides, as the number is
  // now its decimal digits.
  const bool roundUp = static_cast<int>(fraction.size()) > decimals && fraction[static_cast<std::size_t>(decimals)] >= '5';
  fraction.resize(static_cast<std::size_t>(decimals), '0');
  if (roundUp) {
    std::string digits = integer + fraction;
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) digits[static_cast<std::size_t>(i)] = '0';
    if (i < 0) {
      digits.insert(digits.begin(), '1');
    } else {
      ++digits[static_cast<std::size_t>(i)];
    }
    integer = digits.substr(0, digits.size() - fraction.size());
    fraction = digits.substr(digits.size() - fraction.size());
  }
  const std::string digits = decimals > 0 ? integer + "." + fraction : integer;
  return value < 0 ? "-" + digits : digits;
}

void ShowSelectionError(EditorView& view) {
  view.Host().MessageBox("注意！",
                         "選択が無いか、選択に誤りがあります。\n計算したい行列の左上から右下までを、マウスで選択して下さい。",
                         MsgButtons::Ok, MsgIcon::Exclamation);
}
