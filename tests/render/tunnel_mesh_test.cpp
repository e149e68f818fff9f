// The tunnel prism and blade meshes, built on the CPU: vertex values, index order, blade reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "app/data/tunnel_polygon.h"
#include "render/tunnel_mesh.h"

namespace {

class TunnelMeshData : public ::testing::Test {
 protected:
  void SetUp() override { fillTunnelPolygon(); }
};

std::vector<uint32_t> solidList(int n) {
  std::vector<uint32_t> v(static_cast<size_t>(solidIndexCount(n)));
  solidIndices(n, v.data());
  return v;
}

std::vector<uint32_t> edgeList(int n) {
  std::vector<uint32_t> v(static_cast<size_t>(edgeIndexCount(n)));
  edgeIndices(n, v.data());
  return v;
}

}  // namespace

TEST_F(TunnelMeshData, TrianglePrismListsInBuildOrder) {
  EXPECT_EQ(solidIndexCount(3), 24);
  EXPECT_EQ(edgeIndexCount(3), 18);
  const std::vector<uint32_t> solid = solidList(3);
  const std::vector<uint32_t> expectedSolid = {0, 1, 2,            // front cap
                                               3, 5, 4,            // back cap
                                               0, 1, 3, 1, 4, 3,   // face 0
                                               1, 2, 4, 2, 5, 4,   // face 1
                                               2, 0, 5, 0, 3, 5};  // face 2 wraps to vertex 0
  EXPECT_EQ(solid, expectedSolid);
  const std::vector<uint32_t> edges = edgeList(3);
  const std::vector<uint32_t> expectedEdges = {0, 3, 0, 1, 3, 4, 1, 4, 1,
                                               2, 4, 5, 2, 5, 2, 0, 5, 3};
  EXPECT_EQ(edges, expectedEdges);
}

TEST_F(TunnelMeshData, DecagonListsCoverEveryFaceAndEdgeOnce) {
  const int n = 10;
  EXPECT_EQ(solidIndexCount(n), 108);
  EXPECT_EQ(edgeIndexCount(n), 60);
  const std::vector<uint32_t> solid = solidList(n);
  // Caps are fans around vertex 0 and vertex n; the sides start after 2(n-2) triangles.
  EXPECT_EQ((std::vector<uint32_t>(solid.begin(), solid.begin() + 3)),
            (std::vector<uint32_t>{0, 1, 2}));
  EXPECT_EQ((std::vector<uint32_t>(solid.begin() + 21, solid.begin() + 24)),
            (std::vector<uint32_t>{0, 8, 9}));
  EXPECT_EQ((std::vector<uint32_t>(solid.begin() + 24, solid.begin() + 27)),
            (std::vector<uint32_t>{10, 12, 11}));
  EXPECT_EQ((std::vector<uint32_t>(solid.end() - 6, solid.end())),
            (std::vector<uint32_t>{9, 0, 19, 0, 10, 19}));
  for (uint32_t i : solid) EXPECT_LT(i, 20u);

  // Every geometric edge of the prism appears exactly once among the line pairs.
  const std::vector<uint32_t> edges = edgeList(n);
  std::set<std::pair<uint32_t, uint32_t>> seen;
  for (size_t k = 0; k < edges.size(); k += 2) seen.insert(std::minmax(edges[k], edges[k + 1]));
  EXPECT_EQ(seen.size(), 30u);
  EXPECT_EQ((std::vector<uint32_t>(edges.end() - 6, edges.end())),
            (std::vector<uint32_t>{9, 19, 9, 0, 19, 10}));
}

TEST_F(TunnelMeshData, PrismVerticesRingsNormalsAndTextureRepeats) {
  for (int n : {3, 10}) {
    std::vector<MeshVertex> v(static_cast<size_t>(2 * n));
    prismVertices(n, 1.0f, v.data());
    for (int j = 0; j < n; ++j) {
      const MeshVertex& front = v[static_cast<size_t>(j)];
      const MeshVertex& back = v[static_cast<size_t>(n + j)];
      SCOPED_TRACE(testing::Message() << "n=" << n << " j=" << j);
      EXPECT_FLOAT_EQ(front.position.z, -0.5f);
      EXPECT_FLOAT_EQ(back.position.z, 0.5f);
      EXPECT_NEAR(front.position.x, polygonVertices[n][j].x, 1e-6f);
      EXPECT_NEAR(front.position.y, polygonVertices[n][j].y, 1e-6f);
      EXPECT_EQ(front.position.x, back.position.x);
      EXPECT_NEAR(std::hypot(front.normal.x, front.normal.y), 1.0f, 1e-6f);
      EXPECT_EQ(front.normal.z, -1.0f);
      EXPECT_EQ(back.normal.z, 1.0f);
      EXPECT_NEAR(front.texCoord.x, 20.0f + 2.0f * j / n, 1e-5f);
      EXPECT_EQ(front.texCoord.y, 0.0f);
      EXPECT_EQ(back.texCoord.y, 22.0f);
    }
  }
  // Every face stays one unit wide.
  std::vector<MeshVertex> v(20);
  prismVertices(10, 1.0f, v.data());
  for (int j = 0; j < 10; ++j)
    EXPECT_NEAR(glm::distance(v[j].position, v[(j + 1) % 10].position), 1.0f, 1e-5f);
}

TEST_F(TunnelMeshData, BladeApexReachesPastEveryFace) {
  for (int n = minSides; n <= maxSides; ++n) {
    const float expected = polygonRadius[n] * std::cos(3.1415927f / n) + 0.8660254f;
    for (int j = 0; j < n; ++j) {
      SCOPED_TRACE(testing::Message() << "n=" << n << " j=" << j);
      MeshVertex v[6];
      barrierVertices(n, j, v);
      const glm::vec3 apex = v[2].position;
      EXPECT_NEAR(std::hypot(apex.x, apex.y), expected, 1e-5f);
      EXPECT_FLOAT_EQ(apex.z, -0.5f);
      // Base on the face's corners; the strip repeats the triangle to show both sides.
      EXPECT_EQ(v[0].position, polygonVertices[n][j]);
      EXPECT_EQ(v[1].position, polygonVertices[n][(j + 1) % n]);
      for (int k = 0; k < 3; ++k) EXPECT_EQ(v[k].position, v[k + 3].position);
      EXPECT_EQ(v[2].texCoord, glm::vec2(0.5f, 1.0f));
      EXPECT_EQ(v[1].texCoord, glm::vec2(1.0f, 0.0f));
      // The normal points from the face toward the axis.
      const glm::vec3 mid = (v[0].position + v[1].position) * 0.5f;
      for (const MeshVertex& m : v) EXPECT_EQ(m.normal, v[0].normal);
      EXPECT_NEAR(glm::length(v[0].normal), 1.0f, 1e-6f);
      EXPECT_LT(glm::dot(v[0].normal, glm::vec3(mid.x, mid.y, 0.0f)), 0.0f);
    }
  }
}
