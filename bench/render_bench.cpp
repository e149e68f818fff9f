// Benchmarks of the drawn frame: a mid-run play frame against a bare clear-and-swap, same window.
// Mesa's software renderer draws on worker threads, so CPU time is counted for the whole process.
#include <benchmark/benchmark.h>
#include <glad/gl.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "app/shell/game.h"
#include "kit/gl_window.h"
#include "render/frame.h"
#include "render/gl_context.h"
#include "render/shader_program.h"
#include "render/sprite_draw.h"
#include "render/text.h"
#include "render/textures.h"
#include "render/tunnel_mesh.h"
#include "sim/frame_update.h"
#include "sim/generation.h"
#include "sim/random.h"
#include "ui/screens.h"

namespace {

constexpr float settleStep = 0.1f;  // seconds per update while the run fills its platform list
constexpr int settleLimit = 200;

// The hidden 1280 x 720 test window with the game's GL objects, built as start-up builds them.
bool openBenchWindow() {
  static bool loaded = false;
  if (!ensureGlContext()) return false;
  if (!loaded) {
    loaded = true;
    loadGameResources();
  }
  return true;
}

bool allPlatformsActive() {
  for (int16_t p : activePlatforms)
    if (p == -1) return false;
  return true;
}

// Starts a run and lets it play until eight platforms move at once.
bool reachMidRun() {
  runSeed = 12345;
  startRun();
  for (int i = 0; i < settleLimit && currentScreen == screenPlay && !allPlatformsActive(); ++i) {
    DeltaTime = settleStep;
    updateFrame();
  }
  return currentScreen == screenPlay && allPlatformsActive();
}

constexpr int warmUpFrames = 10;

// The measured frames, each in a function of its own, so an instruction count can be taken of them
// alone (valgrind --tool=callgrind --toggle-collect='*measured*').
__attribute__((noinline)) void measuredPlayFrame() {
  renderFrame();
  updateFrame();
  swapGlBuffers();
}

__attribute__((noinline)) void measuredBareFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  swapGlBuffers();
}

}  // namespace

static void BM_PlayFrame(benchmark::State& state) {
  if (!openBenchWindow()) {
    state.SkipWithError("no GL 4.6 window");
    return;
  }
  if (!reachMidRun()) {
    state.SkipWithError("the run ended before eight platforms were active");
    return;
  }
  // A zero frame time keeps the run standing mid-way with all eight platforms: every frame
  // draws and updates the same full scene (the sub-steps and placements still run).
  DeltaTime = 0.0f;
  // The driver's first-use work (programs prepared for this scene) is not part of a play frame.
  for (int i = 0; i < warmUpFrames; ++i) {
    renderFrame();
    updateFrame();
    swapGlBuffers();
  }
  for (auto _ : state) measuredPlayFrame();
  glFinish();
  state.counters["active"] = allPlatformsActive() ? 8 : 0;
  // The whole process so far: the game's resources, a run's world and the driver's buffers.
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

static void BM_BareFrame(benchmark::State& state) {
  if (!openBenchWindow()) {
    state.SkipWithError("no GL 4.6 window");
    return;
  }
  for (auto _ : state) measuredBareFrame();
  glFinish();
}
BENCHMARK(BM_BareFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
