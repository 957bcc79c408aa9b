// The overlay as drawing items, in the batch runner's 8 x 16 cells of an
// 80 x 40 cell window: the gutter and its numbers, the ruler, the marks, the
// coloured tokens and the place of "[EOF]".
#include <gtest/gtest.h>

#include "display/Overlay.h"
#include "editor/CommandIds.h"
#include "support/CaseName.h"
#include "support/TestView.h"

namespace {

std::string Cp(const std::string& utf8) { return cp932::FromUtf8(utf8); }

// A view in editor mode (or table mode) over `text`, with `lines` numbering.
struct OverlayView {
  ViewParts parts;
  EditorView& view;
  OverlayView(const std::string& utf8, bool table, int lines)
      : parts({},
              [&](SettingsStore& s) {
                s.WriteInt(setting::EditorModeAtStart, table ? 0 : 1);
                s.WriteInt(setting::LineNumbers, lines);
              }),
        view(*parts.view) {
    view.Edit().SetText(Cp(utf8));
    view.OnInitialUpdate();
    // Editor mode starts without numbers; the commands switch them on.
    if (!table && lines == 1) view.Execute(cmd::TogglePhysicalLineNumbers);
    if (!table && lines == 2) view.Execute(cmd::ToggleLogicalLineNumbers);
    view.OnUpdate(UpdateHint::None);
  }
  void Wrap(bool wrap) {
    view.ApplyWordWrap(wrap);
    view.modes.wordWrap = wrap;
    view.OnUpdate(UpdateHint::None);
  }
  std::vector<OverlayItem> Items(OverlayItem::Kind kind) const {
    std::vector<OverlayItem> out;
    for (const OverlayItem& i : overlay::Compute(view)) if (i.kind == kind) out.push_back(i);
    return out;
  }
  // "x,y TEXT" of each item of that kind.
  std::vector<std::string> Placed(OverlayItem::Kind kind) const {
    std::vector<std::string> out;
    for (const OverlayItem& i : Items(kind))
      out.push_back(std::to_string(i.x) + "," + std::to_string(i.y) + " " + cp932::ToUtf8(i.text));
    return out;
  }
};

TEST(OverlayGutter, PhysicalNumbersLabelEveryRowOfAnEmptyDocumentDownToTheLast) {
  OverlayView v("", false, 1);
  const auto numbers = v.Items(OverlayItem::Kind::Number);
  ASSERT_EQ(numbers.size(), 40u);
  // "  40:" sizes the gutter: 5 cells and a line height; numbers end 10 pixels before the text.
  EXPECT_EQ(v.view.leftMargin, 5 * 8 + 16);
  for (int k = 0; k < 40; ++k) {
    const std::string label = std::to_string(k + 1) + ":";
    EXPECT_EQ(numbers[k].text, label);
    EXPECT_EQ(numbers[k].y, k * 16);
    EXPECT_EQ(numbers[k].x + static_cast<int>(label.size()) * 8, v.view.leftMargin - 10);
  }
  const auto fills = v.Items(OverlayItem::Kind::Fill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].width, v.view.leftMargin - 10);
  EXPECT_EQ(fills[0].height, 640);
  EXPECT_EQ(fills[0].colour, overlay::kGutterBackground);
}

TEST(OverlayGutter, LogicalNumbersLeaveWrappedRowsEmpty) {
  // The first line wraps onto three rows; the numbers follow the logical lines.
  std::string text = std::string(150, 'a') + "\r\nb\r\nc";
  for (int i = 0; i < 50; ++i) text += "\r\nx";
  OverlayView v(text, false, 2);
  v.Wrap(true);
  auto firstThree = [&] {
    std::vector<std::string> n = v.Placed(OverlayItem::Kind::Number);
    n.resize(3);
    return n;
  };
  EXPECT_EQ(firstThree(), (std::vector<std::string>{"30,0 1:", "30,48 2:", "30,64 3:"}));
  // Scrolled into the wrapped line, its continuation rows stay empty.
  v.view.Edit().LineScroll(0, 1);
  EXPECT_EQ(firstThree(), (std::vector<std::string>{"30,32 2:", "30,48 3:", "30,64 4:"}));
}

TEST(OverlayGutter, TableModeRulerHoldsTheTopRowAndFollowsHorizontalScrolling) {
  OverlayView v(std::string(200, 'x') + "\r\n1\t2", true, 1);
  const auto numbers = v.Items(OverlayItem::Kind::Number);
  ASSERT_FALSE(numbers.empty());
  EXPECT_EQ(numbers.front().y, 16);  // numbering starts on the second row
  EXPECT_EQ(numbers.front().text, "1:");
  const auto ruler = v.Items(OverlayItem::Kind::Ruler);
  ASSERT_EQ(ruler.size(), 1u);
  EXPECT_EQ(ruler[0].y, 0);
  EXPECT_EQ(ruler[0].text.size(), 191u);
  EXPECT_EQ(ruler[0].text.substr(0, 8), " R1\t R2\t");
  const int lm = v.view.leftMargin;
  EXPECT_EQ(ruler[0].x, (lm - 10) + lm - 60);
  EXPECT_EQ(ruler[0].clipLeft, std::max(ruler[0].x, lm - 10));

  v.view.Edit().SetHorizontalScroll(80);
  const auto scrolled = v.Items(OverlayItem::Kind::Ruler);
  ASSERT_EQ(scrolled.size(), 1u);
  EXPECT_EQ(scrolled[0].x, ruler[0].x - 80);
  EXPECT_EQ(scrolled[0].tabOrigin, ruler[0].x - 80);
  EXPECT_EQ(scrolled[0].clipLeft, lm - 10);  // never over the gutter
}

TEST(OverlayGutter, RulerFollowsTheTextScrolledFurtherThanSixteenBitsReach) {
  OverlayView v(std::string(8200, 'x') + "\r\n1\t2", true, 1);
  const int lm = v.view.leftMargin;
  v.view.Edit().SetHorizontalScroll(40000);
  ASSERT_EQ(v.view.Edit().HorizontalScroll(), 40000);
  const auto ruler = v.Items(OverlayItem::Kind::Ruler);
  ASSERT_EQ(ruler.size(), 1u);
  EXPECT_EQ(ruler[0].x, (lm - 10) + lm - 40000 - 60);
  EXPECT_EQ(ruler[0].clipLeft, lm - 10);
}

TEST(OverlayGutter, RulerLabelsGoWithoutTheirSpaceFromR10OnWithTabWidthFour) {
  EXPECT_EQ(overlay::RulerText(8).size(), 191u);
  const std::string four = overlay::RulerText(4);
  EXPECT_EQ(four.size(), 160u);
  EXPECT_NE(four.find(" R9\tR10\tR11\t"), std::string::npos);
}

TEST(OverlayGutter, NumbersSwitchedOffGiveTheMarginBackAtTheNextIdlePass) {
  OverlayView v("abc", false, 1);
  EXPECT_GT(v.view.leftMargin, 10);
  v.view.Execute(cmd::TogglePhysicalLineNumbers);
  EXPECT_EQ(v.view.modes.lineNumbers, LineNumberMode::Off);
  v.view.OnIdle(true);
  EXPECT_EQ(v.view.leftMargin, 10);
  EXPECT_TRUE(v.Items(OverlayItem::Kind::Number).empty());
}

// ---------------------------------------------------------------- [EOF]

struct EofCase {
  const char* text;
  bool wrap;
  int scrollX;      // pixels scrolled sideways (no wrap)
  const char* at;   // "x,y", or "" when not drawn
};

class EofPlacement : public testing::TestWithParam<EofCase> {};

TEST_P(EofPlacement, FollowsThePlacementTables) {
  const EofCase& c = GetParam();
  OverlayView v(c.text, false, 0);  // margin 10, window 640 x 640
  v.Wrap(c.wrap);
  if (c.scrollX) v.view.Edit().SetHorizontalScroll(c.scrollX);
  std::string at;
  for (const OverlayItem& i : v.Items(OverlayItem::Kind::Eof)) at = std::to_string(i.x) + "," + std::to_string(i.y);
  EXPECT_EQ(at, c.at);
}

const std::string kFortyLines = [] {
  std::string s;
  for (int i = 0; i < 39; ++i) s += "x\r\n";
  return s;
}();
const std::string kFullRow = std::string(78, 'a');        // ends at x = 634
const std::string kTabNearEdge = std::string(75, 'a') + "\t";  // the TAB hangs; the end starts the next row
const std::string kScrolledOut = std::string(200, 'a') + "\r\nab";
// A row of 65,600 pixels: its end lies far right of the window, at an x
// that 16 bits would wrap round to 74.
const std::string kWideRow = std::string(8200, 'a');

INSTANTIATE_TEST_SUITE_P(
    Tables, EofPlacement,
    testing::Values(
        // Word wrap on.
        EofCase{"abc\r\n", true, 0, "12,32"},           // LF: below the end position
        EofCase{"abc\t", true, 0, "140,0"},             // TAB: after the next tab stop
        EofCase{"abc", true, 0, "44,0"},                // one character after the end
        EofCase{"", true, 0, "12,0"},                   // empty text
        EofCase{kTabNearEdge.c_str(), true, 0, "76,16"},  // after the first tab stop of the next row
        EofCase{kFortyLines.c_str(), true, 0, "12,640"},  // LF on the last row: still one row down
        // Word wrap off.
        EofCase{"abc\r\n", false, 0, "12,32"},
        EofCase{kFortyLines.c_str(), false, 0, ""},     // LF on the last row: not drawn
        EofCase{"abc\t", false, 0, "140,0"},
        EofCase{"abc", false, 0, "44,0"},
        EofCase{kFullRow.c_str(), false, 0, ""},        // no room at the right edge
        EofCase{kScrolledOut.c_str(), false, 80, ""},   // end scrolled out to the left
        EofCase{kWideRow.c_str(), false, 0, ""}),       // end far right of the window: not drawn
    [](const testing::TestParamInfo<EofCase>& info) {
      return CaseName(info.index, std::string(info.param.wrap ? "wrap " : "nowrap ") + info.param.at);
    });

// ---------------------------------------------------------------- colouring

std::vector<std::string> Tokens(const std::string& text) {
  OverlayView v(text, false, 0);
  return v.Placed(OverlayItem::Kind::Token);
}

TEST(OverlayTokens, AfterASlashOnItsLineNothingIsColouredTillTheNextLine) {
  EXPECT_EQ(Tokens("a/b $x$\r\n$y$"), (std::vector<std::string>{"10,16 $", "26,16 $"}));
}

TEST(OverlayTokens, CommentIsColouredToTheLineEndInThePercentColour) {
  OverlayView v("// $x$\r\nz", false, 0);
  const auto tokens = v.Items(OverlayItem::Kind::Token);
  ASSERT_EQ(tokens.size(), 1u);  // the dollars follow a "/": only the comment colours them
  EXPECT_EQ(tokens[0].text, "// $x$");
  EXPECT_EQ(tokens[0].x, 10);
  EXPECT_EQ(tokens[0].colour, ColourScheme::kDefaultTokenColours[ColourScheme::Percent]);
}

TEST(OverlayTokens, CommentGoesOnAcrossTheRowsItWrapsOnto) {
  OverlayView v("// " + std::string(100, 'c') + "\r\nz", false, 0);
  v.Wrap(true);
  const auto tokens = v.Items(OverlayItem::Kind::Token);
  ASSERT_GE(tokens.size(), 2u);
  std::size_t length = 0;
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    EXPECT_EQ(tokens[k].y, static_cast<int>(k) * 16);
    if (k > 0) EXPECT_EQ(tokens[k].x, 10);  // each further row from its start
    length += tokens[k].text.size();
  }
  EXPECT_EQ(length, 103u);
}

TEST(OverlayTokens, BackslashWordIsOneTokenAndItsBracesTheirOwn) {
  EXPECT_EQ(Tokens("\\section{x}"), (std::vector<std::string>{"74,0 {", "90,0 }", "10,0 \\section"}));
}

TEST(OverlayTokens, BackslashBracketIsColouredOnlyByItsOwnPass) {
  OverlayView v("\\[ a \\]", false, 0);
  const auto tokens = v.Items(OverlayItem::Kind::Token);
  const ColourScheme& c = v.view.colours;
  std::vector<std::pair<std::string, Colour>> got;
  for (const OverlayItem& i : tokens) got.emplace_back(i.text, i.colour);
  EXPECT_EQ(got, (std::vector<std::pair<std::string, Colour>>{{"[", c.tokens[ColourScheme::OpenBracket]},
                                                              {"]", c.tokens[ColourScheme::CloseBracket]},
                                                              {"\\[", c.tokens[ColourScheme::DisplayMathOpen]},
                                                              {"\\]", c.tokens[ColourScheme::DisplayMathClose]}}));
}

TEST(OverlayTokens, TrailByteOfADoubleByteCharacterIsNeverABackslash) {
  // 表 is 95 5C: its trail byte is no token.
  EXPECT_TRUE(Tokens("表示").empty());
}

TEST(OverlayTokens, UserStringInTheTextColourIsNotDrawn) {
  OverlayView v("foo bar", false, 0);
  v.view.colours.userStrings[0] = "foo";
  v.view.colours.userColours[0] = MakeColour(0, 128, 0);
  v.view.colours.userStrings[1] = "bar";
  v.view.colours.userColours[1] = v.view.colours.text;
  EXPECT_EQ(v.Placed(OverlayItem::Kind::Token), (std::vector<std::string>{"10,0 foo"}));
}

TEST(OverlayMarks, LineEndsTabsAndFullWidthSpacesHaveTheirMarks) {
  OverlayView v("a\tb　c\r\n", false, 0);
  EXPECT_EQ(v.Placed(OverlayItem::Kind::Mark),
            (std::vector<std::string>{"106,3 ↓", "20,2 →", "84,2 ■"}));
  OverlayView table("a\tb\r\n", true, 1);
  const auto marks = table.Items(OverlayItem::Kind::Mark);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(cp932::ToUtf8(marks[1].text), "|");
  EXPECT_EQ(marks[1].x, table.view.leftMargin + 64 - 12);  // just before the next cell
}

TEST(OverlayReadOnly, ReadOnlyTextHasNoGutterMarksOrInputMethodMarkAndItsOwnColours) {
  OverlayView v("a\tb $x$\r\n", false, 1);
  v.view.colours.text = MakeColour(200, 0, 0);
  v.view.Execute(cmd::ToggleReadOnly);
  ASSERT_TRUE(v.view.Edit().IsReadOnly());
  v.view.OnUpdate(UpdateHint::None);
  for (const OverlayItem& i : overlay::Compute(v.view))
    EXPECT_EQ(i.kind, OverlayItem::Kind::Underline) << static_cast<int>(i.kind);
  EXPECT_EQ(v.view.colours.TextFor(true), ColourScheme::kReadOnlyText);
  EXPECT_EQ(v.view.colours.BackgroundFor(true), MakeColour(244, 254, 255));
}

TEST(OverlayListing, PrintsMarginThenOneItemALine) {
  OverlayView v("a\t\\x", false, 0);
  v.view.ime.open = true;
  const std::string listing = overlay::Listing(v.view, overlay::Compute(v.view));
  EXPECT_EQ(listing,
            "margin 10\n"
            "underline 10 16 630\n"
            "mark 20 2 → #B4B4FF\n"
            "token 74 0 #0000FF \\\\x\n"
            "eof 100 0\n"
            "ime 「あ」\n");
}

}  // namespace

namespace {

TEST(OverlayTokens, AVeryLongLineIsColouredOnlyAsFarAsTheWindowShowsIt) {
  // 600,000 bytes on one line: the comment's item holds what fits in the window.
  OverlayView v("// " + std::string(600000, 'c') + "\r\n$x$ /", true, 1);
  const auto tokens = v.Items(OverlayItem::Kind::Token);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_LE(tokens[2].text.size(), 640u / 8 + 2);
  EXPECT_EQ(tokens[0].text, "$");  // the next line's tokens are coloured as ever
}

}  // namespace
