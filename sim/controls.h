// The player's keys during a run: turning, boost, doors and held items.
#pragma once

// Handles a key event on the play screen; returns whether the key was consumed.
bool onPlayKey(int key, int action);
