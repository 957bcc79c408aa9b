// ScriptText: the TEXT arguments of a batch script, decoded to the bytes the
// editor holds.
//
// A script line is UTF-8. A TEXT argument knows the escapes \n \r \t \b,
// \\ and \xHH; \xHH is one raw byte, kept as it is, and every run of text between
// raw bytes is converted from UTF-8 to CP932 as a whole (a character CP932
// cannot hold becomes '?'). The batch runner's verbs and the scripted user
// interface's dialog answers decode their TEXT through this one function.
#pragma once

#include <string>

// Decodes `arg` into `cp932`. False, with `why` set, on a backslash at the
// end or an unknown or short escape; `cp932` is then incomplete.
bool DecodeScriptText(const std::string& arg, std::string& cp932, std::string& why);
