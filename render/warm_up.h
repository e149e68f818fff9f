// Draws out of sight that make the GL driver prepare, on the menus' frames, the shader variants a
// run will need, instead of on the run's first frame.
#pragma once

// The software driver compiles a program anew for each combination of blending, depth writes and
// texture format and sampling it meets, at the first draw that meets it: 12 to 25 ms on the
// first frame of the first run. Each call of this makes one small warm-up draw into the back
// buffer, clipped to one pixel and cleared by the frame that follows, and leaves every GL state,
// binding, texture parameter and the tunnel's scroll as it found them; once all warm-up draws are
// done it does nothing. Returns whether a warm-up draw was made.
bool warmUpNextDraw();
// Warm-up draws left; `restartWarmUp` starts the list again from its first.
int warmUpDrawsLeft();
void restartWarmUp();
