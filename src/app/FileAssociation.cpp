#include "app/FileAssociation.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"

namespace file_association {

namespace fs = std::filesystem;

namespace {

// Writes the whole file or reports that it could not.
bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (ec) return false;
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  return f && f.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && f.flush();
}

// A desktop entry's Exec argument: quoted, with ", `, $ and \ escaped.
std::string QuotedExecArgument(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
  // The file format itself reads "\\" as one backslash.
  std::string escaped;
  for (const char c : out) {
    escaped += c;
    if (c == '\\') escaped += '\\';
  }
  return escaped;
}

}  // namespace

std::string UserDataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg == '/') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.local/share";
}

std::string MimePackage() {
  return std::string(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"") +
         kMimeType +
         "\">\n"
         "    <sub-class-of type=\"text/plain\"/>\n"
         "    <comment>PivraF table text</comment>\n"
         "    <comment xml:lang=\"ja\">PivraF 表計算テキスト</comment>\n"
         "    <glob pattern=\"*.pvl\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string DesktopEntry(const std::string& exePath) {
  return std::string(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=PivraF\n"
             "Name[ja]=PivraF\n"
             "GenericName=Text editor and spreadsheet\n"
             "GenericName[ja]=表計算テキストエディタ\n"
             "Comment=Edit plain CP932 text as text and as a table\n"
             "Comment[ja]=テキストをそのまま表として計算・編集します\n"
             "Exec=") +
         QuotedExecArgument(exePath) + " %f\n" +
         "MimeType=" + kMimeType + ";\n"
         "Icon=accessories-text-editor\n"
         "Terminal=false\n"
         "Categories=Utility;TextEditor;\n";
}

bool InstalledWithDesktopEntry(const std::string& exePath) {
  if (exePath.empty()) return false;
  const fs::path entry = fs::path(exePath).parent_path() / ".." / "share" / "applications" /
                         (std::string(kDesktopId) + ".desktop");
  std::error_code ec;
  return fs::is_regular_file(entry, ec);
}

bool Register(SettingsStore& settings, const std::string& dataFolder, const std::string& exePath, const Tools& tools) {
  if (settings.GetInt(setting::RegisterFileType) == 0 || dataFolder.empty()) return false;
  if (InstalledWithDesktopEntry(exePath)) return false;
  const fs::path root(dataFolder);
  const fs::path package = root / "mime" / "packages" / "pivraf-pvl.xml";
  std::error_code ec;
  if (fs::exists(package, ec) || ec) return false;
  const fs::path desktop = root / "applications" / "pivraf.desktop";
  if (!WriteFile(package, MimePackage()) || !WriteFile(desktop, DesktopEntry(exePath))) return false;
  if (tools.canRun && tools.start) {
    if (tools.canRun("update-mime-database")) tools.start("update-mime-database", {(root / "mime").string()});
    if (tools.canRun("update-desktop-database")) tools.start("update-desktop-database", {(root / "applications").string()});
  }
  settings.WriteInt(setting::RegisterFileType, 0);
  return true;
}

}  // namespace file_association
