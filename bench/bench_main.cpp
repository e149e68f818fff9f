// Entry point of navro-bench: the game's layers connected as start-up connects them, then the
// benchmarks, so every measured frame and update does what the game's own do.
#include <benchmark/benchmark.h>

#include "app/shell/game.h"

int main(int argc, char** argv) {
  connectLayers();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
