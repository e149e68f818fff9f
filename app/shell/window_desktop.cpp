// The desktop's side of the window: why the window system or the GL context could not be had, the
// gamepad through the window system's mappings, full screen on the primary monitor, and the
// cursor captured by the window system.
#include <GLFW/glfw3.h>
#include <cstdio>

#include "app/shell/window.h"
#include "render/gl_context.h"

namespace {

// The least a probe asks for: any core context from 3.2 on gives the highest version the driver
// has; a system without one gets a second try with the window system's defaults.
constexpr int probeCoreMajor = 3, probeCoreMinor = 2;

GLFWwindow* openProbeWindow(bool core) {
  glfwDefaultWindowHints();
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  if (core) {
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, probeCoreMajor);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, probeCoreMinor);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
  }
  return glfwCreateWindow(1, 1, "NAVRO", nullptr, nullptr);
}

}  // namespace

std::string describeWindowSystemFailure() {
  const char* reason = nullptr;
  glfwGetError(&reason);
  return reason != nullptr ? reason : "unknown error";
}

std::string describeMissingGl() {
  // The probe's own failures are expected and say nothing a player could act on.
  GLFWerrorfun reporter = glfwSetErrorCallback(nullptr);
  GLFWwindow* probe = openProbeWindow(true);
  if (probe == nullptr) probe = openProbeWindow(false);
  GlDriverInfo info;
  bool known = false;
  if (probe != nullptr) {
    glfwMakeContextCurrent(probe);
    known = readGlDriverInfo(glfwGetProcAddress, info);
    glfwMakeContextCurrent(nullptr);
    glfwDestroyWindow(probe);
  }
  glfwSetErrorCallback(reporter);
  glfwDefaultWindowHints();
  if (!known) return "NAVRO needs OpenGL 4.6; this system offers no OpenGL the game can use";
  const bool enough = info.major > 4 || (info.major == 4 && info.minor >= 6);
  if (enough)
    return "NAVRO could not open its window with OpenGL 4.6, though this system offers " +
           std::to_string(info.major) + "." + std::to_string(info.minor);
  std::string line = "NAVRO needs OpenGL 4.6; this system offers " + std::to_string(info.major) +
                     "." + std::to_string(info.minor);
  if (!info.renderer.empty()) line += " (" + info.renderer + ")";
  return line;
}

void setCursorCaptured(bool captured) {
  if (window == nullptr) return;
  glfwSetInputMode(window, GLFW_CURSOR, captured ? GLFW_CURSOR_DISABLED : GLFW_CURSOR_NORMAL);
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

// The game's pad record copies the window system's one index for index.
static_assert(padSouth == GLFW_GAMEPAD_BUTTON_A && padEast == GLFW_GAMEPAD_BUTTON_B &&
              padWest == GLFW_GAMEPAD_BUTTON_X && padNorth == GLFW_GAMEPAD_BUTTON_Y &&
              padStart == GLFW_GAMEPAD_BUTTON_START && padDpadUp == GLFW_GAMEPAD_BUTTON_DPAD_UP &&
              padDpadLeft == GLFW_GAMEPAD_BUTTON_DPAD_LEFT &&
              gamepadButtonCount == GLFW_GAMEPAD_BUTTON_LAST + 1);
static_assert(padLeftY == GLFW_GAMEPAD_AXIS_LEFT_Y &&
              padRightTrigger == GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER &&
              gamepadAxisCount == GLFW_GAMEPAD_AXIS_LAST + 1);

bool readGamepad(GamepadState& state) {
  state = GamepadState{};
  if (window == nullptr) return false;
  // Whichever slot the pad was given when it was plugged in, the first one with a mapping plays.
  for (int jid = GLFW_JOYSTICK_1; jid <= GLFW_JOYSTICK_LAST; ++jid) {
    GLFWgamepadstate raw;
    if (glfwGetGamepadState(jid, &raw) != GLFW_TRUE) continue;
    for (int b = 0; b < gamepadButtonCount; ++b) state.buttons[b] = raw.buttons[b] == GLFW_PRESS;
    for (int a = 0; a < gamepadAxisCount; ++a) state.axes[a] = raw.axes[a];
    return true;
  }
  return false;
}
