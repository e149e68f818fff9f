// Every image of the game, decoded, premultiplied and uploaded once at start-up.
#pragma once

#include <pthread.h>
#include <cstdint>

#include "app/texture_names.h"
#include "render/texture_images.h"

uint32_t loadTexture(const char* path, bool generateMipmaps, bool keepRowOrder, bool repeatWrap);
// Starts decoding every listed picture on worker threads, so that loadAllTextures finds them
// ready; called as early as possible. Without it loadAllTextures decodes as it goes.
void startDecodingTextures();
// Waits for the workers and frees what they decoded; for start-ups that end before the textures
// are loaded.
void discardDecodedTextures();
void loadAllTextures();
// Bytes of picture data handed to the GL so far, every mipmap level included: the texture store
// the pictures keep for the whole game.
int64_t textureStoreBytes();

// Where an uploaded RGBA picture is not clear, found once at load; null for other textures.
const PictureBoxes* visibleBoxes(uint32_t texture);

// Decoded pictures may wait for their upload up to this many bytes, so the workers run ahead
// through the window's creation while the memory held stays bounded. The picture the upload
// needs next is decoded whatever its size.
constexpr int64_t defaultDecodeAheadBudget = int64_t{96} << 20;
extern int64_t decodeAheadBudget;  // bytes; tests shrink it
// Workers waiting for the budget to make room, at this moment.
int decodeWorkersWaitingForRoom();

// Starts one decoding worker, returning 0 or an error number like pthread_create; a test puts a
// refusal here, as a process at its thread limit gets.
extern int (*startDecodeThread)(pthread_t* thread, void* (*body)(void*), void* argument);
