// CPivraDoc: the one document of a process: its path, title and modified flag.
//
// The text itself lives in the view's EditBuffer; the document knows where it
// came from and whether it differs from what is on disk. Reading and writing
// files is added by the document-file code.
#pragma once

#include <string>

class CPivraDoc {
 public:
  // Untitled documents have an empty path and the title "無題".
  static constexpr const char* kUntitled = "無題";

  const std::string& PathName() const { return path_; }  // file system path (UTF-8), "" when untitled
  void SetPathName(const std::string& path) { path_ = path; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified) { modified_ = modified; }

 private:
  std::string path_;
  std::string title_ = kUntitled;
  bool modified_ = false;
};
