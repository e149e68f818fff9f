// Keys and clicks through the game's input callbacks.
#include "kit/player_input.h"

#include <GLFW/glfw3.h>

#include <cstring>

#include "app/data/camera.h"
#include "render/ui_records.h"
#include "ui/input.h"
#include "ui/ui_elements.h"

void press(int key) { onKey(nullptr, key, 0, GLFW_PRESS, 0); }

bool clickButton(const char* caption) {
  for (int i = 0; i < selectableCount; ++i) {
    const int16_t label = uiElements[i].labelIndex;
    if (label < 0 || std::strcmp(uiTexts[label].text, caption) != 0) continue;
    onCursorPos(nullptr, 1.0, 1.0);  // a real move, so the pointer takes over from the keys
    onCursorPos(nullptr, uiElements[i].x * windowWidth, uiElements[i].y * windowHeight);
    onMouseButton(nullptr, GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
    return true;
  }
  return false;
}

bool selectedCaptionIs(const char* caption) {
  if (selectedIndex < 0) return false;
  const int16_t label = uiElements[selectedIndex].labelIndex;
  return label >= 0 && std::strcmp(uiTexts[label].text, caption) == 0;
}
