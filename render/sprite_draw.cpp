// Drawing textured quads with premultiplied blending: objects in the scene and UI elements in
// pixels.
#include "render/sprite_draw.h"

#include <glad/gl.h>

#include <cmath>

#include "app/data/camera.h"
#include "app/data/run_state.h"
#include "render/gl_context.h"
#include "render/shader_program.h"
#include "render/textures.h"
#include "render/ui_records.h"

uint32_t quadVao = 0, quadVbo = 0, quadEbo = 0;

namespace {

constexpr int quadIndexCount = 6;

// Unit square centred on the origin: position (x, y, z), texture coordinate (u, v).
constexpr float unitQuadVertices[] = {
    -0.5f, -0.5f, 0.0f, 0.0f, 0.0f,  //
    0.5f,  -0.5f, 0.0f, 1.0f, 0.0f,  //
    0.5f,  0.5f,  0.0f, 1.0f, 1.0f,  //
    -0.5f, 0.5f,  0.0f, 0.0f, 1.0f,
};
constexpr uint32_t quadIndices[quadIndexCount] = {0, 1, 2, 2, 3, 0};
constexpr GLsizei unitQuadStride = 5 * sizeof(float);
constexpr GLsizei uiVertexStride = 4 * sizeof(float);

// One vertex array for every UI quad, refilled per draw instead of created and deleted each time.
GLuint uiVao = 0, uiVbo = 0, uiEbo = 0;

void ensureUiQuadBuffers() {
  if (uiVao != 0) return;
  glGenVertexArrays(1, &uiVao);
  glGenBuffers(1, &uiVbo);
  glGenBuffers(1, &uiEbo);
  glBindVertexArray(uiVao);
  glBindBuffer(GL_ARRAY_BUFFER, uiVbo);
  glBufferData(GL_ARRAY_BUFFER, 4 * uiVertexStride, nullptr, GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, uiEbo);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(quadIndices), quadIndices, GL_STATIC_DRAW);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, uiVertexStride, nullptr);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, uiVertexStride,
                        reinterpret_cast<void*>(2 * sizeof(float)));
  glEnableVertexAttribArray(1);
}

void beginPremultipliedBlend() {
  glDepthMask(GL_FALSE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
}

// The window pixels outside which the element's texels are all clear, and so leave the frame as
// it is under premultiplied blending: the draw is clipped to them. False when they are not known.
// Margins of a texel and a pixel take in the filter's reach and rounding.
bool visiblePixels(const UiElement& e, const UiRect& r, int32_t box[4]) {
  if (e.textureId <= 0) return false;
  const PictureBoxes* p = visibleBoxes(static_cast<uint32_t>(e.textureId));
  if (p == nullptr) return false;
  const bool sheet = e.useSpriteSheet && e.cols > 0 && e.rows > 0;
  if (sheet && (e.cols != sheetColumns || e.rows != sheetRows || !p->framesKnown)) return false;
  VisibleBox b = p->whole;
  float texelsX = static_cast<float>(p->width), texelsY = static_cast<float>(p->height);
  if (sheet) {
    // The frame the shader reads: column f % cols, row f / cols from the picture's top.
    const int f = e.frameIndex > 0 ? e.frameIndex : 0;
    const int fromTop = (f / sheetColumns) % sheetRows;
    b = p->frames[(sheetRows - 1 - fromTop) * sheetColumns + f % sheetColumns];
    texelsX /= sheetColumns;
    texelsY /= sheetRows;
  }
  if (b.x1 < b.x0) {
    box[0] = box[1] = box[2] = box[3] = 0;
    return true;
  }
  // u = 0..1 across the quad reads texels 0..texelsX of the frame; v = 1 is the quad's top.
  const float u0 = (static_cast<float>(b.x0) - 1.0f) / texelsX;
  const float u1 = (static_cast<float>(b.x1) + 2.0f) / texelsX;
  const float v0 = (static_cast<float>(b.y0) - 1.0f) / texelsY;
  const float v1 = (static_cast<float>(b.y1) + 2.0f) / texelsY;
  const int32_t left = static_cast<int32_t>(std::floor(r.x + u0 * r.w)) - 1;
  const int32_t right = static_cast<int32_t>(std::ceil(r.x + u1 * r.w)) + 1;
  const int32_t top = static_cast<int32_t>(std::floor(r.y + (1.0f - v1) * r.h)) - 1;
  const int32_t bottom = static_cast<int32_t>(std::ceil(r.y + (1.0f - v0) * r.h)) + 1;
  box[0] = left;
  box[1] = windowHeight - bottom;  // the GL counts rows from the bottom
  box[2] = right - left;
  box[3] = bottom - top;
  return true;
}

void endPremultipliedBlend() {
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
}

}  // namespace

UiRect uiRectangle(const UiElement& e, int32_t width, int32_t height) {
  const float w = static_cast<float>(width * static_cast<double>(e.width));
  const float h = static_cast<float>(height * static_cast<double>(e.height));
  float x = static_cast<float>(width * e.x);
  float y = static_cast<float>(height * e.y);
  if (e.anchor == anchorCentre) {
    x -= w / 2.0f;
    y -= h / 2.0f;
  } else if (e.anchor == anchorTopRight) {
    x -= w;
  }
  return {x, y, w, h};
}

glm::mat4 uiProjection(int32_t width, int32_t height) {
  glm::mat4 m(1.0f);
  m[0][0] = 2.0f / static_cast<float>(width);
  m[1][1] = -2.0f / static_cast<float>(height);
  m[2][2] = -1.0f;
  m[3][0] = -1.0f;
  m[3][1] = 1.0f;
  return m;
}

void createUnitQuad() {
  if (!glReady) return;
  glGenVertexArrays(1, &quadVao);
  glGenBuffers(1, &quadVbo);
  glGenBuffers(1, &quadEbo);
  glBindVertexArray(quadVao);
  glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
  glBufferData(GL_ARRAY_BUFFER, sizeof(unitQuadVertices), unitQuadVertices, GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quadEbo);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(quadIndices), quadIndices, GL_STATIC_DRAW);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, unitQuadStride, nullptr);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, unitQuadStride,
                        reinterpret_cast<void*>(3 * sizeof(float)));
  glEnableVertexAttribArray(1);
}

void drawItem(glm::mat4 model, uint32_t texture, const glm::vec3& color, bool useSpriteSheet,
              int32_t frameIndex) {
  if (!glReady || itemShader == nullptr) return;
  beginPremultipliedBlend();
  const uint32_t id = itemShader->id;
  glUseProgram(id);
  setUniformMat4(id, "view", view);
  setUniformMat4(id, "projection", projection);
  setUniformMat4(id, "model", model);
  setUniformVec3(id, "color", color);
  setUniformInt(id, "useColorOnly", 0);
  setUniformInt(id, "useSpriteSheet", useSpriteSheet ? 1 : 0);
  setUniformInt(id, "frameIndex", frameIndex);
  setUniformInt(id, "cols", sheetColumns);
  setUniformInt(id, "rows", sheetRows);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture);
  setUniformInt(id, "quadTexture", 0);
  glBindVertexArray(quadVao);
  glDrawElements(GL_TRIANGLES, quadIndexCount, GL_UNSIGNED_INT, nullptr);
  endPremultipliedBlend();
}

void drawUiSprite(UiElement element) {
  if (!glReady || eguiShader == nullptr) return;
  beginPremultipliedBlend();
  const uint32_t id = eguiShader->id;
  glUseProgram(id);
  setUniformMat4(id, "projection", uiProjection(windowWidth, windowHeight));
  setUniformInt(id, "useSpriteSheet", element.useSpriteSheet ? 1 : 0);
  setUniformInt(id, "frameIndex", element.frameIndex);
  setUniformInt(id, "cols", element.cols);
  setUniformInt(id, "rows", element.rows);

  const UiRect r = uiRectangle(element, windowWidth, windowHeight);
  // (x, y, u, v) with v = 1 along the top edge of the rectangle.
  const float vertices[16] = {
      r.x,       r.y,       0.0f, 1.0f,  //
      r.x + r.w, r.y,       1.0f, 1.0f,  //
      r.x + r.w, r.y + r.h, 1.0f, 0.0f,  //
      r.x,       r.y + r.h, 0.0f, 0.0f,
  };
  ensureUiQuadBuffers();
  glBindVertexArray(uiVao);
  glBindBuffer(GL_ARRAY_BUFFER, uiVbo);
  // Fresh storage per element: the write does not wait for the previous element's draw.
  glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices, GL_STATIC_DRAW);

  if (element.textureId > 0) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(element.textureId));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    setUniformInt(id, "texture1", 0);
  }
  int32_t clip[4];
  const bool clipped = visiblePixels(element, r, clip);
  if (clipped) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(clip[0], clip[1], clip[2], clip[3]);
  }
  glDrawElements(GL_TRIANGLES, quadIndexCount, GL_UNSIGNED_INT, nullptr);
  if (clipped) glDisable(GL_SCISSOR_TEST);
  glBindVertexArray(0);
  endPremultipliedBlend();
}

void releaseSpriteBuffers() {
  if (!glReady) return;
  const GLuint arrays[] = {quadVao, uiVao};
  const GLuint buffers[] = {quadVbo, quadEbo, uiVbo, uiEbo};
  glDeleteVertexArrays(2, arrays);
  glDeleteBuffers(4, buffers);
  quadVao = quadVbo = quadEbo = 0;
  uiVao = uiVbo = uiEbo = 0;
}
