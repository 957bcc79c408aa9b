// ScriptText: the TEXT arguments of a batch script, decoded to the bytes the
// editor holds.
//
// A script line is UTF-8. A TEXT argument knows the escapes \n \r \t \b,
// \\ and \xHH; \xHH is one raw byte, kept as it is, and every run of text between
// raw bytes is converted from UTF-8 to CP932 as a whole (a character CP932
// cannot hold becomes '?'). The batch runner's verbs and the scripted user
// interface's dialog answers decode their TEXT through this one function;
// a file's path takes the same escapes without the conversion.
#pragma once

#include <string>

// Decodes `arg` into `cp932`. False, with `why` set, on a backslash at the
// end or an unknown or short escape; `cp932` is then incomplete.
bool DecodeScriptText(const std::string& arg, std::string& cp932, std::string& why);

// The same escapes in a file's path (`path=` of a file dialog), whose other
// bytes are the file system's and stay as they are: `path=/tmp/my\x20file.txt`
// names "/tmp/my file.txt".
bool DecodeScriptPath(const std::string& arg, std::string& path, std::string& why);
