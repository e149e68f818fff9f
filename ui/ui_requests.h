// What the menus and the input ask of the rest of the game: the window (closing it, the cursor,
// full screen, the pad's reading) and the menus' select sound. The shell fills the table at
// start-up with the game's own functions; an empty entry does nothing, as without a window or a
// sound device, and without a reader no pad is there.
#pragma once

#include "ui/gamepad.h"

struct UiRequests {
  void (*close)();                       // Escape, or the menus' quit: end after this frame
  void (*captureCursor)(bool captured);  // hidden and held in play, free in the menus
  void (*toggleFullscreen)();            // F11
  // The first pad's state, read by the window system; false, with a pad at rest, when none.
  bool (*readGamepad)(GamepadState& state);
  void (*playSound)(const char* path);  // a menu's selection moved or was activated
};

extern UiRequests uiRequests;
