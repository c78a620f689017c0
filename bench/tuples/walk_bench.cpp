// The pair-step walk, in ns per visited b, for every walk method side by side
// with a literal baseline kept here: the walk exactly as first written, two
// reads of rough_prefix and one 64-bit division per b.
//   W1: one walk from v = 23 for m = 10^14 and 10^16.
//   W2: sum of L(N / a, a) over rough a from 23 to cbrt(N), for N = 10^14 and
//       10^15: many walks of every length, as the three-factor level makes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "tuples/integer_root.h"
#include "tuples/pair_walk.h"
#include "wheel/rough_arithmetic.h"
#include "wheel/wheel_tables.h"

namespace {

using namespace roughpi;

// The baseline: count_rough_in_range per b, as the pair step first did it.
std::int64_t literal_baseline_walk(std::int64_t m, std::int64_t v, std::int64_t s) {
  RoughWalk w = rough_walk_start(v);
  rough_walk_step(w);
  std::int64_t sum = 0;
  while (w.value <= s) {
    sum += count_rough_in_range(w.value, m / w.value) - 1;
    rough_walk_step(w);
  }
  return sum;
}

using WalkFunction = std::int64_t (*)(std::int64_t, std::int64_t, std::int64_t);

struct Walk {
  std::int64_t m, v, s, visited;
};

std::int64_t visited(std::int64_t v, std::int64_t s) {
  return s > v ? count_rough_in_range(v + 1, s) : 0;
}

std::vector<Walk> w1(std::int64_t m) {
  const std::int64_t s = integer_sqrt(m);
  return {{m, 23, s, visited(23, s)}};
}

std::vector<Walk> w2(std::int64_t n) {
  std::vector<Walk> walks;
  const std::int64_t limit = integer_root(n, 3);
  for (RoughWalk a = rough_walk_start(23); a.value <= limit; rough_walk_step(a)) {
    const std::int64_t m = n / a.value;
    const std::int64_t s = integer_sqrt(m);
    walks.push_back({m, a.value, s, visited(a.value, s)});
  }
  return walks;
}

void run(benchmark::State& state, const std::vector<Walk>& walks, WalkFunction walk) {
  std::int64_t b_count = 0;
  for (const Walk& w : walks) b_count += w.visited;
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (const Walk& w : walks) sum += walk(w.m, w.v, w.s);
    benchmark::DoNotOptimize(sum);
  }
  state.counters["ns_per_b"] = benchmark::Counter(
      static_cast<double>(b_count) * static_cast<double>(state.iterations()) * 1e-9,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["b"] = static_cast<double>(b_count);
}

void register_all() {
  struct Workload {
    const char* name;
    std::vector<Walk> walks;
  };
  std::vector<Workload> workloads = {{"W1/m=1e14", w1(100000000000000)},
                                     {"W1/m=1e16", w1(10000000000000000)},
                                     {"W2/N=1e14", w2(100000000000000)},
                                     {"W2/N=1e15", w2(1000000000000000)}};
  struct Method {
    const char* name;
    WalkFunction walk;
    bool available;
  };
  const Method methods[] = {
      {"baseline", literal_baseline_walk, true},
      {"literal", pair_walk_sum_literal, true},
      {"compact", pair_walk_sum_compact, walk_method_available(WalkMethod::compact)},
      {"avx512", pair_walk_sum_avx512, walk_method_available(WalkMethod::avx512)}};
  for (const Workload& workload : workloads) {
    for (const Method& method : methods) {
      if (!method.available) continue;
      const std::string name = std::string(workload.name) + "/" + method.name;
      benchmark::RegisterBenchmark(name.c_str(), [walks = workload.walks, walk = method.walk](
                                                     benchmark::State& state) {
        run(state, walks, walk);
      })->Unit(benchmark::kMillisecond);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  build_wheel_tables();
  register_all();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
