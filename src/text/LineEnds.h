// Line ends of a loaded text.
//
// The text control works with CR LF. A text that holds no CR LF at all but
// LF-only or CR-only line ends is given CR LF; a text with at least one CR LF
// is left exactly as it is, even when it also holds lone CR or LF bytes, so a
// mixed file is never rewritten behind the user's back.
#pragma once

#include <string>

namespace docfile {

// Converts `text` in place; true when it changed.
bool NormaliseLineEnds(std::string& text);

}  // namespace docfile
