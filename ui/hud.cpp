// The UI pass that draws the pools of every screen, and the in-run display built from the run
// state.
#include "ui/hud.h"

#include "app/data/run_state.h"
#include "app/data/texture_names.h"
#include "render/gl_context.h"
#include "render/sprite_draw.h"
#include "render/text.h"
#include "sim/pickups.h"
#include "sim/random.h"
#include "ui/hud_slots.h"
#include "ui/ui_elements.h"

namespace {

constexpr float iconColumnX = 1.0f;  // the right window edge: icons and counts hang from it
constexpr float iconSize = 0.1f;
constexpr float heldSlotX = 0.07f;
constexpr float heldSlotSize = 0.08f;
constexpr float heldSlotY[heldSlots] = {0.38f, 0.5f, 0.62f};
constexpr float seedScale = 0.0008f;  // the seed is small print
// Diamond pink, handed to the text shader as these numbers.
constexpr glm::vec3 diamondTextColor{237.0f, 168.0f, 255.0f};

int32_t textureOf(const TunnelObject* object) {
  return object != nullptr ? static_cast<int32_t>(object->textureId) : -1;
}

}  // namespace

void uiPass() {
  // Lower indices are drawn last and so lie on top: held items over the hub, the gauge over all.
  for (int i = uiElementCount - 1; i >= 0; --i)
    if (uiElements[i].visible) drawUiSprite(uiElements[i]);
  disableBlending();
  // Hidden texts are refreshed too, so bound values and flights keep going while unseen.
  for (UiText& t : uiTexts) {
    updateUiText(t);
    if (t.visible) drawText(t);
  }
}

void buildHud() {
  UiElement& gauge = placeSheetSprite(boostGaugeElement, anchorCentre, 0.85f, 0.7f, 0.3f, 0.15f,
                                      static_cast<int32_t>(boostSheetTexture));
  gauge.spriteAnimated = false;  // the frame update shows the boost reserve through frameIndex

  for (int k = 0; k < heldSlots; ++k) {
    UiElement& slot =
        placeSheetSprite(firstHeldSlotElement + k, anchorCentre, heldSlotX, heldSlotY[k],
                         heldSlotSize, heldSlotSize, textureOf(heldItems[k]));
    slot.visible = heldItems[k] != nullptr;
  }

  UiElement& hub = placeSheetSprite(itemHubElement, anchorCentre, heldSlotX, 0.5f, 0.5f, 0.2f,
                                    static_cast<int32_t>(itemHubTexture));
  hub.useSpriteSheet = false;  // a still picture
  hub.cols = hub.rows = hub.frameCount = 0;
  hub.animating = false;

  placeSheetSprite(diamondIconElement, anchorTopRight, iconColumnX, 0.0f, iconSize, iconSize,
                   static_cast<int32_t>(zellSheetTexture));

  // The last collected object's icon and, halfway down it, its count.
  for (const CounterSlots& row : counterColumn) {
    const RewardCounter counter = rewardCounter(row.kind);
    UiElement& icon = placeSheetSprite(row.icon, anchorTopRight, iconColumnX, row.iconY, iconSize,
                                       iconSize, textureOf(*counter.last));
    icon.visible = *counter.last != nullptr;
    UiText& count =
        bindUiText(row.text, anchorTopRight, iconColumnX, row.textY, "", valueInt32, counter.count);
    count.visible = *counter.count > 0;
  }

  UiText& diamonds =
      bindUiText(runDiamondsText, anchorTopRight, iconColumnX, 0.05f, "", valueInt64, &runDiamonds);
  diamonds.color = diamondTextColor;
  UiText& banner =
      bindUiText(waveBannerText, anchorCentre, 0.5f, 0.4f, "ENTERING WAVE ", valueInt32, &wave);
  banner.visible = false;  // shown by the frame update between waves
  bindUiText(scoreText, anchorCentre, 0.5f, 0.05f, "", valueThousands, &runScore);
  UiText& seed =
      bindUiText(seedLineText, anchorTopRight, iconColumnX, 0.96f, "SEED:", valueInt64, &runSeed);
  seed.scale = seedScale;
}
