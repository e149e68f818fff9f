// Preparing the driver's shader variants ahead of their first real use, one small draw a frame.
#include "render/warm_up.h"

#include <glad/gl.h>

#include <glm/gtc/matrix_transform.hpp>

#include "app/data/texture_names.h"
#include "app/data/tunnel_polygon.h"
#include "render/frame.h"
#include "render/gl_context.h"
#include "render/platform_draw.h"
#include "render/shader_program.h"
#include "render/sprite_draw.h"
#include "render/text.h"
#include "render/textures.h"
#include "render/tunnel_mesh.h"
#include "render/ui_records.h"

namespace {

constexpr float warmUpDepth = 60.0f;  // anywhere in front of the camera
constexpr glm::vec3 untinted{1.0f, 1.0f, 1.0f};
constexpr char firstPrintable = ' ', lastPrintable = '~';

// The draws in order: the particles, the tunnel with a blade, every glyph, then each picture the
// scene draws on its quads, then each picture the UI shows (the pictures come from the texture
// list, in its order). The first draws are the dearest: one program each.
enum UntexturedDraw { particleDraw, tunnelDraw, glyphDraw, untexturedDrawCount };

int nextDraw = 0;

int picturesDrawnBy(PictureUse use) {
  int n = 0;
  for (int i = 0; i < pictureCount(); ++i) n += pictureDrawnBy(i, use) ? 1 : 0;
  return n;
}

int drawCount() {
  return untexturedDrawCount + picturesDrawnBy(PictureUse::scene) + picturesDrawnBy(PictureUse::ui);
}

// The list index of the n-th picture drawn `use`'s way; -1 when there is none.
int nthPictureDrawnBy(PictureUse use, int n) {
  for (int i = 0; i < pictureCount(); ++i)
    if (pictureDrawnBy(i, use) && n-- == 0) return i;
  return -1;
}

// Everything a draw operation may leave changed, read before the warm-up draw and put back after.
struct SavedState {
  GLint program = 0, vertexArray = 0, arrayBuffer = 0, activeTexture = 0, texture = 0;
  GLboolean blend = GL_FALSE, depthMask = GL_TRUE, scissor = GL_FALSE;
  GLint scissorBox[4] = {};
  GLint blendSource = GL_ONE, blendDestination = GL_ZERO;  // RGB and alpha alike in the game
  GLint blendSourceAlpha = GL_ONE, blendDestinationAlpha = GL_ZERO;
  GLfloat lineWidth = 1.0f;
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
  glGetIntegerv(GL_BLEND_SRC_RGB, &s.blendSource);
  glGetIntegerv(GL_BLEND_DST_RGB, &s.blendDestination);
  glGetIntegerv(GL_BLEND_SRC_ALPHA, &s.blendSourceAlpha);
  glGetIntegerv(GL_BLEND_DST_ALPHA, &s.blendDestinationAlpha);
  glGetFloatv(GL_LINE_WIDTH, &s.lineWidth);
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
  glBlendFuncSeparate(static_cast<GLenum>(s.blendSource), static_cast<GLenum>(s.blendDestination),
                      static_cast<GLenum>(s.blendSourceAlpha),
                      static_cast<GLenum>(s.blendDestinationAlpha));
  glLineWidth(s.lineWidth);
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

void drawUntextured(int draw) {
  if (draw == particleDraw) {
    drawParticle(warmUpModel());
  } else if (draw == tunnelDraw) {
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

void drawUiPicture(uint32_t texture, bool drawnByScene) {
  const SavedSampling sampling = saveSampling(texture);
  UiElement e;
  e.textureId = static_cast<int32_t>(texture);
  e.width = e.height = 0.1f;
  e.useSpriteSheet = true;
  e.cols = sheetColumns;
  e.rows = sheetRows;
  drawUiSprite(e);
  // The UI draw clips itself to the picture's visible texels and leaves clipping off.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);
  if (drawnByScene) drawSceneItem(texture);
  restoreSampling(texture, sampling);
}

}  // namespace

int warmUpDrawsLeft() { return drawCount() - nextDraw; }

void restartWarmUp() { nextDraw = 0; }

bool warmUpNextDraw() {
  if (!glReady || nextDraw >= drawCount()) return false;
  const int draw = nextDraw++;
  const int firstScenePicture = untexturedDrawCount;
  const int firstUiPicture = firstScenePicture + picturesDrawnBy(PictureUse::scene);
  int picture = -1;
  if (draw >= firstUiPicture) {
    picture = nthPictureDrawnBy(PictureUse::ui, draw - firstUiPicture);
  } else if (draw >= firstScenePicture) {
    picture = nthPictureDrawnBy(PictureUse::scene, draw - firstScenePicture);
  }
  const uint32_t texture = picture >= 0 ? pictureName(picture) : 0;
  if (draw >= firstScenePicture && texture == 0) return false;
  const SavedState saved = saveState();
  // One pixel is enough for the driver to prepare everything the draw needs.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);
  if (draw < firstScenePicture) {
    drawUntextured(draw);
  } else if (draw < firstUiPicture) {
    drawSceneItem(texture);
  } else {
    // The pictures the scene draws too are drawn by it again after the UI has set its sampling.
    drawUiPicture(texture, pictureDrawnBy(picture, PictureUse::scene));
  }
  restoreState(saved);
  return true;
}
