// Every image of the game, decoded, premultiplied and uploaded once at start-up.
#pragma once

#include <pthread.h>
#include <cstdint>

#include "render/texture_images.h"

constexpr int itemTextureCount = 9;

extern uint32_t panelBackgroundTexture;
extern uint32_t linesTexture;
extern uint32_t doorTexture;
extern uint32_t playerSheetTexture;
extern uint32_t disketteUnlockTexture;
extern uint32_t itemHubTexture;
extern uint32_t boostSheetTexture;
extern uint32_t confettiSheetTexture;
extern uint32_t itemTextures[itemTextureCount];
extern uint32_t zellSheetTexture;

uint32_t loadTexture(const char* path, bool generateMipmaps, bool keepRowOrder, bool repeatWrap);
// Starts decoding every listed picture on worker threads, so that loadAllTextures finds them
// ready; called as early as possible. Without it loadAllTextures decodes as it goes.
void startDecodingTextures();
// Waits for the workers and frees what they decoded; for start-ups that end before the textures
// are loaded.
void discardDecodedTextures();
void loadAllTextures();

// Starts one decoding worker, returning 0 or an error number like pthread_create; a test puts a
// refusal here, as a process at its thread limit gets.
extern int (*startDecodeThread)(pthread_t* thread, void* (*body)(void*), void* argument);
