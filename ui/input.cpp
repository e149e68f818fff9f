// Keyboard and mouse callbacks: menu navigation, seed typing, hover and click, Escape and F11.
#include "ui/input.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/data/camera.h"
#include "app/data/run_state.h"
#include "app/data/sound_files.h"
#include "sim/controls.h"
#include "sim/generation.h"
#include "sim/key_codes.h"
#include "sim/random.h"
#include "sim/run_events.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"
#include "ui/ui_requests.h"

double lastCursorX = 0.0, lastCursorY = 0.0;
bool firstMouse = true;

// The game's key numbers are the window system's own.
static_assert(keyRelease == GLFW_RELEASE && keyPress == GLFW_PRESS && keyRepeat == GLFW_REPEAT);
static_assert(keySpace == GLFW_KEY_SPACE && key0 == GLFW_KEY_0 && key1 == GLFW_KEY_1 &&
              key2 == GLFW_KEY_2 && key3 == GLFW_KEY_3 && key9 == GLFW_KEY_9 && keyA == GLFW_KEY_A);
static_assert(keyEscape == GLFW_KEY_ESCAPE && keyEnter == GLFW_KEY_ENTER &&
              keyBackspace == GLFW_KEY_BACKSPACE && keyF11 == GLFW_KEY_F11);
static_assert(keyRight == GLFW_KEY_RIGHT && keyLeft == GLFW_KEY_LEFT && keyDown == GLFW_KEY_DOWN &&
              keyUp == GLFW_KEY_UP && keyPad0 == GLFW_KEY_KP_0 && keyPad9 == GLFW_KEY_KP_9);
static_assert(mouseButtonLeft == GLFW_MOUSE_BUTTON_LEFT);

namespace {

constexpr glm::vec3 selectedColor{1.0f, 0.0f, 0.0f};
constexpr glm::vec3 idleColor{1.0f, 1.0f, 1.0f};
constexpr float lookSensitivity = 0.1f;  // degrees of free look per pixel of cursor motion
constexpr float maxPitch = 89.0f;        // degrees; straight up or down would flip the view
constexpr float degreesToRadians = 3.1415927f / 180.0f;

void setLabelColor(int element, const glm::vec3& color) {
  const int16_t label = uiElements[element].labelIndex;
  if (label >= 0 && label < uiTextCount) uiTexts[label].color = color;
}

void playSelectSound() { emit(uiRequests.playSound, menuSelectSound); }

void activateSelected() {
  if (selectedIndex < 0 || selectedIndex >= uiElementCount) return;
  uiElements[selectedIndex].action();
}

bool isMenuScreen(int32_t screen) { return screen >= screenRunOver && screen <= screenUnusedMenu; }

bool handleMenuKey(int key) {
  if (key == keyEnter) {
    activateSelected();
    return true;
  }
  if (key != keyUp && key != keyDown) return false;
  playSelectSound();
  keyboardNavigation = true;
  if (selectableCount == 0) return true;  // a screen without buttons has nothing to walk
  if (selectedIndex == -1) {
    selectButton(0);
    return true;
  }
  deselectButton(selectedIndex);
  const int last = selectableCount - 1;
  int next = 0;
  if (key == keyUp) {
    next = selectedIndex >= 1 ? selectedIndex - 1 : last;
  } else {
    next = selectedIndex + 1 <= last ? selectedIndex + 1 : 0;
  }
  selectButton(next);
  return true;
}

bool handleSeedKey(int key) {
  if (key >= key0 && key <= key9) {
    if (seedLength < seedDigitsMax) {
      seedText[seedLength] = static_cast<char>('0' + (key - key0));
      seedLength += 1;
      seedText[seedLength] = '\0';
      std::printf("textTypeLength: %i \n", seedLength);
    }
    return true;
  }
  if (key == keyBackspace) {
    if (seedLength > 0) {
      seedLength -= 1;
      seedText[seedLength] = '\0';
    }
    return true;
  }
  if (key == keyEnter) {
    seedFromText(seedText);
    startRun();
    return true;
  }
  return false;
}

bool handleScreenKey(int key) {
  if (isMenuScreen(currentScreen)) return handleMenuKey(key);
  if (currentScreen == screenSeedEntry) return handleSeedKey(key);
  if (currentScreen == screenItemBox && key == keySpace) {
    showScreen(screenPlay);
    return true;
  }
  return false;
}

bool contains(const UiElement& e, double mx, double my) {
  // Every button is tested as if centred on (x, y), whatever its anchor.
  const double halfW = e.width / 2.0, halfH = e.height / 2.0;
  return mx > e.x - halfW && mx < e.x + halfW && my > e.y - halfH && my < e.y + halfH;
}

void hover(double x, double y) {
  const double mx = x / windowWidth;
  const double my = y / windowHeight;
  for (int i = 0; i < selectableCount; ++i) {
    if (contains(uiElements[i], mx, my)) {
      // A button already animating is the one the cursor is in: no second sound.
      if (!uiElements[i].animating) playSelectSound();
      selectButton(i);
    } else {
      deselectButton(i);
    }
  }
}

}  // namespace

void selectButton(int i) {
  selectedIndex = static_cast<int8_t>(i);
  uiElements[i].animating = true;
  setLabelColor(i, selectedColor);
}

void deselectButton(int i) {
  uiElements[i].animating = false;
  uiElements[i].frameIndex = 0;
  setLabelColor(i, idleColor);
}

void onKey(GLFWwindow* /*w*/, int key, int /*scancode*/, int action, int /*mods*/) {
  // Keys work with a gamepad plugged in too: pad and keyboard share a run, and Escape, which
  // quits from any screen, has no pad button, so a plugged-in pad must never silence the keys.
  if (currentScreen == screenPlay && onPlayKey(key, action)) return;
  if (action != keyPress) return;
  if (handleScreenKey(key)) return;
  if (key == keyEscape) {
    emit(uiRequests.close);
  } else if (key == keyF11) {
    emit(uiRequests.toggleFullscreen);
  }
}

void onCursorPos(GLFWwindow* /*w*/, double x, double y) {
  double previousX = lastCursorX, previousY = lastCursorY;
  if (firstMouse) {
    firstMouse = false;
    previousX = x;
    previousY = y;
  }
  lastCursorX = x;
  lastCursorY = y;
  // Moving the mouse hands the selection back from the keys to the pointer.
  if (x != previousX || y != previousY) keyboardNavigation = false;

  cameraYaw += lookSensitivity * static_cast<float>(x - previousX);
  cameraPitch += lookSensitivity * static_cast<float>(previousY - y);
  cameraPitch = std::clamp(cameraPitch, -maxPitch, maxPitch);

  if (!keyboardNavigation) hover(x, y);

  if (currentScreen == screenPlay) {
    emit(uiRequests.captureCursor, true);
    const float yaw = cameraYaw * degreesToRadians;
    const float pitch = cameraPitch * degreesToRadians;
    cameraFront = glm::normalize(glm::vec3(std::cos(pitch) * std::cos(yaw), std::sin(pitch),
                                           std::cos(pitch) * std::sin(yaw)));
  } else {
    emit(uiRequests.captureCursor, false);
  }
}

void onMouseButton(GLFWwindow* /*w*/, int button, int action, int /*mods*/) {
  // The last selected button fires wherever the cursor is now.
  if (button == mouseButtonLeft && action == keyPress) activateSelected();
}
