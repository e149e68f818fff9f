// Thousands of whole runs and hundreds of screen switches in one process, driven through the
// game's own key and mouse handlers and drawn along the way, with the heap measured at both ends.
#include <GLFW/glfw3.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>

#include "app/data/camera.h"
#include "app/data/save_file.h"
#include "gl/render_test_support.h"
#include "kit/bot_pilot.h"
#include "kit/heap.h"
#include "kit/player_input.h"
#include "sim/random.h"
#include "ui/input.h"

namespace {

constexpr int soakRuns = 2000;
constexpr int warmUpRuns = 100;     // caches of the driver and the C library fill first
constexpr int measureEvery = 50;    // runs between two readings of the heap
constexpr int wholeRingEvery = 40;  // every 40th run the pilot flies the whole ring
constexpr int letGoSpread = 24;     // other runs: the pilot crashes before this platform
// Runs take turns at the frame times of machines from fast to struggling (60, 30, 20 and 10
// frames a second; 0.1 s is the longest step the game takes).
constexpr float frameTimes[] = {1.0f / 60.0f, 1.0f / 30.0f, 1.0f / 20.0f, 0.1f};
constexpr int frameTimeCount = static_cast<int>(std::size(frameTimes));
constexpr int menuRoundEvery = 10;    // every 10th run goes back through the main menu
constexpr int drawEveryFrames = 900;  // a drawn frame every 15 s of play
constexpr int frameLimit = 60 * 60 * 8;
// Bytes. Read on the same menu frame, the heap's floor comes back within a few hundred bytes
// (above it, the driver has zero to three 64 KiB buffers in flight); a run that keeps 20 bytes
// raises the floor by this much between the two halves.
constexpr long heapGrowthAllowed = 16 * 1024;

// Lowest and highest heap readings over a stretch of runs.
struct HeapRange {
  long low = std::numeric_limits<long>::max();
  long high = 0;
};
constexpr int screenSwitchesWanted = 500;
constexpr int settleFrames = 3;
constexpr int warmUpRounds = 2;  // rounds through the screens before the heap is read

long residentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The game's per-run lines would fill the test log; they go to /dev/null while it soaks.
class QuietStdout {
 public:
  QuietStdout() {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~QuietStdout() {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }

 private:
  int saved_ = -1;
};

void draw() {
  renderFrame();
  swapGlBuffers();
}

// One frame of play; the prize roll of a diskette is shown and left with Space.
void playFrame(float seconds = bot::frameSeconds) {
  DeltaTime = seconds;
  updateFrame();
  if (currentScreen == screenItemBox) {
    draw();
    press(GLFW_KEY_SPACE);
  }
}

// Plays the current run to its end: the pilot steers up to platform `letGoAt`, then turns into
// the next blade or closed door.
// Returns the frames played, or -1 when the run never ended.
long playRun(int letGoAt, float frameSeconds) {
  draw();
  long frames = 0;
  while (!bot::runOver()) {
    if (++frames > frameLimit) return -1;
    if (currentPlatform < letGoAt) {
      bot::pilotKeys();
    } else {
      bot::crashKeys();
    }
    playFrame(frameSeconds);
    if (frames % drawEveryFrames == 0) draw();
  }
  draw();
  return frames;
}

// The heap on the current screen after the same frame is drawn a few times, so the driver's
// per-frame pools settle alike, and with the last run's world let go as the next start would.
long settledHeap() {
  releaseWorld();
  for (int i = 0; i < settleFrames; ++i) draw();
  return heapInUse();
}

class Soak : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(prepareRenderer());
    fillTunnelPolygon();
    showScreen(screenMainMenu);
  }
  void TearDown() override {
    releaseWorld();
    resetRunState();
    showScreen(screenMainMenu);
  }
};

}  // namespace

TEST_F(Soak, TwoThousandRunsLeaveTheHeapWhereItWas) {
  saveData = SaveData{};
  HeapRange firstHalf, secondHalf;
  long residentAtStart = 0, residentAtEnd = 0;
  int wholeRings = 0, stopped = 0;
  long ringFrames = 0, otherFrames = 0;
  {
    QuietStdout quiet;
    // The first run is chosen on the main menu like any player's.
    ASSERT_TRUE(clickButton("PLAY"));
    ASSERT_EQ(currentScreen, screenSeedEntry);
    press(GLFW_KEY_ENTER);
    for (int run = 0; run < soakRuns; ++run) {
      ASSERT_EQ(currentScreen, screenPlay) << "run " << run;
      const bool wholeRing = run % wholeRingEvery == 0;
      const int letGoAt = wholeRing ? platformTotal : (run * 7) % letGoSpread;
      // Whole rings also take their turn at every frame time.
      const float frameSeconds = frameTimes[(run + run / wholeRingEvery) % frameTimeCount];
      const long frames = playRun(letGoAt, frameSeconds);
      ASSERT_GE(frames, 0) << "run " << run << " never ended";
      (wholeRing ? ringFrames : otherFrames) += frames;
      if (currentPlatform == platformTotal) ++wholeRings;
      if (currentPlatform < platformTotal) ++stopped;
      const bool measure = (run + 1) % measureEvery == 0;
      if ((run + 1) % menuRoundEvery != 0 && !measure) {
        ASSERT_TRUE(clickButton("QUICK PLAY"));
        continue;
      }
      ASSERT_TRUE(clickButton("EXIT"));
      ASSERT_EQ(currentScreen, screenMainMenu);
      if (measure) {
        const long bytes = settledHeap();
        if (run + 1 > warmUpRuns) {
          HeapRange& half = run + 1 <= soakRuns / 2 ? firstHalf : secondHalf;
          half.low = std::min(half.low, bytes);
          half.high = std::max(half.high, bytes);
        }
        if (run + 1 == warmUpRuns) residentAtStart = residentKiB();
        if (run + 1 == soakRuns) residentAtEnd = residentKiB();
      }
      draw();
      if (run + 1 == soakRuns) break;
      ASSERT_TRUE(clickButton("PLAY"));
      draw();
      press(GLFW_KEY_ENTER);  // the seed the screen proposes
    }
  }
  std::printf("soak: %d runs (%d whole rings, %d stopped), %ld + %ld frames\n", soakRuns,
              wholeRings, stopped, ringFrames, otherFrames);
  std::printf(
      "soak: heap %ld..%ld bytes over runs %d-%d, %ld..%ld over runs %d-%d; resident "
      "%ld -> %ld KiB\n",
      firstHalf.low, firstHalf.high, warmUpRuns + 1, soakRuns / 2, secondHalf.low, secondHalf.high,
      soakRuns / 2 + 1, soakRuns, residentAtStart, residentAtEnd);
  // Kept memory raises the floor of the later half; buffers the driver still has in flight only
  // ever add on top of it.
  EXPECT_LE(secondHalf.low - firstHalf.low, heapGrowthAllowed);
  EXPECT_GE(wholeRings, soakRuns / wholeRingEvery / 2);
  EXPECT_GT(stopped, soakRuns / 2);
  // Every run reached the record and the file, none was lost on the way.
  EXPECT_EQ(saveData.runCount, soakRuns);
  const SaveData onDisk = saveData;
  saveData = SaveData{};
  readSaveFile();
  EXPECT_EQ(saveData.runCount, onDisk.runCount);
  EXPECT_EQ(saveData.totalDiamonds, onDisk.totalDiamonds);
  EXPECT_EQ(saveData.highScore, onDisk.highScore);
}

TEST_F(Soak, FiveHundredScreenSwitchesThroughEveryScreen) {
  std::set<int32_t> seen;
  int switches = 0;
  int32_t shown = currentScreen;
  // Draws the screen now shown and counts it when it changed.
  const auto settle = [&] {
    draw();
    if (currentScreen != shown) {
      ++switches;
      shown = currentScreen;
      seen.insert(shown);
    }
  };
  const auto click = [&](const char* caption) {
    ASSERT_TRUE(clickButton(caption)) << caption << " on screen " << currentScreen;
    settle();
  };
  HeapRange firstHalf, secondHalf;
  {
    QuietStdout quiet;
    for (int round = 0; switches < screenSwitchesWanted; ++round) {
      if (round >= warmUpRounds) {
        const long bytes = settledHeap();
        HeapRange& half = switches < screenSwitchesWanted / 2 ? firstHalf : secondHalf;
        half.low = std::min(half.low, bytes);
        half.high = std::max(half.high, bytes);
      }
      click("OPTIONS");
      click("CONTROLS");
      // The keys walk the list up to BACK, which wraps round to the bottom.
      for (int i = 0; i <= selectableCount && !selectedCaptionIs("BACK"); ++i) press(GLFW_KEY_UP);
      press(GLFW_KEY_ENTER);
      settle();
      ASSERT_EQ(currentScreen, screenOptions);
      click("BACK");
      click("PLAY");
      ASSERT_EQ(currentScreen, screenSeedEntry);
      // A short seed typed over the proposal; its run stops at the first obstacle on lane 0.
      for (int i = 0; i < seedDigitsMax; ++i) press(GLFW_KEY_BACKSPACE);
      for (const char digit : std::to_string(round + 1)) press(GLFW_KEY_0 + (digit - '0'));
      press(GLFW_KEY_ENTER);
      settle();
      ASSERT_EQ(currentScreen, screenPlay);
      // The prize roll as a diskette opens it, and Space back to the run.
      showScreen(screenItemBox);
      settle();
      press(GLFW_KEY_SPACE);
      settle();
      ASSERT_EQ(currentScreen, screenPlay);
      for (int frames = 0; !bot::runOver(); ++frames) {
        ASSERT_LT(frames, frameLimit);
        playFrame();
      }
      settle();
      click(round % 2 == 0 ? "EXIT" : "PLAY NEW SEED");
      if (currentScreen == screenSeedEntry) {
        press(GLFW_KEY_ENTER);
        settle();
        for (int frames = 0; !bot::runOver(); ++frames) {
          ASSERT_LT(frames, frameLimit);
          playFrame();
        }
        settle();
        click("EXIT");
      }
      ASSERT_EQ(currentScreen, screenMainMenu);
      releaseWorld();
    }
  }
  std::printf("screens: %d switches over %zu screens, heap %ld..%ld bytes, then %ld..%ld\n",
              switches, seen.size(), firstHalf.low, firstHalf.high, secondHalf.low,
              secondHalf.high);
  EXPECT_GE(switches, screenSwitchesWanted);
  EXPECT_EQ(seen, (std::set<int32_t>{screenPlay, screenRunOver, screenMainMenu, screenOptions,
                                     screenControls, screenSeedEntry, screenItemBox}));
  EXPECT_LE(secondHalf.low - firstHalf.low, heapGrowthAllowed);
}
