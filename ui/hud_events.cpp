// The in-run display's answers to what happens in a run: flyers, the score popup, counters, held
// slots, the boost gauge and the wave banner.
#include "ui/hud_events.h"

#include <algorithm>
#include <cstdio>

#include "app/data/camera.h"
#include "ui/hud_slots.h"
#include "ui/ui_elements.h"

namespace {

constexpr int gaugeFrameLast = 29;  // empty-gauge cell of the boost sheet
constexpr float flyerSpacing = 0.1f;
constexpr float flyerSize = 0.05f;
constexpr float heldIconSize = 0.05f;
constexpr float counterIconSize = 0.1f;
constexpr float flightSpeed = 10.0f;
constexpr float hudCornerX = 1.0f, hudCornerY = 0.0f;
constexpr float popupStartX = 0.5f, popupStartY = 0.5f;
constexpr float popupTargetX = 0.5f, popupTargetY = 0.05f;
constexpr float popupMoveSpeed = 2.0f;

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

}  // namespace

glm::vec2 screenPosition(glm::vec3 point) {
  const glm::vec4 clip = projection * view * glm::vec4(point, 1.0f);
  const float sx = (clip.x / clip.w) * 0.5f + 0.5f;
  const float sy = 1.0f - ((clip.y / clip.w) * 0.5f + 0.5f);
  return {sx, sy};
}

void launchScorePopup(const int32_t* value, const char* prefix, glm::vec3 color) {
  UiText& popup = uiTexts[scorePopupText];
  popup.anchor = anchorCentre;
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

void launchDiamondFlyers(int32_t value, const TunnelObject& diamond) {
  const glm::vec2 at = screenPosition(glm::vec3(diamond.model[3]));
  const int k = static_cast<int>(std::min<int32_t>(value, maxDiamondFlyers));
  float offset = 0.0f;
  for (int i = 0; i < k; ++i) {
    uiElements[firstDiamondFlyerElement + i] =
        flyingSprite(diamond.textureId, at.x + offset, at.y - offset, anchorCentre, flyerSize,
                     hudCornerX, hudCornerY);
    offset += flyerSpacing;
  }
}

void showCardHeld(int slot, const TunnelObject& card) {
  UiElement& held = uiElements[firstHeldSlotElement + slot];
  held.visible = true;
  held.textureId = static_cast<int32_t>(card.textureId);
  launchFlyingIcon(card, anchorCentre, heldIconSize, held);
}

void showRewardCounted(const TunnelObject& item) {
  const CounterSlots* row = counterSlotsOf(item.kind);
  if (row == nullptr) return;
  uiTexts[row->text].visible = true;
  uiElements[row->icon].visible = true;
  uiElements[row->icon].textureId = static_cast<int32_t>(item.textureId);
}

void launchRewardFlyer(const TunnelObject& item) {
  const CounterSlots* row = counterSlotsOf(item.kind);
  if (row == nullptr) return;
  launchFlyingIcon(item, anchorTopRight, counterIconSize, uiElements[row->icon]);
}

void showHeldItems() {
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
}

void showBoostReserve() {
  uiElements[boostGaugeElement].frameIndex =
      gaugeFrameLast - static_cast<int32_t>(boostGauge * 0.5f * static_cast<float>(gaugeFrameLast));
}

void showWaveBanner(bool shown) { uiTexts[waveBannerText].visible = shown; }
