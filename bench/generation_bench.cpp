// Benchmarks of run generation.
#include <benchmark/benchmark.h>

#include "app/data/run_state.h"
#include "sim/generation.h"

static void BM_GenerateWorld(benchmark::State& state) {
  for (auto _ : state) {
    releaseWorld();
    generateWorld();
  }
  releaseWorld();
}
BENCHMARK(BM_GenerateWorld);
