// Keyboard and mouse callbacks.
#include "ui/input.h"

#include <GLFW/glfw3.h>

#include "app/window.h"

bool fullscreen = false;
int savedWindowX = 0, savedWindowY = 0;
double lastCursorX = 0.0, lastCursorY = 0.0;
bool firstMouse = true;

void onKey(GLFWwindow* /*w*/, int key, int /*scancode*/, int action, int /*mods*/) {
  if (action == GLFW_PRESS && key == GLFW_KEY_ESCAPE) requestClose();
}
void onCursorPos(GLFWwindow* /*w*/, double /*x*/, double /*y*/) {}
void onMouseButton(GLFWwindow* /*w*/, int /*button*/, int /*action*/, int /*mods*/) {}
void selectButton(int /*i*/) {}
void deselectButton(int /*i*/) {}
void toggleFullscreen() {}
