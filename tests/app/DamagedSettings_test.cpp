// A damaged or strange settings file never stops the program: start-up reads
// what parses, skips the rest, and the session goes on and writes values.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/BatchRun.h"
#include "support/CaseName.h"

namespace {

struct DamagedCase {
  const char* name;
  std::string file;
  const char* printed;  // part of the state line after "command 32809" twice
};

std::string Garbage() {
  std::string s;
  for (int i = 0; i < 70000; ++i) s += static_cast<char>((i * 131 + i / 7) & 0xFF);
  return s;
}

const DamagedCase kCases[] = {
    {"binary garbage", Garbage(), "tab=8 "},
    {"invalid UTF-8", "[Settings]\nRetuHaba=int:12\n\xff\xfe\x80=str:\xc3\x28\xed\xa0\x80\n[\xf8\x88]\nx=int:1\n", "tab=12 "},
    {"a very long line", "[Settings]\n" + std::string(3 << 20, 'k') + "=int:5\nRetuHaba=int:16\n", "tab=16 "},
    {"NUL in keys", std::string("[Settings]\nRetu\0Haba=int:20\nRetuHaba=int:4\n[Sett\0ings]\nRetuHaba=int:24\n", 60),
     "tab=4 "},
    {"duplicate keys and sections", "[Settings]\nRetuHaba=int:12\nretuhaba=int:16\n[SETTINGS]\nRetuHaba=int:20\n",
     "tab=12 "},
    {"out of range", "[Settings]\nRetuHaba=int:2147483647\nSho=int:-5\n", "tab=8 wrap=0 decimals=1 "},
    {"no line end", "[Settings]\nRetuHaba=int:12", "tab=12 "},
};

class DamagedSettings : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedSettings, StartNormallyAndStayWritable) {
  BatchRun b;
  std::ofstream(b.PathOf("Pivra.conf"), std::ios::binary) << GetParam().file;
  const BatchResult r = b.Run(
      "command 32809\ncommand 32809\nstate\n"
      "setint Test Written 42\n"
      "type 1+2=\\n\n"
      "write " + b.PathOf("out.txt") + "\n");
  ASSERT_EQ(r.exitCode, 0) << r.out.substr(0, 2000);
  EXPECT_NE(r.out.find(GetParam().printed), std::string::npos) << r.out.substr(0, 2000);
  EXPECT_EQ(b.Read("out.txt"), "1+2=3.0\r\n");
  EXPECT_NE(b.Read("Pivra.conf").find("Written=int:42"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedSettings, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

}  // namespace
