// The window with a 1 MB CP932 text and word wrap on, offscreen:
//   - BM_LayoutAndFirstPaint: the text is set (every logical line measured and
//     wrapped with the real font) and the visible part painted once; "cold"
//     starts from a new font layout, so every distinct character is measured
//     with the font first, "warm" reuses one.
//   - BM_OpenAndFirstPaint: the same through the view's initial update, which
//     also applies tab stops, wrap and margins.
//   - BM_KeystrokeAndRepaint: one typed character in the middle of the text,
//     processed by the view and the widget repainted; the _TableMode variant
//     without word wrap, where the horizontal scroll range is measured again.
//   - BM_HorizontalBarStep: a step of the horizontal bar and the repaint, at
//     1 MB and 64 MB.
// Targets: under 200 ms to the first picture, under 16 ms per keystroke.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <string>

#include "app/AppContext.h"
#include "settings/CommandLine.h"
#include "settings/SettingsStore.h"
#include "platform/qt/QtUiHost.h"
#include "display/qt/DisplayFont.h"
#include "display/qt/TextPainter.h"
#include "platform/qt/FontLayout.h"
#include "document/Document.h"
#include "editor/CommandIds.h"
#include "editor/EditorView.h"
#include "editor/qt/PivraTextWidget.h"
#include "platform/qt/QtClipboard.h"

namespace {

using Clock = std::chrono::steady_clock;

// About a megabyte of lines mixing ASCII, TAB-separated numbers and level-1
// kanji (some 3,000 distinct characters), every seventh line long enough to wrap.
std::string MegabyteOfText() {
  std::string text;
  unsigned seed = 12345;
  auto kanji = [&] {
    seed = seed * 1103515245u + 12345u;
    const unsigned lead = 0x89 + (seed >> 16) % 15;
    unsigned trail = 0x40 + (seed >> 8) % 188;
    if (trail >= 0x7F) ++trail;  // 0x7F is never a trail byte
    text += static_cast<char>(lead);
    text += static_cast<char>(trail);
  };
  for (int n = 0; text.size() < 1000000; ++n) {
    text += "row " + std::to_string(n) + "\t12.5\t";
    for (int k = 0; k < 6; ++k) kanji();
    text += "\t";
    if (n % 7 == 0) {
      text += std::string(90, 'w') + " words that wrap ";
      for (int k = 0; k < 40; ++k) kanji();
    }
    text += "\r\n";
  }
  return text;
}

const std::string& Text() {
  static const std::string text = MegabyteOfText();
  return text;
}

QFont DisplayFont() {
  QFont font(QStringLiteral("ＭＳ ゴシック"));
  font.setPixelSize(16);
  font.setWeight(QFont::Bold);
  font.setKerning(false);
  return font;
}

// A view in editor mode (word wrap on) inside a shown 1000 x 700 widget.
struct Window {
  QTemporaryDir dir;
  AppContext app{{}, (dir.path() + QStringLiteral("/Pivra.conf")).toStdString()};
  SettingsStore& settings = app.Settings();
  QtUiHost host;
  QtClipboard clipboard;
  std::unique_ptr<EditorView> view;
  std::unique_ptr<PivraTextWidget> widget;

  explicit Window(const FontLayout& layout) {
    settings.WriteInt("Settings", "Editmode", 1);
    view = app.CreateView(host, clipboard);
    widget = std::make_unique<PivraTextWidget>(*view, layout);
    TextPainter::Attach(*widget);
    widget->resize(1000, 700);
    view->OnInitialUpdate();
    widget->show();
    QApplication::processEvents();
  }
  void Paint() { widget->viewport()->repaint(); }
};

void LayoutAndFirstPaint(benchmark::State& state, bool cold) {
  const FontLayout warm(DisplayFont());
  {
    Window w(warm);
    w.view->Edit().SetText(Text());  // measures every character once
  }
  for (auto _ : state) {
    const FontLayout fresh(DisplayFont());
    Window w(cold ? fresh : warm);
    const auto start = Clock::now();
    w.view->Edit().SetText(Text());
    w.widget->Refresh();
    w.Paint();
    const std::chrono::duration<double> spent = Clock::now() - start;
    state.SetIterationTime(spent.count());
    state.counters["rows"] = w.view->Edit().LineCount();
  }
}
void BM_LayoutAndFirstPaint_Cold(benchmark::State& state) { LayoutAndFirstPaint(state, true); }
void BM_LayoutAndFirstPaint_Warm(benchmark::State& state) { LayoutAndFirstPaint(state, false); }
BENCHMARK(BM_LayoutAndFirstPaint_Cold)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LayoutAndFirstPaint_Warm)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenAndFirstPaint(benchmark::State& state) {
  for (auto _ : state) {
    const FontLayout fresh(DisplayFont());
    Window w(fresh);
    const auto start = Clock::now();
    w.view->Edit().SetText(Text());
    w.view->OnInitialUpdate();
    w.widget->Refresh();
    w.Paint();
    const std::chrono::duration<double> spent = Clock::now() - start;
    state.SetIterationTime(spent.count());
  }
}
BENCHMARK(BM_OpenAndFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void KeystrokeAndRepaint(benchmark::State& state, bool tableMode) {
  const FontLayout layout(DisplayFont());
  Window w(layout);
  w.view->Edit().SetText(Text());
  w.view->OnInitialUpdate();
  if (tableMode) w.view->Execute(cmd::ToggleTableMode);  // no wrap: the horizontal scroll range follows the widest row
  EditBuffer& e = w.view->Edit();
  const int middle = e.LogicalLineStart(e.LogicalLineCount() / 2);
  e.SetSel(middle, middle);
  e.ScrollCaret();
  w.widget->Refresh();
  w.Paint();
  int typed = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"));
    QApplication::sendEvent(w.widget.get(), &press);
    QApplication::sendEvent(w.widget.get(), &release);
    w.Paint();
    const std::chrono::duration<double> spent = Clock::now() - start;
    state.SetIterationTime(spent.count());
    ++typed;
  }
  if (e.GetTextLength() != static_cast<int>(Text().size()) + typed) state.SkipWithError("keystrokes were not typed");
}
void BM_KeystrokeAndRepaint(benchmark::State& state) { KeystrokeAndRepaint(state, false); }
void BM_KeystrokeAndRepaint_TableMode(benchmark::State& state) { KeystrokeAndRepaint(state, true); }
BENCHMARK(BM_KeystrokeAndRepaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_KeystrokeAndRepaint_TableMode)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

// One step of the horizontal scroll bar dragged over a table without word
// wrap, and the repaint, at 1 MB and at 64 MB (the 1 MB text 64 times): the
// range was measured when the text came, so a step measures no row.
void BM_HorizontalBarStep(benchmark::State& state) {
  const FontLayout layout(DisplayFont());
  Window w(layout);
  std::string text;
  text.reserve(Text().size() * static_cast<std::size_t>(state.range(0)));
  for (int i = 0; i < state.range(0); ++i) text += Text();
  w.view->Edit().SetText(std::move(text));
  w.view->OnInitialUpdate();
  w.view->Execute(cmd::ToggleTableMode);
  w.widget->Refresh();
  w.Paint();
  QScrollBar* bar = w.widget->horizontalScrollBar();
  if (bar->maximum() < 2) state.SkipWithError("nothing to scroll");
  int step = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    bar->setValue(1 + step++ % bar->maximum());
    w.Paint();
    const std::chrono::duration<double> spent = Clock::now() - start;
    state.SetIterationTime(spent.count());
  }
  if (w.view->Edit().HorizontalScroll() != bar->value()) state.SkipWithError("the text did not follow the bar");
}
BENCHMARK(BM_HorizontalBarStep)->Arg(1)->Arg(64)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qargc = 1;
  char name[] = "window_bench";
  char* qargv[] = {name, nullptr};
  QApplication app(qargc, qargv);
  display_font::RegisterSubstitutions();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
