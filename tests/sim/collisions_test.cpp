// Blades and closed doors end the run at the right depth; the key and the card open doors.
#include <gtest/gtest.h>

#include <string>

#include "kit/test_world.h"
#include "sim/collisions.h"

namespace {

using namespace simtest;

using Collisions = RunFixture;

// The front platform p with its blade on `lane`, at depth z, on an n-sided tunnel settled on
// lane 0; returns whether the blade test reported contact.
bool bladeHitsAt(int n, int lane, float z) {
  const int p = 5;
  currentSides = n;
  tunnelAngle = targetAngle = laneAngle(0, n);
  world->barriers[p][0]->lane = static_cast<uint8_t>(lane);
  activePlatforms[0] = p;
  placeAt(p, z);
  return testBarrierCollision();
}

TEST_F(Collisions, ABladeOnThePlayersFaceHitsOnlyWithinItsShell) {
  for (int n = 3; n <= 10; ++n) {
    // The blade's plane lies half a unit ahead of the platform depth; the shell is 0.125 thick.
    EXPECT_FALSE(bladeHitsAt(n, 0, 65.37f)) << n;
    EXPECT_FALSE(bladeHitsAt(n, 0, 65.63f)) << n;
    EXPECT_EQ(currentScreen, screenPlay);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(bladeHitsAt(n, 0, 65.38f)) << n;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Collision detected!\n");
    EXPECT_EQ(currentScreen, screenRunOver);
    EXPECT_EQ(speed, 0.0f);
    showScreen(screenPlay);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(bladeHitsAt(n, 0, 65.62f)) << n;
    testing::internal::GetCapturedStdout();
    showScreen(screenPlay);
  }
}

TEST_F(Collisions, BladesOnEveryOtherFacePassThePlayer) {
  for (int n = 3; n <= 10; ++n)
    for (int lane = 1; lane < n; ++lane)
      for (float z : {65.375f, 65.5f, 65.6f}) EXPECT_FALSE(bladeHitsAt(n, lane, z)) << n << lane;
  EXPECT_EQ(saveData.runCount, 0);
}

TEST_F(Collisions, OnlyTheCurrentPlatformsClosedDoorOnThePlayersLaneHits) {
  Door* door = world->doors[0] = makeDoor(0);
  placeAt(0, 64.38f);  // 0.62 short of the player: just out of the 0.625 reach
  EXPECT_FALSE(testDoorCollision());
  placeAt(0, 65.0f);
  door->open = true;
  updatePlatform(0, 0.0f);
  EXPECT_FALSE(testDoorCollision());  // an open door lies flat and never hits
  door->open = false;
  door->lane = 1;
  placeAt(0, 65.0f);
  EXPECT_FALSE(testDoorCollision());
  door->lane = 0;
  testing::internal::CaptureStdout();
  placeAt(0, 64.39f);
  EXPECT_TRUE(testDoorCollision());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Collision detected!\n");
  EXPECT_EQ(currentScreen, screenRunOver);
}

TEST_F(Collisions, TheKeyOpensTheNearestClosedDoorOnTheLaneOncePastForty) {
  for (int k = 0; k < 4; ++k) activePlatforms[k] = static_cast<int16_t>(k);
  Door* behind = world->doors[0] = makeDoor(0);
  Door* other = world->doors[1] = makeDoor(2);
  Door* near = world->doors[2] = makeDoor(0);
  Door* far = world->doors[3] = makeDoor(0);
  placeAt(0, 70.0f);
  placeAt(1, 60.0f);
  placeAt(2, 50.0f);
  placeAt(3, 40.0f);
  openDoorAhead();
  EXPECT_TRUE(behind->open);  // past the player but not yet retired: still the first in order
  EXPECT_FALSE(near->open);
  openDoorAhead();
  EXPECT_TRUE(near->open);
  EXPECT_FALSE(other->open);
  openDoorAhead();
  EXPECT_FALSE(far->open);  // exactly 40 is not yet close enough
  placeAt(3, 40.01f);
  openDoorAhead();
  EXPECT_TRUE(far->open);
  EXPECT_FALSE(other->open);  // a door on another lane never opens by key
}

TEST_F(Collisions, TheCardOpensEveryDoorFromTheCurrentPlatformOn) {
  currentPlatform = 10;
  for (int p : {9, 10, 40, 255}) world->doors[p] = makeDoor(p % 3);
  openDoorsAhead();
  EXPECT_FALSE(world->doors[9]->open);
  EXPECT_TRUE(world->doors[10]->open);
  EXPECT_TRUE(world->doors[40]->open);
  EXPECT_TRUE(world->doors[255]->open);
  currentPlatform = 256;
  world->doors[9]->open = false;
  openDoorsAhead();
  EXPECT_FALSE(world->doors[9]->open);
}

}  // namespace
