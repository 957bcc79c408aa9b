// Table commands on random tables, through the batch script interpreter.
//
// The input is decoded into a table (rows of TAB-separated cells drawn from
// numbers, words, double-byte text and blanks, each row ending in CR LF or a
// lone LF, sometimes followed by many empty lines) saved as the document, a .txt or a .pvl file, and a script of
// block selections, table commands with dialog values (the extremes of int
// among them), typing, Delete and Backspace, the print-layout commands (a
// printer that prints nothing stands in), undo and redo. Only commands that
// stay inside the document are chosen; the only file a run may write is the
// document, when printing an unmodified .pvl file saves its directive line.
// Properties:
//   - undo right after a command, a print-layout command or an erasing key
//     that changed the text gives back exactly the text before it, and redo
//     the text after it;
//   - when the document says it is not modified, its text is the file's (as
//     loaded, lone line ends given CR LF);
//   - undoing every step gives back the text as loaded.
#include <fstream>
#include <sstream>
#include <vector>

#include "FuzzSupport.h"
#include "app/BatchRunner.h"
#include "print/PrintHost.h"
#include "text/LineEnds.h"

namespace {

struct DialogCommand {
  int id;
  std::vector<int> controls;
};

const std::vector<DialogCommand>& Commands() {
  static const std::vector<DialogCommand> commands = {
      {32954, {}}, {32956, {}}, {33047, {}}, {33048, {}}, {32955, {}}, {32957, {}}, {33052, {}}, {33053, {}},
      {32960, {1007, 1001, 1117, 1006, 1031}}, {33098, {1007, 1001, 1117, 1028}},
      {32962, {}}, {32963, {}}, {32964, {}}, {32965, {}}, {32966, {}}, {33107, {}}, {33005, {}}, {33006, {}},
      {32970, {}}, {33007, {}}, {33057, {}}, {32961, {}}, {32999, {}},
      {32811, {1032, 1001, 1117, 1120, 1119, 1118}}, {32812, {1115}}, {32813, {1033}},
      {33049, {1010, 1009, 1011, 1012}}, {32967, {1010, 1009, 1011, 1012}},
      {33054, {1010, 1009, 1011, 1012}}, {32968, {1010, 1009, 1011, 1012}},
      {33050, {1013, 1014, 1015, 1016}}, {32958, {1013, 1014, 1015, 1016}},
      {33055, {1013, 1014, 1015, 1016}}, {32959, {1013, 1014, 1015, 1016}},
      {33051, {1114, 1111, 1008}}, {32971, {1114, 1111, 1008}},
      {33056, {1112, 1111, 1113}}, {32972, {1112, 1111, 1113}},
      {32809, {}}, {32789, {}}, {32788, {}}, {57634, {}}, {57635, {}}, {57637, {}}, {57642, {}},
  };
  return commands;
}

const char* const kCells[] = {"", "0", "1", "-2.5", "10", "1e3", "abc", "\x95\x5c", "\x82\xa0\x82\xa2", "3\x96\x9c",
                              "99999999999", "-0", " 7", "x1"};
const int kValues[] = {-2147483647 - 1, -1, 0, 1, 2, 3, 4, 5, 7, 100, 65535, 2147483647};
// Drop-down lists: mostly items that exist, sometimes one past the end.
const int kListIds[] = {1007, 1111, 1115, 1033, 1114, 1008, 1112, 1113};

// Commands whose change is not one undo step of its own, or that change nothing.
bool ChangesInOneStep(int id) {
  return id != 32789 && id != 32788 && id != 32809 && id != 57634 && id != 33005 && id != 57642 && id != 32811;
}

// The print-layout commands: print columns, margins, the print font, printing
// and the preview.
const int kPrintCommands[] = {32780, 32781, 32782, 32783, 32784, 32785, 32786, 32787, 32775, 57607, 57608, 57609};

// A printer that lays nothing out: every request is "printed" on one page,
// and the font chooser answers OK with a height of its own.
class NullPrinter : public PrintHost {
 public:
  PrintOutcome Run(const PrintRequest&, UiHost&, const SettingsStore&) override {
    PrintOutcome out;
    out.prepared = true;
    out.startPage = out.endPage = 1;
    return out;
  }
  void PageSetup(UiHost&) override {}
  PrinterQuery PrinterResolution(int& dpiX, int& dpiY) override {
    dpiX = dpiY = 600;
    return PrinterQuery::Ok;
  }
  bool ChooseFont(FontDescription& font, UiHost&) override {
    font.height = -12;
    return true;
  }
};

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string AsLoaded(std::string text) {
  line_ends::NormaliseDocument(text);
  return text;
}

int ValueFor(int control, FuzzInput& in) {
  for (int id : kListIds)
    if (id == control) return static_cast<int>(in.Below(8));
  return kValues[in.Below(sizeof kValues / sizeof *kValues)];
}

std::string Escaped(const std::string& bytes) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += "\\x";
    out += hex[c >> 4];
    out += hex[c & 15];
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static NullPrinter printer;
  print_host::Install(&printer);
  FuzzInput in(data, size);
  const bool pvl = in.Byte() & 1;
  std::string table;
  const int rows = 1 + static_cast<int>(in.Below(12));
  for (int r = 0; r < rows; ++r) {
    const int cells = static_cast<int>(in.Below(8));
    for (int c = 0; c < cells; ++c) {
      if (c > 0) table += '\t';
      table += kCells[in.Below(sizeof kCells / sizeof *kCells)];
    }
    if (r + 1 < rows || (in.Byte() & 1)) table += in.Below(4) ? "\r\n" : "\n";
  }
  // Sometimes a tail of empty lines with lone LFs, long enough that the line
  // number gutter widens and narrows as lines go and come.
  if (in.Below(4) == 0) table += std::string(40 + in.Below(80), '\n');

  const std::string folder = FuzzScratchFolder();
  std::ostringstream script;
  const int len = static_cast<int>(table.size());
  int checkedSteps = 0;
  // A step checked by undo and redo right after it: its texts are written to
  // step-N-before, -after, -undone and -redone.
  auto checked = [&](const std::string& line) {
    const std::string name = folder + "/step-" + std::to_string(checkedSteps++);
    script << "write " << name << "-before\n" << line << "write " << name << "-after\ncommand 32789\nwrite " << name
           << "-undone\ncommand 32788\nwrite " << name << "-redone\n";
  };
  for (int step = 0; step < 12 && !in.Empty(); ++step) {
    switch (in.Below(6)) {
      case 0:
        script << (in.Below(4) ? "drag " : "select ") << in.Below(len + 1) << ' ' << in.Below(len + 1) << '\n';
        break;
      case 1:
      case 2: {
        const DialogCommand& c = Commands()[in.Below(static_cast<std::uint32_t>(Commands().size()))];
        std::ostringstream line;
        line << "command " << c.id;
        for (int control : c.controls)
          if (in.Byte() & 1) line << ' ' << control << '=' << ValueFor(control, in);
        line << '\n';
        if (ChangesInOneStep(c.id)) {
          checked(line.str());
        } else {
          script << line.str();
        }
        break;
      }
      case 3:
        script << "type " << Escaped(in.Bytes(6)) << '\n';
        break;
      case 4: {
        const int id = kPrintCommands[in.Below(sizeof kPrintCommands / sizeof *kPrintCommands)];
        checked("command " + std::to_string(id) + "\n");
        break;
      }
      case 5:
        checked(in.Below(2) ? "key Delete\n" : "key Backspace\n");
        break;
    }
  }
  script << "write " << folder << "/final.txt\n";
  script << "state\n";
  for (int i = 0; i < 100; ++i) script << "command 32789\n";
  script << "write " << folder << "/undone.txt\n";

  const std::string documentPath = folder + (pvl ? "/table.pvl" : "/table.txt");
  const std::string scriptPath = folder + "/script.pvs";
  std::ofstream(documentPath, std::ios::binary | std::ios::trunc) << table;
  std::ofstream(scriptPath, std::ios::binary | std::ios::trunc) << script.str();
  std::remove((folder + "/Pivra.conf").c_str());
  std::remove((documentPath + ".bak").c_str());
  setenv("PIVRA_CONFIG", (folder + "/Pivra.conf").c_str(), 1);

  std::ostringstream out, err;
  BatchRunner runner(out, err);
  const int code = runner.Run({documentPath}, scriptPath, documentPath);
  if (std::getenv("PIVRA_FUZZ_TRACE"))
    std::fprintf(stderr, "--- table\n%s\n--- script\n%s--- exit %d\n%s%s", table.c_str(), script.str().c_str(), code,
                 out.str().c_str(), err.str().c_str());
  FUZZ_CHECK(code == 0 || code == 2);
  const std::string printed = out.str();
  const std::string onDisk = ReadFile(documentPath);
  if (code == 0) {
    const std::size_t lastState = printed.rfind("state: ");
    const std::size_t len = printed.find(" len=", lastState);
    FUZZ_CHECK(len != std::string::npos);
    FUZZ_CHECK(std::stol(printed.substr(len + 5)) <= 0xFFFFF);
    for (int i = 0; i < checkedSteps; ++i) {
      const std::string name = folder + "/step-" + std::to_string(i);
      const std::string before = ReadFile(name + "-before"), after = ReadFile(name + "-after");
      if (after == before) continue;
      FUZZ_CHECK(ReadFile(name + "-undone") == before);
      FUZZ_CHECK(ReadFile(name + "-redone") == after);
    }
    if (printed.find(" modified=0 ", lastState) != std::string::npos)
      FUZZ_CHECK(ReadFile(folder + "/final.txt") == AsLoaded(onDisk));
    FUZZ_CHECK(ReadFile(folder + "/undone.txt") == AsLoaded(table));
  }
  // A run saves nothing but a .pvl document's refreshed directive line.
  FUZZ_CHECK(onDisk == table || (pvl && onDisk.compare(0, 7, "// TAB=") == 0));
  for (int i = 0; i < checkedSteps; ++i)
    for (const char* end : {"-before", "-after", "-undone", "-redone"})
      std::remove((folder + "/step-" + std::to_string(i) + end).c_str());
  return 0;
}
