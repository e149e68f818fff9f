// A bot that plays a run through the in-run keys, seeing only the world ahead: it steers to the
// nearest free lane, opens doors on its lane and boosts when the gauge is full. Shared by the
// bot tests and the soak test.
#pragma once

#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "sim/controls.h"
#include "sim/frame_update.h"
#include "sim/generation.h"
#include "sim/key_codes.h"
#include "sim/pickups.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"

namespace bot {

constexpr float frameSeconds = 1.0f / 60.0f;
constexpr float passedDepth = 65.7f;  // beyond this neither blade nor door can touch the player

inline float depthOf(int p) { return world->barriers[p][0]->model[3][2]; }

inline bool runOver() { return currentScreen == screenRunOver; }

// One frame of play; a diskette's item box is left at once, as Space would.
inline void playFrame() {
  DeltaTime = frameSeconds;
  updateFrame();
  if (currentScreen != screenItemBox) return;
  // The box screen rolls its prize when it is built; do it here if this build's screen did not.
  if (!uiElements[2].animating) rollItemBox();
  showScreen(screenPlay);
}

// The platform the player must get past next, or -1 when none of this wave is left.
inline int upcomingPlatform() {
  if (activePlatforms[0] == -1) return currentPlatform < platformTotal ? currentPlatform : -1;
  if (depthOf(activePlatforms[0]) <= passedDepth) return activePlatforms[0];
  return activePlatforms[1];
}

inline int freeLaneNearest(int p, int from, int n) {
  bool blocked[maxSides] = {};
  for (const Barrier* b : world->barriers[p])
    if (b != nullptr) blocked[b->lane] = true;
  for (int d = 0; d <= n / 2; ++d) {
    if (!blocked[(from + d) % n]) return (from + d) % n;
    if (!blocked[(from + n - d) % n]) return (from + n - d) % n;
  }
  return from;
}

inline void steerTo(int lane) {
  const int n = currentSides;
  const int left = (lane - currentLane + n) % n;  // Left raises the lane number
  if (left <= n / 2) {
    for (int i = 0; i < left; ++i) onPlayKey(keyLeft, keyPress);
  } else {
    for (int i = 0; i < n - left; ++i) onPlayKey(keyRight, keyPress);
  }
}

// The keys the pilot presses this frame, without advancing the game.
inline void pilotKeys() {
  const int p = upcomingPlatform();
  if (p != -1) {
    steerTo(freeLaneNearest(p, currentLane, currentSides));
    const Door* door = world->doors[p];
    if (door != nullptr && door->lane == currentLane && !door->open) onPlayKey(keyA, keyPress);
  }
  // Boost whenever the gauge is full, let go when it runs low.
  if (!boostActive && boostGauge >= boostCapacity) onPlayKey(keyUp, keyPress);
  if (boostActive && boostGauge < 0.5f) onPlayKey(keyUp, keyRelease);
}

// The keys that turn the player into the next blade or closed door, to end a run on purpose.
inline void crashKeys() {
  const int p = upcomingPlatform();
  if (p == -1) return;
  for (const Barrier* b : world->barriers[p]) {
    if (b != nullptr) {
      if (b->lane != currentLane) steerTo(b->lane);
      return;
    }
  }
  const Door* door = world->doors[p];
  if (door != nullptr && !door->open && door->lane != currentLane) steerTo(door->lane);
}

inline void pilotFrame() {
  pilotKeys();
  playFrame();
}

}  // namespace bot
