#include "app/ScriptedWindowHost.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

void ScriptedWindowHost::MoveWindow(const WindowBox& box) {
  box_ = box;
  out_ << "window: " << box.x << " " << box.y << " " << box.width << " " << box.height << "\n";
}

std::string ScriptedWindowHost::ExecutablePath() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string("pivraf") : exe.string();
}

FetchResult ScriptedWindowHost::Fetch(const std::string& address, int) {
  std::string path = address;
  if (path.rfind("file://", 0) == 0) path = path.substr(7);
  FetchResult r;
  if (path.empty() || path[0] != '/') {
    out_ << "fetch: " << address << "\n";
    r.error = "ネットワークに接続できません。";
    return r;
  }
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    r.error = "ファイルが見つかりません。";
    return r;
  }
  std::stringstream s;
  s << f.rdbuf();
  r.ok = true;
  r.body = s.str();
  return r;
}

void ScriptedWindowHost::CloseWindow() {
  if (closed_ || (closeCheck_ && !closeCheck_())) return;
  closed_ = true;
  out_ << "close\n";
}
