#include "document/DirectiveLine.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "settings/SettingsKeys.h"
#include "text/Cp932.h"

namespace {

// The bytes after `key` up to the next TAB; nothing when the key is missing
// or no TAB follows it.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view key) {
  const std::size_t at = cp932::Find(line, key);
  if (at == cp932::npos) return std::nullopt;
  const std::size_t start = at + key.size();
  const std::size_t tab = cp932::Find(line, '\t', start);
  if (tab == cp932::npos) return std::nullopt;
  return line.substr(start, tab - start);
}

// One of the accepted spellings, exactly.
std::optional<int> OneOf(std::optional<std::string_view> value, std::initializer_list<int> accepted) {
  if (!value) return std::nullopt;
  for (int n : accepted)
    if (*value == std::to_string(n)) return n;
  return std::nullopt;
}

// A decimal integer as atoi reads it: leading white space, an optional sign,
// then digits up to the first non-digit; no digits reads 0. Values beyond
// the int range are clamped.
int LeadingInteger(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long n = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    n = n * 10 + (s[i] - '0');
    if (n > static_cast<long long>(INT_MAX) + 1) n = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) n = -n;
  if (n > INT_MAX) n = INT_MAX;
  return static_cast<int>(n);
}

}  // namespace

DirectiveValues ReadDirectiveLine(std::string_view line) {
  DirectiveValues v;
  if (line.substr(0, 2) != "//") return v;
  v.tabWidth = OneOf(ValueOf(line, "TAB="), {4, 8, 12, 16, 20});
  v.columns = OneOf(ValueOf(line, "COL="), {1, 2, 3, 4});
  if (const auto font = ValueOf(line, "Font=")) {
    // A height no font dialog gives (Font=100000) is a damaged line: it sets nothing.
    const int height = LeadingInteger(*font);
    if (height >= -kMaxFontHeight && height <= kMaxFontHeight) v.fontHeight = height;
  }
  v.marginStep = OneOf(ValueOf(line, "Margin="), {1, 2, 3, 4});
  return v;
}

std::string FormatDirectiveLine(int tabWidth, int fontHeight, int columns, int marginStep) {
  static const std::string fixedText = cp932::FromUtf8("印刷設定：表幅・フォント・段組・余白\t% 行は印刷されません。");
  return "// TAB=" + std::to_string(tabWidth) + "\tFont=" + std::to_string(fontHeight) + "\tCOL=" +
         std::to_string(columns) + "\tMargin=" + std::to_string(marginStep) + "\t" + fixedText + "\r\n";
}

bool PutDirectiveLine(std::string& text, const std::string& line) {
  const std::size_t lf = cp932::Find(text, '\n');
  const std::string_view first =
      std::string_view(text).substr(0, lf == cp932::npos ? text.size() : lf + 1);
  if (first == line) return false;
  if (first.substr(0, 2) == "//" && cp932::Find(first, "TAB=") != cp932::npos) {
    const std::size_t end = cp932::Find(text, "\r\n", 1);
    text.erase(0, end == cp932::npos ? text.size() : end + 2);
  }
  text.insert(0, line);
  return true;
}

int StripCommentLines(std::string& text) {
  // One pass that moves the kept bytes down over the removed lines, so a
  // text with many comment lines costs no more than one copy of it.
  int count = 0;
  std::size_t kept = 0;  // bytes of the result so far, at the front of text
  std::size_t pos = 0;   // where the next search starts in the bytes not yet moved
  while (pos < text.size()) {
    const std::size_t p = cp932::Find(text, "\r\n//", pos);
    const std::size_t keepEnd = p == cp932::npos ? text.size() : p;
    if (kept != pos) std::copy(text.begin() + static_cast<std::ptrdiff_t>(pos), text.begin() + static_cast<std::ptrdiff_t>(keepEnd), text.begin() + static_cast<std::ptrdiff_t>(kept));
    kept += keepEnd - pos;
    if (p == cp932::npos) {
      pos = text.size();
      break;
    }
    const std::size_t e = cp932::Find(text, "\r\n", p + 1);
    pos = e == cp932::npos ? text.size() : e;
    ++count;
  }
  text.resize(kept + (text.size() - pos));
  if (text.compare(0, 2, "//") == 0) {
    const std::size_t end = cp932::Find(text, "\r\n", 1);
    text.erase(0, end == cp932::npos ? text.size() : end + 2);
    ++count;
  }
  return count;
}
