// Comma-separated records as rows and back: each case is a file's text, the
// rows it shows, the bytes written back unchanged (the file itself) and the
// bytes minimal quoting writes for the same rows.
#include "text/Csv.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct CsvCase {
  const char* name;
  std::string file;
  std::string rows;
  std::string minimal;  // Write with the line end alone
  std::string lineEnd = "\r\n";
  std::optional<int> unshowableLine = std::nullopt;
};

class CsvRecords : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvRecords, ReadShowsTheRowsAndWriteGivesTheFileBack) {
  const CsvCase& c = GetParam();
  const csv::Table table = csv::Read(c.file);
  EXPECT_EQ(table.rows, c.rows);
  EXPECT_EQ(table.form.lineEnd, c.lineEnd);
  EXPECT_EQ(table.firstUnshowableLine, c.unshowableLine);
  EXPECT_EQ(csv::Write(table.rows, table.form), c.file);
  EXPECT_EQ(csv::Write(table.rows, csv::RecordForm{table.form.lineEnd, nullptr, {}}), c.minimal);
  // What minimal quoting writes reads as the same rows.
  if (!c.unshowableLine) EXPECT_EQ(csv::Read(c.minimal).rows, c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CsvRecords,
    testing::Values(
        CsvCase{"Plain", "a,b\r\nc,d\r\n", "a\tb\r\nc\td\r\n", "a,b\r\nc,d\r\n"},
        CsvCase{"QuotedComma", "a,\"b,c\"\r\n", "a\tb,c\r\n", "a,\"b,c\"\r\n"},
        CsvCase{"DoubledQuotes", "\"say \"\"hi\"\"\",x\n", "say \"hi\"\tx\r\n", "\"say \"\"hi\"\"\",x\n", "\n"},
        CsvCase{"EmptyFields", ",,\n", "\t\t\r\n", ",,\n", "\n"},
        CsvCase{"EmptyLastField", "a,\n", "a\t\r\n", "a,\n", "\n"},
        CsvCase{"QuotedEmptyField", "a,\"\"\n", "a\t\r\n", "a,\n", "\n"},
        CsvCase{"NeedlessQuotes", "\"a\",\"1\"\n", "a\t1\r\n", "a,1\n", "\n"},
        CsvCase{"SpacesAroundFields", " a , b \n", " a \t b \r\n", "\" a \",\" b \"\n", "\n"},
        CsvCase{"SpacesAroundQuotedField", "\" a \",b\n", " a \tb\r\n", "\" a \",b\n", "\n"},
        CsvCase{"NoFinalLineEnd", "a,b\r\nc,d", "a\tb\r\nc\td", "a,b\r\nc,d"},
        CsvCase{"LfLineEnds", "a\nb\n", "a\r\nb\r\n", "a\nb\n", "\n"},
        CsvCase{"CrLineEnds", "a,b\rc\r", "a\tb\r\nc\r\n", "a,b\rc\r", "\r"},
        CsvCase{"BlankLineInTheMiddle", "a\n\nb\n", "a\r\n\r\nb\r\n", "a\n\nb\n", "\n"},
        CsvCase{"Empty", "", "", ""},
        // 表 (95 5C) and ソ (83 5C) end in the byte of a backslash, which
        // means nothing in CSV.
        CsvCase{"Cp932TrailBytesInQuotes", "\"\x95\x5C,\x83\x5C\",\x95\x5C\r\n", "\x95\x5C,\x83\x5C\t\x95\x5C\r\n",
                "\"\x95\x5C,\x83\x5C\",\x95\x5C\r\n"},
        // Read leniently, written back as they were while unchanged.
        CsvCase{"QuoteInsideAnUnquotedField", "a\"b,c\n", "a\"b\tc\r\n", "\"a\"\"b\",c\n", "\n"},
        CsvCase{"TextAfterAClosingQuote", "\"ab\"cd,e\n", "abcd\te\r\n", "abcd,e\n", "\n"},
        CsvCase{"UnclosedQuoteAtTheEnd", "a,\"bc", "a\tbc", "a,bc"},
        // A last record of one empty quoted field has no row of its own.
        CsvCase{"QuotedEmptyLastRecordWithoutALineEnd", "a\n\"\"", "a\r\n", "a\n", "\n"},
        CsvCase{"OnlyAQuotedEmptyField", "\"\"", "", ""},
        // Same rows, different spellings: each keeps its own.
        CsvCase{"SameRowTwoSpellings", "a,b\n\"a\",b\na,\"b\"\n", "a\tb\r\na\tb\r\na\tb\r\n", "a,b\na,b\na,b\n", "\n"},
        // Fields no row can show: blanks stand for them.
        CsvCase{"LineEndInAQuotedField", "h\r\n\"x\r\ny\",z\r\nw\r\n", "h\r\nx y\tz\r\nw\r\n", "h\r\nx y,z\r\nw\r\n", "\r\n", 2},
        CsvCase{"TabInAField", "a\tb,c\n", "a b\tc\r\n", "a b,c\n", "\n", 1},
        CsvCase{"CrLfCountsAsOneLine", "a\r\nb\r\n\"\t\"\r\n", "a\r\nb\r\n \r\n", "a\r\nb\r\n\" \"\r\n", "\r\n", 3}),
    [](const testing::TestParamInfo<CsvCase>& info) { return std::string(info.param.name); });

// The same records followed by a long file: each record is then read and
// written with enough bytes after it to be taken 64 bytes at a time.
TEST_P(CsvRecords, ReadAndWrittenAlikeWithALongFileAfterThem) {
  const CsvCase& c = GetParam();
  if (!c.file.empty() && !c.file.ends_with(c.lineEnd)) GTEST_SKIP() << "no line end before the rest of the file";
  std::string tailRecords, tailRows;
  for (int i = 0; i < 8; ++i) {
    tailRecords += "0123456789,\"01,23\",0123456789" + c.lineEnd;
    tailRows += "0123456789\t01,23\t0123456789\r\n";
  }
  const std::string file = c.file + tailRecords;
  const csv::Table table = csv::Read(file);
  EXPECT_EQ(table.rows, c.rows + tailRows);
  EXPECT_EQ(table.firstUnshowableLine, c.unshowableLine);
  EXPECT_EQ(csv::Write(table.rows, table.form), file);
  EXPECT_EQ(csv::Write(table.rows, csv::RecordForm{table.form.lineEnd, nullptr, {}}), c.minimal + tailRecords);
}

// Records around 64 bytes long, with a quoted comma at every place: each is
// shown and written back the same whatever its length.
TEST(Csv, RecordsOfAboutSixtyFourBytesReadAndWriteBack) {
  for (std::size_t length = 56; length <= 72; ++length) {
    for (std::size_t at = 0; at + 5 <= length; ++at) {
      std::string record(length, 'x'), row;
      record.replace(at, 5, "\"a,b\"");
      row = record.substr(0, at) + "a,b" + record.substr(at + 5);
      if (at > 0) {
        record[at - 1] = ',';
        row[at - 1] = '\t';
      }
      if (at + 5 < length) {
        record[at + 5] = ',';
        row[at + 3] = '\t';
      }
      std::string file, rows;
      for (int i = 0; i < 4; ++i) {
        file += record + "\r\n";
        rows += row + "\r\n";
      }
      const csv::Table table = csv::Read(file);
      ASSERT_EQ(table.rows, rows) << record;
      EXPECT_EQ(table.form.spellings, nullptr) << record;
      EXPECT_EQ(csv::Write(rows, csv::RecordForm{}), file) << record;
    }
  }
}

TEST(Csv, AChangedRowIsWrittenWithMinimalQuotingAndTheOthersKeepTheirBytes) {
  const csv::Table table = csv::Read("\"a\",\" b\"\r\n\"c\",d\r\n");
  // The second row changed, and a row holding a comma and a quote was added.
  const std::string rows = " a\t b\r\ne\tx,y\"\r\nz\r\n";
  EXPECT_EQ(csv::Write("a\t b\r\ne\tx,y\"\r\nz\r\n", table.form),
            "\"a\",\" b\"\r\ne,\"x,y\"\"\"\r\nz\r\n");
  EXPECT_EQ(csv::Write(rows, csv::RecordForm{"\n", nullptr, {}}), "\" a\",\" b\"\ne,\"x,y\"\"\"\nz\n");
}

TEST(Csv, RowsMovedBySortingKeepTheirRecords) {
  const csv::Table table = csv::Read("\"b\",2\n\"a\",1\n");
  EXPECT_EQ(csv::Write("a\t1\r\nb\t2\r\n", table.form), "\"a\",1\n\"b\",2\n");
}

TEST(Csv, FormatNamesAndTheExtension) {
  EXPECT_EQ(csv::FormatFromName("csv"), csv::FileFormat::Csv);
  EXPECT_EQ(csv::FormatFromName("text"), csv::FileFormat::Text);
  EXPECT_EQ(csv::FormatFromName("tsv"), std::nullopt);
  EXPECT_STREQ(csv::FormatName(csv::FileFormat::Csv), "csv");
  for (const char* name : {"a.csv", "/x/B.CSV", "c.Csv"}) EXPECT_TRUE(csv::HasCsvExtension(name)) << name;
  for (const char* name : {"csv", "a.csvx", "a.tsv", "acsv", ""}) EXPECT_FALSE(csv::HasCsvExtension(name)) << name;
}

}  // namespace
