// What the menus and the input ask of the game window: closing it, capturing the cursor, full
// screen. The shell fills the table at start-up with the window's own functions; an empty entry
// does nothing, as without a window.
#pragma once

struct WindowRequests {
  void (*close)();                       // Escape, or the menus' quit: end after this frame
  void (*captureCursor)(bool captured);  // hidden and held in play, free in the menus
  void (*toggleFullscreen)();            // F11
};

extern WindowRequests windowRequests;
