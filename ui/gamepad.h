// Gamepad play: the pad is read once a frame, and its presses, found as changes from the previous
// reading, act as the keys they stand for, so pad and keyboard can share a run.
#pragma once

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

// Left stick: nearer the centre than the dead zone it is at rest; pushed beyond the flick level it
// turns (or moves a menu selection) once, and must come back to rest before it can again.
constexpr float stickDeadZone = 0.25f;
constexpr float stickFlickLevel = 0.5f;
// Right trigger: held from half pulled, let go below a quarter pulled; the gap keeps a trigger
// resting near one level from chattering the boost on and off.
constexpr float triggerPressLevel = 0.0f;
constexpr float triggerReleaseLevel = -0.5f;

// Reads the pad and acts on what changed since the previous reading; once per frame, right
// after the window's events.
void pollGamepad();
// Forgets the previous reading: nothing held, the stick at rest.
void forgetGamepad();
