// count_primes for 10^12 .. 10^15 with each walk method, selected by the
// library call set_walk_method.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "primes/prime_count.h"
#include "tuples/pair_walk.h"
#include "wheel/wheel_tables.h"

namespace {

using namespace roughpi;

void count(benchmark::State& state, WalkMethod method) {
  if (!set_walk_method(method)) {
    state.SkipWithError("walk method not available on this CPU");
    return;
  }
  std::int64_t x = 1;
  for (int e = 0; e < state.range(0); ++e) x *= 10;
  for (auto _ : state) benchmark::DoNotOptimize(count_primes(x));
  state.SetLabel(walk_method_name(method));
}

void literal(benchmark::State& state) { count(state, WalkMethod::literal); }
void compact(benchmark::State& state) { count(state, WalkMethod::compact); }
void avx512(benchmark::State& state) { count(state, WalkMethod::avx512); }

BENCHMARK(literal)->DenseRange(12, 15)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(compact)->DenseRange(12, 15)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(avx512)->DenseRange(12, 15)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  build_wheel_tables();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
