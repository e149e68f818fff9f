// Wide lines as thin quads: the segment is taken to the window, widened there by whole pixels,
// and its corners brought back into model space at the depth of the line itself.
#include "render/edge_quads.h"

#include <cmath>

namespace {

MeshVertex lerpVertex(const MeshVertex& a, const MeshVertex& b, float t) {
  return {a.position + (b.position - a.position) * t, a.normal + (b.normal - a.normal) * t,
          a.texCoord + (b.texCoord - a.texCoord) * t};
}

// How far in front of the near plane a clip-space point lies (negative behind it).
float nearDistance(const glm::vec4& clip) { return clip.z + clip.w; }

}  // namespace

int edgeQuadVertices(const MeshVertex* vertices, const uint32_t* indices, int indexCount,
                     const EdgeQuadView& seen, MeshVertex* out) {
  const glm::mat4 modelView = seen.view * seen.model;
  const glm::mat4 toClip = seen.projection * modelView;
  const glm::mat4 eyeToModel = glm::inverse(modelView);
  int written = 0;
  for (int i = 0; i + 1 < indexCount; i += 2) {
    MeshVertex ends[2] = {vertices[indices[i]], vertices[indices[i + 1]]};
    glm::vec4 clip[2] = {toClip * glm::vec4(ends[0].position, 1.0f),
                         toClip * glm::vec4(ends[1].position, 1.0f)};
    const float d0 = nearDistance(clip[0]), d1 = nearDistance(clip[1]);
    if (d0 < 0.0f && d1 < 0.0f) continue;
    if (d0 < 0.0f || d1 < 0.0f) {
      const int behind = d0 < 0.0f ? 0 : 1;
      const float t = d0 / (d0 - d1);  // where the segment meets the near plane, from end 0
      ends[behind] = lerpVertex(ends[0], ends[1], t);
      clip[behind] = toClip * glm::vec4(ends[behind].position, 1.0f);
    }
    const glm::vec2 pixel0 = glm::vec2(clip[0]) / clip[0].w * 0.5f * seen.viewport;
    const glm::vec2 pixel1 = glm::vec2(clip[1]) / clip[1].w * 0.5f * seen.viewport;
    const glm::vec2 along = pixel1 - pixel0;
    const float half = seen.lineWidth * 0.5f;
    const glm::vec2 across =
        std::fabs(along.x) >= std::fabs(along.y) ? glm::vec2(0.0f, half) : glm::vec2(half, 0.0f);
    // A pixel offset at clip depth w, as a direction in model space: the corner keeps the depth
    // of the line's own point, so the depth test treats the quad as the line.
    MeshVertex corners[2][2];
    for (int e = 0; e < 2; ++e) {
      const glm::vec2 eyeOffset = across * 2.0f / seen.viewport * clip[e].w /
                                  glm::vec2(seen.projection[0][0], seen.projection[1][1]);
      const glm::vec3 offset = glm::vec3(eyeToModel * glm::vec4(eyeOffset, 0.0f, 0.0f));
      corners[e][0] = ends[e];
      corners[e][1] = ends[e];
      corners[e][0].position -= offset;
      corners[e][1].position += offset;
    }
    MeshVertex* quad = out + written;
    quad[0] = corners[0][0];
    quad[1] = corners[1][0];
    quad[2] = corners[1][1];
    quad[3] = corners[0][0];
    quad[4] = corners[1][1];
    quad[5] = corners[0][1];
    written += edgeQuadVertexCount;
  }
  return written;
}
