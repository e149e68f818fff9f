// Textured quads with premultiplied blending: world objects in 3D, UI elements in pixels.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

struct UiElement;

extern uint32_t quadVao, quadVbo, quadEbo;

// Pixel rectangle of a UI element in a window of width x height.
struct UiRect {
  float x, y, w, h;
};
UiRect uiRectangle(const UiElement& e, int32_t width, int32_t height);
// Orthographic projection with (0, 0) at the top-left corner and y downward.
glm::mat4 uiProjection(int32_t width, int32_t height);

void createUnitQuad();
void drawItem(glm::mat4 model, uint32_t texture, const glm::vec3& color, bool useSpriteSheet,
              int32_t frameIndex);
void drawUiSprite(UiElement element);
void releaseSpriteBuffers();
