// The editor's peak memory while a user works on a large document, at 1 MB
// and at 64 MB in one run, each case measured in a process of its own.
//
// The parent writes each document to a temporary file and frees its own copy
// before it forks; the child starts this program again (`--child FILE KIND`)
// and does only what a user does with the document, with the size limit
// raised (BigView): open the file and paint it, type 100 keystrokes in the
// middle (every fifth a backspace), sum every column of the whole table and
// undo that (tables only), find a word that is not there from the top (the
// whole text searched), save. After each step it reports the peak resident
// size so far (getrusage ru_maxrss) and the bytes the allocator holds in use;
// the parent prints them against the text's size. The first row, "start", is
// the child before it opens anything: the program's own code and tables.
//
// The documents (BigTexts.h): the numeric table and the Japanese prose as
// CP932 files, and the prose as a UTF-8 file (converted when read, written
// back as UTF-8). The figure held against the target (4x the text) is the
// peak after the last step.
//
// Run it alone: `build/bench/peak_memory_bench` (a minute or two);
// `--quick` measures the 1 MB documents only.
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "BigTexts.h"
#include "BigView.h"
#include "editor/CommandIds.h"
#include "find/SearchBars.h"
#include "text/FileEncoding.h"

namespace {

using benchtables::BigView;

long PeakResidentKB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

long HeapInUseKB() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<long>((m.uordblks + m.hblkhd) / 1024);
}

// One line a step on stdout, read by the parent: "STEP PEAK_KB HEAP_KB".
void ReportStep(const char* step) {
  std::printf("%s %ld %ld\n", step, PeakResidentKB(), HeapInUseKB());
  std::fflush(stdout);
}

int RunChild(const std::string& path, const std::string& kind) {
  ReportStep("start");
  BigView v(false);
  EditorView& view = *v.view;
  EditBuffer& e = view.Edit();
  v.app->Doc().OpenDocumentFile(path);
  v.Paint();
  if (e.GetTextLength() == 0) {
    std::fprintf(stderr, "! %s not opened\n", path.c_str());
    return 1;
  }
  ReportStep("open+paint");

  e.SetSel(e.GetTextLength() / 2, e.GetTextLength() / 2);
  e.ScrollCaret();
  for (int i = 0; i < 100; ++i) v.TypeKey(i % 5 == 4);
  ReportStep("100-keystrokes");

  if (kind == "table") {
    const int before = e.GetTextLength();
    view.modes.table = true;
    view.cellRange = CellRange{0, 0, bigtexts::kTableCells - 1, e.LogicalLineCount() - 2};
    view.tableSelection = {0, e.GetTextLength() - 2};
    e.SetSel(0, 0);
    view.Execute(cmd::ColumnSumBelow);
    if (e.GetTextLength() <= before) std::fprintf(stderr, "! column sums not done\n");
    ReportStep("column-sums");
    view.Execute(cmd::Undo);
    if (e.GetTextLength() != before) std::fprintf(stderr, "! column sums not undone\n");
    ReportStep("undo");
    view.modes.table = false;
  }

  view.Execute(cmd::Find);
  find::BarsOf(view).findBar->search.edit = "needle";
  e.SetSel(0, 0);
  view.Execute(cmd::BarFindNext);
  ReportStep("find-next");

  if (!v.app->Doc().OnSaveDocument(path)) std::fprintf(stderr, "! not saved\n");
  ReportStep("save");
  return 0;
}

struct Step {
  std::string name;
  long peakKB = 0;
  long heapKB = 0;
};

// Runs the child on `path` and collects its steps; empty when it failed.
std::vector<Step> MeasureInChild(const std::string& self, const std::string& path, const std::string& kind) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    execl(self.c_str(), self.c_str(), "--child", path.c_str(), kind.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::vector<Step> steps;
  if (FILE* in = fdopen(fds[0], "r")) {
    char name[64];
    long peak = 0, heap = 0;
    while (std::fscanf(in, "%63s %ld %ld", name, &peak, &heap) == 3) steps.push_back({name, peak, heap});
    std::fclose(in);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  return steps;
}

std::string WriteTemp(const std::string& name, const std::string& bytes) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return {};
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

struct Case {
  std::string kind;        // the child's KIND
  std::size_t textBytes;   // the text the editor holds
  std::size_t fileBytes;   // the file on disk
  std::vector<Step> steps;
};

Case Measure(const std::string& self, const std::string& kind, std::size_t bytes) {
  Case c{kind, 0, 0, {}};
  std::string path;
  {
    std::string text = kind == "table" ? bigtexts::Table(bytes) : bigtexts::Prose(bytes);
    c.textBytes = text.size();
    if (kind == "prose-utf8") text = file_encoding::ToUtf8(text, 0).bytes;
    c.fileBytes = text.size();
    path = WriteTemp("pivra-peak-bench-" + kind + ".txt", text);
  }
  // The parent's copy is gone before the fork, so the child starts small.
  malloc_trim(0);
  c.steps = MeasureInChild(self, path, kind);
  std::filesystem::remove(path);
  std::filesystem::remove(path + ".bak");
  return c;
}

void Print(const std::vector<Case>& small, const std::vector<Case>& large) {
  for (std::size_t k = 0; k < small.size(); ++k) {
    const Case& s = small[k];
    std::printf("\n%s: text %.2f MB (file %.2f MB)", s.kind.c_str(), s.textBytes / 1048576.0, s.fileBytes / 1048576.0);
    const Case* l = k < large.size() ? &large[k] : nullptr;
    if (l) std::printf(", text %.2f MB (file %.2f MB)", l->textBytes / 1048576.0, l->fileBytes / 1048576.0);
    std::printf("\n%-16s  %-30s", "step", "peak resident / heap in use");
    if (l) std::printf("  %-30s", "peak resident / heap in use");
    std::printf("\n");
    const auto cell = [](const Case& c, std::size_t i) {
      char buf[64];
      if (i >= c.steps.size()) return std::string("(failed)");
      const Step& st = c.steps[i];
      std::snprintf(buf, sizeof buf, "%.1f MB = %.1fx / %.1f MB", st.peakKB / 1024.0,
                    st.peakKB * 1024.0 / static_cast<double>(c.textBytes), st.heapKB / 1024.0);
      return std::string(buf);
    };
    const std::size_t rows = std::max(s.steps.size(), l ? l->steps.size() : 0);
    for (std::size_t i = 0; i < rows; ++i) {
      const std::string& name = i < s.steps.size() ? s.steps[i].name : l->steps[i].name;
      std::printf("%-16s  %-30s", name.c_str(), cell(s, i).c_str());
      if (l) std::printf("  %-30s", cell(*l, i).c_str());
      std::printf("\n");
    }
    std::printf("%-16s  target: peak <= 4x the text\n", "");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--child") == 0) return RunChild(argv[2], argv[3]);
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::vector<std::string> kinds{"table", "prose", "prose-utf8"};
  std::vector<Case> small, large;
  for (const std::string& kind : kinds) small.push_back(Measure(self, kind, std::size_t{1} << 20));
  if (!quick)
    for (const std::string& kind : kinds) large.push_back(Measure(self, kind, std::size_t{64} << 20));
  std::printf("peak memory of the editor alone, each document in a process of its own\n");
  Print(small, large);
  return 0;
}
