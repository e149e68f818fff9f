// Whole runs played headless at 60 frames per second by bots that see only the world ahead: a
// pilot that steers to free lanes and opens doors, on keys and on a gamepad, and a passenger that
// never steers.
#include <gtest/gtest.h>

#include <string>

#include "app/data/camera.h"
#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "kit/bot_pilot.h"
#include "kit/pad_pilot.h"
#include "kit/test_world.h"
#include "sim/controls.h"
#include "sim/frame_update.h"
#include "sim/generation.h"
#include "sim/pickups.h"
#include "sim/random.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"

namespace {

using bot::depthOf;
using bot::pilotFrame;
using bot::playFrame;
using bot::runOver;

constexpr int seedCount = 100;
// The pad steers with the pilot's own choices, only one press a frame; half the seeds show that
// is enough, at half the time.
constexpr int padSeedCount = 50;
constexpr int frameLimit = 60 * 60 * 8;  // far more than a whole ring takes

struct Obstacle {
  int platform = platformTotal;  // the ring's end when nothing blocks lane 0
  bool door = false;
};

// What a player looking down lane 0 sees first: a blade or a (closed) door on that lane.
Obstacle firstObstacleOnLaneZero() {
  for (int p = 0; p < platformTotal; ++p) {
    for (const Barrier* b : world->barriers[p])
      if (b != nullptr && b->lane == 0) return {p, false};
    if (world->doors[p] != nullptr && world->doors[p]->lane == 0) return {p, true};
  }
  return {};
}

int countOf(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class Bots : public ::testing::Test {
 protected:
  simtest::ScratchFolder scratch;
  void SetUp() override { fillTunnelPolygon(); }
  void TearDown() override {
    releaseWorld();
    resetRunState();
    showScreen(screenMainMenu);
  }
};

TEST_F(Bots, PilotFinishesTheRingOnEverySeed) {
  int finished = 0;
  uint64_t diamonds = 0;
  for (int seed = 1; seed <= seedCount; ++seed) {
    runSeed = static_cast<uint64_t>(seed);
    lastBreakTime = 0.0f;  // kept across runs by the game; cleared so every break reports
    testing::internal::CaptureStdout();
    startRun();
    int frames = 0;
    while (!runOver() && frames++ < frameLimit) pilotFrame();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(countOf(out, "Collision detected!\n"), 0) << "seed " << seed;
    EXPECT_EQ(currentPlatform, platformTotal) << "seed " << seed;
    // One break report per wave change: seven side changes in a ring.
    EXPECT_EQ(countOf(out, "WAVE TOTAL TIME: "), 7) << "seed " << seed;
    if (runOver() && currentPlatform == platformTotal) ++finished;
    diamonds += runDiamonds;
  }
  EXPECT_EQ(finished, seedCount);
  EXPECT_GT(diamonds, 0u);
  std::printf("pilot finished %d of %d rings, %llu diamonds\n", finished, seedCount,
              static_cast<unsigned long long>(diamonds));
}

// The same rings played through the pad poll alone: one press per frame at most, every prize roll
// left with the south button.
TEST_F(Bots, PadPilotFinishesTheRingOnEverySeed) {
  padbot::ScriptedPad pad;
  int finished = 0, boxesLeft = 0;
  uint64_t diamonds = 0;
  for (int seed = 1; seed <= padSeedCount; ++seed) {
    runSeed = static_cast<uint64_t>(seed);
    lastBreakTime = 0.0f;
    testing::internal::CaptureStdout();
    startRun();
    padbot::Pilot pilot;
    int frames = 0;
    while (!runOver() && frames++ < frameLimit) {
      const bool inBox = currentScreen == screenItemBox;
      padbot::frame(pilot.next());
      if (inBox && currentScreen != screenItemBox) ++boxesLeft;
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(countOf(out, "Collision detected!\n"), 0) << "seed " << seed;
    EXPECT_EQ(currentPlatform, platformTotal) << "seed " << seed;
    if (runOver() && currentPlatform == platformTotal) ++finished;
    diamonds += runDiamonds;
  }
  EXPECT_EQ(finished, padSeedCount);
  EXPECT_GT(boxesLeft, 0) << "no run met a prize roll to leave";
  EXPECT_GT(diamonds, 0u);
  std::printf("pad pilot finished %d of %d rings, left %d prize rolls, %llu diamonds\n", finished,
              padSeedCount, boxesLeft, static_cast<unsigned long long>(diamonds));
}

TEST_F(Bots, PassengerIsStoppedByTheFirstObstacleOnItsLane) {
  int stoppedAsPredicted = 0;
  for (int seed = 1; seed <= seedCount; ++seed) {
    runSeed = static_cast<uint64_t>(seed);
    testing::internal::CaptureStdout();
    startRun();
    const Obstacle expected = firstObstacleOnLaneZero();
    int frames = 0;
    while (!runOver() && frames++ < frameLimit) playFrame();
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(runOver()) << "seed " << seed;
    EXPECT_EQ(currentPlatform, expected.platform) << "seed " << seed;
    if (expected.platform == platformTotal) {
      EXPECT_EQ(countOf(out, "Collision detected!\n"), 0) << "seed " << seed;
      ++stoppedAsPredicted;
      continue;
    }
    EXPECT_EQ(countOf(out, "Collision detected!\n"), 1) << "seed " << seed;
    bool asPredicted = currentPlatform == expected.platform;
    if (expected.door) {
      // Contact starts 0.615 units before the door reaches the player's depth.
      const float z = world->doors[expected.platform]->model[3][2];
      EXPECT_NEAR(z, 64.385f, 0.02f) << "seed " << seed;
      asPredicted = asPredicted && z > 64.3f && z < 64.45f;
    } else {
      // Contact starts when the blade's plane, half a unit ahead of the depth, is 0.125 away.
      EXPECT_EQ(activePlatforms[0], expected.platform) << "seed " << seed;
      const float z = depthOf(expected.platform);
      EXPECT_NEAR(z, 65.375f, 0.02f) << "seed " << seed;
      asPredicted = asPredicted && z > 65.3f && z < 65.45f;
    }
    if (asPredicted) ++stoppedAsPredicted;
  }
  EXPECT_EQ(stoppedAsPredicted, seedCount);
  std::printf("passenger stopped as predicted on %d of %d seeds\n", stoppedAsPredicted, seedCount);
}

}  // namespace
