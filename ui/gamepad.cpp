// Gamepad play: each frame's reading of the pad is compared with the previous one, and every new
// press is handed to the keyboard's handler as the key it stands for on the screen shown.
#include "ui/gamepad.h"

#include <cmath>

#include "sim/key_codes.h"
#include "ui/input.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"
#include "ui/ui_requests.h"

namespace {

// The pad as the game reads it: the buttons as they are, the left stick and the right trigger
// turned into switches that hold their position between the two levels that move them.
struct PadControls {
  bool buttons[gamepadButtonCount] = {};
  int stickX = 0;  // -1 flicked left, 1 flicked right, 0 back at rest
  int stickY = 0;  // -1 flicked up, 1 flicked down, 0 back at rest
  bool triggerHeld = false;
};

PadControls previous;

// A flicked stick keeps its direction until it is back at rest, so it can neither turn twice on
// one flick nor swing from one side to the other without passing the centre.
int stickSwitch(float value, int before) {
  if (std::fabs(value) < stickDeadZone) return 0;
  if (before != 0) return before;
  if (value > stickFlickLevel) return 1;
  if (value < -stickFlickLevel) return -1;
  return 0;
}

bool triggerSwitch(float value, bool before) {
  return before ? value >= triggerReleaseLevel : value > triggerPressLevel;
}

PadControls readControls() {
  GamepadState state;
  // An unplugged pad lets go of everything it held.
  // The window system's reading (the shell's), or a script in the tests.
  if (uiRequests.readGamepad == nullptr || !uiRequests.readGamepad(state)) state = GamepadState{};
  PadControls now;
  for (int b = 0; b < gamepadButtonCount; ++b) now.buttons[b] = state.buttons[b];
  now.stickX = stickSwitch(state.axes[padLeftX], previous.stickX);
  now.stickY = stickSwitch(state.axes[padLeftY], previous.stickY);
  now.triggerHeld = triggerSwitch(state.axes[padRightTrigger], previous.triggerHeld);
  return now;
}

bool pressed(const PadControls& now, int button) {
  return now.buttons[button] && !previous.buttons[button];
}

bool flicked(int now, int before, int direction) { return now == direction && before != direction; }

// South is the confirm button players expect; Start confirms too.
bool confirmed(const PadControls& now) { return pressed(now, padSouth) || pressed(now, padStart); }

// The key the pad stands for goes through the keyboard's own handler, so both act alike.
void sendKey(int key, int action = keyPress) { onKey(nullptr, key, 0, action, 0); }

// Boost lasts while any of its controls is held: letting go of one of two keeps it going.
bool boostHeld(const PadControls& c) {
  return c.buttons[padSouth] || c.buttons[padDpadUp] || c.triggerHeld;
}

void playControls(const PadControls& now) {
  // The d-pad and the stick each count their own presses.
  if (pressed(now, padDpadLeft)) sendKey(keyLeft);
  if (flicked(now.stickX, previous.stickX, -1)) sendKey(keyLeft);
  if (pressed(now, padDpadRight)) sendKey(keyRight);
  if (flicked(now.stickX, previous.stickX, 1)) sendKey(keyRight);
  const bool boost = boostHeld(now);
  if (boost != boostHeld(previous)) sendKey(keyUp, boost ? keyPress : keyRelease);
  if (pressed(now, padWest)) sendKey(keyA);
  // The three held items from left to right: left bumper, north, right bumper.
  if (pressed(now, padLeftBumper)) sendKey(key1);
  if (pressed(now, padNorth)) sendKey(key2);
  if (pressed(now, padRightBumper)) sendKey(key3);
}

// East goes back only from the screens that have a BACK button, doing what that button does.
UiAction backAction() {
  if (currentScreen == screenOptions) return goToMainMenu;
  if (currentScreen == screenControls) return goToOptions;
  return nullptr;
}

void menuControls(const PadControls& now) {
  if (pressed(now, padDpadUp) || flicked(now.stickY, previous.stickY, -1)) sendKey(keyUp);
  if (pressed(now, padDpadDown) || flicked(now.stickY, previous.stickY, 1)) sendKey(keyDown);
  // One screen change per reading: a back press must not act on the screen a confirm opened.
  if (confirmed(now)) {
    sendKey(keyEnter);
  } else if (pressed(now, padEast) && backAction() != nullptr) {
    backAction()();
  }
}

}  // namespace

void pollGamepad() {
  const PadControls now = readControls();
  switch (currentScreen) {
    case screenPlay:
      playControls(now);
      break;
    case screenRunOver:
    case screenMainMenu:
    case screenOptions:
    case screenControls:
      menuControls(now);
      break;
    case screenSeedEntry:
      // Nothing is typed with a pad: confirming starts the run with the seed proposed.
      if (confirmed(now)) sendKey(keyEnter);
      break;
    case screenItemBox:
      if (confirmed(now)) sendKey(keySpace);
      break;
    default:
      break;
  }
  previous = now;
}

void forgetGamepad() { previous = PadControls{}; }
