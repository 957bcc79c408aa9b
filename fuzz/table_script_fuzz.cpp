// Table commands on random tables, through the batch script interpreter.
//
// The input is decoded into a table (rows of TAB-separated cells drawn from
// numbers, words, double-byte text and blanks) saved as the document, and a
// script of block selections, table commands with dialog values (the
// extremes of int among them), typing, undo and redo. Only commands that
// stay inside the document are chosen, so a run never touches other files.
// Afterwards undoing every step must give the table back byte for byte.
#include <fstream>
#include <sstream>
#include <vector>

#include "FuzzSupport.h"
#include "app/BatchRunner.h"

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
  FuzzInput in(data, size);
  std::string table;
  const int rows = 1 + static_cast<int>(in.Below(12));
  for (int r = 0; r < rows; ++r) {
    const int cells = static_cast<int>(in.Below(8));
    for (int c = 0; c < cells; ++c) {
      if (c > 0) table += '\t';
      table += kCells[in.Below(sizeof kCells / sizeof *kCells)];
    }
    if (r + 1 < rows || (in.Byte() & 1)) table += "\r\n";
  }

  std::ostringstream script;
  const int len = static_cast<int>(table.size());
  for (int step = 0; step < 12 && !in.Empty(); ++step) {
    switch (in.Below(4)) {
      case 0:
        script << (in.Below(4) ? "drag " : "select ") << in.Below(len + 1) << ' ' << in.Below(len + 1) << '\n';
        break;
      case 1:
      case 2: {
        const DialogCommand& c = Commands()[in.Below(static_cast<std::uint32_t>(Commands().size()))];
        script << "command " << c.id;
        for (int control : c.controls)
          if (in.Byte() & 1) script << ' ' << control << '=' << ValueFor(control, in);
        script << '\n';
        break;
      }
      case 3:
        script << "type " << Escaped(in.Bytes(6)) << '\n';
        break;
    }
  }
  const std::string folder = FuzzScratchFolder();
  script << "state\n";
  for (int i = 0; i < 100; ++i) script << "command 32789\n";
  script << "write " << folder << "/undone.txt\n";

  const std::string documentPath = folder + "/table.txt";
  const std::string scriptPath = folder + "/script.pvs";
  std::ofstream(documentPath, std::ios::binary | std::ios::trunc) << table;
  std::ofstream(scriptPath, std::ios::binary | std::ios::trunc) << script.str();
  std::remove((folder + "/Pivra.conf").c_str());
  setenv("PIVRA_CONFIG", (folder + "/Pivra.conf").c_str(), 1);

  std::ostringstream out, err;
  BatchRunner runner(out, err);
  const int code = runner.Run({documentPath}, scriptPath, documentPath);
  if (std::getenv("PIVRA_FUZZ_TRACE"))
    std::fprintf(stderr, "--- table\n%s\n--- script\n%s--- exit %d\n%s%s", table.c_str(), script.str().c_str(), code,
                 out.str().c_str(), err.str().c_str());
  FUZZ_CHECK(code == 0 || code == 2);
  const std::string printed = out.str();
  if (code == 0) {
    const std::size_t len = printed.find(" len=", printed.rfind("state: "));
    FUZZ_CHECK(len != std::string::npos);
    FUZZ_CHECK(std::stol(printed.substr(len + 5)) <= 0xFFFFF);
    std::ifstream undone(folder + "/undone.txt", std::ios::binary);
    std::stringstream back;
    back << undone.rdbuf();
    FUZZ_CHECK(back.str() == table);
  }
  // A run never saves: the document on disk is the table it started from.
  std::ifstream f(documentPath, std::ios::binary);
  std::stringstream onDisk;
  onDisk << f.rdbuf();
  FUZZ_CHECK(onDisk.str() == table);
  return 0;
}
