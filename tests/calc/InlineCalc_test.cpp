#include "calc/InlineCalc.h"

#include <gtest/gtest.h>

#include "support/CaseName.h"

#include "support/BatchRun.h"
#include "support/TestView.h"
#include "calc/CalcState.h"

namespace {

std::string Cp(const std::string& utf8) { return cp932::FromUtf8(utf8); }
std::string Utf(std::string_view cp) { return cp932::ToUtf8(cp); }

// Lines typed into an empty document ("\r" is Enter), with the text that
// results and where the caret ends.
struct TypedCase {
  const char* typed;  // UTF-8
  int decimals;
  const char* text;   // UTF-8
  int caret;          // -1: at the end of the text
};

class TypedLines : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedLines, AreCalculatedOnEnter) {
  const TypedCase& c = GetParam();
  TestView t;
  t.view.decimalPlaces = c.decimals;
  t.Type(Cp(c.typed));
  EXPECT_EQ(Utf(t.Text()), c.text) << c.typed;
  const int caret = c.caret < 0 ? t.Edit().GetTextLength() : c.caret;
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(caret, caret)) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TypedLines,
    testing::Values(
        TypedCase{"1200*3+500=\r", 0, "1200*3+500=4100\r\n", -1},
        // the sign of a number's exponent is not a subtraction
        TypedCase{"1e-3=\r", 3, "1e-3=0.001\r\n", -1}, TypedCase{"2e+3=\r", 0, "2e+3=2000\r\n", -1},
        // trailing blanks go; the blank before "=" stays
        TypedCase{"1 + 2 =   \r", 0, "1 + 2 =3\r\n", -1}, TypedCase{"1+2==\r", 0, "1+2=3\r\n", -1},
        TypedCase{"1+2\r", 0, "1+2\r\n", -1}, TypedCase{"1+2=\r", 2, "1+2=3.00\r\n", -1},
        TypedCase{"item\t100*3=\r", 0, "item\t100*3=300\r\n", -1},
        TypedCase{"3man*2=\r", 0, "3万*2=6万0\r\n", -1}, TypedCase{"1.5man+2500=\r", 1, "1.5万+2500=1万7500.0\r\n", -1},
        // contains x1 and no "=" inside: a formula, not calculated
        TypedCase{"max1+2=\r", 0, "max1+2=\r\n", -1},
        // the term a=1 reads 0
        TypedCase{"a=1+2=\r", 0, "a=1+2=2\r\n", -1},
        // no operator: nothing to calculate
        TypedCase{"12=\r", 0, "12=\r\n", -1},
        // right after the view was initialised the empty formula is pending
        TypedCase{"x1=3\r", 0, "0, if x1=3\r\n\r\n", 12},
        // an other line forgets the formula
        TypedCase{"1+2\rx1=3\r", 0, "1+2\r\nx1=3\r\n", -1},
        TypedCase{"x1*2\r\rx1=3\r", 0, "x1*2\r\n\r\nx1=3\r\n", -1},
        TypedCase{"x1*x2+x1\rx1=2, x2=3\r", 0, "x1*x2+x1\r\n8, if x1=2, x2=3\r\n\r\n", 28},
        TypedCase{"x1*x2+x1\rx1=2, x2=3\rx1=5, x2=1\r", 0,
                  "x1*x2+x1\r\n8, if x1=2, x2=3\r\n10, if x1=5, x2=1\r\n\r\n\r\n", 47},
        // a calculation line clears the formula
        TypedCase{"x1*2\r1+1=\rx1=3\r", 0, "x1*2\r\n1+1=2\r\nx1=3\r\n", -1},
        // a new formula replaces the pending one
        TypedCase{"x1*2\rx1*3\rx1=2\r", 0, "x1*2\r\nx1*3\r\n6, if x1=2\r\n\r\n", 24},
        // ")" without "(": the empty result still replaces the line
        TypedCase{"1+2)=\r", 0, "1+2)=\r\n", -1},
        // a double-byte character with trail byte 0x5C before the sum
        TypedCase{"表\t1+2=\r", 0, "表\t1+2=3\r\n", -1},
        // Enter on an empty line, and at the very start of the text
        TypedCase{"\r", 0, "\r\n", -1}, TypedCase{"\r1+1=\r", 0, "\r\n1+1=2\r\n", -1}),
    [](const auto& info) { return CaseName(info.index, info.param.typed); });

TEST(InlineCalc, EnterInTheMiddleOfALine) {
  TestView t("1+2=abc");
  t.view.decimalPlaces = 0;
  t.Edit().SetSel(4, 4);
  t.Type("\r");
  EXPECT_EQ(t.Text(), "1+2=3\r\nabc");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(7, 7));
}

TEST(InlineCalc, FormulaStateFollowsTheLines) {
  TestView t;
  EXPECT_EQ(t.view.Extension<CalcState>().formulaPending, 1);
  t.Type("x1 * x2\r");
  EXPECT_EQ(t.view.Extension<CalcState>().pendingFormula, "x1*x2");
  EXPECT_EQ(t.view.Extension<CalcState>().formulaPending, 1);
  t.Type("abc\r");
  EXPECT_EQ(t.view.Extension<CalcState>().pendingFormula, "");
  EXPECT_EQ(t.view.Extension<CalcState>().formulaPending, 0);
}

// Initialising the view again (a new or opened document) makes the formula
// pending again and keeps the formula held.
TEST(InlineCalc, InitialisationKeepsTheFormulaPending) {
  TestView t;
  t.settings.WriteInt("Settings", "Sho", 0);
  t.Type("x1*2\r");
  t.Edit().SetText("");
  t.view.OnInitialUpdate();
  EXPECT_EQ(t.view.Extension<CalcState>().formulaPending, 1);
  t.Type("x1=3\r");
  EXPECT_EQ(t.Text(), "6, if x1=3\r\n\r\n");
  t.Type("abc\r");
  EXPECT_EQ(t.view.Extension<CalcState>().formulaPending, 0);
  t.view.OnInitialUpdate();
  EXPECT_EQ(t.view.Extension<CalcState>().formulaPending, 1);
  EXPECT_EQ(t.view.Extension<CalcState>().pendingFormula, "");
}

TEST(InlineCalc, EvaluatorMessagesShowAndTheLineIsStillReplaced) {
  TestView t;
  t.view.decimalPlaces = 0;
  t.Type(Cp("1万^2=\r"));
  EXPECT_EQ(Utf(t.Text()), "1万^2=0\r\n");
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_EQ(t.host.messages[0].caption, "Pivra");
  EXPECT_EQ(t.host.messages[0].text, "累乗の底に『万』は使えません。");

  t.Type("x1*x2\rx1=,x2=3\r");
  ASSERT_EQ(t.host.messages.size(), 2u);
  EXPECT_EQ(t.host.messages[1].text, "変数 x1 の値が定義されていません。");
  EXPECT_EQ(Utf(t.Text()), "1万^2=0\r\nx1*x2\r\n0, if x1=,x2=3\r\n\r\n");
}

// Each replacement is one snapshot of the automatic capture, after the one
// of the Enter that finished the line.
TEST(InlineCalc, UndoTakesBackTheResultThenTheEnter) {
  TestView t;
  t.view.decimalPlaces = 0;
  t.Type("1+2=\r");
  EXPECT_EQ(t.Text(), "1+2=3\r\n");
  EXPECT_EQ(t.view.History().Current(), 6u);  // four characters, Enter, the result
  t.Key('Z', true);
  EXPECT_EQ(t.Text(), "1+2=\r\n");
  t.Key('Z', true);
  EXPECT_EQ(t.Text(), "1+2=");
  t.Key('Y', true);
  t.Key('Y', true);
  EXPECT_EQ(t.Text(), "1+2=3\r\n");
  EXPECT_TRUE(t.doc.IsModified());
}

TEST(InlineCalc, ReadOnlyTextIsNotCalculated) {
  TestView t("1+2=\r\n");
  t.view.decimalPlaces = 0;
  t.Edit().SetReadOnly(true);
  t.Edit().SetSel(6, 6);
  t.Type("\r");
  EXPECT_EQ(t.Text(), "1+2=\r\n");
  EXPECT_EQ(t.view.History().Current(), 0u);
}

TEST(InlineCalc, PrepareLine) {
  const FinishedLine l = PrepareLine(Cp("3 man * x1 ==  \t"));
  EXPECT_EQ(Utf(l.prepared), "3 万 * x1 ");
  EXPECT_EQ(Utf(l.compact), "3万*x1");
  EXPECT_TRUE(l.endsWithEquals);
  EXPECT_TRUE(l.hasOperator);
  EXPECT_TRUE(l.hasX1);
  EXPECT_FALSE(l.hasEquals);
  // ／ is 81 5E: its trail byte is not "^"
  EXPECT_FALSE(PrepareLine(Cp("2／3=")).hasOperator);
}

// ---- end to end through the batch runner

struct BatchCase {
  const char* script;  // "OUT" stands for the output path
  int decimals;
  const char* bytes;
};

class BatchTyping : public testing::TestWithParam<BatchCase> {};

TEST_P(BatchTyping, WritesTheCalculatedText) {
  const BatchCase& c = GetParam();
  BatchRun b;
  {
    SettingsStore settings(b.PathOf("Pivra.conf"));
    settings.WriteInt("Settings", "Sho", c.decimals);
  }
  std::string script = c.script;
  for (std::size_t p; (p = script.find("OUT")) != std::string::npos;) script.replace(p, 3, b.PathOf("out.txt"));
  const BatchResult r = b.Run(script);
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("out.txt"), Cp(c.bytes)) << c.script;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, BatchTyping,
    testing::Values(BatchCase{"type 1200*3+500=\\n\nwrite OUT\n", 0, "1200*3+500=4100\r\n"},
                    BatchCase{"type 1200*3+500=\\n\nwrite OUT\n", 1, "1200*3+500=4100.0\r\n"},
                    BatchCase{"type x1*x2+x1\\nx1=2, x2=3\\nx1=5, x2=1\\n\nwrite OUT\n", 0,
                              "x1*x2+x1\r\n8, if x1=2, x2=3\r\n10, if x1=5, x2=1\r\n\r\n\r\n"},
                    BatchCase{"type 3man*2=\\n\nwrite OUT\n", 0, "3万*2=6万0\r\n"},
                    BatchCase{"type 名前\\t100*3=\\n\nwrite OUT\n", 0, "名前\t100*3=300\r\n"},
                    BatchCase{"type 1+2=\\n\nkey Ctrl+Z\nwrite OUT\n", 0, "1+2=\r\n"},
                    BatchCase{"type 1+2=abc\nkey Left\nkey Left\nkey Left\nkey Enter\nwrite OUT\n", 0,
                              "1+2=3\r\nabc"}),
    [](const auto& info) { return CaseName(info.index, info.param.script); });

TEST(InlineCalcBatch, TheBaseMessageIsPrinted) {
  BatchRun b;
  const BatchResult r = b.Run("type 1man^2=\\n\nwrite " + b.PathOf("out.txt") + "\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("message: Pivra: 累乗の底に『万』は使えません。"), std::string::npos) << r.out;
  EXPECT_EQ(Utf(b.Read("out.txt")), "1万^2=0.0\r\n");
}

// Lines typed with the Japanese reading on: full-width arithmetic is
// calculated as its half-width form and keeps the user's characters.
class JapaneseTypedLines : public testing::TestWithParam<TypedCase> {};

TEST_P(JapaneseTypedLines, AreCalculatedAsTheirHalfWidthForm) {
  const TypedCase& c = GetParam();
  TestView t;
  t.settings.WriteInt(setting::JapaneseNumbers, 1);
  t.view.decimalPlaces = c.decimals;
  t.Type(Cp(c.typed));
  EXPECT_EQ(Utf(t.Text()), c.text) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, JapaneseTypedLines,
    testing::Values(
        TypedCase{"１２０＋３０＝\r", 1, "１２０＋３０＝150.0\r\n", -1},
        TypedCase{"（１＋２）×３÷２＝\r", 1, "（１＋２）×３÷２＝4.5\r\n", -1},
        TypedCase{"２＾３－１．５＊２＝　\r", 0, "２＾３－１．５＊２＝5\r\n", -1},
        TypedCase{"１億２３４５万６７８９＊１＝\r", 1, "１億２３４５万６７８９＊１＝1億2345万6789.0\r\n", -1},
        TypedCase{"１，２００＋３００＝＝\r", 0, "１，２００＋３００＝1500\r\n", -1},
        TypedCase{"3man5千*2=\r", 0, "3万5千*2=7万0\r\n", -1},
        TypedCase{"計\t１２０＋３０＝\r", 0, "計\t１２０＋３０＝150\r\n", -1},
        TypedCase{"ソ\t1+2=\r", 0, "ソ\t1+2=3\r\n", -1},
        TypedCase{"ｘ１＋２\r", 0, "ｘ１＋２\r\n", -1},
        TypedCase{"x1＊２\rx1=３\r", 0, "x1＊２\r\n6, if x1=３\r\n\r\n", -1}),
    [](const auto& info) { return CaseName(info.index, info.param.typed); });

TEST(InlineCalc, FullWidthLinesStayAsTheyAreWithThePlainReading) {
  TestView t;
  t.view.decimalPlaces = 1;
  t.Type(Cp("１２０＋３０＝\r"));
  EXPECT_EQ(Utf(t.Text()), "１２０＋３０＝\r\n");
}

}  // namespace
