// Building the prism and blade meshes of the tunnel from the unit-edge polygons.
#include "render/tunnel_mesh.h"

#include <glad/gl.h>
#include <cmath>
#include <cstddef>
#include <vector>

#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "render/gl_context.h"

MeshBuffers tunnelMeshes[prismMeshCount] = {};
MeshBuffers barrierMeshes[barrierMeshCount] = {};

namespace {

// The texture wraps twice around the prism and this many times along it.
constexpr float prismTexRepeatsAround = 2.0f;
constexpr float prismTexRepeatsAlong = 22.0f;
constexpr float prismTexShift = 20.0f;  // whole repeats: it only moves u
constexpr int bladeVertexCount = 6;

void uploadPrism(MeshBuffers& mesh, const std::vector<MeshVertex>& vertices,
                 const std::vector<uint32_t>& indices) {
  glGenVertexArrays(1, &mesh.vao);
  glGenBuffers(1, &mesh.vbo);
  glGenBuffers(1, &mesh.ebo);
  glBindVertexArray(mesh.vao);
  glBindBuffer(GL_ARRAY_BUFFER, mesh.vbo);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(MeshVertex)),
               vertices.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.ebo);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint32_t)),
               indices.data(), GL_STATIC_DRAW);
  setMeshAttributes();
}

}  // namespace

void setMeshAttributes() {
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                        reinterpret_cast<void*>(offsetof(MeshVertex, position)));
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                        reinterpret_cast<void*>(offsetof(MeshVertex, normal)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                        reinterpret_cast<void*>(offsetof(MeshVertex, texCoord)));
  glEnableVertexAttribArray(2);
}

void prismVertices(int n, float length, MeshVertex* out) {
  const float r = polygonRadius[n];
  const float h = length * 0.5f;
  for (int j = 0; j < n; ++j) {
    const float a = static_cast<float>(j) * twoPiF / static_cast<float>(n);
    const float x = std::cos(a) * r;
    const float y = std::sin(a) * r;
    const float l = std::sqrt(x * x + y * y);
    const float u =
        prismTexShift + prismTexRepeatsAround * static_cast<float>(j) / static_cast<float>(n);
    out[j] = {{x, y, -h}, {x / l, y / l, -1.0f}, {u, 0.0f}};
    out[n + j] = {{x, y, h}, {x / l, y / l, 1.0f}, {u, prismTexRepeatsAlong}};
  }
}

void solidIndices(int n, uint32_t* out) {
  const uint32_t m = static_cast<uint32_t>(n);
  uint32_t* p = out;
  for (uint32_t i = 1; i + 1 < m; ++i) {
    *p++ = 0;
    *p++ = i;
    *p++ = i + 1;
  }
  for (uint32_t i = 1; i + 1 < m; ++i) {
    *p++ = m;
    *p++ = m + i + 1;
    *p++ = m + i;
  }
  for (uint32_t i = 0; i < m; ++i) {
    const uint32_t k = (i + 1) % m;
    *p++ = i;
    *p++ = k;
    *p++ = m + i;
    *p++ = k;
    *p++ = m + k;
    *p++ = m + i;
  }
}

void edgeIndices(int n, uint32_t* out) {
  const uint32_t m = static_cast<uint32_t>(n);
  uint32_t* p = out;
  for (uint32_t i = 0; i < m; ++i) {
    const uint32_t k = (i + 1) % m;
    *p++ = i;  // the long edge of face i
    *p++ = m + i;
    *p++ = i;  // its front-ring edge
    *p++ = k;
    *p++ = m + i;  // its back-ring edge
    *p++ = m + k;
  }
}

void barrierVertices(int n, int j, MeshVertex* out) {
  // The same triangle the collision test measures against.
  const BarrierShape s = barrierShape(n, j);
  const MeshVertex a{s.a, s.inward, {0.0f, 0.0f}};
  const MeshVertex b{s.b, s.inward, {1.0f, 0.0f}};
  const MeshVertex apex{s.apex, s.inward, {0.5f, 1.0f}};
  // Six vertices as a strip cover the triangle four times with alternating winding: both sides.
  out[0] = a;
  out[1] = b;
  out[2] = apex;
  out[3] = a;
  out[4] = b;
  out[5] = apex;
}

void buildTunnelMeshes() {
  if (!glReady) return;
  for (int n = minSides; n <= maxSides; ++n) {
    std::vector<MeshVertex> vertices(static_cast<size_t>(2 * n));
    prismVertices(n, platformLength, vertices.data());
    std::vector<uint32_t> solid(static_cast<size_t>(solidIndexCount(n)));
    solidIndices(n, solid.data());
    std::vector<uint32_t> edges(static_cast<size_t>(edgeIndexCount(n)));
    edgeIndices(n, edges.data());
    uploadPrism(tunnelSolid(n), vertices, solid);
    uploadPrism(tunnelEdges(n), vertices, edges);
  }
  glBindVertexArray(0);
}

void buildBarrierMeshes() {
  if (!glReady) return;
  for (int n = minSides; n <= maxSides; ++n) {
    for (int j = 0; j < n; ++j) {
      MeshVertex vertices[bladeVertexCount];
      barrierVertices(n, j, vertices);
      MeshBuffers& mesh = barrierMesh(n, j);
      glGenVertexArrays(1, &mesh.vao);
      glGenBuffers(1, &mesh.vbo);
      glBindVertexArray(mesh.vao);
      glBindBuffer(GL_ARRAY_BUFFER, mesh.vbo);
      glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices, GL_STATIC_DRAW);
      setMeshAttributes();
      glBindVertexArray(0);
    }
  }
}

void releaseBarrierMeshes() {
  if (!glReady) return;
  for (MeshBuffers& mesh : barrierMeshes) {
    if (mesh.vao != 0) glDeleteVertexArrays(1, &mesh.vao);
    if (mesh.vbo != 0) glDeleteBuffers(1, &mesh.vbo);
    mesh = {};
  }
}

void rebuildBarrierMeshes() {
  releaseBarrierMeshes();
  buildBarrierMeshes();
}
