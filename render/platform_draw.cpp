// Drawing the tunnel and its blades.
#include "render/platform_draw.h"

float tunnelScroll = 0.0f;

void drawTunnel(glm::mat4 /*tunnelModel*/) {}
void drawBarrier(glm::mat4 /*model*/, uint8_t /*lane*/) {}
