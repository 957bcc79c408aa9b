#include "calc/CalcEvaluator.h"

#include <gtest/gtest.h>

#include "support/CaseName.h"

#include <cmath>
#include <limits>
#include <random>

#include "support/TestView.h"
#include "numbers/FormatNumber.h"

namespace {

// Cases are written in UTF-8 and run as CP932, as the view hands them over.
std::string Cp(const std::string& utf8) { return cp932::FromUtf8(utf8); }
std::string Utf(const std::string& cp) { return cp932::ToUtf8(cp); }

struct Evaluation {
  std::string result;                  // UTF-8
  std::vector<std::string> messages;   // UTF-8
  int manFlagAfter = 0;
};

Evaluation Evaluate(const std::string& expression, int decimals) {
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, decimals, host);
  Evaluation r;
  r.result = Utf(e.EvaluateExpression(Cp(expression)));
  for (const auto& m : host.messages) r.messages.push_back(m.text);
  r.manFlagAfter = manFlag;
  return r;
}

const char* kBaseMessage = "累乗の底に『万』は使えません。";

struct ExpressionCase {
  const char* expression;
  int decimals;
  const char* result;
  const char* message;  // "" when none
};

class Expressions : public testing::TestWithParam<ExpressionCase> {};

TEST_P(Expressions, GiveTheirResultText) {
  const ExpressionCase& c = GetParam();
  const Evaluation r = Evaluate(c.expression, c.decimals);
  EXPECT_EQ(r.result, c.result) << c.expression;
  if (*c.message) {
    ASSERT_EQ(r.messages.size(), 1u) << c.expression;
    EXPECT_EQ(r.messages[0], c.message);
  } else {
    EXPECT_TRUE(r.messages.empty()) << c.expression << ": " << (r.messages.empty() ? "" : r.messages[0]);
  }
  EXPECT_EQ(r.manFlagAfter, 0) << "the flag never outlives an evaluation";
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Expressions,
    testing::Values(ExpressionCase{"1+2", 2, "3.00", ""}, ExpressionCase{"10-2-3", 2, "5.00", ""},
                    ExpressionCase{"2*(3+4)", 2, "14.00", ""}, ExpressionCase{"2^3*3^2", 2, "72.00", ""},
                    ExpressionCase{"3*2^-2", 2, "0.75", ""}, ExpressionCase{"2^-1*3^-1", 2, "0.17", ""},
                    // the exponent text 3^2 reads as 3
                    ExpressionCase{"2^3^2", 2, "8.00", ""}, ExpressionCase{"1.5万+2500", 2, "1万7500.00", ""},
                    ExpressionCase{"1万-9999", 2, "1.00", ""}),
    [](const auto& info) { return CaseName(info.index, info.param.expression); });

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, Expressions,
    testing::Values(
        // a leading minus applies after the power
        ExpressionCase{"-2^2", 0, "-4", ""}, ExpressionCase{"2^0", 0, "1", ""}, ExpressionCase{"0^0", 0, "1", ""},
        // 0^-1 is 1/0: the IEEE infinity, which FormatNumber writes "Error"
        ExpressionCase{"0^-1", 2, "Error", ""}, ExpressionCase{"1/0", 2, "Error", ""},
        ExpressionCase{"0/0", 2, "Error", ""},
        ExpressionCase{"1,000+2", 0, "1002", ""},
        // a sign after "*" splits: the terms 5* (0) and -3
        ExpressionCase{"5*-3", 0, "-3", ""},
        // The sign of a number's exponent belongs to the number.
        ExpressionCase{"1e-3", 3, "0.001", ""}, ExpressionCase{"2e+3", 0, "2000", ""},
        ExpressionCase{"1e-3+1", 3, "1.001", ""}, ExpressionCase{"2.5E-1*4", 1, "1.0", ""},
        // an unclosed "(" stays in the text and the operand after it reads 0
        ExpressionCase{"(1+2", 0, "2", ""}, ExpressionCase{"1+2)", 0, "", ""}, ExpressionCase{"(1))", 0, "", ""},
        // a ")" at the very start: the whole expression is one group
        ExpressionCase{")1+2", 0, "2", ""},
        // the group is carried as 0.3333
        ExpressionCase{"(1/3)*3", 4, "0.9999", ""}, ExpressionCase{"3万", 2, "3万0.00", ""},
        ExpressionCase{"3万", 0, "3万0", ""},
        // the part before a 万 in the middle is a whole number
        ExpressionCase{"1.5万3", 0, "1万3", ""}, ExpressionCase{"3万2500", 1, "3万2500.0", ""},
        ExpressionCase{"3万2500.5", 1, "3万2500.5", ""}, ExpressionCase{"3万5", 1, "3万5.0", ""},
        // 万 in an exponent: the term counts 0, no message
        ExpressionCase{"2^1万", 0, "0", ""}, ExpressionCase{"1+2^1万", 0, "1", ""},
        // 万 in a base: the message, the term counts 0, the rest goes on
        ExpressionCase{"1万^2", 0, "0", kBaseMessage}, ExpressionCase{"5+1万^2", 0, "5", kBaseMessage},
        ExpressionCase{"-2万", 0, "-20000", ""}, ExpressionCase{"20000-40000+0万", 0, "-20000", ""},
        // an exponent that is not a whole number: the term counts 0
        ExpressionCase{"2^1.5", 2, "0.00", ""}, ExpressionCase{"2^1.0", 2, "2.00", ""},
        ExpressionCase{"2^", 0, "1", ""},
        // the "-" right after "^" is the exponent's sign; a "+" there splits
        ExpressionCase{"2^-2+1", 2, "1.25", ""}, ExpressionCase{"2^+2", 0, "3", ""},
        ExpressionCase{"8/2^2", 0, "2", ""}, ExpressionCase{"2*8/4^2", 1, "1.0", ""},
        // every divisor is collected before every multiplier
        ExpressionCase{"6/3*2", 0, "4", ""}, ExpressionCase{"12/2/3", 0, "2", ""},
        ExpressionCase{"5*", 0, "0", ""}, ExpressionCase{"/2*3", 0, "0", ""},
        ExpressionCase{"1--2", 0, "3", ""}, ExpressionCase{"1---2", 0, "-1", ""}, ExpressionCase{"1++2", 0, "3", ""},
        ExpressionCase{"a=1+2", 0, "2", ""},
        // powers of a group: the group's value is the base text
        ExpressionCase{"(1+1)^3", 0, "8", ""}, ExpressionCase{"((2))", 1, "2.0", ""},
        ExpressionCase{"(1+(2*(3+4)))*2", 0, "30", ""}, ExpressionCase{"(1)(2)", 0, "1", ""},
        ExpressionCase{"", 2, "0.00", ""},
        // a trail byte 0x5E is not "^", a trail byte 0x96 followed by 0x9C is not 万
        // (／ is 81 5E; 許廖 is 8B 96 9C 40)
        ExpressionCase{"2／3", 0, "2", ""}, ExpressionCase{"10000+許廖", 0, "10000", ""},
        // 万 of any term switches the form on, whichever group it was in
        ExpressionCase{"(5000+0万)*3", 0, "1万5000", ""}),
    [](const auto& info) { return CaseName(info.index, info.param.expression); });

// Faults of the plain text-rewriting scheme that are mended: the rest of the
// 万 form never shows 10000, and the 万 arithmetic has no 32-bit limit.
INSTANTIATE_TEST_SUITE_P(
    ManRange, Expressions,
    testing::Values(ExpressionCase{"29999.96+0万", 1, "3万0.0", ""}, ExpressionCase{"9999.96+0万", 1, "10000.0", ""},
                    ExpressionCase{"300000万1", 0, "300000万1", ""},
                    ExpressionCase{"2147483648万5", 0, "2147483648万5", ""},
                    ExpressionCase{"-300000万1", 0, "-3000000001", ""},
                    ExpressionCase{"1000000000000万", 0, "1000000000000万0", ""}),
    [](const auto& info) { return CaseName(info.index, info.param.expression); });

// A power whose exponent is huge takes no time; an infinite power or group
// stays infinite on its way back through the text.
INSTANTIATE_TEST_SUITE_P(
    HugeExponents, Expressions,
    testing::Values(ExpressionCase{"2^2000000000", 2, "Error", ""}, ExpressionCase{"2^-2000000000", 2, "0.00", ""},
                    ExpressionCase{"0.5^2000000000", 2, "0.00", ""}, ExpressionCase{"1^2147483647", 2, "1.00", ""},
                    ExpressionCase{"0^2147483647", 2, "0.00", ""}, ExpressionCase{"1^-2147483648", 2, "1.00", ""},
                    // beyond the 32-bit range atoi and atof differ: the term counts 0
                    ExpressionCase{"2^3000000000", 2, "0.00", ""},
                    ExpressionCase{"(1/0)+1", 2, "Error", ""}, ExpressionCase{"(1/0)*0", 2, "Error", ""},
                    ExpressionCase{"1/(1/0)", 2, "0.00", ""}, ExpressionCase{"(0/0)+1", 2, "Error", ""},
                    ExpressionCase{"1-(1/0)", 2, "Error", ""}, ExpressionCase{"2^(1/0)", 2, "0.00", ""}),
    [](const auto& info) { return CaseName(info.index, info.param.expression); });

TEST(CalcEvaluator, ManFlagIsClearedBetweenCalculations) {
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 0, host);
  EXPECT_EQ(Utf(e.EvaluateExpression(Cp("1万-9999"))), "1");
  EXPECT_EQ(manFlag, 0);
  EXPECT_EQ(Utf(e.EvaluateExpression(Cp("5000*3"))), "15000");
}

TEST(CalcEvaluator, ReadNumberRemovesATrailingMan) {
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 0, host);
  struct Case {
    const char* text;
    double value;
    const char* rest;
  } cases[] = {
      {"3", 3, "3"},          {"1.5万", 15000, "1.5"}, {"3万2500", 32500, "3万2500"},
      {"1.5万3", 10003, "1.5万3"}, {"1万2万", 10002, "1万2万"}, {"万", 0, ""},
      {"abc", 0, "abc"},      {"-2万", -20000, "-2"},
  };
  for (const Case& c : cases) {
    std::string text = Cp(c.text);
    EXPECT_EQ(e.ReadNumber(text), c.value) << c.text;
    EXPECT_EQ(Utf(text), c.rest) << c.text;
  }
}

TEST(CalcEvaluator, TermsAndSumsDirectly) {
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 2, host);
  std::string term = "2^3*3";
  EXPECT_EQ(e.EvaluateTerm(term), 24.0);
  term = Cp("2万*2");
  EXPECT_EQ(e.EvaluateTerm(term), 40000.0);
  EXPECT_EQ(manFlag, 1) << "a term with 万 sets the flag";
  manFlag = 0;
  EXPECT_EQ(e.EvaluateSum("1-2+3"), 2.0);
  EXPECT_EQ(e.EvaluateSum("-1-2"), -3.0);
  EXPECT_EQ(e.EvaluateSum("2^-1-1"), -0.5);
}

struct VariableCase {
  const char* definitions;
  const char* formula;
  const char* substituted;
  const char* message;
};

class Variables : public testing::TestWithParam<VariableCase> {};

TEST_P(Variables, AreSubstitutedInOrder) {
  const VariableCase& c = GetParam();
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 0, host);
  std::string formula = Cp(c.formula);
  e.SubstituteVariables(Cp(c.definitions), formula);
  EXPECT_EQ(Utf(formula), c.substituted) << c.definitions;
  if (*c.message) {
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, c.message);
    EXPECT_EQ(host.messages[0].caption, "Pivra");
  } else {
    EXPECT_TRUE(host.messages.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Definitions, Variables,
    testing::Values(VariableCase{"x1=2,x2=3", "x1*x2+x1", "2*3+2", ""},
                    // substitution ends at the first index not defined
                    VariableCase{"x1=2,x3=3", "x1+x3", "2+x3", ""},
                    VariableCase{"x1=,x2=3", "x1*x2", "x1*x2", "変数 x1 の値が定義されていません。"},
                    VariableCase{"x1=2,x2=", "x1*x2", "2*x2", "変数 x2 の値が定義されていません。"},
                    VariableCase{"x2=3", "x2", "x2", ""},
                    // commas in a value go; the character before the next x separates
                    VariableCase{"x1=1,000;x2=1.5万", "x1+x2", "1000+1.5万", ""},
                    // plain text: x1 also matches the start of x10
                    VariableCase{"x1=5", "x10+x1", "50+5", ""},
                    // each search starts where the previous value ended
                    VariableCase{"x2=9,x1=2,x2=3", "x1*x2", "2*3", ""},
                    VariableCase{"x1=2", "", "", ""}),
    [](const auto& info) { return CaseName(info.index, info.param.formula); });

TEST(CalcEvaluator, FormulaWithVariablesEvaluates) {
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 0, host);
  std::string formula = "x1*x2+x1";
  e.SubstituteVariables("x1=5,x2=1", formula);
  EXPECT_EQ(e.EvaluateExpression(formula), "10");
}

// No fixed table of 65,535 groups or variables: more of either simply work.
TEST(CalcEvaluator, ManyGroupsAndVariables) {
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 0, host);
  std::string sum;
  for (int i = 0; i < 70000; ++i) sum += i ? "+(1)" : "(1)";
  EXPECT_EQ(e.EvaluateExpression(sum), "70000");

  std::string nested = std::string(100000, '(') + "7" + std::string(100000, ')');
  EXPECT_EQ(e.EvaluateExpression(nested), "7");

  std::string definitions;
  for (int i = 1; i <= 70000; ++i) definitions += (i > 1 ? ",x" : "x") + std::to_string(i) + "=" + std::to_string(i);
  std::string formula = "x69999";  // rewritten by x6 first: plain-text substitution
  e.SubstituteVariables(definitions, formula);
  EXPECT_EQ(formula, "69999");
  EXPECT_TRUE(host.messages.empty());
}

// The term as the plain in-place rewriting computes it, for comparison
// with the one-pass evaluator (ASCII and 万 only, so byte searches serve).
double ReferenceTerm(CalcEvaluator& e, std::string text, int& manFlag) {
  const std::string man(CalcEvaluator::kMan);
  if (text.find(man) != std::string::npos) manFlag = 1;
  if (!text.empty() && text[0] == '-') text.replace(0, 1, "-1*");
  for (;;) {
    const std::size_t caret = text.find('^');
    if (caret == std::string::npos || caret == 0) break;
    std::size_t end = text.find_first_of("*/", caret + 1);
    if (end == std::string::npos) end = text.size();
    const std::string exponent = text.substr(caret + 1, end - caret - 1);
    if (exponent.find(man) != std::string::npos) {
      manFlag = 0;
      return 0.0;
    }
    const std::string before = text.substr(0, caret);
    std::size_t baseStart = 0;
    const std::size_t star = before.rfind('*');
    if (star != std::string::npos && star > 0) baseStart = star + 1;
    const std::size_t slash = before.substr(baseStart).rfind('/');
    if (slash != std::string::npos && slash > 0) baseStart += slash + 1;
    const std::string base = text.substr(baseStart, caret - baseStart);
    if (base.find(man) != std::string::npos) {
      manFlag = 0;
      return 0.0;
    }
    text.erase(baseStart, end - baseStart);
    const double real = CalcEvaluator::Atof(exponent);
    if (std::isnan(real)) return real;
    const std::int32_t k = CalcEvaluator::WholeNumber(exponent);
    if (real != k) return 0.0;
    const double p = CalcEvaluator::RepeatedProduct(CalcEvaluator::Atof(base), k < 0 ? -static_cast<std::int64_t>(k) : k);
    std::string power = std::isinf(p) ? (p > 0 ? "1e999" : "-1e999") : numbers::FormatNumber(p, 4);
    if (k < 0) power = "1/" + power;
    text.insert(baseStart, power);
  }
  double divisor = 1.0, multiplier = 1.0;
  for (std::size_t slash; (slash = text.find('/')) != std::string::npos && slash > 0;) {
    std::size_t end = text.find_first_of("*/", slash + 1);
    if (end == std::string::npos) end = text.size();
    std::string operand = text.substr(slash + 1, end - slash - 1);
    text.erase(slash, end - slash);
    divisor *= e.ReadNumber(operand);
  }
  for (std::size_t star; (star = text.find('*')) != std::string::npos && star > 0;) {
    std::size_t end = text.find('*', star + 1);
    if (end == std::string::npos) end = text.size();
    std::string operand = text.substr(star + 1, end - star - 1);
    text.erase(star, end - star);
    multiplier *= e.ReadNumber(operand);
  }
  return e.ReadNumber(text) * multiplier / divisor;
}

TEST(CalcEvaluator, TermsMatchThePlainRewriting) {
  const std::string tokens[] = {"2", "3", "0.5", "-", "*", "/", "^", "1\x96\x9C", "-1", "10", "^-", "0", "1.5"};
  std::mt19937 random(12345);
  RecordingHost host;
  for (int round = 0; round < 20000; ++round) {
    std::string term;
    const int length = 1 + static_cast<int>(random() % 9);
    for (int i = 0; i < length; ++i) term += tokens[random() % std::size(tokens)];
    int manFlag = 0, referenceFlag = 0;
    CalcEvaluator e(manFlag, 2, host);
    std::string copy = term;
    const double value = e.EvaluateTerm(copy);
    const double reference = ReferenceTerm(e, term, referenceFlag);
    if (std::isnan(reference)) {
      ASSERT_TRUE(std::isnan(value)) << term;
    } else {
      ASSERT_EQ(value, reference) << term;
      ASSERT_EQ(std::signbit(value), std::signbit(reference)) << term;
    }
    ASSERT_EQ(manFlag, referenceFlag) << term;
  }
}

// Substitution as the plain loop does it: each name in turn replaced in the
// whole formula.
std::string ReferenceSubstitution(const std::string& definitions, std::string formula) {
  std::size_t from = 0;
  for (int index = 1;; ++index) {
    const std::string name = "x" + std::to_string(index);
    const std::size_t found = cp932::Find(definitions, name + "=", from);
    if (found == cp932::npos) break;
    const std::size_t valueStart = cp932::Find(definitions, '=', found) + 1;
    const std::size_t nextX = cp932::Find(definitions, 'x', valueStart);
    const std::size_t valueEnd = nextX == cp932::npos ? definitions.size() : cp932::Prev(definitions, nextX, valueStart);
    if (valueEnd <= valueStart) break;
    std::string value = cp932::RemoveAll(definitions.substr(valueStart, valueEnd - valueStart), ',');
    formula = cp932::ReplaceAll(formula, name, cp932::RemoveAll(value, ' '));
    if (nextX == cp932::npos) break;
    from = nextX;
  }
  return formula;
}

TEST(CalcEvaluator, SubstitutionMatchesThePlainLoop) {
  const std::string formulaTokens[] = {"x1", "x2", "x3", "x10", "x12", "x0", "x", "+", "*", "3", "xx1", "\x95\x5C",
                                       "\x81x", "x9", "x11"};
  const std::string definitionTokens[] = {"x1=", "x2=", "x3=", "x4=", "x5=", "x6=", "x7=", "x8=", "x9=", "x10=",
                                          "x11=", "x12=", "2", ",", " ", "1,5", "\x81x", "x", "=", "7"};
  std::mt19937 random(777);
  RecordingHost host;
  for (int round = 0; round < 20000; ++round) {
    std::string formula, definitions;
    for (int i = 1 + static_cast<int>(random() % 8); i > 0; --i) formula += formulaTokens[random() % std::size(formulaTokens)];
    for (int i = 1 + static_cast<int>(random() % 12); i > 0; --i)
      definitions += definitionTokens[random() % std::size(definitionTokens)];
    int manFlag = 0;
    CalcEvaluator e(manFlag, 0, host);
    std::string substituted = formula;
    e.SubstituteVariables(definitions, substituted);
    ASSERT_EQ(substituted, ReferenceSubstitution(definitions, formula)) << definitions << " | " << formula;
  }
  // a definitions line of the ordered form x1=1,x2=2,... in 1..12
  std::string definitions;
  for (int i = 1; i <= 12; ++i) definitions += (i > 1 ? "," : "") + ("x" + std::to_string(i)) + "=" + std::to_string(i * 11);
  std::string formula = "x1+x2*x9-x10+x12+x0";
  RecordingHost quiet;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 0, quiet);
  e.SubstituteVariables(definitions, formula);
  EXPECT_EQ(formula, "11+22*99-110+112+x0");
}

// Two lines of the size limit: a formula of 300,000 uses and a value of
// 700,000 bytes would grow to 200 GB; the substitution stops short of it.
TEST(CalcEvaluator, SubstitutionIsBoundedInSize) {
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 0, host);
  std::string formula;
  for (int i = 0; i < 300000; ++i) formula += "+x1";
  const std::string definitions = "x1=" + std::string(700000, '1');
  std::string substituted = formula;
  e.SubstituteVariables(definitions, substituted);
  EXPECT_EQ(substituted, formula);
  // one use of it fits
  substituted = "x1";
  e.SubstituteVariables(definitions, substituted);
  EXPECT_EQ(substituted.size(), 700000u);
}

TEST(CalcEvaluator, RepeatedProductMatchesTheLoop) {
  const double bases[] = {1.1, -1.3, 0.7, -0.9, 2.5, 1e-3, -7.0, 3.0};
  for (double base : bases) {
    double p = 1.0;
    for (std::uint64_t n = 0; n <= 3000; ++n) {
      ASSERT_EQ(CalcEvaluator::RepeatedProduct(base, n), p) << base << "^" << n;
      ASSERT_EQ(std::signbit(CalcEvaluator::RepeatedProduct(base, n)), std::signbit(p)) << base << "^" << n;
      p *= base;
    }
  }
}

TEST(CalcEvaluator, HugeExponentOfABaseNearOne) {
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 0, host);
  // about 7.2e86: finite, so the loop cannot stop early on an overflow
  const std::string r = e.EvaluateExpression("1.0000001^2000000000/1e86");
  EXPECT_EQ(r, "7");
}

TEST(CalcEvaluator, RepeatedProductOfHugeCountsKeepsTheSign) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(CalcEvaluator::RepeatedProduct(-1.0, 2000000001), -1.0);
  EXPECT_EQ(CalcEvaluator::RepeatedProduct(-1.0, 2000000000), 1.0);
  EXPECT_EQ(CalcEvaluator::RepeatedProduct(-2.0, 2000000001), -inf);
  EXPECT_EQ(CalcEvaluator::RepeatedProduct(-2.0, 2000000000), inf);
  EXPECT_TRUE(std::signbit(CalcEvaluator::RepeatedProduct(-0.5, 2000000001)));
  EXPECT_FALSE(std::signbit(CalcEvaluator::RepeatedProduct(-0.5, 2000000000)));
  EXPECT_EQ(CalcEvaluator::RepeatedProduct(0.0, 2147483648u), 0.0);
  const double nearOne = CalcEvaluator::RepeatedProduct(1.0000001, 2000000000);
  EXPECT_NEAR(nearOne / std::exp(2000000000 * std::log1p(1e-7)), 1.0, 1e-6);
}

TEST(CalcEvaluator, NumberReading) {
  EXPECT_EQ(CalcEvaluator::Atof(" -3.5e2x"), -350.0);
  EXPECT_EQ(CalcEvaluator::Atof("abc"), 0.0);
  EXPECT_EQ(CalcEvaluator::Atof("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(CalcEvaluator::Atof("-Error")));
  EXPECT_EQ(CalcEvaluator::WholeNumber("12.7"), 12);
  EXPECT_EQ(CalcEvaluator::WholeNumber("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(CalcEvaluator::WholeNumber("99999999999999999999"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(CalcEvaluator::WholeNumber("-99999999999999999999"), std::numeric_limits<std::int32_t>::min());
}

TEST(CalcEvaluator, ManNotationSplitsTheText) {
  EXPECT_EQ(Utf(CalcEvaluator::ManNotation("32500.5")), "3万2500.5");
  EXPECT_EQ(Utf(CalcEvaluator::ManNotation("30000")), "3万0");
  EXPECT_EQ(Utf(CalcEvaluator::ManNotation("30005.00")), "3万5.00");
  EXPECT_EQ(Utf(CalcEvaluator::ManNotation("10000.05")), "1万0.05");
}

// With the Japanese reading operands take 千, 万, 億 and 兆 and the result
// is written with the units up to the largest one used.
struct JapaneseExpression {
  const char* expression;  // UTF-8, in the half-width form the line is calculated in
  int decimals;
  const char* result;      // UTF-8
};

class JapaneseExpressions : public ::testing::TestWithParam<JapaneseExpression> {};

TEST_P(JapaneseExpressions, ReadUnitsAndWriteThem) {
  const JapaneseExpression& c = GetParam();
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, c.decimals, host, numbers::NumberReading::Japanese);
  EXPECT_EQ(Utf(e.EvaluateExpression(Cp(c.expression))), c.result) << c.expression;
  EXPECT_EQ(manFlag, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JapaneseExpressions,
    ::testing::Values(JapaneseExpression{"120+30", 1, "150.0"},
                      JapaneseExpression{"1億2345万6789*1", 1, "1億2345万6789.0"},
                      JapaneseExpression{"1億+1", 0, "1億1"}, JapaneseExpression{"3万5千+0", 0, "3万5000"},
                      JapaneseExpression{"3千*5", 0, "1万5000"}, JapaneseExpression{"1兆/2", 0, "5000億0"},
                      JapaneseExpression{"2兆+3万", 0, "2兆3万0"}, JapaneseExpression{"▲1,200+300", 1, "-900.0"},
                      JapaneseExpression{"1億-1", 0, "9999万9999"}, JapaneseExpression{"(1万+1)*2", 0, "2万2"},
                      JapaneseExpression{"1.5万+2500", 1, "1万7500.0"}, JapaneseExpression{"12+3", 0, "15"}),
    [](const auto& info) { return CaseName(info.index, info.param.expression); });

TEST(CalcEvaluator, JapaneseUnitsInAPowerAreRefusedAsManIs) {
  RecordingHost host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 0, host, numbers::NumberReading::Japanese);
  EXPECT_EQ(Utf(e.EvaluateExpression(Cp("1億^2"))), "0");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, kBaseMessage);
  EXPECT_EQ(Utf(e.EvaluateExpression(Cp("2^1千"))), "0");
}

TEST(CalcEvaluator, UnitNotationSplitsAtEachUnit) {
  EXPECT_EQ(Utf(CalcEvaluator::UnitNotation("123456789.0", 2)), "1億2345万6789.0");
  EXPECT_EQ(Utf(CalcEvaluator::UnitNotation("100000000.0", 2)), "1億0.0");
  EXPECT_EQ(Utf(CalcEvaluator::UnitNotation("100010000", 3)), "1億1万0");
  EXPECT_EQ(Utf(CalcEvaluator::UnitNotation("2000000030000", 3)), "2兆3万0");
  EXPECT_EQ(Utf(CalcEvaluator::UnitNotation("2000000030000", 2)), "20000億3万0");
  EXPECT_EQ(Utf(CalcEvaluator::UnitNotation("9999.5", 3)), "9999.5");
  EXPECT_EQ(CalcEvaluator::UnitNotation("32500.5", 1), CalcEvaluator::ManNotation("32500.5"));
}

}  // namespace
