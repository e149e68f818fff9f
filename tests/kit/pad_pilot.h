// A scripted gamepad for the tests, and a pilot that plays a run with it: the pilot bot's choices
// each frame held as a player would hold them on a pad, read by the game's own pad poll.
#pragma once

#include "app/shell/window.h"
#include "kit/bot_pilot.h"
#include "ui/gamepad.h"
#include "ui/ui_requests.h"

namespace padbot {

constexpr float stickFull = 1.0f;
constexpr float triggerPulled = 1.0f;

inline GamepadState scripted;  // what the pad reports at the next poll
inline bool connected = true;

inline bool readScript(GamepadState& state) {
  state = connected ? scripted : GamepadState{};
  return connected;
}

// From now on the game reads the script, starting from a pad at rest.
inline void plugIn() {
  scripted = GamepadState{};
  connected = true;
  uiRequests.readGamepad = readScript;
  forgetGamepad();
}

inline void unplug() {
  uiRequests.readGamepad = readGamepad;
  forgetGamepad();
}

// The script is plugged in for as long as the object lives.
struct ScriptedPad {
  ScriptedPad() { plugIn(); }
  ~ScriptedPad() { unplug(); }
};

// The pad's part of one frame of the main loop: the reading that follows the window's events.
inline void poll(const GamepadState& state) {
  scripted = state;
  pollGamepad();
}

// One whole frame in the main loop's order: the pad is read, then the run advances.
inline void frame(const GamepadState& state) {
  poll(state);
  DeltaTime = bot::frameSeconds;
  updateFrame();
}

// The pilot: it steers to the nearest free lane, opens doors on its lane and boosts with the
// right trigger whenever the gauge is full. A held button is only one press, so a turn of several
// faces alternates the d-pad and the stick to make one press a frame, and a door button that is
// down is let go for a frame before it is pressed again.
struct Pilot {
  GamepadState last;  // what the pilot held in the previous frame
  bool boosting = false;

  GamepadState next() {
    GamepadState s;
    if (currentScreen == screenItemBox) {
      s.buttons[padSouth] = !last.buttons[padSouth];  // continue, as Space would
      return remember(s);
    }
    const int p = bot::upcomingPlatform();
    if (p != -1) {
      turnToward(bot::freeLaneNearest(p, currentLane, currentSides), s);
      const Door* door = world->doors[p];
      if (door != nullptr && door->lane == currentLane && !door->open) {
        s.buttons[padWest] = !last.buttons[padWest];
      }
    }
    // Let go when the gauge runs low, or when the game dropped the boost (an empty gauge, a prize
    // roll): only a new pull boosts again.
    if (boosting && (!boostActive || boostGauge < 0.5f)) {
      boosting = false;
    } else if (!boosting && !boostActive && boostGauge >= boostCapacity) {
      boosting = true;
    }
    s.axes[padRightTrigger] = boosting ? triggerPulled : padTriggerAtRest;
    return remember(s);
  }

 private:
  GamepadState remember(const GamepadState& s) {
    last = s;
    return s;
  }

  void turnToward(int lane, GamepadState& s) const {
    const int n = currentSides;
    const int left = (lane - currentLane + n) % n;  // turning left raises the lane number
    if (left == 0) return;
    const bool goLeft = left <= n / 2;
    const int button = goLeft ? padDpadLeft : padDpadRight;
    // The d-pad was pressed last frame: flick the stick this one; otherwise press the d-pad and
    // let the stick come back to rest.
    if (last.buttons[button]) {
      s.axes[padLeftX] = goLeft ? -stickFull : stickFull;
    } else {
      s.buttons[button] = true;
    }
  }
};

}  // namespace padbot
