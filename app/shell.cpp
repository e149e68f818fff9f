// Window size, camera, projection and the frame clock shared by every part of the game.
#include "app/shell.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

#include "render/gl_context.h"

int32_t windowWidth = startWindowWidth;
int32_t windowHeight = startWindowHeight;
int32_t savedWindowWidth = windowWidth;
int32_t savedWindowHeight = windowHeight;

glm::mat4 projection = buildProjection(startWindowWidth, startWindowHeight);
glm::vec3 cameraPos{0.0f, 1.0f, 70.0f};
glm::vec3 cameraTarget{0.0f, 0.0f, 0.0f};
glm::vec3 cameraUp{0.0f, 1.0f, 0.0f};
glm::vec3 cameraFront = glm::normalize(cameraTarget - cameraPos);
glm::mat4 view = glm::lookAt(cameraPos, cameraPos + cameraFront, cameraUp);

float lastFrameTime = 0.0f;
float DeltaTime = 0.0f;

glm::mat4 buildProjection(int32_t width, int32_t height) {
  const float aspect = static_cast<float>(width) / static_cast<float>(height);
  return glm::perspective(2.0f * fieldOfViewHalfAngle, aspect, nearPlane, farPlane);
}

void advanceFrameClock(float t) {
  DeltaTime = t - lastFrameTime;
  lastFrameTime = t;
  if (DeltaTime > maxDeltaTime) DeltaTime = maxDeltaTime;
}

void resizeFramebuffer(int32_t width, int32_t height) {
  if (width == 0 || height == 0) return;
  windowWidth = width;
  windowHeight = height;
  setViewport(width, height);
  projection = buildProjection(width, height);
}
