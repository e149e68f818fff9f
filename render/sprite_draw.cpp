// Drawing textured quads in the scene and in the UI.
#include "render/sprite_draw.h"

#include "ui/ui_elements.h"

uint32_t quadVao = 0, quadVbo = 0, quadEbo = 0;

UiRect uiRectangle(const UiElement& /*e*/, int32_t /*width*/, int32_t /*height*/) { return {}; }
glm::mat4 uiProjection(int32_t /*width*/, int32_t /*height*/) { return glm::mat4(1.0f); }
void createUnitQuad() {}
void drawItem(glm::mat4 /*model*/, uint32_t /*texture*/, const glm::vec3& /*color*/,
              bool /*useSpriteSheet*/, int32_t /*frameIndex*/) {}
void drawUiSprite(UiElement /*element*/) {}
void releaseSpriteBuffers() {}
