// Thin quads in place of wide lines, for a GL that draws lines 1 pixel wide only (WebGL): each
// segment becomes two triangles over the pixels the desktop GL's wide line covers.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

#include "render/tunnel_mesh.h"

constexpr int edgeQuadVertexCount = 6;  // two triangles per segment

// Where the quads are seen from: the matrices the program is given and the framebuffer size.
struct EdgeQuadView {
  glm::mat4 model{1.0f};
  glm::mat4 view{1.0f};
  glm::mat4 projection{1.0f};
  glm::vec2 viewport{0.0f};  // pixels
  float lineWidth = 0.0f;    // pixels
};

// The quads of the segments that `indices` pair up (GL_LINES order) among `vertices`, in model
// space with the segment's own attributes, so the same program and uniforms draw them as the
// lines; a segment is cut where it passes behind the near plane, and one wholly behind it
// draws nothing. Like the GL's wide lines, a line more across than up is widened up and down,
// the others sideways. Writes edgeQuadVertexCount vertices per drawn segment; returns how many.
int edgeQuadVertices(const MeshVertex* vertices, const uint32_t* indices, int indexCount,
                     const EdgeQuadView& seen, MeshVertex* out);
