// The GL entry points and the few global GL states the rest of the game asks for by name.
#pragma once

#include <cstdint>
#include <string>

// True once the GL entry points are loaded; drawing and GPU uploads do nothing before that,
// so the simulation and the UI run without a context (tests, tools).
extern bool glReady;

// The window system's lookup of a GL function by name, for the current context.
using GlProcLookup = void (*(*)(const char* name))();
// Loads the GL 4.6 core entry points through the window system's lookup; false on failure.
bool loadGlEntryPoints(GlProcLookup lookup);
// What a context offers, read only to tell the player why the game cannot start.
struct GlDriverInfo {
  int major = 0, minor = 0;  // the context's OpenGL version
  std::string renderer;      // the driver's name for the renderer, without its details
};
// Reads the version and renderer of the current context; false when it cannot be asked. Leaves
// `glReady` as it was: the game never draws through a context read this way.
bool readGlDriverInfo(GlProcLookup lookup, GlDriverInfo& info);

// Viewport and depth test of a new context.
void initGlState(int32_t width, int32_t height);
void setViewport(int32_t width, int32_t height);
void disableBlending();
