// Drawing the tunnel prism and the blades of the active platforms.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

extern float tunnelScroll;  // texture scroll along the tunnel, 0..1

void drawTunnel(glm::mat4 tunnelModel);
void drawBarrier(glm::mat4 model, uint8_t lane);
