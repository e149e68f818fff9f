// WebGL draws lines 1 pixel wide only: the tunnel's edges become thin quads of the frame's line
// width, rebuilt each frame from the tunnel's placement and drawn with the same program.
#include <glad/gl.h>

#include <vector>

#include "app/data/camera.h"
#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "render/edge_lines.h"
#include "render/edge_quads.h"
#include "render/tunnel_mesh.h"

namespace {

constexpr int mostEdgeIndices = edgeIndexCount(maxSides);

uint32_t quadVao = 0;
uint32_t quadVbo = 0;

void createQuadBuffers() {
  glGenVertexArrays(1, &quadVao);
  glGenBuffers(1, &quadVbo);
  glBindVertexArray(quadVao);
  glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
  glBufferData(
      GL_ARRAY_BUFFER,
      static_cast<GLsizeiptr>(mostEdgeIndices / 2 * edgeQuadVertexCount * sizeof(MeshVertex)),
      nullptr, GL_DYNAMIC_DRAW);
  setMeshAttributes();
}

}  // namespace

void drawTunnelEdges(int n, const glm::mat4& tunnelModel) {
  MeshVertex prism[2 * maxSides];
  uint32_t edges[mostEdgeIndices];
  MeshVertex quads[mostEdgeIndices / 2 * edgeQuadVertexCount];
  prismVertices(n, platformLength, prism);
  edgeIndices(n, edges);
  EdgeQuadView seen;
  seen.model = tunnelModel;
  seen.view = view;
  seen.projection = projection;
  seen.viewport = glm::vec2(static_cast<float>(windowWidth), static_cast<float>(windowHeight));
  seen.lineWidth = edgeLineWidth;
  const int count = edgeQuadVertices(prism, edges, edgeIndexCount(n), seen, quads);
  if (quadVao == 0) createQuadBuffers();
  glBindVertexArray(quadVao);
  glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
  glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(count * sizeof(MeshVertex)), quads);
  glDrawArrays(GL_TRIANGLES, 0, count);
}
