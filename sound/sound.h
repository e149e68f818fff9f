// Fire-and-forget sound effects through one audio engine.
#pragma once

constexpr const char* collectSound = "./audio/collect1.wav";
constexpr const char* clinkSound = "./audio/clink.wav";
constexpr const char* menuSelectSound = "./audio/menu_select.wav";

extern bool soundEngineReady;  // false without an audio device: every play is then silent

void initSoundEngine();
void playSound(const char* path);
// Stops the engine before the process exits.
void shutdownSoundEngine();
