// The GL names of the game's pictures: set once by the texture loader at start-up, then copied
// into world objects by run generation and into UI elements by the screens.
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
extern uint32_t itemTextures[itemTextureCount];  // indexed as run generation maps kinds
extern uint32_t zellSheetTexture;
