// The UI pass that draws the pools of every screen, and the in-run display built from the run
// state.
#include "ui/hud.h"

#include "app/run_state.h"
#include "render/gl_context.h"
#include "render/sprite_draw.h"
#include "render/text.h"
#include "render/textures.h"
#include "sim/random.h"
#include "ui/ui_elements.h"

namespace {

constexpr float iconColumnX = 1.0f;  // the right window edge: icons and counts hang from it
constexpr float iconSize = 0.1f;
constexpr float heldSlotX = 0.07f;
constexpr float heldSlotSize = 0.08f;
constexpr float heldSlotY[heldSlots] = {0.38f, 0.5f, 0.62f};
constexpr int heldSlotFirstElement = 10;
constexpr float seedScale = 0.0008f;  // the seed is small print
// Diamond pink, handed to the text shader as these numbers.
constexpr glm::vec3 diamondTextColor{237.0f, 168.0f, 255.0f};

enum HudElement {
  boostGaugeElement = 0,
  itemHubElement = 14,
  diamondIconElement = 16,
};
enum HudText {
  runDiamondsText = 1,
  waveBannerText = 3,
  scoreText = 4,
  seedLine = 5,
};

int32_t textureOf(const TunnelObject* object) {
  return object != nullptr ? static_cast<int32_t>(object->textureId) : -1;
}

// One row of the right column: the last collected object's icon and, halfway down it, its count.
struct CounterRow {
  int element;
  int text;
  float iconY;
  float textY;
  TunnelObject* const* last;
  const int32_t* count;
};

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
  UiElement& gauge = placeSheetSprite(boostGaugeElement, 2, 0.85f, 0.7f, 0.3f, 0.15f,
                                      static_cast<int32_t>(boostSheetTexture));
  gauge.spriteAnimated = false;  // the frame update shows the boost reserve through frameIndex

  for (int k = 0; k < heldSlots; ++k) {
    UiElement& slot = placeSheetSprite(heldSlotFirstElement + k, 2, heldSlotX, heldSlotY[k],
                                       heldSlotSize, heldSlotSize, textureOf(heldItems[k]));
    slot.visible = heldItems[k] != nullptr;
  }

  UiElement& hub = placeSheetSprite(itemHubElement, 2, heldSlotX, 0.5f, 0.5f, 0.2f,
                                    static_cast<int32_t>(itemHubTexture));
  hub.useSpriteSheet = false;  // a still picture
  hub.cols = hub.rows = hub.frameCount = 0;
  hub.animating = false;

  placeSheetSprite(diamondIconElement, 1, iconColumnX, 0.0f, iconSize, iconSize,
                   static_cast<int32_t>(zellSheetTexture));

  const CounterRow rows[] = {
      {25, 12, 0.1f, 0.15f, &last8x, &count8x},  {24, 10, 0.2f, 0.25f, &last4x, &count4x},
      {26, 9, 0.3f, 0.35f, &last2x, &count2x},   {20, 6, 0.4f, 0.45f, &last1024, &count1024},
      {21, 7, 0.5f, 0.55f, &last512, &count512}, {22, 8, 0.6f, 0.65f, &last128, &count128},
  };
  for (const CounterRow& row : rows) {
    UiElement& icon = placeSheetSprite(row.element, 1, iconColumnX, row.iconY, iconSize, iconSize,
                                       textureOf(*row.last));
    icon.visible = *row.last != nullptr;
    UiText& count = bindUiText(row.text, 1, iconColumnX, row.textY, "", valueInt32, row.count);
    count.visible = *row.count > 0;
  }

  UiText& diamonds =
      bindUiText(runDiamondsText, 1, iconColumnX, 0.05f, "", valueInt64, &runDiamonds);
  diamonds.color = diamondTextColor;
  UiText& banner = bindUiText(waveBannerText, 2, 0.5f, 0.4f, "ENTERING WAVE ", valueInt32, &wave);
  banner.visible = false;  // shown by the frame update between waves
  bindUiText(scoreText, 2, 0.5f, 0.05f, "", valueThousands, &runScore);
  UiText& seed = bindUiText(seedLine, 1, iconColumnX, 0.96f, "SEED:", valueInt64, &runSeed);
  seed.scale = seedScale;
}
