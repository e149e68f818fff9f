// Contact with the blades of the front platform and the current platform's closed door, and the
// two ways of opening doors: the key for the nearest one, the RFID card for all that remain.
#include "sim/collisions.h"

#include <cmath>
#include <cstdio>

#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "sim/frame_update.h"
#include "sim/pickups.h"
#include "sim/scene_objects.h"

namespace {

// Blade triangles of every face, by side count; a blade's shape depends only on the polygon.
// Filled on first use and again whenever the polygon table has changed under it.
struct ShapeTable {
  glm::vec3 firstCorner{0.0f};  // polygonVertices[n][0] when the row was filled
  bool filled = false;
  BarrierShape face[maxSides];
};
ShapeTable shapeTable[maxSides + 1];

const BarrierShape& bladeShape(int n, int lane) {
  ShapeTable& row = shapeTable[n];
  if (!row.filled || row.firstCorner != polygonVertices[n][0]) {
    for (int j = 0; j < n; ++j) row.face[j] = barrierShape(n, j);
    row.firstCorner = polygonVertices[n][0];
    row.filled = true;
  }
  return row.face[lane];
}

glm::vec3 transformPoint(const glm::mat4& m, const glm::vec3& p) {
  return glm::vec3(m * glm::vec4(p, 1.0f));
}

enum class BladeContact { none, hit, degenerate };

BladeContact touchesBlade(const Barrier& blade, int n) {
  const BarrierShape& shape = bladeShape(n, blade.lane);
  const glm::vec3 p0 = transformPoint(blade.model, shape.a);
  const glm::vec3 p1 = transformPoint(blade.model, shape.b);
  const glm::vec3 p2 = transformPoint(blade.model, shape.apex);
  const glm::vec3 e1 = p1 - p0;
  const glm::vec3 e2 = p2 - p0;
  const glm::vec3 normal = glm::normalize(glm::cross(e1, e2));
  const float s = glm::dot(playerPosition - p0, normal);
  if (std::fabs(s) >= bladeShellHalfThickness) return BladeContact::none;

  // Barycentric test of the player's projection onto the blade's plane.
  const glm::vec3 q = (playerPosition - normal * s) - p0;
  const float d11 = glm::dot(e1, e1);
  const float d22 = glm::dot(e2, e2);
  const float d12 = glm::dot(e1, e2);
  const float q1 = glm::dot(q, e1);
  const float q2 = glm::dot(q, e2);
  const float den = d11 * d22 - d12 * d12;
  if (den == 0.0f) return BladeContact::degenerate;
  const float u = (d22 * q1 - d12 * q2) / den;
  if (u < 0.0f) return BladeContact::none;
  const float t = (d11 * q2 - d12 * q1) / den;
  if (t < 0.0f) return BladeContact::none;
  if (u + t > 1.0f) return BladeContact::none;
  return BladeContact::hit;
}

bool collide() {
  std::printf("Collision detected!\n");
  endRun();
  return true;
}

}  // namespace

bool testBarrierCollision() {
  const int p = activePlatforms[0];
  if (p == -1 || world == nullptr) return false;
  for (const Barrier* blade : world->barriers[p]) {
    if (blade == nullptr) continue;
    switch (touchesBlade(*blade, currentSides)) {
      case BladeContact::none:
        break;
      case BladeContact::hit:
        return collide();
      case BladeContact::degenerate:
        // A blade flattened to a line cannot be measured; the whole platform is let through.
        return false;
    }
  }
  return false;
}

bool testDoorCollision() {
  if (world == nullptr || currentPlatform >= world->platformCount) return false;
  const Door* door = world->doors[currentPlatform];
  if (door == nullptr || door->open) return false;
  const glm::vec3 offset = glm::vec3(door->model[3]) - playerPosition;
  if (glm::dot(offset, offset) > pickupRadiusSquared) return false;
  return collide();
}

void openDoorAhead() {
  if (world == nullptr) return;
  for (int16_t p : activePlatforms) {
    if (p == -1) continue;
    Door* door = world->doors[p];
    if (door != nullptr && door->lane == currentLane && !door->open &&
        door->model[3][2] > doorOpeningDepth) {
      door->open = true;
      return;
    }
  }
}

void openDoorsAhead() {
  if (world == nullptr || currentPlatform >= platformTotal) return;
  for (int p = currentPlatform; p < platformTotal; ++p)
    if (world->doors[p] != nullptr) world->doors[p]->open = true;
}
