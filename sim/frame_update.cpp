// The per-frame simulation step: boost, tunnel easing, the wave clock, platform motion in 100
// sub-steps with the contact and pickup tests between them, wave changes and the end of a run.
#include "sim/frame_update.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <glm/gtc/matrix_transform.hpp>

#include "app/data/frame_clock.h"
#include "app/data/game_screen.h"
#include "app/data/run_state.h"
#include "app/data/save_file.h"
#include "app/data/tunnel_polygon.h"
#include "sim/collisions.h"
#include "sim/pickups.h"
#include "sim/run_events.h"
#include "sim/scene_objects.h"

float waveChangeTime = 0.0f;
float lastBreakTime = 0.0f;
int32_t waveBonus = 0;
glm::mat4 tunnelModel = glm::mat4(1.0f);

namespace {

constexpr int32_t parSecondsPerSide = 25;
constexpr int32_t parOffset = 75;  // 25 s for each of the three sides of the first wave
constexpr int32_t bonusPerSecond = 10000;
const glm::vec3 zAxis{0.0f, 0.0f, 1.0f};

// Rotations about +z shared by every platform of a frame. Each platform's placement is
// translate(rotate(translate(I, (0, -R, z)), angle, z), offset); the rotated columns 0..2 do not
// depend on the platform, so they are made once per angle with glm::rotate itself, and column 3
// repeats glm::translate's arithmetic operation for operation: the result is bit-identical to
// the full matrix expression.
struct Rotated {
  glm::vec4 col[3];
};

Rotated rotatedIdentity(float angle) {
  const glm::mat4 m = glm::rotate(glm::mat4(1.0f), angle, zAxis);
  return {{m[0], m[1], m[2]}};
}

// Column 3 of translate(rotate(translate(I, (0, -r, z)), ...), offset), in glm's own order.
glm::vec4 placedOrigin(const Rotated& rot, const glm::vec4& base, const glm::vec3& offset) {
  return rot.col[0] * offset[0] + rot.col[1] * offset[1] + rot.col[2] * offset[2] + base;
}

// Stores a placement as two block copies: element-wise column stores followed by whole-matrix
// reads stall on store forwarding, and this runs for every blade of every sub-step.
void storePlacement(glm::mat4& out, const Rotated& rot, const glm::vec4& origin) {
  static_assert(sizeof(glm::mat4) == sizeof rot.col + sizeof origin);
  std::memcpy(static_cast<void*>(&out[0]), rot.col, sizeof rot.col);
  std::memcpy(static_cast<void*>(&out[3]), &origin, sizeof origin);
}

// The rotations of the current angle and side count: the tunnel's, and for each lane the one
// that stands an object on its own face. Rebuilt whenever either differs from the cached one.
struct PlacementCache {
  uint32_t angleBits = 0;
  int sides = 0;
  Rotated tunnel{};
  Rotated lane[maxSides]{};
};
PlacementCache placement;

const PlacementCache& placementFor(float angle, int n) {
  // The angle's bits, copied: the C++ library of Debian 12's Emscripten has no std::bit_cast.
  uint32_t bits = 0;
  std::memcpy(&bits, &angle, sizeof bits);
  if (placement.sides != n || placement.angleBits != bits) {
    placement.sides = n;
    placement.angleBits = bits;
    placement.tunnel = rotatedIdentity(angle);
    for (int lane = 0; lane < n; ++lane)
      placement.lane[lane] = rotatedIdentity(angle - laneAngle(lane, n));
  }
  return placement;
}

void advanceBoost() {
  if (boostActive) {
    speed = boostSpeed;
    boostGauge -= DeltaTime;
    if (boostGauge <= 0.0f) {
      boostGauge = 0.0f;
      boostActive = false;
    }
  } else {
    speed = cruiseSpeed;
    boostGauge += DeltaTime;
    if (boostGauge > boostCapacity) boostGauge = boostCapacity;
  }
}

void easeTunnel() {
  if (tunnelAngle == targetAngle) return;
  float d = std::fmod(targetAngle - tunnelAngle + piF, twoPiF);
  if (d < 0.0f) d += twoPiF;
  d -= piF;
  const float distance = std::fabs(d);
  // Inside the dead band the tunnel is left where it is, not snapped.
  if (distance <= easingDeadBand) return;
  const float step = rotationSpeed * DeltaTime;
  if (step >= distance) {
    tunnelAngle = targetAngle;
  } else if (d > 0.0f) {
    tunnelAngle += step;
  } else {
    tunnelAngle -= step;
  }
  const float r = polygonRadius[currentSides];
  const glm::mat4 body(glm::vec4(1.0f, 0.0f, 0.0f, 0.0f), glm::vec4(0.0f, 1.0f, 0.0f, 0.0f),
                       glm::vec4(0.0f, 0.0f, tunnelBodyLength, 0.0f),
                       glm::vec4(0.0f, -r, 0.0f, 1.0f));
  tunnelModel = glm::rotate(body, tunnelAngle, zAxis);
}

void runWaveBreak() {
  if (activePlatforms[0] != -1) return;
  if (runClock - waveChangeTime > waveBreakSeconds) {
    activePlatforms[0] = static_cast<int16_t>(currentPlatform);
    runClock -= waveBreakSeconds;  // the break never counts toward the wave bonus
    waveChangeTime = 0.0f;
    emit(runEvents.waveBannerShown, false);
    return;
  }
  const double sinceLastBreak = runClock - lastBreakTime;
  if (sinceLastBreak > breakReportGap) std::printf("WAVE TOTAL TIME: %f\n", sinceLastBreak);
  emit(runEvents.waveBannerShown, true);
  lastBreakTime = static_cast<float>(runClock);
}

void activatePlatforms() {
  const int g = currentPlatform;
  if (g >= platformTotal || world->barriers[g][0] == nullptr) return;
  const float z = world->barriers[g][0]->model[3][2];
  for (int k = 1; k < activeSlots; ++k) {
    if (z > activationDepths[k] && activePlatforms[k] == -1 && g + k < world->platformCount &&
        world->sideCount[g + k] == currentSides)
      activePlatforms[k] = static_cast<int16_t>(g + k);
  }
}

// The front platform has passed the player: the list moves up and, at the first platform of a
// new side count, the wave changes and the break begins.
void retireFrontPlatform(int p) {
  for (Barrier*& b : world->barriers[p]) b = nullptr;  // the blades stay in the world's block
  for (int k = 0; k + 1 < activeSlots; ++k) activePlatforms[k] = activePlatforms[k + 1];
  activePlatforms[activeSlots - 1] = -1;
  currentPlatform += 1;
  if (currentPlatform >= world->platformCount) return;
  const int next = world->sideCount[currentPlatform];
  if (next == currentSides) return;
  wave = next - 2;
  currentSides = next;
  waveChangeTime = static_cast<float>(runClock);
  const double par = static_cast<double>(parSecondsPerSide * next - parOffset);
  waveBonus = static_cast<int32_t>(std::trunc(par - runClock)) * bonusPerSecond;
  emit(runEvents.scorePopup, &waveBonus, "+", scoreGainColor);
  targetAngle = laneAngle(currentLane, next);
}

void driftParticles() {
  const glm::vec3 advance(0.0f, 0.0f, speed * DeltaTime);
  for (glm::mat4& m : particleModels) {
    if (m[3][2] > particleRecycleDepth) m[3][2] = particleStartDepth;
    m = glm::translate(m, advance);
  }
}

}  // namespace

void updatePlatform(int p, float stepTime) {
  Barrier* const* slots = world->barriers[p];
  if (slots[0] == nullptr) return;
  const float z = slots[0]->model[3][2];
  if (z > retireDepth) {
    retireFrontPlatform(p);
    return;
  }
  const int n = currentSides;
  const float r = polygonRadius[n];
  const float v = stepTime * speed;
  const glm::vec4 base(0.0f, -r, z, 1.0f);  // column 3 of translate(I, (0, -r, z))
  const PlacementCache& cache = placementFor(tunnelAngle, n);

  // Every blade of a platform gets the same placement: the platform turns with the tunnel.
  const glm::vec4 bladeOrigin = placedOrigin(cache.tunnel, base, glm::vec3(0.0f, 0.0f, v));
  for (int j = 0; j < barrierSlots; ++j)
    if (slots[j] != nullptr) storePlacement(slots[j]->model, cache.tunnel, bladeOrigin);

  const glm::vec3 objectOffset(0.0f, r + objectHeight, v);
  if (TunnelObject* d = world->diamonds[p]) {
    const Rotated& onLane = cache.lane[d->lane];
    storePlacement(d->model, onLane, placedOrigin(onLane, base, objectOffset));
  }
  if (Door* door = world->doors[p]) {
    const Rotated& onLane = cache.lane[door->lane];
    storePlacement(door->model, onLane,
                   placedOrigin(onLane, base, glm::vec3(0.0f, r + doorHeight, v)));
    // An open door swings down about the hinge line at its foot and lies flat.
    if (door->open)
      door->model = glm::rotate(glm::translate(door->model, glm::vec3(0.0f, -doorHeight, 0.0f)),
                                -halfPiF, glm::vec3(1.0f, 0.0f, 0.0f));
  }
  if (TunnelObject* item = world->items[p]) {
    const Rotated& onLane = cache.lane[item->lane];
    storePlacement(item->model, onLane, placedOrigin(onLane, base, objectOffset));
  }
}

void updateFrame() {
  if (currentScreen != screenPlay || world == nullptr) return;

  advanceBoost();  // the speed chosen here holds for the whole frame
  runClock += DeltaTime;
  emit(runEvents.boostReserveChanged);
  easeTunnel();
  runWaveBreak();
  activatePlatforms();

  const float stepTime = DeltaTime / static_cast<float>(subStepCount);
  for (int step = 0; step < subStepCount; ++step) {
    // A retirement shifts the list mid-walk; every platform listed at the start still moves once.
    int16_t moving[activeSlots];
    for (int k = 0; k < activeSlots; ++k) moving[k] = activePlatforms[k];
    for (int16_t p : moving)
      if (p != -1) updatePlatform(p, stepTime);

    if (currentPlatform == world->platformCount) {
      endRun();
      return;
    }
    if (testBarrierCollision()) break;
    if (testDoorCollision()) break;
    collectDiamond();
    collectItem();
  }
  driftParticles();
}

void endRun() {
  // The career diamond total wraps in 32 bits rather than overflowing.
  saveData.totalDiamonds = static_cast<int32_t>(static_cast<uint32_t>(saveData.totalDiamonds) +
                                                static_cast<uint32_t>(runDiamonds));
  saveData.runCount = static_cast<int32_t>(static_cast<uint32_t>(saveData.runCount) + 1u);
  speed = 0.0f;
  if (runScore > saveData.highScore) saveData.highScore = runScore;
  // Every ended run reaches the disk at once: a crash or a killed process later loses nothing.
  writeSaveFile();
  emit(runEvents.showScreen, screenRunOver);
}
