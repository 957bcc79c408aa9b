// Printing end to end in a batch run: the preview's pages and columns on A4
// at 600 dpi, a PDF file written without a dialog, the print font chooser.
#include <gtest/gtest.h>

#include "support/BatchRun.h"

namespace {

TEST(PrintBatch, ThePreviewPrintsPagesStartsAndColumns) {
  BatchRun b;
  const BatchResult r = b.Run("type a\\tb\\n\ncommand 32782\ncommand 32786\n");
  EXPECT_EQ(r.exitCode, 0);
  // w = 4724 - 100 = 4624 for margin 1, then 4424 for margin 3
  EXPECT_EQ(r.out,
            "pages: 1\nstarts: 0\n"
            "column 1 100 100 1591 6783\ncolumn 2 1691 100 3132 6783\ncolumn 3 3232 100 4724 6783\n"
            "preview: page 1\n"
            "pages: 1\nstarts: 0\n"
            "column 1 300 300 1724 6783\ncolumn 2 1824 300 3199 6783\ncolumn 3 3299 300 4724 6783\n"
            "preview: page 1\n");
}

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
