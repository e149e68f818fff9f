// The shared view: framebuffer size, scene camera and projection.
#include "app/data/camera.h"

#include <glm/gtc/matrix_transform.hpp>

int32_t windowWidth = startWindowWidth;
int32_t windowHeight = startWindowHeight;

glm::mat4 projection = buildProjection(startWindowWidth, startWindowHeight);
glm::vec3 cameraPos{0.0f, 1.0f, 70.0f};
glm::vec3 cameraTarget{0.0f, 0.0f, 0.0f};
glm::vec3 cameraUp{0.0f, 1.0f, 0.0f};
glm::vec3 cameraFront = glm::normalize(cameraTarget - cameraPos);
glm::mat4 view = glm::lookAt(cameraPos, cameraPos + cameraFront, cameraUp);
float cameraYaw = -90.0f;
float cameraPitch = 0.0f;

glm::mat4 buildProjection(int32_t width, int32_t height) {
  const float aspect = static_cast<float>(width) / static_cast<float>(height);
  return glm::perspective(2.0f * fieldOfViewHalfAngle, aspect, nearPlane, farPlane);
}

bool applyFramebufferSize(int32_t width, int32_t height) {
  if (width == 0 || height == 0) return false;
  windowWidth = width;
  windowHeight = height;
  projection = buildProjection(width, height);
  return true;
}
