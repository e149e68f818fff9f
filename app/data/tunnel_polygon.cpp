// The unit-edge polygons of 3 to 10 sides and the blade triangle standing on one of their faces.
#include "app/data/tunnel_polygon.h"

#include <cmath>

float polygonRadius[maxSides + 1] = {};
glm::vec3 polygonVertices[maxSides + 1][maxSides] = {};

void fillTunnelPolygon() {
  for (int n = minSides; n <= maxSides; ++n) {
    const float s = std::sin(piF / static_cast<float>(n));
    const float r = 1.0f / (s + s);
    polygonRadius[n] = r;
    for (int j = 0; j < n; ++j) {
      const float a = static_cast<float>(j) * twoPiF / static_cast<float>(n);
      polygonVertices[n][j] = glm::vec3(std::cos(a) * r, std::sin(a) * r, -0.5f);
    }
  }
}

float laneAngle(int lane, int n) {
  const float w = twoPiF / static_cast<float>(n);
  return halfPiF - (static_cast<float>(lane) * w + w * 0.5f);
}

BarrierShape barrierShape(int n, int lane) {
  const glm::vec3 a = polygonVertices[n][lane];
  const glm::vec3 b = polygonVertices[n][(lane + 1) % n];
  const glm::vec3 e = a - b;
  const float length = glm::length(e);
  const glm::vec3 mid = (a + b) * 0.5f;
  glm::vec3 c(e.y, -e.x, 0.0f);
  // An edge along z has no cross product with the axis; the face normal then comes from +y.
  if (glm::length(c) < 0.001f) c = glm::vec3(-e.z, 0.0f, e.x);
  const glm::vec3 inward = glm::normalize(c);
  return {a, b, mid - inward * (length * bladeHeight), inward};
}
