// LineEnds: the two rules that give text the control's CR LF line ends.
//
// The text control works with CR LF. Text reaches it from two places, and
// each has its own rule:
//   - a loaded document: a text that holds no CR LF at all but LF-only or
//     CR-only line ends is given CR LF; a text with at least one CR LF is left
//     exactly as it is, even when it also holds lone CR or LF bytes, so a mixed
//     file is never rewritten behind the user's back;
//   - pasted text: text from other programs here ends its lines with LF alone,
//     so a text without any CR has each LF made CR LF; text that holds any CR
//     is taken as it is, so what the editor copied comes back byte for byte.
#pragma once

#include <string>

namespace line_ends {

// Converts a loaded document's text in place; true when it changed.
bool NormaliseDocument(std::string& text);

// The clipboard's text as it is pasted into the control.
std::string NormalisePasted(std::string text);

}  // namespace line_ends
