// The desktop GL draws wide lines itself: the edge mesh as GL_LINES at the frame's line width.
#include <glad/gl.h>

#include "render/edge_lines.h"
#include "render/tunnel_mesh.h"

void drawTunnelEdges(int n, const glm::mat4& /*tunnelModel*/) {
  glBindVertexArray(tunnelEdges(n).vao);
  glDrawElements(GL_LINES, edgeIndexCount(n), GL_UNSIGNED_INT, nullptr);
}
