#include "app/DocumentStartup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/AppContext.h"
#include "support/TestView.h"
#include "document/DocumentCommands.h"

namespace {

TEST(DocumentStartup, ANamedFileNotThereYetIsANewDocumentBoundToItsPath) {
  TempDir files;
  const std::string path = files.Path("新しい.txt");
  ViewParts parts({path});
  EXPECT_TRUE(OpenDocumentAtStartup(*parts.app, *parts.view));
  Document& doc = parts.app->Doc();
  EXPECT_EQ(doc.PathName(), path);
  EXPECT_EQ(doc.Title(), "新しい.txt");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(parts.view->Edit().Text(), "");
  EXPECT_TRUE(parts.host.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(path));  // only saving creates it

  parts.view->TypeKeys("x");
  ASSERT_TRUE(DocumentCommands(doc).OnFileSave());
  std::ifstream saved(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), "x");
}

TEST(DocumentStartup, AFileThatCannotBeOpenedIsReportedAndAnUntitledDocumentFollows) {
  TempDir files;
  const struct {
    const char* name;
    std::string path;
    std::string bytes;  // written first unless empty
  } cases[] = {
      {"folder missing", files.Path("none/a.txt"), ""},
      {"NUL byte", files.Path("nul.txt"), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.bytes.empty()) std::ofstream(c.path, std::ios::binary) << c.bytes;
    ViewParts parts({c.path});
    EXPECT_FALSE(OpenDocumentAtStartup(*parts.app, *parts.view));
    EXPECT_EQ(parts.host.messages.size(), 1u);
    EXPECT_EQ(parts.app->Doc().PathName(), "");
    EXPECT_EQ(parts.app->Doc().Title(), Document::kUntitled);
    EXPECT_FALSE(parts.app->Doc().IsModified());
  }
}

}  // namespace
