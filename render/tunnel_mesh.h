// The GPU meshes of the tunnel: solid and edge prisms for 3 to 10 sides, and one blade per face.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

struct MeshVertex {
  glm::vec3 position;
  glm::vec3 normal;
  glm::vec2 texCoord;
};
static_assert(sizeof(MeshVertex) == 32, "the vertex layout is three packed attributes");

struct MeshBuffers {
  uint32_t vao = 0;
  uint32_t vbo = 0;
  uint32_t ebo = 0;
};

constexpr int prismMeshCount = 16;    // solid and edge mesh for each side count 3..10
constexpr int barrierMeshCount = 80;  // ten faces for each side count 3..10

extern MeshBuffers tunnelMeshes[prismMeshCount];     // entry 2(n-3) solid, 2(n-3)+1 edges
extern MeshBuffers barrierMeshes[barrierMeshCount];  // entry 10(n-3)+j

inline MeshBuffers& tunnelSolid(int n) { return tunnelMeshes[2 * (n - 3)]; }
inline MeshBuffers& tunnelEdges(int n) { return tunnelMeshes[2 * (n - 3) + 1]; }
inline MeshBuffers& barrierMesh(int n, int j) { return barrierMeshes[10 * (n - 3) + j]; }

constexpr int solidIndexCount(int n) { return 12 * n - 12; }
constexpr int edgeIndexCount(int n) { return 6 * n; }

// CPU halves of the mesh builders, testable without a context.
void prismVertices(int n, float length, MeshVertex* out);  // 2n vertices
void solidIndices(int n, uint32_t* out);                   // 12n - 12 indices
void edgeIndices(int n, uint32_t* out);                    // 6n indices
void barrierVertices(int n, int j, MeshVertex out[6]);

// The one vertex layout of every tunnel and blade mesh, recorded in the bound vertex array.
void setMeshAttributes();

void buildTunnelMeshes();
void buildBarrierMeshes();
void releaseBarrierMeshes();
// A new run's blades: the previous set released, then all built again.
void rebuildBarrierMeshes();
