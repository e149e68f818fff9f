// Building a run: resetting the run state and generating all 256 platforms from runSeed.
#pragma once

// Out of 200, the classes of a platform's object draw.
constexpr int diamondClassLast = 7;        // 1..7 diamond
constexpr int itemClassLast = 74;          // 8..74 item
constexpr int doorClassLast = 99;          // 75..99 door, 100..200 nothing
constexpr int classRange = 200;            // after an empty or item platform
constexpr int chainClassRange = 8;         // after a door or a diamond
constexpr float generatedDepth = -100.0f;  // every platform starts here

// Resets the run, generates the world from runSeed and shows the play screen.
void startRun();
// Builds a new World from runSeed into `world` (the previous one must already be released).
void generateWorld();
