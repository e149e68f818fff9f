// The records of the two UI pools, as the screens fill them and the draws read them: a textured
// quad and a line of text, placed in window fractions.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

#include "app/data/run_state.h"

constexpr int uiTextCapacity = 1024;

using UiAction = void (*)();

// The point of an element or a text that its x and y place.
enum UiAnchor : int32_t {
  anchorTopLeft = 0,   // an element's top-left corner; the start of a text's line
  anchorTopRight = 1,  // an element's top-right corner; the end of a text's line
  anchorCentre = 2,    // the middle of either
};

// One textured quad: a button hit area, an icon, a sprite animation or a panel.
struct UiElement {
  int32_t anchor = anchorTopLeft;  // UiAnchor
  int16_t labelIndex = -1;         // UiText labelling it; -1 none
  int32_t textureId = 0;           // drawn textured only when > 0
  double x = 0, y = 0;             // drawn position, window fractions, y downward
  float height = 0, width = 0;     // size, window fractions
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
  int32_t anchor = anchorTopLeft;  // UiAnchor: the line starts at x, ends at x, or is centred
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
