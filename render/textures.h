// Every image of the game, decoded, premultiplied and uploaded once at start-up.
#pragma once

#include <cstdint>

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

// Premultiplies RGBA pixels in place: each colour channel times alpha / 255, truncated.
void premultiplyAlpha(unsigned char* pixels, int width, int height);
uint32_t loadTexture(const char* path, bool generateMipmaps, bool keepRowOrder, bool repeatWrap);
void loadAllTextures();
