// TableClipboard: the rows of cells copied by the column and block commands,
// kept for each view as its Extension<TableClipboard>().
//
// Each row is the cells of one copied row joined by TAB; rowCount and
// columnCount describe the copied block. There is no fixed limit on the rows.
#pragma once

#include <string>
#include <vector>

#include "editor/ViewExtension.h"

struct TableClipboard : ViewExtension {
  std::vector<std::string> rows;
  int rowCount = 0;
  int columnCount = 0;
};
