// CommandIds: the id of every command of the program, by name.
//
// A command is known everywhere by its number: the command table is keyed by
// it, menus and accelerators list it, and batch scripts name commands by it
// ("command 32955") or by the name the command table gives it ("command
// sum-columns-below"). Scripts store these numbers, so they must never
// change; a constant's name here may be improved, its number may not.
//
// Commands that are not built yet already have their place in the menus and
// accelerators (editor/CommandTable.cpp).
// The ids from 57600 on are MFC's standard command ids (afxres.h): file new,
// open, save, print, recent files, exit, cut, copy, paste, find next, next
// pane.
#pragma once

namespace cmd {

// ---- File menu (document/DocumentCommands.cpp)
inline constexpr int FileNew = 57600;            // 新規作成, Ctrl+N
inline constexpr int FileOpen = 57601;           // 開く..., Ctrl+O
inline constexpr int FileSave = 57603;           // 上書き保存, Ctrl+S
inline constexpr int FileSaveAs = 57604;         // 名前を付けて保存...
inline constexpr int DeleteBackupFiles = 32793;  // バックアップの削除
// Recent files: entry n (1 to 16) of the File menu's list runs
// RecentFileFirst + n - 1, so the 16 ids from RecentFileFirst on are theirs.
inline constexpr int RecentFileFirst = 57616;
// The current file read again as CP932 or as UTF-8, whatever its bytes show.
inline constexpr int ReopenAsCp932 = 33900;  // CP932 で開き直す
inline constexpr int ReopenAsUtf8 = 33901;   // UTF-8 で開き直す
// The current file read again as comma-separated records or as text, whatever its name says.
inline constexpr int ReopenAsCsv = 33903;   // CSV として開き直す
inline constexpr int ReopenAsText = 33904;  // テキストとして開き直す
// Not built yet.
inline constexpr int NewWindow = 32902;        // an empty document in another window
inline constexpr int OpenInNewWindow = 32875;  // a file opened in another window
inline constexpr int FilePrint = 57607;         // Ctrl+P
inline constexpr int FilePrintPreview = 57609;  // after Print in the File menu
inline constexpr int AppExit = 57665;           // last command of the File menu; the recent files go before it

// ---- Editing: undo, clipboard (editor/EditorViewCommands.cpp)
inline constexpr int Undo = 32789;       // 元に戻す, Ctrl+Z
inline constexpr int Redo = 32788;       // 先へ戻す, Ctrl+Y
inline constexpr int Cut = 57635;        // 切り取り, Ctrl+X
inline constexpr int Copy = 57634;       // コピー, Ctrl+C
inline constexpr int Paste = 57637;      // 貼り付け, Ctrl+V, Shift+Insert
inline constexpr int SelectAll = 57642;  // すべて選択, Ctrl+A
// Searching (find/FindCommands.h).
inline constexpr int Find = 32840;      // Ctrl+F
inline constexpr int Replace = 32841;   // Ctrl+R, after Find in the Edit menu
inline constexpr int FindNext = 57640;  // F3
// Not built yet: a web search for the selected text, in both context menus.
inline constexpr int WebSearch = 33096;

// ---- View menu: line numbers, read-only (editor/EditorViewCommands.cpp)
inline constexpr int TogglePhysicalLineNumbers = 32794;  // 物理行番号表示, Ctrl+3
inline constexpr int ToggleLogicalLineNumbers = 32795;   // 論理行番号表示, Ctrl+4
inline constexpr int ToggleReadOnly = 32797;             // 読取専用設定・解除
// Not built yet.
inline constexpr int ToggleWordWrap = 32777;     // ワードラップ
inline constexpr int ToggleTabWidth = 32798;     // タブ幅の変更: 8 or 4 characters, outside table mode
inline constexpr int ChangeDisplayFont = 32774;  // フォントの変更
inline constexpr int ChangeColours = 32821;      // 色の設定

// ---- Moving the caret, "//" comments (editor/Navigation.h)
inline constexpr int MoveToTextStart = 32800;       // 文頭へ移動, Alt+Up
inline constexpr int MoveToTextEnd = 32801;         // 文末へ移動, Alt+Down
inline constexpr int MoveToLineStart = 32802;       // 行頭移動, Ctrl+Left, Alt+Left
inline constexpr int MoveToLineEnd = 32803;         // 行末移動, Ctrl+Right, Alt+Right
inline constexpr int MoveScreenUp = 32804;          // １画面上へ移動, Ctrl+Up
inline constexpr int MoveScreenDown = 32805;        // １画面下へ移動, Ctrl+Down
inline constexpr int JumpToLine = 32815;            // 指定行ジャンプ, Ctrl+J
inline constexpr int AddCommentSlashes = 32826;     // "// 付加": "//" before the caret's line or each selected line
inline constexpr int RemoveCommentSlashes = 32827;  // "// 削除": every "//" of the selection removed

// ---- Split window, not built yet: the last group of the 移動・分割 (move and
// split) menu; F6 and Shift+F6 move between the panes.
inline constexpr int SplitRows = 32807;     // 分割・横, Ctrl+1
inline constexpr int SplitColumns = 32808;  // 分割・縦, Ctrl+2
inline constexpr int NextPane = 57680;      // F6
inline constexpr int PreviousPane = 57681;  // Shift+F6

// ---- Table menu (表計算): the modes (editor/EditorViewCommands.cpp)
inline constexpr int ToggleTableMode = 32809;   // 表計算モードの設定/解除
inline constexpr int ToggleEditorMode = 32868;  // エディタ・モード
// 日本語の数値表記を読む: cells and in-line calculations read full-width and
// separated numbers, ▲ and 千/万/億/兆 (table/NumberReadingMode.h).
inline constexpr int ToggleJapaneseNumbers = 33902;

// ---- Row and column sums and averages, sort and rank (table/TableCommands.cpp)
inline constexpr int RowSumRight = 32954;         // 和・右: each block row's sum in a new cell on its right
inline constexpr int RowAverageRight = 32956;     // 平均・右
inline constexpr int RowSumLeft = 33047;          // 和・左: in a new cell on its left
inline constexpr int RowAverageLeft = 33048;      // 平均・左
inline constexpr int ColumnSumBelow = 32955;      // 和・下: each block column's sum in a new row below
inline constexpr int ColumnAverageBelow = 32957;  // 平均・下
inline constexpr int ColumnSumAbove = 33052;      // 和・上: in a new row above
inline constexpr int ColumnAverageAbove = 33053;  // 平均・上
inline constexpr int SortRows = 32960;            // 行の並べ替え
inline constexpr int InsertRankColumn = 33098;    // 順位・番号列の挿入: a rank or running-number column

// ---- Column and block editing (table/BlockCommands.cpp)
inline constexpr int InsertBlankColumn = 32962;     // 列の挿入 (空白の1列を)
inline constexpr int DeleteColumn = 32963;          // 列の削除
inline constexpr int CopyColumn = 32964;            // 列のコピー
inline constexpr int CutColumn = 32965;             // 列の切取
inline constexpr int InsertCopiedColumn = 32966;    // コピー/切取列の挿入
inline constexpr int InsertBlankCells = 33107;      // 選択範囲へ空白セルの挿入
inline constexpr int CopyBlock = 33005;             // 選択範囲のコピー
inline constexpr int CutBlock = 33006;              // 選択範囲の切取
inline constexpr int DeleteBlock = 32970;           // 選択範囲の削除
inline constexpr int PasteBlock = 33007;            // 上の範囲の貼付
inline constexpr int PasteBlockRepeated = 33057;    // 上の範囲の貼付(繰返し): repeated over the selection
inline constexpr int ClearBlock = 32961;            // 選択範囲の値・文字列のクリア
inline constexpr int DeviationScoresRight = 32999;  // 偏差値: of a one-column block, in a new column on its right

// ---- Table creation and layout (table/BlockCommands.cpp)
inline constexpr int CreateTable = 32811;          // 表の作成
inline constexpr int ChangeTableWidth = 32812;     // 表の幅の変更: the table-mode column width
inline constexpr int ChangeRoundingPlace = 32813;  // 四捨五入の位 (小数): decimal places of computed results

// ---- Linear transforms (calc/LinearTransform.cpp): a column or row of
// results, Y = aX + b (slope and offset) or the range A..B mapped onto C..D,
// in a new column left or right of the source or a new row above or below it.
inline constexpr int ColumnSlopeOffsetLeft = 33049;    // 列を一次変換 Y=aX+b し、前（左）へ
inline constexpr int ColumnSlopeOffsetRight = 32967;   // 列を一次変換 Y=aX+b し、後ろ（右）へ
inline constexpr int RowSlopeOffsetAbove = 33054;      // 行を一次変換 Y=aX+b し、上へ
inline constexpr int RowSlopeOffsetBelow = 32968;      // 行を一次変換 Y=aX+b し、下へ
inline constexpr int ColumnRangeMappingLeft = 33050;   // 列を一次変換 A→C, B→D し、前（左）へ
inline constexpr int ColumnRangeMappingRight = 32958;  // 列を一次変換 A→C, B→D し、後ろ（右）へ
inline constexpr int RowRangeMappingAbove = 33055;     // 行を一次変換 A→C, B→D し、上へ
inline constexpr int RowRangeMappingBelow = 32959;     // 行を一次変換 A→C, B→D し、下へ

// ---- Arithmetic of two columns or two rows (calc/TwoColumnArithmetic.cpp):
// the four operations, results in a new column or row.
inline constexpr int TwoColumnArithmeticLeft = 33051;   // 2列を四則計算し、結果を前(左)へ
inline constexpr int TwoColumnArithmeticRight = 32971;  // 2列を四則計算し、結果を後ろ(右)へ
inline constexpr int TwoRowArithmeticAbove = 33056;     // 2行を四則計算し、上へ
inline constexpr int TwoRowArithmeticBelow = 32972;     // 2行を四則計算し、下へ

// ---- Print settings menu (印刷設定), not built yet. Its groups of one, four
// and four commands match the print layout a .pvl directive line carries
// (document/DirectiveLine.h): print font, columns 1 to 4, margin step 1 to 4.
inline constexpr int PrintFont = 32775;
inline constexpr int PrintColumns1 = 32780;
inline constexpr int PrintColumns2 = 32781;
inline constexpr int PrintColumns3 = 32782;
inline constexpr int PrintColumns4 = 32783;
inline constexpr int PrintMargin1 = 32784;
inline constexpr int PrintMargin2 = 32785;
inline constexpr int PrintMargin3 = 32786;
inline constexpr int PrintMargin4 = 32787;

// ---- Tools menu (ツール), not built yet.
inline constexpr int OpenCommandPrompt = 32816;  // a terminal in the document's folder
inline constexpr int OpenCalculator = 32814;

// ---- The find and replace bars' controls (find/FindCommands.h). Their
// lists and check boxes are commands too, as the bars' buttons are.
inline constexpr int BarSearchList = 32842;       // search list activated (Enter)
inline constexpr int BarReplacementList = 32843;  // replacement list activated (Enter)
inline constexpr int BarFindNext = 32844;         // 次を検索
inline constexpr int BarFindPrevious = 32845;     // 前を検索
inline constexpr int BarReturnToStart = 32846;    // 開始前位置に戻る
inline constexpr int BarFindCase = 32847;         // 大/小文字 (find bar)
inline constexpr int BarReplaceCase = 32848;      // 大/小文字区別 (replace bar)
inline constexpr int BarReplace = 32849;          // 置換
inline constexpr int BarReplaceAll = 32850;       // 全置換
inline constexpr int BarRecordPosition = 32851;   // 位置記録
inline constexpr int RepeatFindOrReplace = 32852;  // no menu entry, key or button
inline constexpr int BarContinuous = 32853;       // 連続 (find bar)
// ---- Printing (print/PrintCommands.cpp) beside FilePrint and FilePrintPreview
inline constexpr int FilePrintDirect = 57608;  // print on the default printer, no dialog
inline constexpr int PrintSetup = 57606;       // プリンターの設定...

// ---- Other windows and tools (app/WindowCommands.cpp)
inline constexpr int RestoreWindow = 32873;         // ウィンドウ復元
inline constexpr int SetRestoreRectangle = 32878;   // 復元ウィンドウの設定
inline constexpr int ShowTableModeHelp = 32810;     // 表計算の説明表示
inline constexpr int OpenHomePage = 32951;          // ホームページの表示
inline constexpr int CheckForUpdate = 32949;        // 更新の確認
inline constexpr int AboutBox = 57664;              // バージョン情報 (&A)...

}  // namespace cmd
