// The table commands end to end: the built program in batch mode types a
// table, selects cells with the mouse, runs the commands with their dialog
// values, and writes the text, whose bytes must be exactly these.
#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "support/BatchRun.h"

namespace {

std::string J(const char* utf8) { return cp932::FromUtf8(utf8); }

TEST(TableBatch, RowSumsUndoThenColumnAverages) {
  BatchRun b;
  const BatchResult r = b.Run(
      "type n\\tA\\tB\\nx\\t1\\t2\\ny\\t3\\t4\\n\n"
      "drag 9 19\n"
      "command 32954\n"
      "write " + b.PathOf("sums.txt") + "\n"
      "key Ctrl+Z\n"
      "command 32957\n"
      "write " + b.PathOf("averages.txt") + "\n"
      "state\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("sums.txt"), J("n\tA\tB\t合計\r\nx\t1\t2\t3.0\r\ny\t3\t4\t7.0\r\n"));
  EXPECT_EQ(b.Read("averages.txt"), J("n\tA\tB\r\nx\t1\t2\r\ny\t3\t4\r\n平均\t2.0\t3.0\t\r\n"));
  // The caret is on the first average. The sums moved the table selection
  // start past the label cell; the undo does not move it back.
  EXPECT_NE(r.out.find("state: sel=26,26 cellrange=1,1,2,2 tablesel=14,19"), std::string::npos) << r.out;
}

TEST(TableBatch, SumsAreRoundedAsTheDecimalsTheyAre) {
  // 0.0 + 10.6 + 2.8 + 2.1 is 15.499999999999998 as a double; the sum is 15.5,
  // written 16 with no decimals. The average of 0.1 and 0.2 is 0.15, written
  // 0.2 with one.
  BatchRun b;
  const BatchResult r = b.Run(
      "command 32813 1033=0\n"
      "type 0.0\\t10.6\\t2.8\\t2.1\n"
      "drag 0 17\n"
      "command 32954\n"
      "write " + b.PathOf("sum.txt") + "\n"
      "command 32813 1033=1\n"
      "select 0 0\n"
      "type 0.1\\t0.2\\n\n"
      "drag 0 7\n"
      "command 32956\n"
      "write " + b.PathOf("average.txt") + "\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("sum.txt"), "0.0\t10.6\t2.8\t2.1\t16");
  EXPECT_EQ(b.Read("average.txt"), "0.1\t0.2\t0.2\r\n0.0\t10.6\t2.8\t2.1\t16");
}

TEST(TableBatch, InvertedBlockShowsTheMessage) {
  BatchRun b;
  const BatchResult r = b.Run(
      "type 1\\t2\\n3\\t4\n"
      "command 32954\n"
      "command 32955\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("disabled: 32954"), std::string::npos) << r.out;  // no block: the menu entry is off
  EXPECT_NE(r.out.find("disabled: 32955"), std::string::npos) << r.out;
}

TEST(TableBatch, SortThenRankThenNumber) {
  BatchRun b;
  const BatchResult r = b.Run(
      "type k\\tv\\na\\t3\\nb\\t1\\nc\\t2\\n\n"
      "select 7 7\n"
      "command 32960 1117=4 1006=0\n"
      "write " + b.PathOf("sorted.txt") + "\n"
      "command 33098 1001=2 1117=4\n"
      "write " + b.PathOf("ranked.txt") + "\n"
      "command 33098 1028=0 1007=0 1001=1 1117=2\n"
      "write " + b.PathOf("numbered.txt") + "\n"
      "command 32960 cancel\n"
      "state\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("sorted.txt"), "k\tv\r\nb\t1\r\nc\t2\r\na\t3\r\n");
  EXPECT_EQ(b.Read("ranked.txt"), "k\tv\r\na\t1\t3\r\nc\t2\t2\r\nb\t3\t1\r\n");
  EXPECT_EQ(b.Read("numbered.txt"), "1\tk\tv\r\n2\ta\t1\t3\r\nc\t2\t2\r\nb\t3\t1\r\n");
}

}  // namespace
