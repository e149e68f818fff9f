// Gamepad play: the pad is read once a frame, and its presses, found as changes from the previous
// reading, act as the keys they stand for, so pad and keyboard can share a run.
#pragma once

#include "app/window.h"

// Left stick: nearer the centre than the dead zone it is at rest; pushed beyond the flick level it
// turns (or moves a menu selection) once, and must come back to rest before it can again.
constexpr float stickDeadZone = 0.25f;
constexpr float stickFlickLevel = 0.5f;
// Right trigger: held from half pulled, let go below a quarter pulled; the gap keeps a trigger
// resting near one level from chattering the boost on and off.
constexpr float triggerPressLevel = 0.0f;
constexpr float triggerReleaseLevel = -0.5f;

// Where the pad's state comes from: the window system's reading, or a script in the tests.
extern bool (*gamepadReader)(GamepadState& state);

// Reads the pad and acts on what changed since the previous reading; once per frame, right
// after the window's events.
void pollGamepad();
// Forgets the previous reading: nothing held, the stick at rest.
void forgetGamepad();
