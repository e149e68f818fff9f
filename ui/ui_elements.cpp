// The UI pools, their defaults and their per-frame animation.
#include "ui/ui_elements.h"

#include <cstdio>

UiElement uiElements[uiElementCount];
UiText uiTexts[uiTextCount];
int8_t selectedIndex = -1;
uint8_t selectableCount = 0;
bool keyboardNavigation = false;

void noActionSpecified() { std::printf("No action specified for selected element.\n"); }

void resetUi() {
  for (UiElement& e : uiElements) e = UiElement{};
  for (UiText& t : uiTexts) t = UiText{};
  selectedIndex = -1;
  selectableCount = 0;
  keyboardNavigation = false;
}

void animateUiElement(UiElement& /*e*/) {}
void updateUiText(UiText& /*t*/) {}

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
