// The sound engine never stands in the game's way: without a device, before start-up, after
// shutdown, or with a missing file, playing a sound returns at once and harms nothing.
#include <gtest/gtest.h>

#include <chrono>

#include "app/data/sound_files.h"
#include "sound/sound.h"

namespace {

TEST(Sound, PlayingBeforeStartUpOrWithoutAFileIsHarmless) {
  ASSERT_FALSE(soundEngineReady);
  playSound(collectSound);
  playSound(nullptr);
  shutdownSoundEngine();  // shutting down an engine that never started
  EXPECT_FALSE(soundEngineReady);
}

TEST(Sound, StartPlayAndShutDownInEveryOrderReturnPromptly) {
  const auto started = std::chrono::steady_clock::now();
  for (int round = 0; round < 2; ++round) {
    initSoundEngine();
    initSoundEngine();  // a second start-up keeps the running engine
    const bool ready = soundEngineReady;
    playSound("./audio/no_such_sound.wav");
    playSound(clinkSound);
    playSound(menuSelectSound);
    EXPECT_EQ(soundEngineReady, ready);
    shutdownSoundEngine();
    EXPECT_FALSE(soundEngineReady);
    shutdownSoundEngine();
    playSound(collectSound);  // after shutdown: silently nothing
  }
  const auto elapsed = std::chrono::steady_clock::now() - started;
  EXPECT_LT(elapsed, std::chrono::seconds(5));
}

}  // namespace
