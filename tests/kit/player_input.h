// A player's keys and clicks, sent through the game's own input callbacks, for the tests and
// benchmarks that play the game in one process.
#pragma once

// Presses `key` (a GLFW key code) once.
void press(int key);
// Moves the pointer onto the button captioned `caption` on the current screen and clicks it, as
// a player with a mouse does; false when no such button is there.
bool clickButton(const char* caption);
// Whether the selected button is the one captioned `caption`.
bool selectedCaptionIs(const char* caption);
