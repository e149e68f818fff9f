// What a run shows of itself while it plays: diamonds and items flying to their places, the score
// popup, the counters, the held items, the boost gauge and the wave banner. The shell hands these
// to the simulation's table of run events.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

#include "app/data/run_state.h"

// Window fractions (y downward) of a world point.
glm::vec2 screenPosition(glm::vec3 point);

// Flies the score popup from the middle of the window to the score; on arrival it credits
// *value to the run score (a loss lowers it, never below 0).
void launchScorePopup(const int32_t* value, const char* prefix, glm::vec3 color);
// `value` diamonds (at most nine) fly from the collected one to the top-right corner.
void launchDiamondFlyers(int32_t value, const TunnelObject& diamond);
// A card shows in held slot `slot` and flies there from the tunnel.
void showCardHeld(int slot, const TunnelObject& card);
// A counted item's counter shows, with the item as its icon.
void showRewardCounted(const TunnelObject& item);
// A counted item flies from the tunnel to its counter.
void launchRewardFlyer(const TunnelObject& item);
// The held slots follow heldItems after one was used (each filled slot says so on the log).
void showHeldItems();
// The boost gauge shows the reserve left in boostGauge.
void showBoostReserve();
// The wave banner between two waves.
void showWaveBanner(bool shown);
