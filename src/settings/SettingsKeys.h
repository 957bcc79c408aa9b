// SettingsKeys: every value the program keeps in the settings store, each
// named once with its section, its key and the default used when the store
// holds none.
//
// The section and key strings are what the settings file holds; they are
// the names the program has always stored, so they must never change (a
// changed name would silently forget every user's value). Read and write a
// value through SettingsStore's overloads for these types:
//   view.decimalPlaces = settings.GetInt(setting::DecimalPlaces);
//   settings.WriteInt(setting::DecimalPlaces, places);
// Keys made at run time (the recent-file list "File1".., the per-file caret
// memory, the font profiles whose section is a parameter) keep to the string
// API; their fixed parts are named at the end of this file.
#pragma once

// An integer value: its section, key, the default when none is stored, and
// the range of values the program can use. A stored value outside the range
// (a hand-edited or damaged file) reads as the default, so no arithmetic
// ever sees it.
struct IntSetting {
  const char* section;
  const char* key;
  int defaultValue;
  int minValue = -2147483647 - 1;
  int maxValue = 2147483647;
};

// Widest tab the settings may ask for, in characters; tab arithmetic stays
// far inside 32 bits with it.
inline constexpr int kMaxTabWidth = 256;

// Largest font height, in either sign, that the settings, a .pvl directive
// line or the print font dialog may set; a larger one reads as missing.
// Heights are device pixels: a print font's are printer pixels, so at 600
// dpi 2000 is 240 points (a 72-point font on a 1200-dpi printer is 1200), and
// a display font's are screen pixels, larger than any screen. The bound keeps
// every product of two heights inside 32 bits and a page of a printout at
// least a few lines, so a printout's time follows the length of the text.
inline constexpr int kMaxFontHeight = 2000;

// A text value (UTF-8): its section, key and the default when none is stored.
struct StringSetting {
  const char* section;
  const char* key;
  const char* defaultValue;
};

namespace setting {

inline constexpr char kSettingsSection[] = "Settings";

// ---- display and modes

// Decimal places of every computed result, read when a document is attached.
// The rounding dialog offers 0 to 3; a value set by hand may go to 15, the
// digits a double holds.
inline constexpr IntSetting DecimalPlaces{kSettingsSection, "Sho", 1, 0, 15};
// Column (tab) width in table mode, in characters (the width dialog offers 4 to 24).
inline constexpr IntSetting TableColumnWidth{kSettingsSection, "RetuHaba", 8, 1, kMaxTabWidth};
// Tab width in characters when table mode is off.
inline constexpr IntSetting TextTabWidth{kSettingsSection, "TabStops", 8, 1, kMaxTabWidth};
// 1: files other than .pvl open in editor mode (table mode off, wrapping); 0: in table mode.
inline constexpr IntSetting EditorModeAtStart{kSettingsSection, "Editmode", 0, 0, 1};
// Line numbers in the left margin: 0 none, 1 physical lines, 2 logical (wrapped) lines.
inline constexpr IntSetting LineNumbers{kSettingsSection, "Line", 0, 0, 2};
// 1: line ends are shown with a return mark (never in a read-only view).
inline constexpr IntSetting ReturnMarks{kSettingsSection, "Enter", 1, 0, 1};
// 1: vertical caret moves keep the caret's column.
inline constexpr IntSetting KeepCaretColumn{kSettingsSection, "CaretPos", 1, 0, 1};
// 1: cells and in-line calculations are read as Japanese tables write numbers
// (full-width digits, separators, ▲, currency signs, 千/万/億/兆); 0: the plain rule.
inline constexpr IntSetting JapaneseNumbers{kSettingsSection, "JapaneseNumbers", 0, 0, 1};

// ---- files

// 1: saving over an existing file first keeps the old file as a backup.
inline constexpr IntSetting BackupOnSave{kSettingsSection, "Backup", 1};
// Longest text, in bytes, that a file may hold to be opened and that any
// change may leave: typing, paste, the calculation, the table commands,
// replacing and undo all keep within it. The default is the limit the
// program has always had; it may be raised to 1 GiB - 1, where byte offsets
// and the sums of two of them still fit in an int.
inline constexpr IntSetting MaxTextBytes{kSettingsSection, "MaxTextBytes", 1048575, 1048575, 1073741823};

// ---- printing (a .pvl file's directive line may override these)

// Print margin step, 1 to 4.
inline constexpr IntSetting PrintMarginStep{kSettingsSection, "PrintMargin", 1, 1, 4};
// Number of text columns side by side on a printed page, 1 to 4.
inline constexpr IntSetting PrintColumns{kSettingsSection, "ColNum", 1, 1, 4};

// ---- the "jump to line" dialog

// The line number last jumped to, offered next time.
inline constexpr IntSetting JumpLineNumber{kSettingsSection, "LineN", 1};
// 1: the jump counts logical (wrapped) lines.
inline constexpr IntSetting JumpCountsLogicalLines{kSettingsSection, "PL", 0};

// ---- the table dialogs

// The operation last chosen in the column arithmetic dialog (index into its list).
inline constexpr IntSetting ColumnArithmeticOperation{kSettingsSection, "SisokuR", 0};
// The operation last chosen in the row arithmetic dialog (index into its list).
inline constexpr IntSetting RowArithmeticOperation{kSettingsSection, "SisokuG", 0};
// Table creation: 1 adds a first row with the labels R1, R2, ...
inline constexpr IntSetting NewTableHeaderRow{kSettingsSection, "ABC", 0};
// Table creation: the number of data rows.
inline constexpr IntSetting NewTableRows{kSettingsSection, "Gyo", 5};
// Table creation: the number of columns.
inline constexpr IntSetting NewTableColumns{kSettingsSection, "Retu", 5};
// Table creation: the first column, 0 nothing, 1 numbers from 1, 2 line numbers.
inline constexpr IntSetting NewTableNumbering{kSettingsSection, "No", 0};
// Rank dialog: 1 ranks the rows (sorted descending), 0 inserts running numbers.
// The dialog only reads it.
inline constexpr IntSetting RankRows{kSettingsSection, "Order", 1};
// Row sort dialog: 1 sorts in descending order.
inline constexpr IntSetting SortDescending{kSettingsSection, "Down", 1};
// Row sort dialog: 1 compares cells as numbers, 0 as text.
inline constexpr IntSetting SortByValue{kSettingsSection, "Value", 1};
// Slope-and-offset dialog, Y = X * m / n + p / q: m, n, p and q.
inline constexpr IntSetting SlopeM{kSettingsSection, "Num1", 1};
inline constexpr IntSetting SlopeN{kSettingsSection, "Num", 1};
inline constexpr IntSetting OffsetP{kSettingsSection, "Num2", 1};
inline constexpr IntSetting OffsetQ{kSettingsSection, "Num3", 1};
// Range mapping dialog, which takes A to C and B to D.
inline constexpr IntSetting RangeFromA{kSettingsSection, "A", 60};
inline constexpr IntSetting RangeFromB{kSettingsSection, "B", 120};
inline constexpr IntSetting RangeToC{kSettingsSection, "C", 65};
inline constexpr IntSetting RangeToD{kSettingsSection, "D", 100};

// ---- font profiles: the same keys in the section of the screen font or of the print font

inline constexpr char kScreenFontSection[] = "Font";
inline constexpr char kPrintFontSection[] = "PrintFont";

// Windows font height: negative, the character height in pixels; positive,
// the cell height; 0, no font stored (the system font is used).
constexpr IntSetting FontHeight(const char* section) {
  return {section, "Height", -16, -kMaxFontHeight, kMaxFontHeight};
}
// Face name; Windows Japanese names are mapped to installed faces.
constexpr StringSetting FontFaceName(const char* section) { return {section, "FaceName", "ＭＳ ゴシック"}; }
// Weight, 100 to 900 (400 normal, 700 bold; 0 means 400).
constexpr IntSetting FontWeight(const char* section) { return {section, "Weight", 700}; }
// 1: italic.
constexpr IntSetting FontItalic(const char* section) { return {section, "Italic", 0}; }
// Windows pitch and family byte; family 0x30 ("modern") is a fixed-pitch font.
constexpr IntSetting FontPitchAndFamily(const char* section) { return {section, "PitchAndFamily", 49}; }
// Windows character set byte; 128 is Shift-JIS.
constexpr IntSetting FontCharSet(const char* section) { return {section, "CharSet", 128}; }

// The print font's height, which the print layout also carries.
inline constexpr IntSetting PrintFontHeight = FontHeight(kPrintFontSection);

// ---- file encodings

// How files are read: 0 by what their bytes show (a byte-order mark or valid
// UTF-8 with multi-byte characters is UTF-8, anything else CP932), 1 always
// as CP932, 2 always as UTF-8.
inline constexpr IntSetting OpenEncoding{kSettingsSection, "Encoding", 0};

// ---- keys made at run time (string API)

// The recent-file list, most recent first: keys "File1" .. "File16", full paths.
inline constexpr char kRecentFilesSection[] = "Recent File List";
inline constexpr char kRecentFileKeyPrefix[] = "File";

// Caret memory: for a file with full path P, the integer P + "cL" is the
// caret's byte offset and P + "cH" the first visible line; 0 when none.
inline constexpr char kCaretSection[] = "Caret";
// Scratch section used while the caret memory is pruned, removed afterwards.
inline constexpr char kCaretScratchSection[] = "CaretTemp";
inline constexpr char kCaretOffsetSuffix[] = "cL";
inline constexpr char kCaretFirstLineSuffix[] = "cH";

// Search and replacement histories, most recent first: keys "List0" .. "List15".
inline constexpr char kFindHistorySection[] = "Find";
inline constexpr char kReplaceHistorySection[] = "Replace";
inline constexpr char kHistoryKeyPrefix[] = "List";
// ---- main frame and shell commands

// 1 (or any value but 0): the .pvl file type is registered with the desktop
// at start-up when the user's data folder lacks it; 0 once it has been written.
inline constexpr IntSetting RegisterFileType{kSettingsSection, "Reg", 1};
// The folder of the program, as it was last started.
inline constexpr StringSetting InstallDir{kSettingsSection, "InstDir", ""};
// The host of the web search for the selection (https://HOST/search?q=...).
inline constexpr StringSetting WebSearchHost{kSettingsSection, "SearchHost", "www.google.com"};
// ---- other windows (app/WindowCommands.cpp)

// The window that last started another window: its left, top, width and
// height, where the new window is placed one caption height further in.
inline constexpr IntSetting LauncherX{kSettingsSection, "wndX", 0};
inline constexpr IntSetting LauncherY{kSettingsSection, "wndY", 0};
inline constexpr IntSetting LauncherWidth{kSettingsSection, "wndW", 0};   // 0: the new window's own
inline constexpr IntSetting LauncherHeight{kSettingsSection, "wndH", 0};  // 0: the new window's own
// The rectangle the window-restore command puts the window back to; a width
// or height of 0 stands for the default (5/6 of the screen width, the screen
// height less 27).
inline constexpr IntSetting RestoreX{kSettingsSection, "wndDefX", 0};
inline constexpr IntSetting RestoreY{kSettingsSection, "wndDefY", 0};
inline constexpr IntSetting RestoreWidth{kSettingsSection, "wndDefW", 0};
inline constexpr IntSetting RestoreHeight{kSettingsSection, "wndDefH", 0};
// The maker's addresses: the home page, the version file of the update check
// (its first line is the newest version, "8300" for 8.3) and the archive of
// the newest version.
inline constexpr StringSetting HomePageAddress{kSettingsSection, "HomePageUrl", "https://pivraf.korvane.example/"};
inline constexpr StringSetting VersionFileAddress{kSettingsSection, "VersionUrl",
                                                  "https://pivraf.korvane.example/version.txt"};
inline constexpr StringSetting DownloadAddress{kSettingsSection, "DownloadUrl",
                                               "https://pivraf.korvane.example/PivraF.zip"};

}  // namespace setting
