// The whole program: start-up in its fixed order, the frame loop, and shutdown.
#pragma once

// Runs the game until the window closes; returns the process exit status.
int runGame();

// The start-up steps that drawing needs, in their fixed order (textures, polygon table, meshes,
// programs, scene, glyphs, unit quad); needs a current GL context. Tests and benchmarks share it.
void loadGameResources();
