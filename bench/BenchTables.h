// What the view benchmarks share: the 1 MB numeric table they work on, a
// host that answers every message box and dialog with OK, and a view wired
// to a settings file in a temporary folder of its own, in a process that
// keeps freed memory as the program does.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <system_error>

#include "app/AppContext.h"
#include "app/MemoryPolicy.h"
#include "settings/CommandLine.h"
#include "settings/SettingsStore.h"
#include "document/Document.h"
#include "editor/EditorView.h"
#include "platform/LineLayout.h"
#include "platform/UiHost.h"

namespace benchtables {

constexpr int kRows = 20000;
constexpr int kColumns = 10;

// kRows rows of kColumns numbers like 1.2 and 4.5, TAB between the cells
// and CR LF after each row: 41 bytes a row, 820 KB in all, so that a column
// of results (row sums, ranks) still fits the 1 MB text limit. The seed
// picks the numbers, so a benchmark gets the same table on every run.
inline std::string NumericTable(unsigned seed) {
  std::mt19937 rng(seed);
  std::string t;
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      const int v = 10 + static_cast<int>(rng() % 90);
      t += std::to_string(v / 10) + "." + std::to_string(v % 10);
      t += c + 1 < kColumns ? "\t" : "\r\n";
    }
  }
  return t;
}

// OK to everything; a dialog is first handed to `fill`, when set, to put in
// the values a user would type.
struct OkHost : UiHost {
  std::function<void(DialogData&)> fill;
  MsgResult MessageBox(const std::string&, const std::string&, MsgButtons, MsgIcon) override { return MsgResult::Ok; }
  bool RunDialog(DialogData& d) override {
    if (fill) fill(d);
    return true;
  }
  bool ChooseFile(FileDialogData&) override { return false; }
};

// A view of 80 x 40 cells of 8 x 16 pixels over an empty document, its
// settings in a fresh folder under the temporary directory (named from
// `folderPrefix`) that goes away with it. A non-empty `text` is put in before
// the view's first update.
struct ViewFixture {
  std::filesystem::path dir;
  AppContext* app;
  SettingsStore* settings;
  OkHost host;
  MemoryClipboard clipboard;
  FixedCellLayout layout{8, 16};
  EditorView* view;

  explicit ViewFixture(const std::string& folderPrefix, const std::string& text = {}) {
    KeepFreedMemoryForReuse();  // as the program does at start
    std::string tmpl = (std::filesystem::temp_directory_path() / (folderPrefix + "-XXXXXX")).string();
    dir = mkdtemp(tmpl.data());
    app = new AppContext({}, (dir / "Pivra.conf").string());
    settings = &app->Settings();
    view = app->CreateView(host, clipboard).release();
    view->Edit().SetLayout(&layout);
    view->Edit().SetClientRect({0, 0, 80 * 8, 40 * 16});
    if (!text.empty()) view->Edit().SetText(text);
    view->OnInitialUpdate();
  }
  ~ViewFixture() {
    delete view;
    delete app;
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  ViewFixture(const ViewFixture&) = delete;
  ViewFixture& operator=(const ViewFixture&) = delete;
};

}  // namespace benchtables
