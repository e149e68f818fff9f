// The program's shared view of the window: its size, the camera, the projection and the frame
// clock.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

// Framebuffer size in pixels; every window-fraction to pixel mapping reads these.
extern int32_t windowWidth;   // pixels, 1280 at start
extern int32_t windowHeight;  // pixels, 720 at start
// Windowed size to return to when full screen is left (written by the F11 toggle).
extern int32_t savedWindowWidth;
extern int32_t savedWindowHeight;

extern glm::mat4 projection;  // perspective of every 3D draw, rebuilt on resize
extern glm::vec3 cameraPos;   // eye of the scene camera, (0, 1, 70)
extern glm::vec3 cameraTarget;
extern glm::vec3 cameraUp;
extern glm::vec3 cameraFront;  // unit viewing direction
extern glm::mat4 view;         // look-at matrix of every 3D draw; no screen changes it

extern float lastFrameTime;  // clock reading of the previous frame, seconds
extern float DeltaTime;      // seconds since the previous frame, never above maxDeltaTime

constexpr int32_t startWindowWidth = 1280;
constexpr int32_t startWindowHeight = 720;
constexpr float maxDeltaTime = 0.1f;  // a stalled frame advances the game by at most this
constexpr float fieldOfViewHalfAngle = 0.3926991f;  // radians; 45 degrees vertical field of view
constexpr float nearPlane = 0.1f;
constexpr float farPlane = 500.0f;

// Right-handed perspective for a framebuffer of width x height.
glm::mat4 buildProjection(int32_t width, int32_t height);
// Measures DeltaTime from a clock reading t (seconds) and clamps it.
void advanceFrameClock(float t);
// Applies a new framebuffer size: ignored when either side is 0 (a minimised window).
void resizeFramebuffer(int32_t width, int32_t height);
