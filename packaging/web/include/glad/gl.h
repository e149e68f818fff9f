// The game's GL header in the web build: WebGL 2 is OpenGL ES 3.0, whose functions Emscripten
// links directly, so the loader the desktop's generated header declares has nothing to load.
#pragma once

#include <GLES3/gl3.h>

typedef void (*GLADapiproc)(void);
typedef GLADapiproc (*GLADloadfunc)(const char* name);

#define GLAD_VERSION_MAJOR(version) ((version) / 10000)
#define GLAD_VERSION_MINOR(version) ((version) % 10000)

// The context's version as the desktop's loader reports it: WebGL 2 is OpenGL ES 3.0.
static inline int gladLoadGL(GLADloadfunc load) { return load != 0 ? 30000 : 0; }
