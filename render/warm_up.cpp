// Preparing the driver's shader variants ahead of their first real use, one small part a frame.
#include "render/warm_up.h"

#include <glad/gl.h>

#include <glm/gtc/matrix_transform.hpp>

#include "app/texture_names.h"
#include "app/tunnel_polygon.h"
#include "render/frame.h"
#include "render/gl_context.h"
#include "render/platform_draw.h"
#include "render/shader_program.h"
#include "render/sprite_draw.h"
#include "render/text.h"
#include "render/tunnel_mesh.h"
#include "render/ui_records.h"

namespace {

constexpr int sheetCols = 6, sheetRows = 5;
constexpr float warmUpDepth = 60.0f;  // anywhere in front of the camera
constexpr glm::vec3 untinted{1.0f, 1.0f, 1.0f};
constexpr char firstPrintable = ' ', lastPrintable = '~';

// The pictures the scene draws on its quads, and those the screens and the HUD show; the ones in
// both are drawn by the scene again after the UI has set its sampling on them.
uint32_t* const scenePictures[] = {
    &zellSheetTexture, &playerSheetTexture, &doorTexture,     &itemTextures[0],
    &itemTextures[1],  &itemTextures[2],    &itemTextures[3], &itemTextures[4],
    &itemTextures[5],  &itemTextures[6],    &itemTextures[7], &itemTextures[8],
};
uint32_t* const uiPictures[] = {
    &boostSheetTexture,     &itemHubTexture,       &zellSheetTexture,       &itemTextures[0],
    &itemTextures[1],       &itemTextures[2],      &itemTextures[3],        &itemTextures[4],
    &itemTextures[5],       &itemTextures[6],      &itemTextures[7],        &itemTextures[8],
    &disketteUnlockTexture, &confettiSheetTexture, &panelBackgroundTexture,
};
constexpr int scenePictureCount = static_cast<int>(sizeof scenePictures / sizeof scenePictures[0]);
constexpr int uiPictureCount = static_cast<int>(sizeof uiPictures / sizeof uiPictures[0]);

// Parts in order: the particles, the tunnel with a blade, every glyph, then each scene picture,
// then each UI picture. The first parts are the dearest: one program each.
enum UntexturedPart { particlePart, tunnelPart, glyphPart, untexturedPartCount };
constexpr int firstScenePicture = untexturedPartCount;
constexpr int firstUiPicture = firstScenePicture + scenePictureCount;
constexpr int partCount = firstUiPicture + uiPictureCount;

int nextPart = 0;

// Everything a draw operation may leave changed, read before the part and put back after it.
struct SavedState {
  GLint program = 0, vertexArray = 0, arrayBuffer = 0, activeTexture = 0, texture = 0;
  GLboolean blend = GL_FALSE, depthMask = GL_TRUE, scissor = GL_FALSE;
  GLint scissorBox[4] = {};
};

SavedState saveState() {
  SavedState s;
  glGetIntegerv(GL_CURRENT_PROGRAM, &s.program);
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &s.vertexArray);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &s.arrayBuffer);
  glGetIntegerv(GL_ACTIVE_TEXTURE, &s.activeTexture);
  glActiveTexture(GL_TEXTURE0);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
  s.blend = glIsEnabled(GL_BLEND);
  glGetBooleanv(GL_DEPTH_WRITEMASK, &s.depthMask);
  s.scissor = glIsEnabled(GL_SCISSOR_TEST);
  glGetIntegerv(GL_SCISSOR_BOX, s.scissorBox);
  return s;
}

void restoreState(const SavedState& s) {
  glUseProgram(static_cast<GLuint>(s.program));
  glBindVertexArray(static_cast<GLuint>(s.vertexArray));
  glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(s.arrayBuffer));
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(s.texture));
  glActiveTexture(static_cast<GLenum>(s.activeTexture));
  if (s.blend) {
    glEnable(GL_BLEND);
  } else {
    glDisable(GL_BLEND);
  }
  glDepthMask(s.depthMask);
  if (s.scissor) {
    glEnable(GL_SCISSOR_TEST);
  } else {
    glDisable(GL_SCISSOR_TEST);
  }
  glScissor(s.scissorBox[0], s.scissorBox[1], s.scissorBox[2], s.scissorBox[3]);
}

// The sampling the UI sets on a texture it draws, kept so the picture goes back as it was.
struct SavedSampling {
  GLint wrapS = 0, wrapT = 0, minFilter = 0, magFilter = 0;
};

SavedSampling saveSampling(uint32_t texture) {
  SavedSampling s;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &s.wrapS);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &s.wrapT);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &s.minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &s.magFilter);
  return s;
}

void restoreSampling(uint32_t texture, const SavedSampling& s) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, s.wrapS);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, s.wrapT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, s.minFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, s.magFilter);
}

glm::mat4 warmUpModel();

void drawSceneItem(uint32_t texture) { drawItem(warmUpModel(), texture, untinted, true, 0); }

glm::mat4 warmUpModel() {
  return glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, warmUpDepth));
}

void drawUntextured(int part) {
  if (part == particlePart) {
    drawParticle(warmUpModel());
  } else if (part == tunnelPart) {
    // The tunnel draw moves the scroll on; the warm-up must not.
    const float scroll = tunnelScroll;
    drawTunnel(warmUpModel());
    tunnelScroll = scroll;
    const int n = currentSides >= minSides && currentSides <= maxSides ? currentSides : minSides;
    if (barrierMesh(n, 0).vao != 0) drawBarrier(warmUpModel(), 0);
  } else {
    UiText every;
    int n = 0;
    for (char c = firstPrintable; c <= lastPrintable; ++c) every.text[n++] = c;
    drawText(every);
  }
}

bool drawnByScene(uint32_t texture) {
  for (uint32_t* t : scenePictures)
    if (*t == texture) return true;
  return false;
}

void drawUiPicture(uint32_t texture) {
  const SavedSampling sampling = saveSampling(texture);
  UiElement e;
  e.textureId = static_cast<int32_t>(texture);
  e.width = e.height = 0.1f;
  e.useSpriteSheet = true;
  e.cols = sheetCols;
  e.rows = sheetRows;
  drawUiSprite(e);
  // The UI draw clips itself to the picture's visible texels and leaves clipping off.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);
  if (drawnByScene(texture)) drawSceneItem(texture);
  restoreSampling(texture, sampling);
}

}  // namespace

int warmUpPartsLeft() { return partCount - nextPart; }

void restartWarmUp() { nextPart = 0; }

bool warmUpNextPart() {
  if (!glReady || nextPart >= partCount) return false;
  const int part = nextPart++;
  uint32_t texture = 0;
  if (part >= firstUiPicture) {
    texture = *uiPictures[part - firstUiPicture];
  } else if (part >= firstScenePicture) {
    texture = *scenePictures[part - firstScenePicture];
  }
  if (part >= firstScenePicture && texture == 0) return false;
  const SavedState saved = saveState();
  // One pixel is enough for the driver to prepare everything the draw needs.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);
  if (part < firstScenePicture) {
    drawUntextured(part);
  } else if (part < firstUiPicture) {
    drawSceneItem(texture);
  } else {
    drawUiPicture(texture);
  }
  restoreState(saved);
  return true;
}
