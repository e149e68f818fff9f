// The window-system requests of the game that every system makes alike: closing, the full-screen
// toggle, resize.
#include "app/shell/window.h"

#include <GLFW/glfw3.h>

#include "app/data/camera.h"
#include "render/gl_context.h"

GLFWwindow* window = nullptr;
bool fullscreen = false;
int savedWindowX = 0, savedWindowY = 0;
int32_t savedWindowWidth = startWindowWidth;
int32_t savedWindowHeight = startWindowHeight;

void requestClose() {
  if (window != nullptr) glfwSetWindowShouldClose(window, 1);
}

void toggleFullscreen() {
  // The flag follows the window: a switch the window system refuses changes nothing.
  if (switchFullscreen(!fullscreen)) fullscreen = !fullscreen;
}

void resizeFramebuffer(int32_t width, int32_t height) {
  if (applyFramebufferSize(width, height)) setViewport(width, height);
}

void onFramebufferSize(GLFWwindow* /*w*/, int width, int height) {
  resizeFramebuffer(width, height);
}
