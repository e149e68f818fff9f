// The window-system requests of the game: closing, cursor capture, gamepad query, full screen, resize.
#include "app/window.h"

#include <GLFW/glfw3.h>

#include "app/shell.h"

GLFWwindow* window = nullptr;

void requestClose() {
  if (window != nullptr) glfwSetWindowShouldClose(window, 1);
}

void setCursorCaptured(bool captured) {
  if (window == nullptr) return;
  glfwSetInputMode(window, GLFW_CURSOR, captured ? GLFW_CURSOR_DISABLED : GLFW_CURSOR_NORMAL);
}

bool gamepadConnected() {
  if (window == nullptr) return false;
  return glfwJoystickIsGamepad(GLFW_JOYSTICK_1) == GLFW_TRUE;
}

bool switchFullscreen(bool /*toFullscreen*/) { return false; }

void onFramebufferSize(GLFWwindow* /*w*/, int width, int height) { resizeFramebuffer(width, height); }
