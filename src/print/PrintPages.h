// PrintPages: one printout laid out page by page.
//
// The text is paginated in full when the object is made: PageStarts()[p - 1]
// is the byte where page p begins (entry 0 is 0), and page p + 1 is added
// only while the text goes on past page p, so the last page holds the end of
// the text. Every page has the same columns (print/PrintLayout.h) and no
// header, footer or page number. A page that cannot hold a single line ends
// the pagination, so a page too small for the font never loops.
//
// The pages refer to the text they were made from, which must outlive them
// and stay unchanged: a printout of a large text holds no copy of it.
#pragma once

#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "platform/LineLayout.h"
#include "print/PrintLayout.h"

struct PageSetup {
  Rect area;            // the printable area in printer pixels, from (0, 0)
  int columns = 1;      // 1 to 4
  int marginStep = 1;   // 1 to 4: 100 to 400 pixels of top and left margin
  int tabPixels = 64;   // distance between TAB stops
};

class PrintPages {
 public:
  PrintPages(std::string_view text, const PageSetup& setup, const LineLayout& font);

  const std::vector<int>& PageStarts() const { return starts_; }
  int PageCount() const { return static_cast<int>(starts_.size()); }
  const std::vector<Rect>& Columns() const { return columns_; }
  std::string_view Text() const { return text_; }
  const LineLayout& Font() const { return font_; }

  // The runs of page `page` (1-based), column by column, top to bottom.
  std::vector<print_layout::PrintedRun> PageRuns(int page) const;

 private:
  int LayoutPage(int page, std::vector<print_layout::PrintedRun>* runs) const;

  std::string_view text_;
  PageSetup setup_;
  const LineLayout& font_;
  std::vector<Rect> columns_;
  std::vector<int> starts_{0};
};

// The page the preview opens on (1-based): the first page whose successor
// starts after `firstVisibleChar`, the first byte the editor shows; the last
// page when none does.
int PreviewStartPage(const std::vector<int>& pageStarts, int firstVisibleChar);
