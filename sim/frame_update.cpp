// The per-frame simulation step: boost, tunnel easing, the wave clock, platform motion in 100
// sub-steps with the contact and pickup tests between them, wave changes and the end of a run.
#include "sim/frame_update.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>

#include "app/run_state.h"
#include "app/save_file.h"
#include "app/shell.h"
#include "app/tunnel_polygon.h"
#include "render/frame.h"
#include "sim/collisions.h"
#include "sim/pickups.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"

float waveChangeTime = 0.0f;
float lastBreakTime = 0.0f;
int32_t waveBonus = 0;
glm::mat4 tunnelModel = glm::mat4(1.0f);

namespace {

constexpr int gaugeFrameLast = 29;  // empty-gauge cell of the boost sheet
constexpr int32_t parSecondsPerSide = 25;
constexpr int32_t parOffset = 75;  // 25 s for each of the three sides of the first wave
constexpr int32_t bonusPerSecond = 10000;
constexpr int gaugeElement = 0;
constexpr int waveBannerText = 3;
constexpr int scorePopupText = 11;
constexpr float popupStartX = 0.5f, popupStartY = 0.5f;
constexpr float popupTargetX = 0.5f, popupTargetY = 0.05f;
constexpr float popupMoveSpeed = 2.0f;
const glm::vec3 bonusColor{165.0f, 224.0f, 0.0f};  // handed to the text shader as is
const glm::vec3 zAxis{0.0f, 0.0f, 1.0f};

// The 3x3 part of glm::rotate about +z, kept so that the sine and cosine of an angle used by
// every platform of a frame are evaluated once. applyRotation repeats glm::rotate's arithmetic
// operation for operation, so the results are bit-identical to calling glm::rotate.
struct Rotation {
  float r[3][3];
};

Rotation makeRotation(float angle) {
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const glm::vec3 axis = glm::normalize(zAxis);
  const glm::vec3 temp = (1.0f - c) * axis;
  Rotation m;
  m.r[0][0] = c + temp[0] * axis[0];
  m.r[0][1] = temp[0] * axis[1] + s * axis[2];
  m.r[0][2] = temp[0] * axis[2] - s * axis[1];
  m.r[1][0] = temp[1] * axis[0] - s * axis[2];
  m.r[1][1] = c + temp[1] * axis[1];
  m.r[1][2] = temp[1] * axis[2] + s * axis[0];
  m.r[2][0] = temp[2] * axis[0] + s * axis[1];
  m.r[2][1] = temp[2] * axis[1] - s * axis[0];
  m.r[2][2] = c + temp[2] * axis[2];
  return m;
}

glm::mat4 applyRotation(const glm::mat4& m, const Rotation& rot) {
  glm::mat4 result;
  result[0] = m[0] * rot.r[0][0] + m[1] * rot.r[0][1] + m[2] * rot.r[0][2];
  result[1] = m[0] * rot.r[1][0] + m[1] * rot.r[1][1] + m[2] * rot.r[1][2];
  result[2] = m[0] * rot.r[2][0] + m[1] * rot.r[2][1] + m[2] * rot.r[2][2];
  result[3] = m[3];
  return result;
}

// Rotations of the current frame: the tunnel's, and for each lane the one that stands an object
// on its own face. Rebuilt whenever the angle or the side count differs from the cached one.
struct PlacementCache {
  uint32_t angleBits = 0;
  int sides = 0;
  Rotation tunnel{};
  Rotation lane[maxSides]{};
};
PlacementCache placement;

const PlacementCache& placementFor(float angle, int n) {
  const uint32_t bits = std::bit_cast<uint32_t>(angle);
  if (placement.sides != n || placement.angleBits != bits) {
    placement.sides = n;
    placement.angleBits = bits;
    placement.tunnel = makeRotation(angle);
    for (int lane = 0; lane < n; ++lane)
      placement.lane[lane] = makeRotation(angle - laneAngle(lane, n));
  }
  return placement;
}

glm::mat4 placeOnLane(const glm::mat4& base, const PlacementCache& cache, uint8_t lane,
                      float height, float advance) {
  return glm::translate(applyRotation(base, cache.lane[lane]), glm::vec3(0.0f, height, advance));
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
    uiTexts[waveBannerText].visible = false;
    return;
  }
  const double sinceLastBreak = runClock - lastBreakTime;
  if (sinceLastBreak > breakReportGap) std::printf("WAVE TOTAL TIME: %f\n", sinceLastBreak);
  uiTexts[waveBannerText].visible = true;
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

void launchWaveBonusPopup() {
  UiText& popup = uiTexts[scorePopupText];
  popup.anchor = 2;
  popup.visible = true;
  popup.valueKind = valueInt32;
  popup.valueSource = &waveBonus;
  popup.prefix = "+";
  popup.factor = 1.0f;
  popup.color = bonusColor;
  popup.currentX = popupStartX;
  popup.currentY = popupStartY;
  popup.targetX = popupTargetX;
  popup.targetY = popupTargetY;
  popup.moveSpeed = popupMoveSpeed;
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
  launchWaveBonusPopup();
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
  const int n = currentSides;
  const float r = polygonRadius[n];
  const float v = stepTime * speed;
  const glm::mat4 base = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -r, z));

  if (z > retireDepth) {
    retireFrontPlatform(p);
    return;
  }
  const PlacementCache& cache = placementFor(tunnelAngle, n);
  // Every blade of a platform gets the same placement: the platform turns with the tunnel.
  const glm::mat4 bladeModel =
      glm::translate(applyRotation(base, cache.tunnel), glm::vec3(0, 0, v));
  for (int j = 0; j < barrierSlots; ++j)
    if (slots[j] != nullptr) slots[j]->model = bladeModel;

  if (TunnelObject* d = world->diamonds[p])
    d->model = placeOnLane(base, cache, d->lane, r + objectHeight, v);
  if (Door* door = world->doors[p]) {
    door->model = placeOnLane(base, cache, door->lane, r + doorHeight, v);
    // An open door swings down about the hinge line at its foot and lies flat.
    if (door->open)
      door->model = glm::rotate(glm::translate(door->model, glm::vec3(0.0f, -doorHeight, 0.0f)),
                                -halfPiF, glm::vec3(1.0f, 0.0f, 0.0f));
  }
  if (TunnelObject* item = world->items[p])
    item->model = placeOnLane(base, cache, item->lane, r + objectHeight, v);
}

void updateFrame() {
  if (currentScreen != screenPlay || world == nullptr) return;

  advanceBoost();  // the speed chosen here holds for the whole frame
  runClock += DeltaTime;
  uiElements[gaugeElement].frameIndex =
      gaugeFrameLast - static_cast<int32_t>(boostGauge * 0.5f * static_cast<float>(gaugeFrameLast));
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
  showScreen(screenRunOver);
}
