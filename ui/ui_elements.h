// The two fixed pools every screen is made of: 30 quads and 30 text lines, with their animation.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

#include "app/run_state.h"

constexpr int uiElementCount = 30;
constexpr int uiTextCount = 30;
constexpr int uiTextCapacity = 1024;
// A moving element or text vanishes this close to its target (window fractions).
constexpr float uiArrivalDistance = 0.05f;
constexpr int oneShotLastFrame = 29;

using UiAction = void (*)();

// One textured quad: a button hit area, an icon, a sprite animation or a panel.
struct UiElement {
  int32_t anchor = 0;           // 0 top-left, 1 top-right, 2 centre
  int16_t labelIndex = -1;      // UiText labelling it; -1 none
  int32_t textureId = 0;        // drawn textured only when > 0
  double x = 0, y = 0;          // drawn position, window fractions, y downward
  float height = 0, width = 0;  // size, window fractions
  bool visible = true;
  bool animating = false;  // per-frame step runs only when set
  bool useSpriteSheet = false;
  int32_t cols = 0, rows = 0;
  int32_t frameCount = 0;  // frames per one-second cycle
  bool loop = true;        // when clear the animation stops on frame 29
  float frameTime = 0;     // seconds toward the next frame
  int32_t frameIndex = 0;
  UiElement* chained[3] = {nullptr, nullptr, nullptr};  // started when a one-shot ends
  UiAction action = noActionSpecified;                  // run when activated
  float targetX = 0, targetY = 0;                       // where it eases to
  float currentX = 0, currentY = 0;                     // eased position
  float moveSpeed = 10.0f;                              // easing rate per second
  bool spriteAnimated = true;                           // clear: frameIndex is driven from outside
  bool hideWhenDone = false;                            // vanish when the one-shot has ended
};

// How a UiText reads and prints its bound value.
enum UiValueKind : int32_t {
  valueNone = 0,       // fixed text
  valueInt32 = 1,      // "%s%d"; may fly and credit runScore on arrival
  valueInt64 = 2,      // "%s%lld"
  valueThousands = 3,  // uint64 with "," separators
  valueFloat = 4,      // float x factor, "%s%.1f"
  valueDigits = 5,     // decimal text read as int64
};

// One line of text, fixed or bound to a live value.
struct UiText {
  int32_t anchor = 0;  // 0 starts at x, 1 ends at x, 2 centred on (x, y)
  char text[uiTextCapacity] = {};
  float x = 0, y = 0;  // window fractions
  bool visible = true;
  float scale = 0.001f;  // times the window height: pixel scale of the 48 px font
  glm::vec3 color{1.0f, 1.0f, 1.0f};
  const void* valueSource = nullptr;  // the variable shown; null = fixed text
  int32_t valueKind = valueNone;
  const char* prefix = "";
  float factor = 1.0f;  // multiplier for kind 4
  float targetX = 0, targetY = 0;
  float currentX = 0, currentY = 0;
  float moveSpeed = 10.0f;
};

extern UiElement uiElements[uiElementCount];
extern UiText uiTexts[uiTextCount];
extern int8_t selectedIndex;     // selected button, -1 none
extern uint8_t selectableCount;  // elements 0..selectableCount-1 are the buttons
extern bool keyboardNavigation;  // selection is being moved with keys

void resetUi();
// Makes element `index` a still, looping 6 x 5 sprite sheet: position, target and current on one
// spot, so it animates in place.
UiElement& placeSheetSprite(int index, int32_t anchor, float x, float y, float height, float width,
                            int32_t texture);
// Binds text `index` to a live value printed with `prefix` every frame.
UiText& bindUiText(int index, int32_t anchor, float x, float y, const char* prefix, int32_t kind,
                   const void* source);
void animateUiElement(UiElement& e);
void updateUiText(UiText& t);
// Decimal text of v with "," between groups of three digits; returns the length written.
int formatWithThousands(uint64_t v, char* out, int capacity);
