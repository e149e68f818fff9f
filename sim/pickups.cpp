// Collecting diamonds and items, using held items and the item box prize: the score of a run and
// the counts behind the display, which the run's events show.
#include "sim/pickups.h"

#include <algorithm>
#include <limits>

#include "app/data/game_screen.h"
#include "app/data/run_state.h"
#include "app/data/sound_files.h"
#include "app/data/texture_names.h"
#include "sim/collisions.h"
#include "sim/random.h"
#include "sim/run_events.h"
#include "sim/scene_objects.h"

int32_t luckyBonus = 0;

namespace {

constexpr int64_t valueCeiling = std::numeric_limits<int32_t>::max();
constexpr int32_t token128Value = 128, token512Value = 512, token1024Value = 1024;
constexpr int32_t luckyBonusLimit = 10000;
constexpr int32_t boxPrizeLast = 6;  // the item box rolls kinds 0 (card) .. 6 (8x)

const glm::vec3 lossColor{1.0f, 0.0f, 0.0f};

// What each counted kind (1..6) counts, and where the last one taken is kept.
const RewardCounter rewardCounters[kindMultiplier8x + 1] = {
    {nullptr, nullptr},  {&count512, &last512}, {&count128, &last128}, {&count1024, &last1024},
    {&count2x, &last2x}, {&count4x, &last4x},   {&count8x, &last8x}};

bool isCountedKind(int32_t kind) { return kind >= kindToken512 && kind <= kindMultiplier8x; }

int64_t factorOf(int64_t x) { return x != 0 ? x : 1; }

bool withinReach(const TunnelObject& object) {
  const glm::vec3 offset = glm::vec3(object.model[3]) - playerPosition;
  return glm::dot(offset, offset) <= pickupRadiusSquared;
}

void launchLuckyPopup() {
  emit(runEvents.scorePopup, &luckyBonus, luckyBonus > 0 ? "+" : "",
       luckyBonus >= 1 ? scoreGainColor : lossColor);
}

// A picked-up card goes to the first free held slot; with all three full it is lost.
void holdCard(TunnelObject* card) {
  if (heldCount >= heldSlots) return;
  const int k = heldCount;
  heldItems[k] = card;
  heldCount = static_cast<uint8_t>(k + 1);
  emit(runEvents.cardHeld, k, *card);
}

}  // namespace

int32_t diamondValue() {
  const int64_t tokens = int64_t{token128Value} * count128 + int64_t{token512Value} * count512 +
                         int64_t{token1024Value} * count1024;
  // Saturate after every factor so the running product always fits in 64 bits.
  int64_t value = std::min(factorOf(tokens), valueCeiling);
  for (int32_t count : {count8x, count4x, count2x})
    value = std::min(value * factorOf(count), valueCeiling);
  return static_cast<int32_t>(value);
}

void collectDiamond() {
  if (world == nullptr || currentPlatform >= world->platformCount) return;
  TunnelObject* d = world->diamonds[currentPlatform];
  if (d == nullptr || !withinReach(*d)) return;
  const int32_t value = diamondValue();
  const uint64_t wide = static_cast<uint64_t>(static_cast<int64_t>(value));
  runDiamonds += wide;
  runScore += wide;
  if (value >= 1) emit(runEvents.diamondFlyers, value, *d);
  delete d;
  world->diamonds[currentPlatform] = nullptr;
  emit(runEvents.playSound, collectSound);
}

void collectItem() {
  if (world == nullptr || currentPlatform >= world->platformCount) return;
  TunnelObject* it = world->items[currentPlatform];
  if (it == nullptr || !withinReach(*it)) return;
  switch (it->kind) {
    case kindDiskette:
      emit(runEvents.showScreen, screenItemBox);
      break;
    case kindBoxRandomizer:
      luckyBonus = uniformInt(rng, -luckyBonusLimit, luckyBonusLimit);
      launchLuckyPopup();
      break;
    case kindCard:
      holdCard(it);
      break;
    default:
      if (!isCountedKind(it->kind)) break;
      emit(runEvents.playSound, clinkSound);
      applyReward(it);
      emit(runEvents.rewardFlyer, *it);
      break;
  }
  world->items[currentPlatform] = nullptr;
  releaseIfUnreferenced(it);
}

void applyReward(TunnelObject* item) {
  if (item == nullptr || !isCountedKind(item->kind)) return;
  const RewardCounter& counter = rewardCounters[item->kind];
  *counter.count += 1;
  emit(runEvents.rewardCounted, *item);
  TunnelObject* previous = *counter.last;
  *counter.last = item;
  if (previous != item) releaseIfUnreferenced(previous);
}

void useHeldItem(int k) {
  if (k < 0 || k >= heldSlots) return;
  TunnelObject* item = heldItems[k];
  if (item == nullptr) return;
  if (item->action != nullptr) item->action();
  heldItems[k] = nullptr;
  if (heldCount > 0) heldCount -= 1;

  int filled = 0;
  for (int i = 0; i < heldSlots; ++i)
    if (heldItems[i] != nullptr) heldItems[filled++] = heldItems[i];
  for (int i = filled; i < heldSlots; ++i) heldItems[i] = nullptr;

  emit(runEvents.heldItemsChanged);
  releaseIfUnreferenced(item);
}

RewardCounter rewardCounter(int32_t kind) {
  return isCountedKind(kind) ? rewardCounters[kind] : RewardCounter{nullptr, nullptr};
}

int32_t rollItemBox() {
  boostActive = false;
  const int32_t kind = uniformInt(rng, kindCard, boxPrizeLast);
  TunnelObject* prize = new TunnelObject{};
  prize->position = glm::vec3(0.0f);
  prize->model = glm::mat4(1.0f);
  prize->lane = 0;
  prize->kind = kind;
  prize->textureId = itemTextures[kind];
  prize->useSpriteSheet = true;
  prize->cols = 0;
  prize->rows = 0;
  prize->frameCount = spriteFrames;
  prize->frameTime = 0.0f;
  prize->frameIndex = 0;
  prize->action = kind == kindCard ? openDoorsAhead : noActionSpecified;

  if (kind == kindCard) {
    int free = 0;
    while (free < heldSlots && heldItems[free] != nullptr) ++free;
    if (free < heldSlots) {
      heldItems[free] = prize;
      heldCount += 1;
    } else {
      // Three cards already held: the prize takes the last slot.
      TunnelObject* replaced = heldItems[heldSlots - 1];
      heldItems[heldSlots - 1] = prize;
      releaseIfUnreferenced(replaced);
    }
  } else {
    applyReward(prize);
  }
  return kind;
}
