#include "table/TableCells.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
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

// The next TAB at or after pos, or npos. TAB is never a trail byte, so a byte
// search finds it at a character boundary. Cells are mostly short: the first
// bytes are looked at one by one before a memchr takes over.
std::size_t FindTab(std::string_view row, std::size_t pos) {
  const std::size_t size = row.size();
  for (const std::size_t quick = std::min(size, pos + 16); pos < quick; ++pos)
    if (row[pos] == '\t') return pos;
  if (pos >= size) return npos;
  const void* hit = std::memchr(row.data() + pos, '\t', size - pos);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - row.data()) : npos;
}

// Position after the k-th TAB of the row (k >= 1), or npos when it has fewer.
std::size_t AfterTab(std::string_view row, int k) {
  std::size_t pos = 0;
  for (int i = 0; i < k; ++i) {
    const std::size_t tab = FindTab(row, pos);
    if (tab == npos) return npos;
    pos = tab + 1;
  }
  return pos;
}

// The next TAB at or after pos, or the end of the row.
std::size_t TabOrEnd(std::string_view row, std::size_t pos) {
  const std::size_t tab = FindTab(row, pos);
  return tab == npos ? row.size() : tab;
}

}  // namespace

bool CellSpan(std::string_view row, int col, std::size_t& start, std::size_t& end) {
  if (col < 0) return false;
  if (col == 0) {
    const std::size_t tab = FindTab(row, 0);
    if (tab == npos) return false;
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
    const std::size_t tab = FindTab(row, from);
    if (tab == npos) return row.size();
    from = tab + 1;
  }
  return from;
}

}  // namespace

bool CellRunSpan(std::string_view row, int col, int count, std::size_t& start, std::size_t& end) {
  if (col < 0 || count < 1) return false;
  if (col == 0) {
    // Each call needs a TAB after the first cell, so the run stops before the last cell.
    if (FindTab(row, 0) == npos) return false;
    start = 0;
    end = 0;
    for (int i = 0; i < count; ++i) {
      const std::size_t tab = FindTab(row, end);
      if (tab == npos) break;
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
    if (FindTab(row, 0) == npos) return false;  // no cell 0 to delete
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

void AppendInsertText(std::string& out, std::string_view value, bool valueFirst) {
  if (valueFirst) {
    out.append(value);
    out += '\t';
  } else {
    out += '\t';
    out.append(value);
  }
}

std::string InsertText(std::string_view value, bool valueFirst) {
  std::string s;
  s.reserve(value.size() + 1);
  AppendInsertText(s, value, valueFirst);
  return s;
}

std::string_view Fields(std::string_view row, int firstCol, int count) {
  if (count < 1 || firstCol < 0) return {};
  std::size_t start = 0;
  if (firstCol == 0) {
    if (FindTab(row, 0) == npos) return {};
  } else {
    start = AfterTab(row, firstCol);
    if (start == npos) return {};
  }
  std::size_t end = start;
  for (int i = 0; i < count; ++i) {
    const std::size_t tab = FindTab(row, end);
    if (tab == npos) {
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

namespace {

// Plain decimal digits with at most one point and no exponent, at most 15
// digits: the digits as an integer below 10^15 and one division by an exact
// power of ten, both exact in a double, so the quotient is the correctly
// rounded value the full conversion gives. False for anything else.
bool PlainDecimal(std::string_view s, std::size_t p, double& value) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::uint64_t mantissa = 0;
  int digits = 0;
  int fractionDigits = -1;  // -1: no point yet
  for (; p < s.size(); ++p) {
    const char c = s[p];
    if (IsDigit(c)) {
      if (++digits > 15) return false;
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (fractionDigits >= 0) ++fractionDigits;
    } else if (c == '.' && fractionDigits < 0) {
      fractionDigits = 0;
    } else {
      break;
    }
  }
  if (digits == 0 || (p < s.size() && (s[p] == 'e' || s[p] == 'E'))) return false;
  value = static_cast<double>(mantissa) / kPowers[fractionDigits < 0 ? 0 : fractionDigits];
  return true;
}

}  // namespace

double CellNumber(std::string_view s) {
  std::size_t p = 0;
  while (p < s.size() && IsSpace(s[p])) ++p;
  bool negative = false;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
  if (double plain = 0.0; PlainDecimal(s, p, plain)) return negative ? -plain : plain;
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

// FormatNumber without text conversion for the usual values, from 1e-8 up to
// 1e15: the 15 significant digits are the integer m nearest to |value| x 10^k
// for the k that puts m in [10^14, 10^15). The product is rounded, but fma
// gives its exact error, so the side of the half-way point the exact product
// lies on is known; a value on the half-way point itself or on a power of ten
// goes the general way. False when the value is not such a value.
namespace {

bool QuickFormat(double value, int decimals, std::string& out) {
  static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  static constexpr auto kPow10Int = [] {
    std::array<std::uint64_t, 16> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
  }();
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 1e-8 && magnitude < 1e15)) return false;
  // Integer digits n (10^(n-1) <= |value| < 10^n, -7 <= n <= 15), k = 15 - n.
  // The binary exponent e gives floor(log10 |value|) as floor(e log10 2) or
  // one more (78913 / 2^18 is log10 2 to six digits, exact enough for these e).
  const int binaryExponent = static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7FF) - 1023;
  const int decimalExponent = (binaryExponent * 78913) >> 18;  // floor, also for negative e
  int k = std::min(14 - decimalExponent, 22);
  if (k > 0 && magnitude * kPow10[static_cast<std::size_t>(k)] >= 1e15) --k;
  const double product = magnitude * kPow10[static_cast<std::size_t>(k)];
  const double error = std::fma(magnitude, kPow10[static_cast<std::size_t>(k)], -product);  // exact: product + error = |value| x 10^k
  if (!(product > 1e14 && product < 1e15)) return false;
  const double whole = std::floor(product);
  const double above = (product - whole - 0.5) + error;  // sign of (exact - whole - 1/2)
  if (above == 0.0) return false;
  const std::uint64_t m = static_cast<std::uint64_t>(whole) + (above > 0.0 ? 1 : 0);
  if (m >= kPow10Int[15]) return false;

  // Half away from zero at `decimals` on those digits.
  std::uint64_t kept = m;
  int fraction = k;  // fraction digits in `kept`
  if (decimals < k) {
    const int dropped = k - decimals;
    if (dropped > 15) {
      kept = 0;
    } else {
      const std::uint64_t unit = kPow10Int[static_cast<std::size_t>(dropped)];
      kept = m / unit + (m % unit * 2 >= unit ? 1 : 0);
    }
    fraction = decimals;
  }
  char digits[40];
  const int length = static_cast<int>(std::to_chars(digits, digits + sizeof digits, kept).ptr - digits);
  // At least one integer digit.
  const int integerDigits = std::max(length - fraction, 1);
  out.reserve(static_cast<std::size_t>(integerDigits + decimals + 2));
  if (value < 0) out += '-';
  if (length <= fraction) {
    out += '0';
  } else {
    out.append(digits, static_cast<std::size_t>(length - fraction));
  }
  if (decimals > 0) {
    out += '.';
    if (length < fraction) out.append(static_cast<std::size_t>(fraction - length), '0');
    out.append(digits + std::max(length - fraction, 0), static_cast<std::size_t>(std::min(length, fraction)));
    out.append(static_cast<std::size_t>(decimals - fraction), '0');
  }
  return true;
}

}  // namespace

std::string FormatNumber(double value, int decimals) {
  if (!std::isfinite(value)) return "Error";
  if (decimals < 0) decimals = 0;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;

  if (std::string quick; QuickFormat(value, decimals, quick)) return quick;

  // The 15 significant digits d.dddddddddddddd and the exponent of the first.
  char sci[32];
  const auto [sciEnd, sciEc] =
      std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 14);
  if (sciEc != std::errc()) return "Error";
  constexpr int kSignificant = 15;
  char significant[kSignificant];
  significant[0] = sci[0];
  std::memcpy(significant + 1, sci + 2, kSignificant - 1);  // past the point
  const char* e = sci + 2 + (kSignificant - 1);              // at the 'e'
  const bool negativeExponent = e[1] == '-';
  int exponent = 0;
  for (const char* p = e + 2; p < sciEnd; ++p) exponent = exponent * 10 + (*p - '0');
  if (negativeExponent) exponent = -exponent;

  // Digit k of that decimal number, counted from the first integer digit
  // of `integerDigits` (k may lie before the significant digits or after
  // them, where the digits are 0).
  const int integerDigits = exponent + 1;
  const int shownInteger = std::max(integerDigits, 1);
  auto digitAt = [&](int k) {  // k: 0 = first shown integer digit
    const int i = k - (shownInteger - integerDigits);  // index into `significant`
    return i >= 0 && i < kSignificant ? significant[i] : '0';
  };

  // Sign, integer digits, point, `decimals` fraction digits: one buffer.
  const bool negative = value < 0;
  std::string out;
  out.reserve(static_cast<std::size_t>(shownInteger + decimals + 3));
  if (negative) out += '-';
  const std::size_t firstDigit = out.size();
  for (int k = 0; k < shownInteger; ++k) out += digitAt(k);
  if (decimals > 0) out += '.';
  for (int k = 0; k < decimals; ++k) out += digitAt(shownInteger + k);

  // Half away from zero: the first dropped digit decides, as the number is
  // now its decimal digits.
  if (digitAt(shownInteger + decimals) >= '5') {
    std::size_t i = out.size();
    while (i > firstDigit) {
      char& d = out[--i];
      if (d == '.') continue;
      if (d != '9') {
        ++d;
        return out;
      }
      d = '0';
    }
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(firstDigit), '1');
  }
  return out;
}

void ShowSelectionError(EditorView& view) {
  view.Host().MessageBox("注意！",
                         "選択が無いか、選択に誤りがあります。\n計算したい行列の左上から右下までを、マウスで選択して下さい。",
                         MsgButtons::Ok, MsgIcon::Exclamation);
}
