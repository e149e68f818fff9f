// Collecting diamonds and items, using held items and the item box prize: the score of a run and
// the flyers and popups that show it in the HUD.
#include "sim/pickups.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "app/run_state.h"
#include "app/camera.h"
#include "render/frame.h"
#include "render/textures.h"
#include "sim/collisions.h"
#include "sim/random.h"
#include "sound/sound.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"

int32_t luckyBonus = 0;

namespace {

constexpr int64_t valueCeiling = std::numeric_limits<int32_t>::max();
constexpr int32_t token128Value = 128, token512Value = 512, token1024Value = 1024;
constexpr int32_t luckyBonusLimit = 10000;
constexpr int32_t boxPrizeLast = 6;  // the item box rolls kinds 0 (card) .. 6 (8x)

constexpr int firstDiamondFlyer = 1;
constexpr int maxDiamondFlyers = 9;
constexpr int firstHeldSlotElement = 10;
constexpr int flyingIconElement = 23;
constexpr int scorePopupText = 11;
constexpr float flyerSpacing = 0.1f;
constexpr float flyerSize = 0.05f;
constexpr float heldIconSize = 0.05f;
constexpr float counterIconSize = 0.1f;
constexpr float flightSpeed = 10.0f;
constexpr float hudCornerX = 1.0f, hudCornerY = 0.0f;
constexpr float popupStartX = 0.5f, popupStartY = 0.5f;
constexpr float popupTargetX = 0.5f, popupTargetY = 0.05f;
constexpr float popupMoveSpeed = 2.0f;
const glm::vec3 lossColor{1.0f, 0.0f, 0.0f};

// Where each counted kind (1..6) shows in the HUD column, and what it counts.
struct RewardSlot {
  int32_t* count;
  int text;
  int icon;
  TunnelObject** last;
};
const RewardSlot rewardSlots[kindMultiplier8x + 1] = {
    {nullptr, 0, 0, nullptr},       {&count512, 7, 21, &last512}, {&count128, 8, 22, &last128},
    {&count1024, 6, 20, &last1024}, {&count2x, 9, 26, &last2x},   {&count4x, 10, 24, &last4x},
    {&count8x, 12, 25, &last8x}};

bool isCountedKind(int32_t kind) { return kind >= kindToken512 && kind <= kindMultiplier8x; }

int64_t factorOf(int64_t x) { return x != 0 ? x : 1; }

bool withinReach(const TunnelObject& object) {
  const glm::vec3 offset = glm::vec3(object.model[3]) - playerPosition;
  return glm::dot(offset, offset) <= pickupRadiusSquared;
}

// A spinning sprite-sheet quad that eases toward (targetX, targetY) and vanishes on arrival.
UiElement flyingSprite(uint32_t texture, float x, float y, int32_t anchor, float size,
                       float targetX, float targetY) {
  UiElement e;
  e.anchor = anchor;
  e.labelIndex = -1;
  e.textureId = static_cast<int32_t>(texture);
  e.x = x;
  e.y = y;
  e.height = size;
  e.width = size;
  e.visible = true;
  e.animating = true;
  e.useSpriteSheet = true;
  e.cols = sheetColumns;
  e.rows = sheetRows;
  e.frameCount = spriteFrames;
  e.loop = true;
  e.frameTime = 0.0f;
  e.frameIndex = 0;
  e.action = noActionSpecified;
  e.targetX = targetX;
  e.targetY = targetY;
  e.currentX = x;
  e.currentY = y;
  e.moveSpeed = flightSpeed;
  e.spriteAnimated = true;
  e.hideWhenDone = false;
  return e;
}

void launchFlyingIcon(const TunnelObject& item, int32_t anchor, float size, const UiElement& to) {
  const glm::vec2 from = screenPosition(glm::vec3(item.model[3]));
  uiElements[flyingIconElement] =
      flyingSprite(item.textureId, from.x, from.y, anchor, size, to.currentX, to.currentY);
}

void launchDiamondFlyers(int32_t value, const TunnelObject& diamond) {
  const glm::vec2 at = screenPosition(glm::vec3(diamond.model[3]));
  const int k = static_cast<int>(std::min<int32_t>(value, maxDiamondFlyers));
  float offset = 0.0f;
  for (int i = 0; i < k; ++i) {
    uiElements[firstDiamondFlyer + i] = flyingSprite(
        diamond.textureId, at.x + offset, at.y - offset, 2, flyerSize, hudCornerX, hudCornerY);
    offset += flyerSpacing;
  }
}

void launchLuckyPopup() {
  launchScorePopup(&luckyBonus, luckyBonus > 0 ? "+" : "",
                   luckyBonus >= 1 ? scoreGainColor : lossColor);
}

// A picked-up card goes to the first free held slot; with all three full it is lost.
void holdCard(TunnelObject* card) {
  if (heldCount >= heldSlots) return;
  const int k = heldCount;
  heldItems[k] = card;
  heldCount = static_cast<uint8_t>(k + 1);
  UiElement& slot = uiElements[firstHeldSlotElement + k];
  slot.visible = true;
  slot.textureId = static_cast<int32_t>(card->textureId);
  launchFlyingIcon(*card, 2, heldIconSize, slot);
}

}  // namespace

void launchScorePopup(const int32_t* value, const char* prefix, glm::vec3 color) {
  UiText& popup = uiTexts[scorePopupText];
  popup.anchor = 2;
  popup.visible = true;
  popup.valueKind = valueInt32;
  popup.valueSource = value;
  popup.prefix = prefix;
  popup.factor = 1.0f;
  popup.color = color;
  popup.currentX = popupStartX;
  popup.currentY = popupStartY;
  popup.targetX = popupTargetX;
  popup.targetY = popupTargetY;
  popup.moveSpeed = popupMoveSpeed;
}

int32_t diamondValue() {
  const int64_t tokens = int64_t{token128Value} * count128 + int64_t{token512Value} * count512 +
                         int64_t{token1024Value} * count1024;
  // Saturate after every factor so the running product always fits in 64 bits.
  int64_t value = std::min(factorOf(tokens), valueCeiling);
  for (int32_t count : {count8x, count4x, count2x})
    value = std::min(value * factorOf(count), valueCeiling);
  return static_cast<int32_t>(value);
}

glm::vec2 screenPosition(glm::vec3 point) {
  const glm::vec4 clip = projection * view * glm::vec4(point, 1.0f);
  const float sx = (clip.x / clip.w) * 0.5f + 0.5f;
  const float sy = 1.0f - ((clip.y / clip.w) * 0.5f + 0.5f);
  return {sx, sy};
}

void collectDiamond() {
  if (world == nullptr || currentPlatform >= world->platformCount) return;
  TunnelObject* d = world->diamonds[currentPlatform];
  if (d == nullptr || !withinReach(*d)) return;
  const int32_t value = diamondValue();
  const uint64_t wide = static_cast<uint64_t>(static_cast<int64_t>(value));
  runDiamonds += wide;
  runScore += wide;
  if (value >= 1) launchDiamondFlyers(value, *d);
  delete d;
  world->diamonds[currentPlatform] = nullptr;
  playSound(collectSound);
}

void collectItem() {
  if (world == nullptr || currentPlatform >= world->platformCount) return;
  TunnelObject* it = world->items[currentPlatform];
  if (it == nullptr || !withinReach(*it)) return;
  switch (it->kind) {
    case kindDiskette:
      showScreen(screenItemBox);
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
      playSound(clinkSound);
      applyReward(it);
      launchFlyingIcon(*it, 1, counterIconSize, uiElements[rewardSlots[it->kind].icon]);
      break;
  }
  world->items[currentPlatform] = nullptr;
  releaseIfUnreferenced(it);
}

void applyReward(TunnelObject* item) {
  if (item == nullptr || !isCountedKind(item->kind)) return;
  const RewardSlot& slot = rewardSlots[item->kind];
  *slot.count += 1;
  uiTexts[slot.text].visible = true;
  uiElements[slot.icon].visible = true;
  uiElements[slot.icon].textureId = static_cast<int32_t>(item->textureId);
  TunnelObject* previous = *slot.last;
  *slot.last = item;
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

  for (int i = 0; i < heldSlots; ++i) {
    UiElement& slot = uiElements[firstHeldSlotElement + i];
    if (heldItems[i] != nullptr) {
      std::printf("textureID %i for slot %i", static_cast<int>(heldItems[i]->textureId), i);
      slot.textureId = static_cast<int32_t>(heldItems[i]->textureId);
      slot.visible = true;
    } else {
      slot.textureId = -1;
      slot.visible = false;
    }
  }
  releaseIfUnreferenced(item);
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
