// The game window: creation, the window-system requests the game makes, the gamepad reading and
// the size callback.
#pragma once

struct GLFWwindow;

// The buttons and axes of a standard gamepad, in the order the window system's gamepad mappings
// report them (south is A on one brand and cross on another, so the game names them by place).
enum GamepadButton : int {
  padSouth = 0,
  padEast,
  padWest,
  padNorth,
  padLeftBumper,
  padRightBumper,
  padBack,
  padStart,
  padGuide,
  padLeftThumb,
  padRightThumb,
  padDpadUp,
  padDpadRight,
  padDpadDown,
  padDpadLeft,
  gamepadButtonCount
};
enum GamepadAxis : int {
  padLeftX = 0,
  padLeftY,  // up is negative
  padRightX,
  padRightY,
  padLeftTrigger,
  padRightTrigger,
  gamepadAxisCount
};

constexpr float padTriggerAtRest = -1.0f;  // triggers run from -1 (let go) to 1 (pulled fully)

// One reading of a gamepad; the default is a pad nobody touches.
struct GamepadState {
  bool buttons[gamepadButtonCount] = {};
  float axes[gamepadAxisCount] = {0.0f, 0.0f, 0.0f, 0.0f, padTriggerAtRest, padTriggerAtRest};
};

extern GLFWwindow* window;  // the one game window; null before start-up and in tests

// Asks the main loop to end after the current frame.
void requestClose();
// Hides and captures the cursor (play) or shows it (menus).
void setCursorCaptured(bool captured);
// Reads the first connected joystick that has a gamepad mapping; false, with a pad at rest in
// `state`, when there is none.
bool readGamepad(GamepadState& state);
// Window-system side of the F11 toggle; returns false (nothing changed) when it cannot switch.
bool switchFullscreen(bool toFullscreen);
// Framebuffer-size callback.
void onFramebufferSize(GLFWwindow* w, int width, int height);
