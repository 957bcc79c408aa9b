// BigView: a benchmark view whose size limit is raised to its largest
// ("Settings"/"MaxTextBytes" at EditBuffer::kMaxTextLimit), so that the large
// texts of BigTexts.h open, over a settings file of its own (ViewFixture),
// with word wrap as asked. Paint() computes what a repaint computes.
#pragma once

#include <benchmark/benchmark.h>

#include "BenchTables.h"
#include "editor/KeyCodes.h"
#include "settings/SettingsKeys.h"

namespace benchtables {

struct BigView : ViewFixture {
  explicit BigView(bool wrap) : ViewFixture("pivra-big-bench") {
    settings->WriteInt(setting::MaxTextBytes, setting::MaxTextBytes.maxValue);
    // The view read the limit when it was made; a second view reads the raised one.
    delete view;
    view = app->CreateView(host, clipboard).release();
    view->Edit().SetLayout(&layout);
    view->Edit().SetClientRect({0, 0, 80 * 8, 40 * 16});
    app->Doc().OnNewDocument();
    view->OnInitialUpdate();
    view->ApplyWordWrap(wrap);
  }
  // What a repaint computes: the visible rows and the caret's point.
  void Paint() {
    EditBuffer& e = view->Edit();
    const int first = e.FirstVisibleLine();
    long long sum = 0;
    for (int r = first; r < first + e.VisibleLineCount() + 1; ++r) sum += e.RowRange(r).end;
    sum += e.CaretPoint().x;
    benchmark::DoNotOptimize(sum);
  }
  // One key as the user types it, processed and repainted: the letter a, or
  // Backspace.
  void TypeKey(bool backspace) {
    if (backspace) {
      view->PressKey(key::Back, false, false, false);
      view->OnKeyUp(key::Back);
    } else {
      view->PressKey('A', false, false, false, "a");
      view->OnKeyUp('A');
    }
    view->OnIdle(true);
    Paint();
  }
};

}  // namespace benchtables
