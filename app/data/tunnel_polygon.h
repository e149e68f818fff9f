// The regular polygons with unit edges from which every tunnel face, blade and object place
// derives.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

constexpr int minSides = 3;
constexpr int maxSides = 10;
constexpr float piF = 3.1415927f;
constexpr float halfPiF = 1.5707964f;
constexpr float twoPiF = 6.2831855f;
constexpr float bladeHeight = 0.8660254f;  // height of an equilateral triangle of side 1

// Circumradius of the n-gon with unit edges, n = 3..10 (entries below 3 stay 0).
extern float polygonRadius[maxSides + 1];
// The n corners at z = -0.5, counter-clockwise from the +x axis; entries j >= n stay 0.
extern glm::vec3 polygonVertices[maxSides + 1][maxSides];

// Fills both tables for n = 3..10.
void fillTunnelPolygon();

// Tunnel angle that brings lane `lane` of an n-gon to the top.
float laneAngle(int lane, int n);

// The blade standing on face `lane` of the n-gon: corners a and b of the face, the apex
// pointing away from the axis, and the unit vector from the face toward the axis.
struct BarrierShape {
  glm::vec3 a;
  glm::vec3 b;
  glm::vec3 apex;
  glm::vec3 inward;
};
BarrierShape barrierShape(int n, int lane);
