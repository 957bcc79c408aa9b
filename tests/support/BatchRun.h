// Runs the built `pivraf --batch` on a script, for end-to-end tests: a fresh
// settings file, the script written to a temporary folder, stdout captured.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TestView.h"

struct BatchResult {
  int exitCode = -1;
  std::string out;  // stdout and stderr together
};

struct BatchRun {
  TempDir dir;

  std::string PathOf(const std::string& name) const { return (dir.path / name).string(); }

  BatchResult Run(const std::string& script, const std::string& file = "") {
    const std::string scriptPath = PathOf("script.pvs");
    std::ofstream(scriptPath, std::ios::binary) << script;
    std::string arguments = "--batch '" + scriptPath + "'";
    if (!file.empty()) arguments += " '" + file + "'";
    return RunProgram(arguments + " 2>&1");
  }

  // The program run with `arguments` (shell words) and this run's settings
  // file: what it printed on stdout and its exit code.
  BatchResult RunProgram(const std::string& arguments) const {
    const std::string cmd = "PIVRA_CONFIG='" + PathOf("Pivra.conf") + "' '" + PIVRAF_BINARY + "' " + arguments;
    BatchResult r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    for (std::size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
  }

  std::string Read(const std::string& name) const {
    std::ifstream f(PathOf(name), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
};
