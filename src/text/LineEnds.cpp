#include "text/LineEnds.h"

#include "text/Cp932.h"

namespace line_ends {

bool NormaliseDocument(std::string& text) {
  if (cp932::Find(text, "\r\n") != cp932::npos) return false;
  if (cp932::Find(text, '\n') != cp932::npos) {
    text = cp932::ReplaceAll(text, "\n", "\r\n");
    return true;
  }
  if (cp932::Find(text, '\r') != cp932::npos) {
    text = cp932::ReplaceAll(text, "\r", "\r\n");
    return true;
  }
  return false;
}

std::string NormalisePasted(std::string text) {
  if (cp932::Find(text, '\r') == cp932::npos) text = cp932::ReplaceAll(text, "\n", "\r\n");
  return text;
}

}  // namespace line_ends
