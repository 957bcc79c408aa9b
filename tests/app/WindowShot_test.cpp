// The batch runner's `shot`: the main window painted offscreen with the
// window's own paint code. The window's pixels depend only on its state,
// never on how it was reached: after a drag and a table command, the picture
// is that of the resulting text opened afresh with the same selection.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/BatchRun.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// The `state:` line of a run's output.
std::string StateLine(const std::string& out) {
  const std::size_t at = out.rfind("state: ");
  return at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) - at);
}

// The value of `name=` in a state line.
std::string Field(const std::string& state, const std::string& name) {
  const std::size_t at = state.find(" " + name + "=");
  if (at == std::string::npos) return {};
  const std::size_t from = at + name.size() + 2;
  return state.substr(from, state.find(' ', from) - from);
}

TEST(WindowShot, PaintsThePngOfTheWindow) {
  BatchRun b;
  const BatchResult r = b.Run("type a\\tb\\n\nshot " + b.PathOf("w.png") + "\nstate\nshot\n");
  EXPECT_EQ(r.exitCode, 2) << r.out;
  EXPECT_NE(r.out.find("error: line 4: shot takes a path"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("state: sel=5,5 "), std::string::npos) << "the shot leaves the view as it was: " << r.out;
  const std::string png = b.Read("w.png");
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST(WindowShot, NothingOfABlockStaysAfterTheTableCommandThatRewroteTheText) {
  const std::string sample = ReadBytes(fs::path(PIVRA_TEST_DATA) / ".." / ".." / "examples" / "sample.pvl");
  ASSERT_FALSE(sample.empty());
  // The block from 82 (the first name's first mark) to 66 (the fourth name's last).
  const std::size_t from = sample.find("\t82\t") + 1;
  const std::size_t to = sample.find("\t66\r\n") + 3;
  ASSERT_LT(from, to);

  BatchRun used;
  fs::copy_file(fs::path(PIVRA_TEST_DATA) / ".." / ".." / "examples" / "sample.pvl", used.PathOf("sample.pvl"));
  const BatchResult a = used.Run("open " + used.PathOf("sample.pvl") + "\ndrag " + std::to_string(from) + " " +
                                 std::to_string(to) + "\ncommand 33052\nshot " + used.PathOf("after.png") +
                                 "\nwrite " + used.PathOf("result.pvl") + "\nstate\n");
  ASSERT_EQ(a.exitCode, 0) << a.out;
  const std::string stateA = StateLine(a.out);
  ASSERT_EQ(Field(stateA, "modified"), "1") << a.out;
  const std::string sel = Field(stateA, "sel");
  const std::string selStart = sel.substr(0, sel.find(','));
  const std::string selEnd = sel.substr(sel.find(',') + 1);

  // The same text, opened afresh: an edit taken back gives it the same
  // modified mark and undo buttons, then the same selection.
  BatchRun fresh;
  fs::copy_file(used.PathOf("result.pvl"), fresh.PathOf("result.pvl"));
  const BatchResult b = fresh.Run("open " + fresh.PathOf("result.pvl") + "\ntype x\nkey Backspace\nselect " +
                                  selStart + " " + selEnd + "\nstate\nshot " + fresh.PathOf("fresh.png") + "\n");
  ASSERT_EQ(b.exitCode, 0) << b.out;
  const std::string stateB = StateLine(b.out);
  ASSERT_EQ(Field(stateB, "sel"), sel) << b.out;
  ASSERT_EQ(Field(stateB, "firstvisible"), Field(stateA, "firstvisible"));
  ASSERT_EQ(Field(stateB, "modified"), "1");

  const std::string after = used.Read("after.png");
  ASSERT_GT(after.size(), 8u);
  EXPECT_TRUE(after == fresh.Read("fresh.png")) << "the window shows something the state does not hold";
}

}  // namespace
