// The texture names shared by the loader, run generation, the screens and the draws.
#include "app/data/texture_names.h"

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
