// The .pvl file type registered with the desktop in a temporary data folder:
// written once, left alone when there, never while "Reg" is 0.
#include "app/FileAssociation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "settings/SettingsKeys.h"
#include "support/TestView.h"

namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

struct Started {
  std::vector<std::string> commands;
  file_association::Tools Tools() {
    return {[](const std::string&) { return true; },
            [this](const std::string& program, const std::vector<std::string>& args) {
              commands.push_back(program + " " + args.at(0));
            }};
  }
};

TEST(FileAssociation, WrittenOnceIntoTheUsersDataFolder) {
  TempDir data;
  TempDir conf;
  SettingsStore settings(conf.Path("Pivra.conf"));
  Started started;
  const std::string exe = "/opt/Pivra F/pivraf";

  ASSERT_TRUE(file_association::Register(settings, data.path.string(), exe, started.Tools()));
  const std::string package = ReadAll(data.path / "mime/packages/pivraf-pvl.xml");
  EXPECT_NE(package.find("<mime-type type=\"text/x-pivraf-pvl\">"), std::string::npos);
  EXPECT_NE(package.find("<glob pattern=\"*.pvl\"/>"), std::string::npos);
  const std::string desktop = ReadAll(data.path / "applications/pivraf.desktop");
  EXPECT_NE(desktop.find("\nExec=\"/opt/Pivra F/pivraf\" %f\n"), std::string::npos);
  EXPECT_NE(desktop.find("\nMimeType=text/x-pivraf-pvl;\n"), std::string::npos);
  EXPECT_NE(desktop.find("\nName=PivraF\n"), std::string::npos);
  EXPECT_NE(desktop.find("\nGenericName[ja]=表計算テキストエディタ\n"), std::string::npos);
  EXPECT_EQ(started.commands,
            (std::vector<std::string>{"update-mime-database " + data.Path("mime"),
                                      "update-desktop-database " + data.Path("applications")}));
  EXPECT_EQ(settings.GetInt(setting::RegisterFileType), 0);

  // Once written, "Reg" is 0 and nothing is written again.
  std::filesystem::remove(data.path / "applications/pivraf.desktop");
  EXPECT_FALSE(file_association::Register(settings, data.path.string(), exe, started.Tools()));
  EXPECT_FALSE(std::filesystem::exists(data.path / "applications/pivraf.desktop"));
}

// A package already there (another installation wrote it) is left as it is,
// and the setting stays, so the test repeats at the next start.
TEST(FileAssociation, ExistingPackageIsLeftAloneAndTheSettingStays) {
  TempDir data;
  TempDir conf;
  SettingsStore settings(conf.Path("Pivra.conf"));
  std::filesystem::create_directories(data.path / "mime/packages");
  std::ofstream(data.path / "mime/packages/pivraf-pvl.xml") << "mine";
  Started started;
  EXPECT_FALSE(file_association::Register(settings, data.path.string(), "/usr/bin/pivraf", started.Tools()));
  EXPECT_EQ(ReadAll(data.path / "mime/packages/pivraf-pvl.xml"), "mine");
  EXPECT_FALSE(std::filesystem::exists(data.path / "applications/pivraf.desktop"));
  EXPECT_TRUE(started.commands.empty());
  EXPECT_EQ(settings.GetInt(setting::RegisterFileType), 1);
}

// A folder that cannot be written is no error to report; "Reg" stays, so the
// next start tries again. Tools that are not installed are not started.
TEST(FileAssociation, UnwritableFolderIsSilentAndMissingToolsAreSkipped) {
  TempDir conf;
  SettingsStore settings(conf.Path("Pivra.conf"));
  const std::string blocked = conf.Path("Pivra.conf") + "/below-a-file";
  settings.WriteInt(setting::RegisterFileType, 1);
  EXPECT_FALSE(file_association::Register(settings, blocked, "/usr/bin/pivraf", {}));
  EXPECT_EQ(settings.GetInt(setting::RegisterFileType), 1);

  TempDir data;
  std::vector<std::string> started;
  file_association::Tools none{[](const std::string&) { return false; },
                               [&](const std::string& p, const std::vector<std::string>&) { started.push_back(p); }};
  // (A program of a prefix without an installed desktop entry, even on a
  // machine where the package is installed in /usr.)
  EXPECT_TRUE(file_association::Register(settings, data.path.string(), "/nonexistent/bin/pivraf", none));
  EXPECT_TRUE(started.empty());
}

// An installed program (its desktop entry in share/applications beside its
// bin folder) writes nothing into the user's folder: the installed entry and
// MIME package serve. A program in a build folder, with no entry beside
// it, registers as before.
TEST(FileAssociation, AnInstalledProgramLeavesTheUsersFolderAlone) {
  TempDir prefix;
  TempDir data;
  TempDir conf;
  SettingsStore settings(conf.Path("Pivra.conf"));
  Started started;
  const std::string exe = prefix.Path("bin/pivraf");
  std::filesystem::create_directories(prefix.path / "bin");
  std::filesystem::create_directories(prefix.path / "share/applications");
  std::ofstream(prefix.path / "share/applications" / (std::string(file_association::kDesktopId) + ".desktop"))
      << "[Desktop Entry]\n";
  EXPECT_TRUE(file_association::InstalledWithDesktopEntry(exe));
  EXPECT_FALSE(file_association::Register(settings, data.path.string(), exe, started.Tools()));
  EXPECT_FALSE(std::filesystem::exists(data.path / "mime"));
  EXPECT_FALSE(std::filesystem::exists(data.path / "applications"));
  EXPECT_TRUE(started.commands.empty());
  EXPECT_EQ(settings.GetInt(setting::RegisterFileType), 1);

  TempDir source;
  std::filesystem::create_directories(source.path / "build");
  const std::string buildExe = source.Path("build/pivraf");
  EXPECT_FALSE(file_association::InstalledWithDesktopEntry(buildExe));
  EXPECT_TRUE(file_association::Register(settings, data.path.string(), buildExe, started.Tools()));
  EXPECT_TRUE(std::filesystem::exists(data.path / "applications/pivraf.desktop"));
}

TEST(FileAssociation, ExecArgumentEscapesWhatTheDesktopWouldExpand) {
  EXPECT_NE(file_association::DesktopEntry("/a/$b\"c").find("Exec=\"/a/\\\\$b\\\\\"c\" %f"), std::string::npos);
}

}  // namespace
