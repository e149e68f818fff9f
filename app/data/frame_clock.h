// The frame clock: how much time the frame being drawn and simulated stands for.
#pragma once

extern float lastFrameTime;  // clock reading of the previous frame, seconds
extern float DeltaTime;      // seconds since the previous frame, never above maxDeltaTime

constexpr float maxDeltaTime = 0.1f;  // a stalled frame advances the game by at most this

// Measures DeltaTime from a clock reading t (seconds) and clamps it.
void advanceFrameClock(float t);
