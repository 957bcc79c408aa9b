// DirectiveLine: the first line of a .pvl file that fixes the file's table
// tab width, print font height, print columns and print margin.
//
// Written form (CP932, one line with its CR LF):
//   // TAB=8<TAB>Font=-16<TAB>COL=1<TAB>Margin=1<TAB>印刷設定：表幅・フォント・段組・余白<TAB>% 行は印刷されません。
// Reading is lenient about order and strict about values: each key is found
// anywhere in the line (first occurrence), its value runs up to the next TAB,
// and a key without a TAB after it, or with a value outside its accepted set,
// sets nothing. A line that does not start with "//" carries no values.
//
// Lines starting with "//" are comments: they are shown and edited like any
// other line but never printed (StripCommentLines).
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct DirectiveValues {
  std::optional<int> tabWidth;    // "TAB=": 4, 8, 12, 16 or 20
  std::optional<int> fontHeight;  // "Font=": a decimal integer, -kMaxFontHeight to kMaxFontHeight
  std::optional<int> columns;     // "COL=": 1 to 4
  std::optional<int> marginStep;  // "Margin=": 1 to 4
};

// The values of `line` (the first logical line, with or without its line end).
DirectiveValues ReadDirectiveLine(std::string_view line);

// The line for these values, CR LF included.
std::string FormatDirectiveLine(int tabWidth, int fontHeight, int columns, int marginStep);

// `text` with `line` as its directive line: an existing first line that
// starts with "//" and holds "TAB=" is replaced (up to and including the
// first CR LF found from its second byte on, or the whole text when there is
// none); any other first line stays, below the new one. False, and `text`
// unchanged, when the first logical line already equals `line` byte for byte.
bool PutDirectiveLine(std::string& text, const std::string& line);

// Removes every line that starts with "//" as printing does: each "\r\n//..."
// together with the CR LF before it, then a first line starting with "//"
// with its CR LF. Returns the number of lines removed.
int StripCommentLines(std::string& text);
