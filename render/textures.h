// Every image of the game, decoded, premultiplied and uploaded once at start-up.
#pragma once

#include <cstdint>

#include "app/data/texture_names.h"
#include "render/texture_images.h"

uint32_t loadTexture(const char* path, bool generateMipmaps, bool keepRowOrder, bool repeatWrap);
// Starts decoding every listed picture on worker threads, so that loadAllTextures finds them
// ready; called as early as possible. Without it loadAllTextures decodes as it goes.
void startDecodingTextures();
// Waits for the workers and frees what they decoded; for start-ups that end before the textures
// are loaded.
void discardDecodedTextures();
// Loads the next picture of the list, in list order; false, with the decoding ahead ended, once
// all are loaded (the next call starts the list again). A start-up that must give its host a turn
// between pictures (the browser's page, to show its progress) takes them one at a time.
bool loadNextTexture();
// Every picture of the list: loadNextTexture until it returns false.
void loadAllTextures();
// Bytes of picture data handed to the GL so far, every mipmap level included: the texture store
// the pictures keep for the whole game.
int64_t textureStoreBytes();

// How the frames draw a picture: as a quad of the scene, as a UI element, or both. The driver's
// warm-up draws each picture every way the frames will, ahead of its first real use.
enum class PictureUse : uint8_t { none = 0, scene = 1, ui = 2, sceneAndUi = 3 };
// The pictures of the load list, in load order.
int pictureCount();
// The texture name picture `index` was loaded into; 0 before loading, or when it is not kept.
uint32_t pictureName(int index);
// Whether the frames draw picture `index` in a way `use` names (scene or UI).
bool pictureDrawnBy(int index, PictureUse use);

// Where an uploaded RGBA picture is not clear, found once at load; null for other textures.
const PictureBoxes* visibleBoxes(uint32_t texture);
