// The file name's parts that views read through ViewDocument: they follow
// every change of the document's path, and an untitled document has none.
#include "document/Document.h"

#include <gtest/gtest.h>

namespace {

struct PartsCase {
  const char* name;
  std::string path;
  std::string folder, title, nameExt, ext;
};

class DocumentPathParts : public ::testing::TestWithParam<PartsCase> {};

TEST_P(DocumentPathParts, FollowThePathAndGoWithIt) {
  const PartsCase& c = GetParam();
  Document doc;
  doc.SetPathName(c.path);
  const ViewDocument& seen = doc;
  EXPECT_EQ(seen.PathName(), c.path);
  EXPECT_EQ(seen.FileFolder(), c.folder);
  EXPECT_EQ(seen.FileTitle(), c.title);
  EXPECT_EQ(seen.FileNameExt(), c.nameExt);
  EXPECT_EQ(seen.FileExt(), c.ext);
  // A new document is untitled: no path, no parts.
  doc.OnNewDocument();
  EXPECT_EQ(seen.PathName(), "");
  EXPECT_EQ(seen.FileFolder(), "");
  EXPECT_EQ(seen.FileTitle(), "");
  EXPECT_EQ(seen.FileNameExt(), "");
  EXPECT_EQ(seen.FileExt(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentPathParts,
    ::testing::Values(PartsCase{"Pvl", "/home/u/表.pvl", "/home/u/", "表", "表.pvl", ".pvl"},
                      PartsCase{"UpperCaseExtension", "/d/LOG.LOG", "/d/", "LOG", "LOG.LOG", ".LOG"},
                      PartsCase{"LastDotOnly", "/d/a.tar.gz", "/d/", "a.tar", "a.tar.gz", ".gz"},
                      PartsCase{"LeadingDotIsNoExtension", "/d/.profile", "/d/", ".profile", ".profile", ""},
                      PartsCase{"NoFolder", "memo.txt", "", "memo", "memo.txt", ".txt"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
