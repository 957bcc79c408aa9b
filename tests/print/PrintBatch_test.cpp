// Printing end to end in a batch run, beyond the printed output: a PDF file
// written without a dialog, the print font chooser's setting. The preview's
// pages and columns are a case of tests/data/batch.
#include <gtest/gtest.h>

#include "support/BatchRun.h"

namespace {

TEST(PrintBatch, PrintWritesAPdfAndCancelWritesNothing) {
  BatchRun b;
  const std::string pdf = b.PathOf("out.pdf");
  const BatchResult r = b.Run("type \\x95\\x5c\\tx\\n\ncommand 57607 path=" + pdf + "\ncommand 57608 cancel\n");
  EXPECT_EQ(r.out, "printed: 1 pages to " + pdf + "\n");
  EXPECT_EQ(b.Read("out.pdf").substr(0, 5), "%PDF-");
}

TEST(PrintBatch, ThePrintFontIsChosenInScreenPixelsAndKeptInPrinterPixels) {
  BatchRun b;
  const BatchResult r = b.Run("command 32775 1=IPAMincho 2=-20 3=400\ncommand 32775 cancel\n");
  EXPECT_EQ(r.out.find("preview: page 1"), r.out.rfind("preview: page 1"));  // one preview, after OK only
  const SettingsStore s(b.PathOf("Pivra.conf"));
  EXPECT_EQ(s.GetInt("PrintFont", "Height", 0), -125);
  EXPECT_EQ(s.GetString("PrintFont", "FaceName"), "IPAMincho");
  EXPECT_EQ(s.GetInt("PrintFont", "Weight", 0), 400);
}

}  // namespace
