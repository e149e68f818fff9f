// The in-run keys: lane changes with wrap-around, boost held and released, doors and items.
#include <gtest/gtest.h>

#include "kit/test_world.h"
#include "sim/collisions.h"
#include "sim/controls.h"

namespace {

using namespace simtest;

using Controls = RunFixture;

constexpr int press = 1, release = 0, repeat = 2;
constexpr int right = 262, left = 263, up = 265, keyA = 65;

TEST_F(Controls, LeftAndRightTurnOneFaceAndWrapAround) {
  EXPECT_TRUE(onPlayKey(left, press));
  EXPECT_TRUE(onPlayKey(left, press));
  EXPECT_EQ(currentLane, 2);
  EXPECT_TRUE(onPlayKey(left, press));
  EXPECT_EQ(currentLane, 0);
  EXPECT_EQ(targetAngle, laneAngle(0, 3));
  EXPECT_TRUE(onPlayKey(right, press));
  EXPECT_EQ(currentLane, 2);
  EXPECT_EQ(targetAngle, laneAngle(2, 3));

  // Left then Right before the tunnel settles: back to the starting target, never beyond.
  currentSides = 10;
  currentLane = 4;
  targetAngle = tunnelAngle = laneAngle(4, 10);
  onPlayKey(left, press);
  frame();
  onPlayKey(right, press);
  EXPECT_EQ(targetAngle, laneAngle(4, 10));
  for (int i = 0; i < 10; ++i) frame();
  EXPECT_EQ(tunnelAngle, laneAngle(4, 10));
}

TEST_F(Controls, RepeatsAndOtherReleasesAreNotConsumed) {
  EXPECT_FALSE(onPlayKey(left, repeat));
  EXPECT_FALSE(onPlayKey(left, release));
  EXPECT_FALSE(onPlayKey(32, press));
  EXPECT_EQ(currentLane, 0);
  EXPECT_TRUE(onPlayKey(up, press));
  EXPECT_TRUE(boostActive);
  EXPECT_FALSE(onPlayKey(up, repeat));
  EXPECT_TRUE(boostActive);
  EXPECT_TRUE(onPlayKey(up, release));
  EXPECT_FALSE(boostActive);
}

TEST_F(Controls, DoorAndItemKeysReachTheirActions) {
  Door* door = world->doors[0] = makeDoor(0);
  placeAt(0, 50.0f);
  EXPECT_TRUE(onPlayKey(keyA, press));
  EXPECT_TRUE(door->open);

  for (int key = 49; key <= 51; ++key) EXPECT_TRUE(onPlayKey(key, press));  // empty slots
  EXPECT_EQ(heldCount, 0);
  TunnelObject* card = makeObject(kindCard, 0);
  card->action = openDoorsAhead;
  heldItems[0] = card;
  heldCount = 1;
  world->doors[7] = makeDoor(1);
  testing::internal::CaptureStdout();
  EXPECT_TRUE(onPlayKey(49, press));
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(world->doors[7]->open);
  EXPECT_EQ(heldItems[0], nullptr);
  EXPECT_EQ(heldCount, 0);
}

}  // namespace
