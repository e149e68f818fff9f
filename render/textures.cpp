// Loading every image of the game as a GL texture.
#include "render/textures.h"

uint32_t panelBackgroundTexture = 0;
uint32_t linesTexture = 0;
uint32_t doorTexture = 0;
uint32_t playerSheetTexture = 0;
uint32_t disketteUnlockTexture = 0;
uint32_t itemHubTexture = 0;
uint32_t boostSheetTexture = 0;
uint32_t confettiSheetTexture = 0;
uint32_t itemTextures[itemTextureCount] = {};
uint32_t zellSheetTexture = 0;

void premultiplyAlpha(unsigned char* /*pixels*/, int /*width*/, int /*height*/) {}
uint32_t loadTexture(const char* /*path*/, bool /*generateMipmaps*/, bool /*keepRowOrder*/,
                     bool /*repeatWrap*/) {
  return 0;
}
void loadAllTextures() {}
