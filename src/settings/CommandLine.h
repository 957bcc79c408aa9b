// CommandLine: the raw command line and the file it names.
//
// The raw text is the arguments after the program name joined by single
// blanks, kept for the whole run. CommandLineHas is a plain, case-sensitive
// substring test anywhere in that text ("-w1" inside a folder name counts).
// On Linux a path starts with "/", so only arguments that begin with "-" are
// switches, and after "--" none are; the first other argument is the file.
#pragma once

#include <string>
#include <vector>

class CommandLine {
 public:
  CommandLine() = default;
  explicit CommandLine(const std::vector<std::string>& args);  // without the program name

  const std::string& Raw() const { return raw_; }
  bool CommandLineHas(const std::string& sw) const { return raw_.find(sw) != std::string::npos; }
  const std::string& FileToOpen() const { return file_; }
  bool HasFile() const { return !file_.empty(); }

 private:
  std::string raw_;
  std::string file_;
};
