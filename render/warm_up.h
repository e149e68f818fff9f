// Draws out of sight that make the GL driver prepare, on the menus' frames, the shader variants a
// run will need, instead of on the run's first frame.
#pragma once

// The software driver compiles a program anew for each combination of blending, depth writes and
// texture format and sampling it meets, at the first draw that meets it: 12 to 25 ms on the
// first frame of the first run. Each call of this does one small part of those draws into the
// back buffer, clipped to one pixel and cleared by the frame that follows, and leaves every GL
// state, binding and texture parameter as it found it; once all parts are done it does nothing.
// Returns whether a part was drawn.
bool warmUpNextPart();
// Parts left to draw; the whole list is rebuilt from the start by `restartWarmUp`.
int warmUpPartsLeft();
void restartWarmUp();
