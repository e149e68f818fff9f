// The player's keys during a run.
#include "sim/controls.h"

bool onPlayKey(int /*key*/, int /*action*/) { return false; }
