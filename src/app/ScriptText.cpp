#include "app/ScriptText.h"

#include <charconv>

#include "text/Cp932.h"

namespace {

// The escapes of both forms; `toCp932` converts the runs of text between raw bytes.
bool Decode(const std::string& arg, std::string& decoded, std::string& why, bool toCp932) {
  decoded.clear();
  std::string utf8;  // pending UTF-8 run, converted as a whole
  auto flush = [&] {
    decoded += toCp932 ? cp932::FromUtf8(utf8) : utf8;
    utf8.clear();
  };
  for (std::size_t i = 0; i < arg.size(); ++i) {
    if (arg[i] != '\\') {
      utf8 += arg[i];
      continue;
    }
    if (i + 1 >= arg.size()) {
      why = "a backslash ends the text";
      return false;
    }
    const char e = arg[++i];
    switch (e) {
      case 'n': utf8 += '\n'; break;
      case 'r': utf8 += '\r'; break;
      case 't': utf8 += '\t'; break;
      case 'b': utf8 += '\b'; break;
      case '\\': utf8 += '\\'; break;
      case 'x': {
        int byte = 0;
        if (i + 2 >= arg.size()) {
          why = "\\x needs two hex digits";
          return false;
        }
        const auto [end, ec] = std::from_chars(arg.data() + i + 1, arg.data() + i + 3, byte, 16);
        if (ec != std::errc() || end != arg.data() + i + 3) {
          why = "\\x needs two hex digits";
          return false;
        }
        flush();
        decoded += static_cast<char>(byte);
        i += 2;
        break;
      }
      default:
        why = std::string("unknown escape \\") + e;
        return false;
    }
  }
  flush();
  return true;
}

}  // namespace

bool DecodeScriptText(const std::string& arg, std::string& cp932Text, std::string& why) {
  return Decode(arg, cp932Text, why, true);
}

bool DecodeScriptPath(const std::string& arg, std::string& path, std::string& why) {
  return Decode(arg, path, why, false);
}
