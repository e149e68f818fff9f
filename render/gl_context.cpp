// Loading the GL entry points and the global GL states set outside the draw operations.
#include "render/gl_context.h"

#include <glad/gl.h>

bool glReady = false;

bool loadGlEntryPoints(GlProcLookup lookup) {
  glReady = lookup != nullptr && gladLoadGL(reinterpret_cast<GLADloadfunc>(lookup)) != 0;
  return glReady;
}

bool readGlDriverInfo(GlProcLookup lookup, GlDriverInfo& info) {
  info = GlDriverInfo{};
  if (lookup == nullptr) return false;
  const int version = gladLoadGL(reinterpret_cast<GLADloadfunc>(lookup));
  // The loader reports 0 when the context lacks glGetString, the first function it needs.
  if (version == 0) return false;
  info.major = GLAD_VERSION_MAJOR(version);
  info.minor = GLAD_VERSION_MINOR(version);
  const GLubyte* renderer = glGetString(GL_RENDERER);
  if (renderer != nullptr) info.renderer = reinterpret_cast<const char*>(renderer);
  // "llvmpipe (LLVM 15.0.6, 256 bits)": the name is what a player recognises.
  const size_t details = info.renderer.find(" (");
  if (details != std::string::npos && details > 0) info.renderer.resize(details);
  return true;
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
