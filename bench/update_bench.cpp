// Benchmark of one frame update at the busiest point of a run: ten sides, eight moving platforms.
#include <benchmark/benchmark.h>

#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "sim/frame_update.h"
#include "sim/generation.h"
#include "sim/random.h"
#include "ui/screens.h"

namespace {

constexpr int lastWaveStart = 224;  // first platform with ten sides
constexpr uint64_t benchSeed = 12345;

// Puts the run in the last wave with its first eight platforms moving, 20 units apart, the
// front one just short of the player.
void placeBusiestWave() {
  currentSides = maxSides;
  wave = maxSides - 2;
  currentPlatform = lastWaveStart;
  for (int k = 0; k < activeSlots; ++k) {
    const int p = lastWaveStart + k;
    activePlatforms[k] = static_cast<int16_t>(p);
    world->barriers[p][0]->model[3][2] = 60.0f - 20.0f * static_cast<float>(k);
  }
  speed = 35.0f;
  boostActive = false;
  DeltaTime = 1.0f / 60.0f;
}

void BM_UpdateFrame(benchmark::State& state) {
  fillTunnelPolygon();
  runSeed = benchSeed;
  startRun();
  currentLane = 0;
  tunnelAngle = targetAngle = laneAngle(0, maxSides);
  placeBusiestWave();
  showScreen(screenPlay);
  int frames = 0;
  for (auto _ : state) {
    updateFrame();
    // Back to the busiest point before the front platform can reach the player.
    if (++frames == 8) {
      placeBusiestWave();
      frames = 0;
    }
  }
  // Lane 0 of the seed's first ten-sided platforms is clear: a run ended here measured nothing.
  if (currentScreen != screenPlay) state.SkipWithError("the run ended during the benchmark");
  releaseWorld();
}

}  // namespace

BENCHMARK(BM_UpdateFrame);
