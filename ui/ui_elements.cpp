// The UI pools, their defaults and their per-frame animation.
#include "ui/ui_elements.h"

#include <cmath>
#include <cstdio>

#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "sim/random.h"

UiElement uiElements[uiElementCount];
UiText uiTexts[uiTextCount];
int8_t selectedIndex = -1;
uint8_t selectableCount = 0;
bool keyboardNavigation = false;

void resetUi() {
  for (UiElement& e : uiElements) e = UiElement{};
  for (UiText& t : uiTexts) t = UiText{};
  selectedIndex = -1;
  selectableCount = 0;
  keyboardNavigation = false;
}

namespace {

// Eases (currentX, currentY) toward the target by moveSpeed per second; returns whether the
// position is now within the arrival distance. The position is never snapped to the target.
template <typename Record>
bool easeTowardTarget(Record& r) {
  r.currentX += (r.targetX - r.currentX) * r.moveSpeed * DeltaTime;
  r.currentY += (r.targetY - r.currentY) * r.moveSpeed * DeltaTime;
  r.x = r.currentX;
  r.y = r.currentY;
  const float dx = r.targetX - r.currentX;
  const float dy = r.targetY - r.currentY;
  return std::sqrt(dx * dx + dy * dy) < uiArrivalDistance;
}

template <typename Record>
bool atTarget(const Record& r) {
  return r.targetX == r.currentX && r.targetY == r.currentY;
}

// A one-shot animation standing on its last cell starts its chained elements once each.
void finishOneShot(UiElement& e) {
  for (UiElement*& next : e.chained) {
    if (next == nullptr || next->visible) continue;
    next->frameIndex = 0;
    next->visible = true;
    next = nullptr;
  }
  if (e.hideWhenDone) e.visible = false;
}

void stepSpriteSheet(UiElement& e) {
  // The end test looks at cell 29 whatever the frame count: shorter sheets keep cycling.
  if (!e.loop && e.frameIndex == oneShotLastFrame) {
    finishOneShot(e);
    return;
  }
  e.frameTime += DeltaTime;
  if (e.frameCount <= 0) return;
  const float period = 1.0f / static_cast<float>(e.frameCount);  // one cycle per second
  while (e.frameTime >= period) {
    e.frameIndex = (e.frameIndex + 1) % e.frameCount;
    e.frameTime -= period;
  }
}

// Arrival of a flying score text: a loss lowers the score but never below zero.
void creditRunScore(int32_t v) {
  if (v >= 0) {
    runScore += static_cast<uint64_t>(v);
    return;
  }
  // Negated in 64 bits so that the lowest int32 has a magnitude too.
  const uint64_t loss = static_cast<uint64_t>(-static_cast<int64_t>(v));
  runScore = runScore > loss ? runScore - loss : 0;
}

void printInt32Text(UiText& t, const char* prefix) {
  const int32_t v = *static_cast<const int32_t*>(t.valueSource);
  if (!atTarget(t) && easeTowardTarget(t)) {
    t.targetX = t.currentX;
    t.targetY = t.currentY;
    creditRunScore(v);
    t.visible = false;
  }
  std::snprintf(t.text, sizeof t.text, "%s%d", prefix, v);
}

}  // namespace

UiElement& placeSheetSprite(int index, int32_t anchor, float x, float y, float height, float width,
                            int32_t texture) {
  UiElement& e = uiElements[index];
  e.anchor = anchor;
  e.x = e.targetX = e.currentX = x;
  e.y = e.targetY = e.currentY = y;
  e.height = height;
  e.width = width;
  e.textureId = texture;
  e.useSpriteSheet = true;
  e.cols = sheetColumns;
  e.rows = sheetRows;
  e.frameCount = spriteFrames;
  e.loop = true;
  e.animating = true;
  return e;
}

UiText& bindUiText(int index, int32_t anchor, float x, float y, const char* prefix, int32_t kind,
                   const void* source) {
  UiText& t = uiTexts[index];
  t.anchor = anchor;
  t.x = x;
  t.y = y;
  t.prefix = prefix;
  t.valueKind = kind;
  t.valueSource = source;
  return t;
}

void animateUiElement(UiElement& e) {
  if (e.spriteAnimated) stepSpriteSheet(e);
  if (atTarget(e)) return;
  // A moving element disappears on arrival and keeps easing while hidden.
  if (easeTowardTarget(e)) e.visible = false;
}

void updateUiText(UiText& t) {
  if (t.valueSource == nullptr || t.valueKind == valueNone) return;
  const char* prefix = t.prefix != nullptr ? t.prefix : "";
  switch (t.valueKind) {
    case valueInt32:
      printInt32Text(t, prefix);
      break;
    case valueInt64:
      std::snprintf(t.text, sizeof t.text, "%s%lld", prefix,
                    static_cast<long long>(*static_cast<const int64_t*>(t.valueSource)));
      break;
    case valueThousands: {
      char grouped[32];
      formatWithThousands(*static_cast<const uint64_t*>(t.valueSource), grouped, sizeof grouped);
      std::snprintf(t.text, sizeof t.text, "%s%s", prefix, grouped);
      break;
    }
    case valueFloat:
      std::snprintf(t.text, sizeof t.text, "%s%.1f", prefix,
                    static_cast<double>(*static_cast<const float*>(t.valueSource) * t.factor));
      break;
    case valueDigits:
      std::snprintf(t.text, sizeof t.text, "%s%lld", prefix,
                    static_cast<long long>(parseSeedText(static_cast<const char*>(t.valueSource))));
      break;
    default:
      break;
  }
}

int formatWithThousands(uint64_t v, char* out, int capacity) {
  char digits[24];
  const int n = std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(v));
  int written = 0;
  for (int i = 0; i < n && written + 1 < capacity; ++i) {
    if (i > 0 && (n - i) % 3 == 0) {
      out[written++] = ',';
      if (written + 1 >= capacity) break;
    }
    out[written++] = digits[i];
  }
  if (capacity > 0) out[written] = '\0';
  return written;
}

void animateUiElements() {
  for (UiElement& e : uiElements)
    if (e.animating) animateUiElement(e);
}
