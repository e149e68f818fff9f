// The tunnel's white edges, drawn as lines of the frame's width (2 pixels) whatever widths the
// GL can draw lines at.
#pragma once

#include <glm/glm.hpp>

constexpr float edgeLineWidth = 2.0f;  // pixels; the frame sets it as the GL's line width

// Draws the edges of the n-sided prism with the platform program, whose uniforms for the tunnel
// (tunnelModel among them) the caller has set; depth-tested like the faces.
void drawTunnelEdges(int n, const glm::mat4& tunnelModel);
