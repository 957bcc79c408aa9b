#include "document/FileText.h"

#include "document/DocumentFile.h"
#include "text/Cp932.h"

namespace file_text {

LineEnds LineEndsOf(std::string_view text) {
  // The same test the text control applies when it is given the text.
  if (cp932::Find(text, "\r\n") != cp932::npos) return LineEnds::AsHeld;
  if (cp932::Find(text, '\n') != cp932::npos) return LineEnds::Lf;
  if (cp932::Find(text, '\r') != cp932::npos) return LineEnds::Cr;
  return LineEnds::AsHeld;
}

Loaded Decode(std::string_view bytes, ReadAs readAs) {
  Loaded r;
  Encoding encoding = Encoding::Cp932;
  switch (readAs) {
    case ReadAs::Detect:
      encoding = file_encoding::Detect(bytes);
      break;
    case ReadAs::Cp932:
      break;
    case ReadAs::Utf8:
      encoding = file_encoding::StartsWithBom(bytes) ? Encoding::Utf8Bom : Encoding::Utf8;
      break;
  }
  r.form.encoding = encoding;
  if (encoding == Encoding::Cp932) {
    r.text.assign(bytes);
  } else {
    if (encoding == Encoding::Utf8Bom) bytes.remove_prefix(file_encoding::kBom.size());
    file_encoding::FromUtf8Result u = file_encoding::FromUtf8(bytes);
    r.text = std::move(u.text);
    r.form.jisForms = u.jisForms;
    r.form.lineEnds = LineEndsOf(r.text);
    r.firstUnconvertible = u.firstUnconvertible;
  }
  r.tooLarge = static_cast<std::int64_t>(r.text.size()) > docfile::kMaxFileBytes;
  return r;
}

Encoded Encode(std::string_view text, const FileForm& form) {
  Encoded r;
  if (form.encoding == Encoding::Cp932) {
    r.bytes.assign(text);
    return r;
  }
  std::string restored;
  if (form.lineEnds == LineEnds::Lf) {
    restored = cp932::ReplaceAll(text, "\r\n", "\n");
    text = restored;
  } else if (form.lineEnds == LineEnds::Cr) {
    restored = cp932::ReplaceAll(text, "\r\n", "\r");
    text = restored;
  }
  file_encoding::ToUtf8Result u = file_encoding::ToUtf8(text, form.jisForms);
  if (u.firstBad) {
    r.firstBad = u.firstBad;
    return r;
  }
  // Moved, not copied: the converted text is the file's bytes.
  r.bytes = std::move(u.bytes);
  if (form.encoding == Encoding::Utf8Bom) r.bytes.insert(0, file_encoding::kBom);
  return r;
}

}  // namespace file_text
