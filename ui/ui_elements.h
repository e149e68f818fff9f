// The two fixed pools every screen is made of: 30 quads and 30 text lines, with their animation.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

#include "render/ui_records.h"

constexpr int uiElementCount = 30;
constexpr int uiTextCount = 30;
// A moving element or text vanishes this close to its target (window fractions).
constexpr float uiArrivalDistance = 0.05f;
constexpr int oneShotLastFrame = 29;

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
// One animation step of every element whose animation is on, in pool order.
void animateUiElements();
void updateUiText(UiText& t);
// Decimal text of v with "," between groups of three digits; returns the length written.
int formatWithThousands(uint64_t v, char* out, int capacity);
