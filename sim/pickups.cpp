// Collecting diamonds and items, held items and the item box prize.
#include "sim/pickups.h"

#include "app/run_state.h"

int32_t luckyBonus = 0;

int32_t diamondValue() { return 1; }
void collectDiamond() {}
void collectItem() {}
void useHeldItem(int /*k*/) {}
void applyReward(TunnelObject* /*item*/) {}
int32_t rollItemBox() { return 0; }
glm::vec2 screenPosition(glm::vec3 /*point*/) { return glm::vec2(0.0f); }
