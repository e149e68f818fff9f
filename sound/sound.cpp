// The sound engine and one-shot effects.
#include "sound/sound.h"

bool soundEngineReady = false;

void initSoundEngine() {}
void playSound(const char* /*path*/) {}
void shutdownSoundEngine() {}
