// Speed of the calculator's own work: one g report per load case, and a whole
// scripted session through the in-process dialogue.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "beam/report.h"
#include "console/console.h"
#include "dialogue/dialogue.h"
#include "support/scripted_console.h"

namespace {

using veldra::beam::Inputs;

void BM_Report(benchmark::State& state) {
  const auto Nr = static_cast<std::int32_t>(state.range(0));
  const Inputs in{
      .F = 10'000, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'500, .x = 2'000, .xq = 700};
  for (auto _ : state) {
    std::string text = veldra::beam::resultReport(Nr, in);
    benchmark::DoNotOptimize(text);
  }
  state.SetItemsProcessed(state.iterations());  // reports per second
}
BENCHMARK(BM_Report)
    ->ArgName("Nr")
    ->Arg(1)
    ->Arg(2)
    ->Arg(31)
    ->Arg(32)
    ->Arg(4)
    ->Arg(5)
    ->Arg(6)
    ->Arg(7)
    ->Arg(8)
    ->Arg(9)
    ->Arg(10)
    ->Arg(11)
    ->Arg(12);

// Every key, and a report of every case.
std::string everyKeySession() {
  std::string s = "i b   w l4000 210000 8.356e7\nf10000\na1500\n";
  for (const char* nr : {"1", "2", "31", "32", "4", "5", "6", "7", "8", "9", "10", "11", "12"}) {
    s += std::string("n") + nr + "\nx2000\n700\ng ";
  }
  return s + "n3\n q";
}

void BM_Session(benchmark::State& state) {
  const std::string script = everyKeySession();
  for (auto _ : state) {
    veldra::test::ScriptedSource in(script);
    veldra::test::CapturedSink out;
    veldra::console::Console console(in, out);
    benchmark::DoNotOptimize(veldra::dialogue::runMenu(console));
  }
  state.SetItemsProcessed(state.iterations());  // sessions per second
}
BENCHMARK(BM_Session);

}  // namespace

BENCHMARK_MAIN();
