// The game window: creation, the window-system requests the game makes, and the size callback.
#pragma once

struct GLFWwindow;

extern GLFWwindow* window;  // the one game window; null before start-up and in tests

// Asks the main loop to end after the current frame.
void requestClose();
// Hides and captures the cursor (play) or shows it (menus).
void setCursorCaptured(bool captured);
// True while joystick 1 is present and has a gamepad mapping.
bool gamepadConnected();
// Window-system side of the F11 toggle; returns false (nothing changed) when it cannot switch.
bool switchFullscreen(bool toFullscreen);
// Framebuffer-size callback.
void onFramebufferSize(GLFWwindow* w, int width, int height);
