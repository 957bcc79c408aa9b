// Helpers shared by the fuzz targets: a reader that takes typed values from
// the front of the input, and a check that stops the process on a broken
// property (a crash is what both libFuzzer and the corpus replay report).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define FUZZ_CHECK(cond)                                                         \
  do {                                                                           \
    if (!(cond)) {                                                               \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                              \
    }                                                                            \
  } while (0)

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ >= size_; }
  std::size_t Left() const { return size_ - pos_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // A number in 0..n-1 (n > 0).
  std::uint32_t Below(std::uint32_t n) {
    std::uint32_t v = Byte();
    if (n > 256) v = v << 8 | Byte();
    if (n > 65536) v = v << 8 | Byte();
    return v % n;
  }
  std::int32_t Int32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return static_cast<std::int32_t>(v);
  }
  // Up to `max` bytes, the length taken from the input first.
  std::string Bytes(std::size_t max) {
    const std::size_t n = std::min<std::size_t>(Below(static_cast<std::uint32_t>(max + 1)), Left());
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }
  std::string Rest() {
    std::string s(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
    pos_ = size_;
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A folder of its own for the process, removed at exit; targets that need a
// settings file or documents keep them here.
std::string FuzzScratchFolder();
