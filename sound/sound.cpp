// The one audio engine of the game and its fire-and-forget sound effects. Without an audio
// device the game runs on silently: the engine is then left down and every play returns at once.
#include "sound/sound.h"

#include <miniaudio.h>
#include <cstdio>

bool soundEngineReady = false;

// The engine lives for the whole process; only this file sees the library's types.
ma_engine soundEngine{};

namespace {

// miniaudio falls back to its null backend when no real device opens; that plays nothing, so
// it is treated as no device and its mixing thread is not kept running.
bool onNullDevice() {
  const ma_device* device = ma_engine_get_device(&soundEngine);
  return device == nullptr || device->pContext == nullptr ||
         device->pContext->backend == ma_backend_null;
}

// The audio library's own complaints go to stderr in its own words, if at all; this is the
// player's one line on why the game is quiet.
void reportNoDevice() { std::printf("No audio device: the game runs without sound\n"); }

}  // namespace

void initSoundEngine() {
  if (soundEngineReady) return;
  if (ma_engine_init(nullptr, &soundEngine) != MA_SUCCESS) {
    reportNoDevice();
    return;
  }
  if (onNullDevice()) {
    ma_engine_uninit(&soundEngine);
    reportNoDevice();
    return;
  }
  soundEngineReady = true;
}

void playSound(const char* path) {
  if (!soundEngineReady || path == nullptr) return;
  // A missing or unreadable file fails inside the library; the game goes on without the sound.
  ma_engine_play_sound(&soundEngine, path, nullptr);
}

void shutdownSoundEngine() {
  if (!soundEngineReady) return;
  soundEngineReady = false;
  ma_engine_uninit(&soundEngine);
}
