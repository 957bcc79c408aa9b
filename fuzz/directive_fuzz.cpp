// The directive line of a .pvl file: any first line reads without harm and
// only to accepted values (a font height within the printable range); a line
// written from values reads back as them;
// putting a line into a text makes it the first line; stripping comment
// lines removes exactly the lines that start with "//".
#include "FuzzSupport.h"
#include "document/DirectiveLine.h"
#include "settings/SettingsKeys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int tab = 4 * static_cast<int>(in.Below(5) + 1);
  const int font = in.Int32();
  const int columns = static_cast<int>(in.Below(4) + 1);
  const int margin = static_cast<int>(in.Below(4) + 1);
  const std::string text = in.Rest();

  const DirectiveValues read = ReadDirectiveLine(text);
  if (read.tabWidth) FUZZ_CHECK(*read.tabWidth % 4 == 0 && *read.tabWidth >= 4 && *read.tabWidth <= 20);
  if (read.columns) FUZZ_CHECK(*read.columns >= 1 && *read.columns <= 4);
  if (read.marginStep) FUZZ_CHECK(*read.marginStep >= 1 && *read.marginStep <= 4);
  if (read.fontHeight) FUZZ_CHECK(*read.fontHeight >= -kMaxFontHeight && *read.fontHeight <= kMaxFontHeight);

  const std::string line = FormatDirectiveLine(tab, font, columns, margin);
  const DirectiveValues back = ReadDirectiveLine(line);
  // A height beyond the printable range is written as it is but read as none.
  const std::optional<int> fontBack =
      font >= -kMaxFontHeight && font <= kMaxFontHeight ? std::optional<int>(font) : std::nullopt;
  FUZZ_CHECK(back.tabWidth == tab && back.fontHeight == fontBack && back.columns == columns &&
             back.marginStep == margin);

  std::string withLine = text;
  PutDirectiveLine(withLine, line);
  FUZZ_CHECK(withLine.compare(0, line.size(), line) == 0);
  FUZZ_CHECK(!PutDirectiveLine(withLine, line));

  std::string stripped = text;
  const int removed = StripCommentLines(stripped);
  FUZZ_CHECK(removed >= 0);
  FUZZ_CHECK(stripped.size() <= text.size());
  FUZZ_CHECK(removed > 0 || stripped == text);
  return 0;
}
