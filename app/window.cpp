// The window-system requests of the game: closing, cursor capture, gamepad query, full screen,
// resize.
#include "app/window.h"

#include <GLFW/glfw3.h>
#include <cstdio>

#include "app/shell.h"
#include "ui/input.h"

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

namespace {
constexpr int fullscreenRefreshRate = 144;  // the window system picks the nearest the monitor has
}

bool switchFullscreen(bool toFullscreen) {
  if (window == nullptr) {
    std::printf("Full screen unavailable: there is no window\n");
    return false;
  }
  int width = savedWindowWidth;
  int height = savedWindowHeight;
  if (toFullscreen) {
    // Ask for the monitor before touching anything, so a failure leaves the window as it was.
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (monitor == nullptr) {
      std::printf("Full screen unavailable: the window system reports no primary monitor\n");
      return false;
    }
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    if (mode == nullptr) {
      std::printf("Full screen unavailable: the primary monitor reports no video mode\n");
      return false;
    }
    glfwGetWindowPos(window, &savedWindowX, &savedWindowY);
    glfwGetWindowSize(window, &savedWindowWidth, &savedWindowHeight);
    width = mode->width;
    height = mode->height;
    glfwSetWindowMonitor(window, monitor, 0, 0, width, height, fullscreenRefreshRate);
  } else {
    glfwSetWindowMonitor(window, nullptr, savedWindowX, savedWindowY, width, height, 0);
  }
  glfwMakeContextCurrent(window);
  glfwSwapInterval(1);
  resizeFramebuffer(width, height);
  return true;
}

void onFramebufferSize(GLFWwindow* /*w*/, int width, int height) {
  resizeFramebuffer(width, height);
}
