// Generating runs: the worked seed, reproducibility, and the invariants every world keeps.
#include <gtest/gtest.h>

#include <string>

#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "sim/generation.h"
#include "sim/random.h"
#include "ui/screens.h"

namespace {

// One platform as the seed inspector prints it: object and blade lanes.
std::string describe(const World& w, int p) {
  std::string s;
  if (w.diamonds[p])
    s = "diamond:" + std::to_string(w.diamonds[p]->lane);
  else if (w.doors[p])
    s = "door:" + std::to_string(w.doors[p]->lane);
  else if (w.items[p])
    s = "item:" + std::to_string(w.items[p]->lane) + ":" + std::to_string(w.items[p]->kind);
  else
    s = "-";
  s += " ";
  for (int j = 0; j < w.barrierCount[p]; ++j)
    s += (j ? "," : "") + std::to_string(w.barriers[p][j]->lane);
  return s;
}

void generate(uint64_t seed) {
  releaseWorld();
  runSeed = seed;
  generateWorld();
}

class Generation : public ::testing::Test {
 protected:
  void SetUp() override { fillTunnelPolygon(); }
  void TearDown() override {
    releaseWorld();
    runSeed = 12345;
  }
};

}  // namespace

TEST_F(Generation, WorkedSeed12345) {
  generate(12345);
  const World& w = *world;
  const char* expected[] = {"- 2",         "door:2 1",    "diamond:2 1", "diamond:1 0",
                            "item:1:9 2",  "- 2",         "- 2",         "- 1",
                            "diamond:0 2", "diamond:1 2", "diamond:0 1", "item:0:4 2"};
  for (int p = 0; p < 12; ++p) EXPECT_EQ(describe(w, p), expected[p]) << "platform " << p;
  EXPECT_EQ(describe(w, 32), "diamond:2 3");
  EXPECT_EQ(describe(w, 35), "diamond:3 2,0");
  EXPECT_EQ(describe(w, 254), "diamond:7 3,6,5,2");
  EXPECT_EQ(describe(w, 255), "diamond:9 7,5");

  int diamonds = 0, items = 0, doors = 0, empty = 0;
  for (int p = 0; p < platformTotal; ++p) {
    diamonds += w.diamonds[p] != nullptr;
    items += w.items[p] != nullptr;
    doors += w.doors[p] != nullptr;
    empty += !w.diamonds[p] && !w.items[p] && !w.doors[p];
  }
  EXPECT_EQ(diamonds, 133);
  EXPECT_EQ(items, 51);
  EXPECT_EQ(doors, 15);
  EXPECT_EQ(empty, 57);
  EXPECT_EQ(rng() & 0x7FFFFFFFFFFFFFFFull, 172143689783847580ull);
}

TEST_F(Generation, ObjectsAreBuiltAsTheirKindSays) {
  generate(12345);
  const World& w = *world;
  const Door& door = *w.doors[1];
  EXPECT_EQ(door.kind, 0);
  EXPECT_FALSE(door.useSpriteSheet);
  EXPECT_EQ(door.frameCount, 0);
  EXPECT_FALSE(door.open);
  const TunnelObject& diamond = *w.diamonds[2];
  EXPECT_EQ(diamond.kind, kindDiamond);
  EXPECT_TRUE(diamond.useSpriteSheet);
  EXPECT_EQ(diamond.frameCount, 30);
  EXPECT_EQ(diamond.frameIndex, 0);
  EXPECT_EQ(diamond.model, glm::mat4(1.0f));
  for (int p = 0; p < platformTotal; ++p)
    for (int j = 0; j < w.barrierCount[p]; ++j) EXPECT_EQ(w.barriers[p][j]->model[3][2], -100.0f);
  EXPECT_EQ(w.platformCount, platformTotal);
}

TEST_F(Generation, SameSeedSameWorldWhateverWasDrawnBefore) {
  generate(987654321);
  std::string first;
  for (int p = 0; p < platformTotal; ++p) first += describe(*world, p) + "|";
  for (int i = 0; i < 1234; ++i) rng();
  generate(987654321);
  std::string second;
  for (int p = 0; p < platformTotal; ++p) second += describe(*world, p) + "|";
  EXPECT_EQ(first, second);
}

TEST_F(Generation, InvariantsHoldOverManySeeds) {
  for (uint64_t seed = 0; seed < 1000; ++seed) {
    generate(seed * 0x9E3779B97F4A7C15ull >> 1);
    const World& w = *world;
    for (int p = 0; p < platformTotal; ++p) {
      const int n = w.sideCount[p];
      ASSERT_EQ(n, std::min(3 + p / 32, 10));
      ASSERT_GE(w.barrierCount[p], 1);
      ASSERT_LE(w.barrierCount[p], n - 2);
      bool used[10] = {};
      int taken = 0;
      auto take = [&](int lane) {
        ASSERT_LT(lane, n);
        ASSERT_FALSE(used[lane]) << "seed " << seed << " platform " << p;
        used[lane] = true;
        ++taken;
      };
      for (int j = 0; j < w.barrierCount[p]; ++j) take(w.barriers[p][j]->lane);
      for (int j = w.barrierCount[p]; j < 10; ++j) ASSERT_EQ(w.barriers[p][j], nullptr);
      const int objects =
          (w.diamonds[p] != nullptr) + (w.doors[p] != nullptr) + (w.items[p] != nullptr);
      ASSERT_LE(objects, 1);
      if (w.diamonds[p]) take(w.diamonds[p]->lane);
      if (w.doors[p]) take(w.doors[p]->lane);
      if (w.items[p]) take(w.items[p]->lane);
      ASSERT_LT(taken, n) << "no free lane on platform " << p;
      if (p > 0 && w.doors[p - 1]) {
        ASSERT_EQ(w.doors[p], nullptr);
        ASSERT_EQ(objects, 1) << "a door is never followed by an empty platform";
        if (w.diamonds[p]) {
          ASSERT_EQ(w.diamonds[p]->lane, w.doors[p - 1]->lane);
        }
      }
      if (w.items[p]) {
        ASSERT_NE(w.items[p]->kind, 7);
        ASSERT_LE(w.items[p]->kind, 9);
      }
    }
  }
}

TEST_F(Generation, ThreeSidedPlatformsHaveOneBlade) {
  generate(4242);
  for (int p = 0; p < 32; ++p) EXPECT_EQ(world->barrierCount[p], 1);
  EXPECT_EQ(world->sideCount[31], 3);
  EXPECT_EQ(world->sideCount[32], 4);
  EXPECT_EQ(world->sideCount[223], 9);
  EXPECT_EQ(world->sideCount[224], 10);
  EXPECT_EQ(world->sideCount[255], 10);
}

TEST_F(Generation, StartRunResetsTheRunAndShowsPlay) {
  speed = 0.0f;
  boostActive = true;
  boostGauge = 0.3f;
  tunnelAngle = 1.0f;
  currentSides = 7;
  wave = 5;
  currentLane = 4;
  currentPlatform = 99;
  for (int16_t& a : activePlatforms) a = 12;
  runClock = 50.0;
  runScore = 10;
  runDiamonds = 3;
  count512 = 2;
  count8x = 1;
  heldItems[0] = new TunnelObject{};
  heldCount = 1;
  last512 = new TunnelObject{};
  last128 = last512;  // a shared reference must be released once only
  DeltaTime = 0.05f;
  lastFrameTime = 3.0f;
  runSeed = 12345;

  startRun();

  EXPECT_EQ(speed, 35.0f);
  EXPECT_FALSE(boostActive);
  EXPECT_EQ(boostGauge, 2.0f);
  EXPECT_EQ(rotationSpeed, 20.0f);
  EXPECT_EQ(tunnelAngle, 0.0f);
  EXPECT_FLOAT_EQ(targetAngle, 0.5235988f);
  EXPECT_EQ(currentSides, 3);
  EXPECT_EQ(wave, 1);
  EXPECT_EQ(currentLane, 0);
  EXPECT_EQ(currentPlatform, 0);
  const int16_t expectedActive[8] = {0, -1, -1, -1, -1, -1, -1, -1};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(activePlatforms[k], expectedActive[k]);
  EXPECT_EQ(runClock, 0.0);
  EXPECT_EQ(runScore, 0u);
  EXPECT_EQ(runDiamonds, 0u);
  EXPECT_EQ(count512, 0);
  EXPECT_EQ(count8x, 0);
  EXPECT_EQ(heldCount, 0);
  EXPECT_EQ(heldItems[0], nullptr);
  EXPECT_EQ(last512, nullptr);
  EXPECT_EQ(last128, nullptr);
  EXPECT_EQ(DeltaTime, 0.0f);
  EXPECT_EQ(lastFrameTime, 0.0f);
  ASSERT_NE(world, nullptr);
  EXPECT_EQ(world->platformCount, 256);
  EXPECT_EQ(currentScreen, screenPlay);

  releaseWorld();
  EXPECT_EQ(world, nullptr);
  releaseWorld();  // releasing twice is harmless
}
