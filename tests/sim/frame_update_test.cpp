// The frame update: boost and gauge, tunnel easing, activation, waves and breaks, the end of a run.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "kit/test_world.h"
#include "render/frame.h"
#include "sim/controls.h"

namespace {

using namespace simtest;

using FrameUpdate = RunFixture;

int occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST_F(FrameUpdate, BoostWithAnEmptyGaugeLastsOneFrameAndTheGaugeRefillsToItsCapacity) {
  boostGauge = 0.0f;
  onPlayKey(265, 1);
  frame();
  EXPECT_EQ(speed, 70.0f);
  EXPECT_FALSE(boostActive);
  EXPECT_EQ(uiElements[0].frameIndex, 29);  // empty gauge shows the last cell
  frame();                                  // the key is still held, but the boost does not restart
  EXPECT_EQ(speed, 35.0f);

  boostGauge = 1.0f;
  frame();
  EXPECT_NEAR(boostGauge, 1.0f + frameSeconds, 1e-6f);
  EXPECT_EQ(uiElements[0].frameIndex, 29 - 14);  // trunc(1.0166 * 0.5 * 29) = 14
  boostGauge = 1.99f;
  frame();
  EXPECT_EQ(boostGauge, 2.0f);
  EXPECT_EQ(uiElements[0].frameIndex, 0);
}

TEST_F(FrameUpdate, EasingKeepsItsDeadBandAndTakesTheShortWayRound) {
  const float settled = laneAngle(0, 3);
  tunnelAngle = settled + 0.0009f;
  frame();
  EXPECT_EQ(tunnelAngle, settled + 0.0009f);  // never closed, never snapped
  tunnelAngle = settled + 0.0011f;
  frame();
  EXPECT_EQ(tunnelAngle, settled);

  // Lane 0 to lane 2 of three is one face the positive way, not two faces the other way.
  onPlayKey(262, 1);
  ASSERT_EQ(currentLane, 2);
  frame();
  EXPECT_NEAR(tunnelAngle - settled, 20.0f * frameSeconds, 1e-5f);
  int frames = 1;
  while (tunnelAngle != targetAngle && frames < 30) {
    frame();
    ++frames;
  }
  EXPECT_EQ(frames, 7);  // 2.094 rad at 1/3 rad per frame
  EXPECT_EQ(tunnelModel[3][1], -polygonRadius[3]);
  EXPECT_FLOAT_EQ(tunnelModel[2][2], 400.0f);
}

TEST_F(FrameUpdate, UpdatePlatformPlacesEverythingExactlyAsTheMatrixChainDoes) {
  currentSides = 7;
  tunnelAngle = 0.37f;
  speed = 70.0f;
  TunnelObject* diamond = world->diamonds[40] = makeObject(kindDiamond, 3);
  Door* door = world->doors[41] = makeDoor(2);
  door->open = true;
  TunnelObject* item = world->items[42] = makeObject(kindToken128, 5);
  for (int p = 40; p <= 42; ++p) world->barriers[p][0]->model[3][2] = 12.5f;
  for (int p = 40; p <= 42; ++p) updatePlatform(p, 0.01f / 100.0f);

  const float r = polygonRadius[7];
  const float v = (0.01f / 100.0f) * 70.0f;
  const glm::vec3 z(0, 0, 1);
  const glm::mat4 b = glm::translate(glm::mat4(1.0f), glm::vec3(0, -r, 12.5f));
  auto onLane = [&](int lane, float h) {
    return glm::translate(glm::rotate(b, tunnelAngle - laneAngle(lane, 7), z), glm::vec3(0, h, v));
  };
  EXPECT_EQ(world->barriers[40][0]->model,
            glm::translate(glm::rotate(b, 0.37f, z), glm::vec3(0, 0, v)));
  EXPECT_EQ(diamond->model, onLane(3, r + 0.5f));
  EXPECT_EQ(item->model, onLane(5, r + 0.5f));
  EXPECT_EQ(door->model, glm::rotate(glm::translate(onLane(2, r + 0.21f), glm::vec3(0, -0.21f, 0)),
                                     -1.5707964f, glm::vec3(1, 0, 0)));
}

TEST_F(FrameUpdate, PlatformsJoinTwentyUnitsApartAndTheEighthFortyBehind) {
  float gapWhenJoined[9] = {};
  for (int frames = 0; frames < 2000 && currentPlatform < 2; ++frames) {
    int16_t before[activeSlots];
    std::copy(std::begin(activePlatforms), std::end(activePlatforms), before);
    frame();
    for (int k = 0; k < activeSlots; ++k) {
      const int p = activePlatforms[k];
      if (p > 0 && p <= 8 && std::find(before, before + activeSlots, p) == before + activeSlots)
        gapWhenJoined[p] = depthOf(p - 1) - depthOf(p);
    }
  }
  for (int p = 1; p <= 7; ++p) EXPECT_NEAR(gapWhenJoined[p], 20.0f, 0.6f) << p;
  EXPECT_NEAR(gapWhenJoined[8], 40.0f, 0.6f);
}

TEST_F(FrameUpdate, TheRingChangesSidesAtEveryThirtySecondPlatformAndEndsAt256) {
  int changesAt[8] = {};
  int changes = 0;
  testing::internal::CaptureStdout();
  for (int frames = 0; frames < 60 * 600 && currentScreen == screenPlay; ++frames) {
    const int sides = currentSides;
    frame();
    if (currentSides == sides) continue;
    ASSERT_LT(changes, 7);
    changesAt[changes++] = currentPlatform;
    EXPECT_EQ(wave, currentSides - 2);
    EXPECT_EQ(waveChangeTime, static_cast<float>(runClock));
    EXPECT_EQ(waveBonus,
              static_cast<int32_t>(std::trunc(25.0 * currentSides - 75 - runClock)) * 10000);
    EXPECT_EQ(targetAngle, laneAngle(0, currentSides));
    EXPECT_EQ(activePlatforms[0], -1);  // the break begins with the next frame
  }
  const std::string out = testing::internal::GetCapturedStdout();
  ASSERT_EQ(changes, 7);
  EXPECT_EQ(changesAt[0], 32);
  EXPECT_EQ(changesAt[6], 224);
  EXPECT_EQ(occurrences(out, "WAVE TOTAL TIME: "), 7);
  EXPECT_EQ(occurrences(out, "Collision detected!"), 0);
  EXPECT_EQ(currentScreen, screenRunOver);
  EXPECT_EQ(currentPlatform, 256);
  EXPECT_EQ(currentSides, 10);
  EXPECT_EQ(saveData.runCount, 1);
  EXPECT_EQ(speed, 0.0f);
}

TEST_F(FrameUpdate, WaveBonusFollowsTheClockAndANegativeOneStillFliesWithItsPlus) {
  currentLane = 2;
  world->barriers[31][0]->model[3][2] = 80.001f;
  activePlatforms[0] = 31;
  currentPlatform = 31;
  runClock = 20.0;
  updatePlatform(31, 0.0f);
  EXPECT_EQ(currentPlatform, 32);
  EXPECT_EQ(world->barriers[31][0], nullptr);  // retired blades leave the ring
  EXPECT_EQ(waveBonus, 50000);
  EXPECT_EQ(targetAngle, laneAngle(2, 4));
  EXPECT_EQ(uiTexts[11].valueSource, &waveBonus);
  EXPECT_TRUE(uiTexts[11].visible);

  world->barriers[63][0]->model[3][2] = 81.0f;
  activePlatforms[0] = 63;
  currentPlatform = 63;
  runClock = 30.5;  // par for the five-sided wave is 50 s; 19.5 s under it
  updatePlatform(63, 0.0f);
  EXPECT_EQ(waveBonus, 190000);
  world->barriers[95][0]->model[3][2] = 81.0f;
  activePlatforms[0] = 95;
  currentPlatform = 95;
  runClock = 80.5;  // 5.5 s over the par of 75 s
  updatePlatform(95, 0.0f);
  EXPECT_EQ(waveBonus, -50000);
  updateUiText(uiTexts[11]);
  EXPECT_STREQ(uiTexts[11].text, "+-50000");
}

TEST_F(FrameUpdate, BreakLastsFiveSecondsReportsOnceAndIsTakenOffTheClock) {
  activePlatforms[0] = -1;
  runClock = 30.0;
  waveChangeTime = 30.0f;
  testing::internal::CaptureStdout();
  int frames = 0;
  while (activePlatforms[0] == -1 && frames < 1000) {
    frame();
    ++frames;
    if (activePlatforms[0] == -1) {
      EXPECT_TRUE(uiTexts[3].visible);
    }
  }
  std::string out = testing::internal::GetCapturedStdout();
  // 1/60 s in single precision is a little more than 1/60: 300 frames already exceed 5 s.
  EXPECT_EQ(frames, 300);
  EXPECT_EQ(occurrences(out, "WAVE TOTAL TIME: 30.016667\n"), 1);
  EXPECT_EQ(out.size(), std::string("WAVE TOTAL TIME: 30.016667\n").size());
  EXPECT_FALSE(uiTexts[3].visible);
  EXPECT_EQ(activePlatforms[0], currentPlatform);
  EXPECT_NEAR(runClock, 30.0 + 300.0 * frameSeconds - 5.0, 1e-4);
  EXPECT_EQ(waveChangeTime, 0.0f);

  // A second break less than a second of clock after the last one reports nothing.
  activePlatforms[0] = -1;
  waveChangeTime = static_cast<float>(runClock);
  testing::internal::CaptureStdout();
  frame();
  out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "");
}

TEST_F(FrameUpdate, RetiringTheLastPlatformEndsTheRunWithoutBonusOrParticleDrift) {
  currentSides = 10;
  wave = 8;
  waveBonus = 1234;
  currentPlatform = 255;
  activePlatforms[0] = 255;
  world->barriers[255][0]->model[3][2] = 79.99f;
  particleModels[0] = glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, 61));
  particleModels[1] = glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, 10));
  runScore = 70;
  runDiamonds = (1ull << 32) + 5;  // only the low 32 bits join the career total
  saveData.highScore = 69;
  saveData.totalDiamonds = 10;
  frame();
  EXPECT_EQ(currentPlatform, 256);
  EXPECT_EQ(currentScreen, screenRunOver);
  EXPECT_EQ(waveBonus, 1234);
  EXPECT_EQ(particleModels[0][3][2], 61.0f);  // the particle step is skipped on that frame
  EXPECT_EQ(saveData.totalDiamonds, 15);
  EXPECT_EQ(saveData.runCount, 1);
  EXPECT_EQ(saveData.highScore, 70u);
  const double clock = runClock;
  frame();  // off the play screen nothing moves
  EXPECT_EQ(runClock, clock);
}

TEST_F(FrameUpdate, ParticlesDriftAtTheFrameSpeedAndWrapPastSixty) {
  particleModels[0] =
      glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(1, 2, 60.5f)), glm::vec3(0.25f));
  particleModels[1] =
      glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, 10)), glm::vec3(0.25f));
  boostActive = true;
  frame();
  EXPECT_FLOAT_EQ(particleModels[0][3][2], -100.0f + 70.0f * frameSeconds * 0.25f);
  EXPECT_FLOAT_EQ(particleModels[1][3][2], 10.0f + 70.0f * frameSeconds * 0.25f);
  EXPECT_EQ(particleModels[0][3][0], 1.0f);
}

}  // namespace
