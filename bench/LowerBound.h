// The lower bounds the table benchmarks compare each command with: the least
// work any implementation must do on the same bytes, timed in the same run.
//
//   ColumnSumsBound   one pass that splits the text into rows and cells,
//                     parses every cell with std::from_chars and sums the
//                     columns (the bound of the sum and average commands)
//   SortKeysBound     one pass that finds and parses the key cell of each row,
//                     then a stable sort of those numbers (the bound of the
//                     sort and rank commands)
//
// Times are the thread's CPU time, which another process sharing the machine
// does not inflate; a bound is the fastest of several runs.
#pragma once

#include <time.h>

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

namespace lowerbound {

inline double ThreadSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

template <typename F>
double FastestSeconds(F&& run, int repeats = 15) {
  double best = 1e30;
  for (int i = 0; i < repeats; ++i) {
    const double t0 = ThreadSeconds();
    run();
    best = std::min(best, ThreadSeconds() - t0);
  }
  return best;
}

inline double Parse(const char* begin, const char* end) {
  double v = 0.0;
  std::from_chars(begin, end, v);
  return v;
}

// Sums of the columns of a TAB-separated text with CR LF line ends.
inline std::vector<double> ColumnSums(const std::string& text, int columns) {
  std::vector<double> sums(static_cast<std::size_t>(columns), 0.0);
  const char* p = text.data();
  const char* const end = p + text.size();
  int col = 0;
  while (p < end) {
    const char* cell = p;
    while (p < end && *p != '\t' && *p != '\r' && *p != '\n') ++p;
    if (col < columns) sums[static_cast<std::size_t>(col)] += Parse(cell, p);
    if (p < end && *p == '\t') {
      ++col;
      ++p;
    } else {
      while (p < end && (*p == '\r' || *p == '\n')) ++p;
      col = 0;
    }
  }
  return sums;
}

// The numbers of column `key` of each row, stably sorted.
inline std::vector<double> SortedKeys(const std::string& text, int key) {
  std::vector<double> keys;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const char* cell = p;
    for (int c = 0; c < key && p < end && *p != '\n'; ++p)
      if (*p == '\t') {
        ++c;
        cell = p + 1;
      }
    const char* cellEnd = cell;
    while (cellEnd < end && *cellEnd != '\t' && *cellEnd != '\r' && *cellEnd != '\n') ++cellEnd;
    keys.push_back(Parse(cell, cellEnd));
    const char* lf = std::find(cellEnd, end, '\n');
    p = lf == end ? end : lf + 1;
  }
  std::stable_sort(keys.begin(), keys.end());
  return keys;
}

}  // namespace lowerbound
