// A hand-built run for the simulation tests: every platform of the ring with one blade, placed
// wherever a test wants it, and a run state reset to the start of play.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <glm/gtc/matrix_transform.hpp>

#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "app/data/save_file.h"
#include "app/data/tunnel_polygon.h"
#include "sim/frame_update.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"

namespace simtest {

constexpr float frameSeconds = 1.0f / 60.0f;

// A complete ring whose platforms each carry one blade on `bladeLane`, at the start depth.
inline void buildRing(int bladeLane) {
  releaseWorld();
  World* w = new World{};
  w->barrierStore = new Barrier[platformTotal];
  for (int p = 0; p < platformTotal; ++p) {
    w->sideCount[p] = static_cast<uint8_t>(std::min(3 + p / 32, 10));
    w->barrierCount[p] = 1;
    w->barrierStore[p] = Barrier{glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -100)),
                                 static_cast<uint8_t>(bladeLane)};
    w->barriers[p][0] = &w->barrierStore[p];
  }
  w->platformCount = platformTotal;
  world = w;
}

inline TunnelObject* makeObject(int32_t kind, int lane, uint32_t texture = 7) {
  TunnelObject* o = new TunnelObject{};
  o->model = glm::mat4(1.0f);
  o->lane = static_cast<uint8_t>(lane);
  o->kind = kind;
  o->textureId = texture;
  o->useSpriteSheet = true;
  o->frameCount = spriteFrames;
  o->action = noActionSpecified;
  return o;
}

inline Door* makeDoor(int lane) {
  Door* d = new Door{};
  d->model = glm::mat4(1.0f);
  d->lane = static_cast<uint8_t>(lane);
  d->action = noActionSpecified;
  d->open = false;
  return d;
}

inline float depthOf(int p) { return world->barriers[p][0]->model[3][2]; }

// Puts platform p at depth z and places its blades and objects there without moving it.
inline void placeAt(int p, float z) {
  world->barriers[p][0]->model[3][2] = z;
  updatePlatform(p, 0.0f);
}

// Every ended run writes the career save into the working folder; tests keep theirs out of the
// player's own "save.esf" by working in a scratch folder while they run.
class ScratchFolder {
 public:
  ScratchFolder() : home_(std::filesystem::current_path()) {
    const auto scratch = std::filesystem::temp_directory_path() / "navro-sim-tests";
    std::filesystem::create_directories(scratch);
    std::filesystem::current_path(scratch);
  }
  ~ScratchFolder() { std::filesystem::current_path(home_); }

 private:
  std::filesystem::path home_;
};

inline void frame() {
  DeltaTime = frameSeconds;
  updateFrame();
}

// Start of play on lane 0 with the tunnel settled and blades on lane 1 of every platform.
class RunFixture : public ::testing::Test {
 protected:
  ScratchFolder scratch;
  void SetUp() override {
    fillTunnelPolygon();
    resetRunState();
    buildRing(1);
    saveData = SaveData{};
    waveChangeTime = 0.0f;
    lastBreakTime = 0.0f;
    waveBonus = 0;
    showScreen(screenPlay);
    tunnelAngle = targetAngle = laneAngle(0, 3);
    DeltaTime = frameSeconds;
  }
  void TearDown() override {
    resetRunState();
    releaseWorld();
    showScreen(screenMainMenu);
  }
};

}  // namespace simtest
