// The view every drawing and every screen-position reading shares: the framebuffer size, the scene
// camera with its free-look angles, and the projection.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

// Framebuffer size in pixels; every window-fraction to pixel mapping reads these.
extern int32_t windowWidth;   // pixels, 1280 at start
extern int32_t windowHeight;  // pixels, 720 at start

extern glm::mat4 projection;  // perspective of every 3D draw, rebuilt on resize
extern glm::vec3 cameraPos;   // eye of the scene camera, (0, 1, 70)
extern glm::vec3 cameraTarget;
extern glm::vec3 cameraUp;
extern glm::vec3 cameraFront;  // unit viewing direction
extern glm::mat4 view;         // look-at matrix of every 3D draw; no screen changes it
extern float cameraYaw;        // free-look yaw from the cursor, degrees
extern float cameraPitch;      // free-look pitch from the cursor, degrees, -89..89

constexpr int32_t startWindowWidth = 1280;
constexpr int32_t startWindowHeight = 720;
constexpr float fieldOfViewHalfAngle = 0.3926991f;  // radians; 45 degrees vertical field of view
constexpr float nearPlane = 0.1f;
constexpr float farPlane = 500.0f;

// Right-handed perspective for a framebuffer of width x height.
glm::mat4 buildProjection(int32_t width, int32_t height);
// Takes a new framebuffer size and its projection; false, with nothing changed, when either side
// is 0 (a minimised window). The caller sets the GL viewport.
bool applyFramebufferSize(int32_t width, int32_t height);
