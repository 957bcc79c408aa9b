// The table tests' view: the shared test view, given exactly the bytes a test
// names (line ends included, even where opening a document would normalise them).
#pragma once

#include <string>
#include <utility>

#include "support/TestView.h"

namespace tabletest {

using TempDir = ::TempDir;

struct Fixture : TestView {
  explicit Fixture(const std::string& text = "") : TestView(text) {
    if (Text() != text) {
      Edit().SetText(text);
      view.History().Restart(Edit());
    }
  }
  std::pair<int, int> Sel() const { return view.Edit().GetSel(); }
  unsigned Undo() { return view.History().Current(); }
};

}  // namespace tabletest
