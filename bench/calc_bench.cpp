// The calculation on inputs at the size limit.
//
//   Evaluate<Kind>       one 1 MB line through CalcEvaluator::EvaluateExpression:
//                        sums (1+1+...), products (1*1*...), powers (2^2*2^2*...),
//                        groups ((1)+(1)+...) and nested groups ((((7))))
//   Substitute           a 1 MB definitions line of 100,000 values into a
//                        formula of 100,000 uses
//   TypedLine            "1200*3+500=" and Enter through the view, with the
//                        release of Enter calculating the line
//   TransformColumn      cmd::ColumnSlopeOffsetRight (Y = X * m / n + p / q, new
//                        column right) on a column of 40,000 rows
//   CombineColumns       cmd::TwoColumnArithmeticRight (two columns added, new
//                        column right) on the same rows
#include <benchmark/benchmark.h>

#include <string>

#include "BenchTables.h"
#include "calc/CalcEvaluator.h"
#include "editor/CommandIds.h"

namespace {

using Host = benchtables::OkHost;

std::string Repeat(const std::string& unit, std::size_t size) {
  std::string s;
  while (s.size() + unit.size() < size) s += unit;
  return s + "1";
}

void Evaluate(benchmark::State& state, const std::string& expression) {
  Host host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 2, host);
  for (auto _ : state) benchmark::DoNotOptimize(e.EvaluateExpression(expression));
  state.counters["bytes"] = static_cast<double>(expression.size());
}

void EvaluateSums(benchmark::State& s) { Evaluate(s, Repeat("1+", 1000000)); }
void EvaluateProducts(benchmark::State& s) { Evaluate(s, Repeat("1*", 1000000)); }
void EvaluatePowers(benchmark::State& s) { Evaluate(s, Repeat("2^2*", 1000000)); }
void EvaluateGroups(benchmark::State& s) { Evaluate(s, Repeat("(1)+", 1000000)); }
void EvaluateNested(benchmark::State& s) { Evaluate(s, std::string(500000, '(') + "7" + std::string(500000, ')')); }

void Substitute(benchmark::State& state) {
  std::string definitions;
  for (int i = 1; definitions.size() < 1000000; ++i)
    definitions += (i > 1 ? ",x" : "x") + std::to_string(i) + "=" + std::to_string(i % 97);
  const std::string formula = Repeat("x3+", 300000);
  Host host;
  int manFlag = 0;
  CalcEvaluator e(manFlag, 2, host);
  for (auto _ : state) {
    std::string f = formula;
    e.SubstituteVariables(definitions, f);
    benchmark::DoNotOptimize(f);
  }
}

struct ViewBench : benchtables::ViewFixture {
  ViewBench() : ViewFixture("pivra-bench") {}
};

void TypedLine(benchmark::State& state) {
  ViewBench b;
  for (auto _ : state) {
    state.PauseTiming();
    b.view->Edit().SetText("");
    b.view->History().Restart(b.view->Edit());
    state.ResumeTiming();
    b.view->TypeKeys("1200*3+500=\r");
  }
}

// 40,000 rows (490 KB), so that a new column of results still fits the 1 MB
// text limit and the commands are timed doing their work, not being refused.
constexpr int kColumnRows = 40000;

const std::string& Column() {
  static const std::string text = [] {
    std::string t;
    for (int i = 0; i < kColumnRows; ++i) t += std::to_string(i) + "\t" + std::to_string(i * 3) + "\r\n";
    return t;
  }();
  return text;
}

void RunOnColumn(benchmark::State& state, int id) {
  ViewBench b;
  for (auto _ : state) {
    state.PauseTiming();
    b.view->Edit().SetText(Column());
    b.view->History().Restart(b.view->Edit());
    b.view->Edit().SetSel(0, 0);
    state.ResumeTiming();
    b.view->Execute(id);
    benchmark::DoNotOptimize(b.view->Edit().GetTextLength());
  }
  state.counters["text_bytes"] = static_cast<double>(Column().size());
  state.counters["delta_bytes"] = static_cast<double>(b.view->Edit().GetTextLength()) - static_cast<double>(Column().size());
}

void TransformColumn(benchmark::State& s) { RunOnColumn(s, cmd::ColumnSlopeOffsetRight); }
void CombineColumns(benchmark::State& s) { RunOnColumn(s, cmd::TwoColumnArithmeticRight); }

}  // namespace

BENCHMARK(EvaluateSums)->Unit(benchmark::kMillisecond);
BENCHMARK(EvaluateProducts)->Unit(benchmark::kMillisecond);
BENCHMARK(EvaluatePowers)->Unit(benchmark::kMillisecond);
BENCHMARK(EvaluateGroups)->Unit(benchmark::kMillisecond);
BENCHMARK(EvaluateNested)->Unit(benchmark::kMillisecond);
BENCHMARK(Substitute)->Unit(benchmark::kMillisecond);
BENCHMARK(TypedLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(TransformColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(CombineColumns)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
