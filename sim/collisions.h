// Contact with blades and closed doors, and opening doors.
#pragma once

constexpr float bladeShellHalfThickness = 0.125f;
constexpr float doorOpeningDepth = 40.0f;  // a door opens by key only once past this depth

// True when a blade of the front platform touched the player; the run has then ended.
bool testBarrierCollision();
// True when the current platform's closed door touched the player; the run has then ended.
bool testDoorCollision();
// The open-door key: opens the nearest closed door on the player's lane past the opening depth.
void openDoorAhead();
// The RFID card: opens every door from the current platform to the end of the ring.
void openDoorsAhead();
