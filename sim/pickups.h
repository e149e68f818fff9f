// Diamonds, items, held items, the item box prize and the score they make.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

struct TunnelObject;

constexpr float pickupRadiusSquared = 0.390625f;  // contact radius 0.625

extern int32_t luckyBonus;  // value of the last box-randomizer roll

// Colour of a score gain in the popup, handed to the text shader as these numbers.
inline const glm::vec3 scoreGainColor{165.0f, 224.0f, 0.0f};

// Value of the next diamond: tokens times the multiplier counts, saturating at INT32_MAX.
int32_t diamondValue();
void collectDiamond();
void collectItem();
void useHeldItem(int k);
void applyReward(TunnelObject* item);
int32_t rollItemBox();

// The count of a counted kind (tokens and multipliers, 1..6) and the last object of it taken;
// both null for any other kind.
struct RewardCounter {
  int32_t* count;
  TunnelObject** last;
};
RewardCounter rewardCounter(int32_t kind);
