#include "print/PrintPages.h"

PrintPages::PrintPages(std::string_view text, const PageSetup& setup, const LineLayout& font)
    : text_(text), setup_(setup), font_(font),
      columns_(print_layout::ColumnRects(setup.area, setup.marginStep, setup.columns)) {
  const int length = static_cast<int>(text_.size());
  for (int page = 1;; ++page) {
    const int next = LayoutPage(page, nullptr);
    if (next >= length || next <= starts_.back()) break;
    starts_.push_back(next);
  }
}

int PrintPages::LayoutPage(int page, std::vector<print_layout::PrintedRun>* runs) const {
  int next = starts_[page - 1];
  const int length = static_cast<int>(text_.size());
  for (const Rect& column : columns_)
    next = print_layout::LayoutInRect(text_, next, length, column, font_, setup_.tabPixels, runs);
  return next;
}

std::vector<print_layout::PrintedRun> PrintPages::PageRuns(int page) const {
  std::vector<print_layout::PrintedRun> runs;
  if (page >= 1 && page <= PageCount()) LayoutPage(page, &runs);
  return runs;
}

int PreviewStartPage(const std::vector<int>& pageStarts, int firstVisibleChar) {
  const int count = static_cast<int>(pageStarts.size());
  for (int i = 1; i < count; ++i)
    if (firstVisibleChar < pageStarts[i]) return i;
  return count;
}
