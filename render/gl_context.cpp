// Loading the GL entry points and the global GL states set outside the draw operations.
#include "render/gl_context.h"

#include <glad/gl.h>

bool glReady = false;

bool loadGlEntryPoints(GlProcLookup lookup) {
  glReady = lookup != nullptr && gladLoadGL(reinterpret_cast<GLADloadfunc>(lookup)) != 0;
  return glReady;
}

void initGlState(int32_t width, int32_t height) {
  if (!glReady) return;
  glViewport(0, 0, width, height);
  glEnable(GL_DEPTH_TEST);
}

void setViewport(int32_t width, int32_t height) {
  if (!glReady) return;
  glViewport(0, 0, width, height);
}

void disableBlending() {
  if (!glReady) return;
  glDisable(GL_BLEND);
}
