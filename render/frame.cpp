// Composing one frame by screen.
#include "render/frame.h"

glm::mat4 particleModels[particleCount] = {};
TunnelObject player = {};

void setupScene() {}
void renderFrame() {}
void drawParticle(glm::mat4 /*model*/) {}
