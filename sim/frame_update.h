// The per-frame simulation step: speed, tunnel easing, waves, platform motion and the end of a run.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

constexpr float cruiseSpeed = 35.0f;
constexpr float boostSpeed = 70.0f;
constexpr float boostCapacity = 2.0f;
constexpr float easingDeadBand = 0.001f;
constexpr float tunnelBodyLength = 400.0f;
constexpr double waveBreakSeconds = 5.0;
constexpr double breakReportGap = 1.0;
constexpr int subStepCount = 100;
constexpr float retireDepth = 80.0f;
constexpr float objectHeight = 0.5f;  // diamonds and items stand this far outside the circumcircle
constexpr float doorHeight = 0.21f;
constexpr float particleRecycleDepth = 60.0f;
constexpr float particleStartDepth = -100.0f;
// Depth the front platform must pass before slot k (1..7) activates the next platform.
constexpr float activationDepths[8] = {0.0f, -80.0f, -60.0f, -40.0f, -20.0f, 0.0f, 20.0f, 40.0f};

extern float waveChangeTime;   // runClock at the last side-count change; 0 once the break ended
extern float lastBreakTime;    // runClock on the latest frame of a wave break; kept across runs
extern int32_t waveBonus;      // bonus of the wave just entered, shown by the score popup
extern glm::mat4 tunnelModel;  // the long tunnel body: rotation, 400x stretch, lowered by R

// Advances the run by DeltaTime; does nothing off the play screen.
void updateFrame();
// Moves platform p by speed * stepTime and places its blades and objects; may retire it.
void updatePlatform(int p, float stepTime);
// Ends the run: career totals, speed 0, run-over screen.
void endRun();
