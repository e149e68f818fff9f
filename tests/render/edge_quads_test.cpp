// Wide lines as thin quads (the web's tunnel edges), checked in the window they are drawn to.
#include <gtest/gtest.h>

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <vector>

#include "app/data/camera.h"
#include "app/data/tunnel_polygon.h"
#include "render/edge_quads.h"

namespace {

struct Seen {
  glm::vec2 pixel;
  float depth;  // normalised device z
  float w;
};

Seen project(const EdgeQuadView& v, const glm::vec3& p) {
  const glm::vec4 clip = v.projection * v.view * v.model * glm::vec4(p, 1.0f);
  return {glm::vec2(clip) / clip.w * 0.5f * v.viewport, clip.z / clip.w, clip.w};
}

bool onScreen(const EdgeQuadView& v, const glm::vec2& pixel) {
  return std::fabs(pixel.x) <= v.viewport.x * 0.5f && std::fabs(pixel.y) <= v.viewport.y * 0.5f;
}

}  // namespace

// A prism stretched from behind the camera to far ahead, as the tunnel is: the ring behind the
// camera draws nothing, the long edges are cut at the near plane, and every quad's two corners
// at each end are the line's width apart across its minor axis, at the line's own depth.
TEST(EdgeQuads, WidenAcrossTheMinorAxisAtTheLinesDepthAndStopAtTheNearPlane) {
  fillTunnelPolygon();
  for (int n = minSides; n <= maxSides; ++n) {
    std::vector<MeshVertex> prism(static_cast<size_t>(2 * n));
    prismVertices(n, 1.0f, prism.data());
    std::vector<uint32_t> edges(static_cast<size_t>(edgeIndexCount(n)));
    edgeIndices(n, edges.data());
    EdgeQuadView seen;
    // Ends at z = -200 (ahead) and +200 (behind the camera at z = 70), turned off its lanes.
    seen.model = glm::scale(glm::rotate(glm::mat4(1.0f), 0.3f, glm::vec3(0.0f, 0.0f, 1.0f)),
                            glm::vec3(1.0f, 1.0f, 400.0f));
    seen.view = view;
    seen.projection = buildProjection(startWindowWidth, startWindowHeight);
    seen.viewport = glm::vec2(startWindowWidth, startWindowHeight);
    seen.lineWidth = 2.0f;
    std::vector<MeshVertex> out(edges.size() / 2 * edgeQuadVertexCount);
    const int count = edgeQuadVertices(prism.data(), edges.data(), static_cast<int>(edges.size()),
                                       seen, out.data());
    // The front ring's n edges whole, the n long edges cut, the back ring's n edges gone.
    ASSERT_EQ(count, 2 * n * edgeQuadVertexCount) << n << " sides";
    int cut = 0, seenEnds = 0;
    for (int q = 0; q < count; q += edgeQuadVertexCount) {
      // Corners (end, side): out[q] (0, -), out[q + 1] (1, -), out[q + 2] (1, +), out[q + 5] (0,
      // +).
      const MeshVertex* quad = &out[static_cast<size_t>(q)];
      const Seen end0[2] = {project(seen, quad[0].position), project(seen, quad[5].position)};
      const Seen end1[2] = {project(seen, quad[1].position), project(seen, quad[2].position)};
      const glm::vec2 along =
          (end1[0].pixel + end1[1].pixel - end0[0].pixel - end0[1].pixel) * 0.5f;
      const bool acrossIsUp = std::fabs(along.x) >= std::fabs(along.y);
      for (const Seen* end : {end0, end1}) {
        ASSERT_GT(end[0].w, 0.0f);
        ASSERT_GT(end[1].w, 0.0f);
        // An end cut at the near plane lies thousands of pixels off the window, where single
        // precision cannot place a corner to a hundredth of a pixel and no pixel is drawn.
        if (!onScreen(seen, end[0].pixel)) continue;
        ++seenEnds;
        const glm::vec2 apart = end[1].pixel - end[0].pixel;
        EXPECT_NEAR(acrossIsUp ? apart.y : apart.x, 2.0f, 1e-2f) << n << " sides, quad " << q;
        EXPECT_NEAR(acrossIsUp ? apart.x : apart.y, 0.0f, 1e-2f) << n << " sides, quad " << q;
        EXPECT_NEAR(end[0].depth, end[1].depth, 1e-5f) << n << " sides, quad " << q;
      }
      // Triangles 0-1-2 and 0-2-5 share the diagonal: the two make one quad, not a bow tie.
      EXPECT_EQ(quad[3].position, quad[0].position);
      EXPECT_EQ(quad[4].position, quad[2].position);
      if (std::fabs(end1[0].depth + 1.0f) < 1e-3f || std::fabs(end0[0].depth + 1.0f) < 1e-3f) ++cut;
    }
    EXPECT_EQ(cut, n) << "the long edges end on the near plane";
    // Both ends of the front ring's edges and the far ends of the long ones are in the window.
    EXPECT_GE(seenEnds, 3 * n);
  }
}
