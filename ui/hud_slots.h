// Where the in-run display sits in the two UI pools: the HUD, the pickups' flyers and popups and
// the wave banner all name their element and text slots from here.
#pragma once

#include <cstdint>

#include "app/data/run_state.h"

// Elements.
constexpr int boostGaugeElement = 0;
constexpr int firstDiamondFlyerElement = 1;  // flyers take 1..9, one per diamond of value
constexpr int maxDiamondFlyers = 9;
constexpr int firstHeldSlotElement = 10;  // the three held items, 10..12
constexpr int itemHubElement = 14;
constexpr int diamondIconElement = 16;
constexpr int flyingIconElement = 23;  // a collected item on its way to its place

// Texts.
constexpr int runDiamondsText = 1;
constexpr int waveBannerText = 3;
constexpr int scoreText = 4;
constexpr int seedLineText = 5;
constexpr int scorePopupText = 11;

// The right-hand column: for each counted kind, the icon of the last one taken and its count,
// top to bottom (window fractions of the icon's and the count's top edges).
struct CounterSlots {
  int32_t kind;  // ObjectKind, a token or a multiplier
  int icon;      // element
  int text;      // text
  float iconY;
  float textY;
};
constexpr CounterSlots counterColumn[] = {
    {kindMultiplier8x, 25, 12, 0.1f, 0.15f}, {kindMultiplier4x, 24, 10, 0.2f, 0.25f},
    {kindMultiplier2x, 26, 9, 0.3f, 0.35f},  {kindToken1024, 20, 6, 0.4f, 0.45f},
    {kindToken512, 21, 7, 0.5f, 0.55f},      {kindToken128, 22, 8, 0.6f, 0.65f},
};

// The row of a counted kind; null for any other kind.
constexpr const CounterSlots* counterSlotsOf(int32_t kind) {
  for (const CounterSlots& row : counterColumn)
    if (row.kind == kind) return &row;
  return nullptr;
}
