// The simulation on its own: with the table of run events left empty, whole runs play through
// their contacts and pickups, end and are saved, and nothing of the layers above is touched.
#include <gtest/gtest.h>

#include <cstring>

#include "app/data/game_screen.h"
#include "app/data/run_state.h"
#include "app/data/save_file.h"
#include "app/data/tunnel_polygon.h"
#include "app/shell/game.h"
#include "kit/bot_pilot.h"
#include "kit/test_world.h"
#include "sim/random.h"
#include "sim/run_events.h"
#include "ui/ui_elements.h"

namespace {

constexpr int frameLimit = 60 * 60 * 10;  // ten minutes of play ends any ring

class RunEventsLeftEmpty : public ::testing::Test {
 protected:
  simtest::ScratchFolder scratch;  // the ended runs are saved
  void SetUp() override {
    fillTunnelPolygon();
    runEvents = {};
  }
  void TearDown() override {
    connectLayers();
    releaseWorld();
    resetRunState();
  }
};

// Seed 16 opens with a diskette and seed 117 with a diamond before their first blades, so both
// the item box and the flyers would be asked for along the way.
TEST_F(RunEventsLeftEmpty, WholeRunsPlayEndAndSaveWithoutTheLayersAbove) {
  resetUi();
  UiElement elementsBefore[uiElementCount];
  std::memcpy(static_cast<void*>(elementsBefore), uiElements, sizeof uiElements);
  const int32_t runsBefore = saveData.runCount;
  for (uint64_t seed : {16u, 117u, 1u, 2u}) {
    SCOPED_TRACE(seed);
    currentScreen = screenPlay;  // nobody shows the play screen when the run starts
    runSeed = seed;
    startRun();
    int frames = 0;
    while (speed != 0.0f && frames++ < frameLimit) {
      bot::pilotKeys();
      DeltaTime = bot::frameSeconds;
      updateFrame();
    }
    EXPECT_EQ(speed, 0.0f) << "the run never ended";
    EXPECT_GT(runScore, 0u);
    EXPECT_EQ(currentScreen, screenPlay) << "a screen was switched with no screens connected";
  }
  EXPECT_EQ(saveData.runCount, runsBefore + 4);
  EXPECT_EQ(std::memcmp(static_cast<const void*>(elementsBefore), uiElements, sizeof uiElements), 0)
      << "the UI pools changed with no UI connected";
}

}  // namespace
