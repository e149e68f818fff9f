// Contact with blades and doors, and opening doors.
#include "sim/collisions.h"

bool testBarrierCollision() { return false; }
bool testDoorCollision() { return false; }
void openDoorAhead() {}
void openDoorsAhead() {}
