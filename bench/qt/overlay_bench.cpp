// The overlay over a TeX-like CP932 text of 1 MB and of 64 MB side by side
// (the argument is the size in megabytes), holding every token kind
// ($ { } \word [ ] ( ) \[ \] % // comments, marks) and the twelve user
// strings, in a window of 40 rows scrolled to the middle, offscreen. Only
// the visible rows are drawn, so the figures do not grow with the text:
//   - BM_OverlayCompute: the drawing items computed alone (word wrap on,
//     logical line numbers); target under 1 ms.
//   - BM_Repaint_WordWrap: the whole picture painted again, text and overlay
//     computed and painted, word wrap on; target under 4 ms.
//   - BM_Repaint_TableModeWithRuler: the same in table mode with physical
//     numbers and the column ruler.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <map>
#include <memory>
#include <string>

#include "app/AppContext.h"
#include "display/Overlay.h"
#include "display/qt/DisplayFont.h"
#include "display/qt/ViewDisplay.h"
#include "editor/CommandIds.h"
#include "editor/EditorView.h"
#include "editor/qt/PivraTextWidget.h"
#include "platform/qt/FontLayout.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtUiHost.h"
#include "settings/SettingsStore.h"
#include "text/Cp932.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRows = 40;

const char* const kUserStrings[12] = {"TODO", "FIXME", "theorem", "lemma", "proof", "定理",
                                      "証明", "alpha", "beta", "gamma", "note", "見出し"};

std::string MakeTexLikeText(std::size_t bytes) {
  std::string text;
  text.reserve(bytes + 256);
  const std::string lines[] = {
      cp932::FromUtf8("\\section{定理 %d} and $x^2 + y_1$ in (parens) and [brackets] \\emph{proof}\r\n"),
      cp932::FromUtf8("\\[ E = mc^2 \\]\tTODO: a lemma about alpha, beta and gamma　note\r\n"),
      cp932::FromUtf8("a/b $not coloured$ after a slash, FIXME \\cite{x} % percent\r\n"),
      cp932::FromUtf8("// a comment with $x$ running to the end of a line long enough to wrap onto the next row "
                      "of the window, and then some more words 証明 見出し\r\n"),
      cp932::FromUtf8("\\begin{theorem}\t\\label{t}\t(1)\t[2]\t{3}\t\\end{theorem}\r\n"),
  };
  for (int n = 0; text.size() < bytes; ++n) text += lines[n % 5];
  return text;
}

const std::string& TexLikeText(int megabytes) {
  static std::map<int, std::string> texts;
  std::string& text = texts[megabytes];
  if (text.empty()) text = MakeTexLikeText(static_cast<std::size_t>(megabytes) * 1000000);
  return text;
}

QFont DisplayFont() {
  QFont font(QStringLiteral("ＭＳ ゴシック"));
  font.setPixelSize(16);
  font.setWeight(QFont::Bold);
  font.setKerning(false);
  return font;
}

struct Window {
  QTemporaryDir dir;
  AppContext app{{}, (dir.path() + QStringLiteral("/Pivra.conf")).toStdString()};
  QtUiHost host;
  QtClipboard clipboard;
  FontLayout layout{DisplayFont()};
  std::unique_ptr<EditorView> view;
  std::unique_ptr<PivraTextWidget> widget;

  Window(bool tableMode, int megabytes) {
    SettingsStore& s = app.Settings();
    s.WriteInt("Settings", "Editmode", tableMode ? 0 : 1);
    for (int i = 0; i < 12; ++i) {
      s.WriteString("Colors", "Str" + std::to_string(i + 1), kUserStrings[i]);
      s.WriteInt("Colors", kUserStrings[i], 0x0080FF + i);
    }
    view = app.CreateView(host, clipboard);
    widget = std::make_unique<PivraTextWidget>(*view, layout);
    new ViewDisplay(*widget, s);
    widget->resize(800, kRows * layout.LineHeight() + 4);
    view->Edit().SetText(TexLikeText(megabytes));
    view->OnInitialUpdate();
    if (!tableMode) view->Execute(cmd::ToggleLogicalLineNumbers);
    widget->show();
    QApplication::processEvents();
    EditBuffer& e = view->Edit();
    e.SetSel(e.GetTextLength() / 2, e.GetTextLength() / 2);
    e.ScrollCaret();
    view->OnUpdate(UpdateHint::None);
    widget->Refresh();
    QApplication::processEvents();
  }
};

void BM_OverlayCompute(benchmark::State& state) {
  Window w(false, static_cast<int>(state.range(0)));
  std::size_t items = 0;
  for (auto _ : state) {
    const std::vector<OverlayItem> list = overlay::Compute(*w.view);
    items = list.size();
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["items"] = static_cast<double>(items);
  state.counters["rows"] = w.view->Edit().VisibleLineCount();
}
BENCHMARK(BM_OverlayCompute)->ArgName("MB")->Arg(1)->Arg(64)->Unit(benchmark::kMicrosecond);

void Repaint(benchmark::State& state, bool tableMode) {
  Window w(tableMode, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const auto start = Clock::now();
    w.widget->viewport()->repaint();
    const std::chrono::duration<double> spent = Clock::now() - start;
    state.SetIterationTime(spent.count());
  }
  state.counters["items"] = static_cast<double>(overlay::Compute(*w.view).size());
  state.counters["wrap"] = w.view->Edit().IsWordWrap() ? 1 : 0;
}
void BM_Repaint_WordWrap(benchmark::State& state) { Repaint(state, false); }
void BM_Repaint_TableModeWithRuler(benchmark::State& state) { Repaint(state, true); }
BENCHMARK(BM_Repaint_WordWrap)->ArgName("MB")->Arg(1)->Arg(64)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint_TableModeWithRuler)->ArgName("MB")->Arg(1)->Arg(64)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qargc = 1;
  char name[] = "overlay_bench";
  char* qargv[] = {name, nullptr};
  QApplication app(qargc, qargv);
  display_font::RegisterSubstitutions();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
