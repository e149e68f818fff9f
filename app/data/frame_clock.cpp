// The frame clock read by the simulation, the animations and the tunnel scroll.
#include "app/data/frame_clock.h"

float lastFrameTime = 0.0f;
float DeltaTime = 0.0f;

void advanceFrameClock(float t) {
  DeltaTime = t - lastFrameTime;
  lastFrameTime = t;
  if (DeltaTime > maxDeltaTime) DeltaTime = maxDeltaTime;
}
