// The run's global variables, their reset, and the lifetime of the world and its objects.
#include "app/data/run_state.h"

#include <cstdio>

#include "app/data/camera.h"
#include "app/data/frame_clock.h"

World* world = nullptr;

float speed = 35.0f;
bool boostActive = false;
float boostGauge = 2.0f;
float rotationSpeed = 20.0f;
float tunnelAngle = 0.0f;
float targetAngle = 0.0f;
int32_t currentSides = 3;
int32_t wave = 1;
uint8_t currentLane = 0;
uint16_t currentPlatform = 0;
int16_t activePlatforms[activeSlots] = {0, -1, -1, -1, -1, -1, -1, -1};
double runClock = 0.0;
uint64_t runScore = 0;
uint64_t runDiamonds = 0;
TunnelObject* heldItems[heldSlots] = {};
uint8_t heldCount = 0;
int32_t count1024 = 0, count512 = 0, count128 = 0;
int32_t count2x = 0, count4x = 0, count8x = 0;
TunnelObject* last1024 = nullptr;
TunnelObject* last512 = nullptr;
TunnelObject* last128 = nullptr;
TunnelObject* last2x = nullptr;
TunnelObject* last4x = nullptr;
TunnelObject* last8x = nullptr;
float platformLength = 1.0f;

void noActionSpecified() { std::printf("No action specified for selected element.\n"); }

namespace {

// Every reference the run state may hold to an object taken out of the world.
TunnelObject** const runReferences[] = {&heldItems[0], &heldItems[1], &heldItems[2],
                                        &last1024,     &last512,      &last128,
                                        &last2x,       &last4x,       &last8x};

bool referencedByRun(const TunnelObject* object) {
  for (TunnelObject** ref : runReferences)
    if (*ref == object) return true;
  return false;
}

// Clears every run reference, releasing each object once even if two references share it.
void releaseRunReferences() {
  for (TunnelObject** ref : runReferences) {
    TunnelObject* object = *ref;
    if (object == nullptr) continue;
    for (TunnelObject** other : runReferences)
      if (*other == object) *other = nullptr;
    delete object;
  }
}

}  // namespace

void releaseIfUnreferenced(TunnelObject* object) {
  if (object != nullptr && !referencedByRun(object)) delete object;
}

void resetRunState() {
  speed = 35.0f;
  boostActive = false;
  boostGauge = 2.0f;
  rotationSpeed = 20.0f;
  tunnelAngle = 0.0f;
  currentSides = 3;
  wave = 1;
  currentLane = 0;
  currentPlatform = 0;
  activePlatforms[0] = 0;
  for (int k = 1; k < activeSlots; ++k) activePlatforms[k] = -1;
  runClock = 0.0;
  runScore = 0;
  runDiamonds = 0;
  releaseRunReferences();
  heldCount = 0;
  count1024 = count512 = count128 = 0;
  count2x = count4x = count8x = 0;
  cameraYaw = -90.0f;
  cameraPitch = 0.0f;
  platformLength = 1.0f;
  lastFrameTime = 0.0f;
  DeltaTime = 0.0f;
}

void releaseWorld() {
  if (world == nullptr) return;
  for (int p = 0; p < platformTotal; ++p) {
    delete world->diamonds[p];
    delete world->doors[p];
    delete world->items[p];
  }
  delete[] world->barrierStore;
  delete world;
  world = nullptr;
}

void advanceSpriteAnimation(TunnelObject& object) {
  const float step = 1.0f / static_cast<float>(object.frameCount);
  object.frameTime += DeltaTime;
  while (object.frameTime >= step) {
    object.frameIndex = (object.frameIndex + 1) % object.frameCount;
    object.frameTime -= step;
  }
}
