// Building the prism and blade meshes of the tunnel.
#include "render/tunnel_mesh.h"

MeshBuffers tunnelMeshes[prismMeshCount] = {};
MeshBuffers barrierMeshes[barrierMeshCount] = {};

void prismVertices(int /*n*/, float /*length*/, MeshVertex* /*out*/) {}
void solidIndices(int /*n*/, uint32_t* /*out*/) {}
void edgeIndices(int /*n*/, uint32_t* /*out*/) {}
void barrierVertices(int /*n*/, int /*j*/, MeshVertex* /*out*/) {}
void buildTunnelMeshes() {}
void buildBarrierMeshes() {}
void releaseBarrierMeshes() {}
