// What a run asks of the layers above the simulation: the screens, the in-run display, the sounds
// and the blade meshes. The shell fills the table at start-up with the game's own functions; an
// empty entry is skipped, so a test world can run the simulation alone.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <utility>

#include "app/data/run_state.h"

struct RunEvents {
  void (*showScreen)(int32_t screen);   // a run starts or ends, or a diskette opens the item box
  void (*rebuildBladeMeshes)();         // a run starts: its blade meshes released and built anew
  void (*playSound)(const char* path);  // a diamond or a counted item was picked up
  // `value` diamonds fly from the collected one to the display's corner.
  void (*diamondFlyers)(int32_t value, const TunnelObject& diamond);
  void (*cardHeld)(int slot, const TunnelObject& card);  // a card went into held slot `slot`
  void (*rewardCounted)(const TunnelObject& item);       // a token or multiplier joined its counter
  void (*rewardFlyer)(const TunnelObject& item);         // and flies to it from where it was taken
  void (*heldItemsChanged)();  // a held item was used and the others moved up
  // The score popup flies from the middle to the score and credits *value on arrival.
  void (*scorePopup)(const int32_t* value, const char* prefix, glm::vec3 color);
  void (*boostReserveChanged)();  // once a frame of play, after the boost is spent or refilled
  void (*waveBannerShown)(bool shown);  // a wave break began or ended
};

extern RunEvents runEvents;

// Calls one entry of the table, when it is filled.
template <typename... Params, typename... Args>
void emit(void (*event)(Params...), Args&&... args) {
  if (event != nullptr) event(std::forward<Args>(args)...);
}
