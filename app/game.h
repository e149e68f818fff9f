// The whole program: start-up in its fixed order, the frame loop, and shutdown.
#pragma once

// Runs the game until the window closes; returns the process exit status.
int runGame();
