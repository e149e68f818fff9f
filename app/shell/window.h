// The game window: creation, the window-system requests the game makes, the gamepad reading and
// the size callback.
#pragma once

#include <cstdint>
#include <string>

#include "ui/gamepad.h"

struct GLFWwindow;

extern GLFWwindow* window;  // the one game window; null before start-up and in tests
extern bool fullscreen;     // the window covers the primary monitor
// Windowed placement and size to return to when full screen is left, saved on the way in.
extern int savedWindowX, savedWindowY;
extern int32_t savedWindowWidth;   // pixels, the start size until full screen is first entered
extern int32_t savedWindowHeight;  // pixels

// The window system could not be started: its own reason, for the line that says so.
std::string describeWindowSystemFailure();
// The game's window could not be made: opens a small hidden window with whatever OpenGL the
// system has, only to read its version, and returns the line that tells the player what is
// missing ("NAVRO needs OpenGL 4.6; this system offers 4.5 (llvmpipe)").
std::string describeMissingGl();

// Asks the main loop to end after the current frame.
void requestClose();
// Hides and captures the cursor (play) or shows it (menus).
void setCursorCaptured(bool captured);
// Reads the first connected joystick that has a gamepad mapping; false, with a pad at rest in
// `state`, when there is none.
bool readGamepad(GamepadState& state);
// Window-system side of the F11 toggle; returns false (nothing changed) when it cannot switch.
bool switchFullscreen(bool toFullscreen);
// The F11 toggle: full screen on or off; the flag follows only a switch the system made.
void toggleFullscreen();
// A new framebuffer size: the shared view and the GL viewport follow it; a side of 0 (a
// minimised window) changes nothing.
void resizeFramebuffer(int32_t width, int32_t height);
// Framebuffer-size callback.
void onFramebufferSize(GLFWwindow* w, int width, int height);
