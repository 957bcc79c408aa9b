// BatchRunner: `pivraf --batch SCRIPT [FILE]`, the program without a window.
//
// It performs the same start-up as the window (settings store, command line,
// document, view), lays the text out in fixed cells (80 x 40 cells of 8 x 16
// pixels) and executes the script line by line against the view. The user
// interface is a ScriptedUiHost: message boxes print and take the queued
// `answer`s, dialogs take the CONTROL=VALUE pairs of the `command` line.
// The verbs are listed in the README.
#pragma once

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "app/ScriptedUiHost.h"

class EditorView;
class AppContext;
class PaneSplitter;

class BatchRunner {
 public:
  BatchRunner(std::ostream& out, std::ostream& err);

  // Runs the whole script; returns the process exit code (0, or 2 on a
  // script error, which is reported as "error: line N: why").
  int Run(const std::vector<std::string>& args, const std::string& scriptPath, const std::string& filePath);

  // Decodes a TEXT argument: UTF-8 with the escapes \n \r \t \b \\ and \xHH;
  // the result is CP932 (raw bytes stay as given). False on a bad escape.
  static bool DecodeText(const std::string& arg, std::string& cp932, std::string& why);

 private:
  bool Execute(EditorView& view, AppContext& app, const std::string& line, std::string& why);
  bool Type(EditorView& view, const std::string& text, std::string& why);
  bool Key(EditorView& view, const std::string& name, std::string& why);
  bool Command(EditorView& view, const std::vector<std::string>& words, std::string& why);
  void PrintState(EditorView& view);
  void PrintOverlay(EditorView& view);
  // CONTROL=VALUE pairs typed into the open find or replace bar (TEXT escapes allowed).
  bool ApplyBarInput(EditorView& view, const std::vector<std::pair<std::string, std::string>>& values,
                     std::string& why);
  void PrintPanes(int id);

  std::ostream& out_;
  std::ostream& err_;
  ScriptedUiHost host_;
  PaneSplitter* splitter_ = nullptr;  // the panes of the run in progress
};
