// Fire-and-forget sound effects through one audio engine.
#pragma once

extern bool soundEngineReady;  // false without an audio device: every play is then silent

void initSoundEngine();
void playSound(const char* path);
// Stops the engine before the process exits.
void shutdownSoundEngine();
