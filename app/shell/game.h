// The whole program: start-up in its fixed order, the frame loop, and shutdown.
#pragma once

// Runs the game until the window closes; returns the process exit status.
int runGame();

// Hands each lower layer the functions of the layers above it that it triggers: the run's events
// (screens, HUD, sounds, blade meshes), the frame's UI steps, the UI's window requests and the
// gamepad reading. Start-up does it first; tests, tools and benchmarks do it to play as the game.
void connectLayers();

// The start-up steps that drawing needs, in their fixed order (textures, polygon table, meshes,
// programs, scene, glyphs, unit quad); needs a current GL context. Tests and benchmarks share it.
void loadGameResources();
