// BatchRunner: `pivraf --batch SCRIPT [FILE]`, the program without a window.
//
// It performs the same start-up as the window (settings store, command line,
// document, view), lays the text out in fixed cells (80 x 40 cells of 8 x 16
// pixels) and executes the script line by line against the view. The user
// interface is a ScriptedUiHost: message boxes print and take the queued
// `answer`s, dialogs take the CONTROL=VALUE pairs of the `command` line.
//
// The verbs are one table, Verbs(): each verb is declared there once with its
// name, its usage and its handler, and a line runs the handler whose name is
// its first word. Names are unique; the README's table of verbs lists exactly
// these names (a test compares the two).
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
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

  // One script line being run: its words (the verb first) and where it acts.
  struct VerbCall;
  struct Verb {
    std::string_view name;
    // The arguments, as a script error names them: "VERB takes USAGE".
    std::string_view usage;
    bool (BatchRunner::*run)(const VerbCall& call, std::string& why);
  };
  // Every verb a script line can start with.
  static std::span<const Verb> Verbs();

 private:
  bool Execute(EditorView& view, AppContext& app, const std::string& line, std::string& why);

  // The verbs' handlers, in the order of the table.
  bool Open(const VerbCall& call, std::string& why);
  bool Select(const VerbCall& call, std::string& why);
  bool Drag(const VerbCall& call, std::string& why);
  bool Type(const VerbCall& call, std::string& why);
  bool Key(const VerbCall& call, std::string& why);
  bool Command(const VerbCall& call, std::string& why);
  bool Answer(const VerbCall& call, std::string& why);
  bool SetInt(const VerbCall& call, std::string& why);
  bool SetStr(const VerbCall& call, std::string& why);
  bool Write(const VerbCall& call, std::string& why);
  bool PrintState(const VerbCall& call, std::string& why);
  bool PrintOverlay(const VerbCall& call, std::string& why);
  bool Shot(const VerbCall& call, std::string& why);

  // CONTROL=VALUE pairs typed into the open find or replace bar (TEXT escapes allowed).
  bool ApplyBarInput(EditorView& view, const std::vector<std::pair<std::string, std::string>>& values,
                     std::string& why);
  void PrintPanes(int id);

  std::ostream& out_;
  std::ostream& err_;
  ScriptedUiHost host_;
  PaneSplitter* splitter_ = nullptr;  // the panes of the run in progress
};
