#pragma once

#include <string>

// Where the clipboard of Cut, Copy and Paste lives: the system clipboard in the
// window (converted to Unicode there), a plain string in tests and batch runs.
class ClipboardPort {
 public:
  virtual ~ClipboardPort() = default;
  virtual void SetText(const std::string& cp932) = 0;
  virtual std::string GetText() const = 0;
};

class MemoryClipboard final : public ClipboardPort {
 public:
  void SetText(const std::string& cp932) override { text_ = cp932; }
  std::string GetText() const override { return text_; }

 private:
  std::string text_;
};
