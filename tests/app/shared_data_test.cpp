// The polygon table, the projection and the frame clock that every other part reads.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "app/data/camera.h"
#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "app/shell/window.h"

TEST(TunnelPolygon, EveryEdgeIsOneUnitLong) {
  fillTunnelPolygon();
  for (int n = 3; n <= 10; ++n) {
    for (int j = 0; j < n; ++j) {
      const glm::vec3 a = polygonVertices[n][j];
      const glm::vec3 b = polygonVertices[n][(j + 1) % n];
      EXPECT_NEAR(glm::length(a - b), 1.0f, 1e-6f) << "n=" << n << " j=" << j;
      EXPECT_NEAR(glm::length(glm::vec2(a)), polygonRadius[n], 1e-6f);
      EXPECT_EQ(a.z, -0.5f);
    }
    for (int j = n; j < 10; ++j) EXPECT_EQ(polygonVertices[n][j], glm::vec3(0.0f));
  }
}

TEST(TunnelPolygon, SquareValues) {
  fillTunnelPolygon();
  EXPECT_FLOAT_EQ(polygonRadius[4], 0.70710677f);
  const glm::vec3 expected[4] = {{0.70710677f, 0, -0.5f},
                                 {0, 0.70710677f, -0.5f},
                                 {-0.70710677f, 0, -0.5f},
                                 {0, -0.70710677f, -0.5f}};
  for (int j = 0; j < 4; ++j)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(polygonVertices[4][j][c], expected[j][c], 1e-6f);
}

TEST(TunnelPolygon, BladeApexStandsOutsideTheFace) {
  fillTunnelPolygon();
  for (int n = 3; n <= 10; ++n) {
    const float r = polygonRadius[n];
    for (int j = 0; j < n; ++j) {
      const BarrierShape s = barrierShape(n, j);
      EXPECT_NEAR(glm::length(glm::vec2(s.apex)), r * std::cos(3.14159265f / n) + 0.8660254f,
                  1e-5f);
      EXPECT_NEAR(glm::length(s.apex - s.a), 1.0f, 1e-5f);
      EXPECT_NEAR(glm::length(s.apex - s.b), 1.0f, 1e-5f);
      // The inward vector points at the axis.
      EXPECT_LT(glm::dot(s.inward, glm::vec3(glm::vec2((s.a + s.b) * 0.5f), 0.0f)), 0.0f);
    }
  }
}

TEST(LaneAngle, PutsTheLaneOnTop) {
  EXPECT_FLOAT_EQ(laneAngle(0, 3), 0.5235988f);
  for (int n = 3; n <= 10; ++n) {
    for (int j = 0; j < n; ++j) {
      // Rotating the middle of face j by the lane angle brings it to +y.
      const float mid = (j + 0.5f) * 6.2831855f / n;
      EXPECT_NEAR(std::cos(mid + laneAngle(j, n)), 0.0f, 1e-5f);
      EXPECT_NEAR(std::sin(mid + laneAngle(j, n)), 1.0f, 1e-5f);
    }
  }
}

namespace {
// A float's bits, copied: the C++ library of Debian 12's Emscripten has no std::bit_cast.
uint32_t bitsOf(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}
}  // namespace

TEST(Projection, ElementsAt720pAnd1080p) {
  const float t = std::tan(0.3926991f);
  const glm::mat4 p = buildProjection(1280, 720);
  EXPECT_FLOAT_EQ(p[0][0], 1.0f / (t * (1280.0f / 720.0f)));
  EXPECT_FLOAT_EQ(p[1][1], 1.0f / t);
  EXPECT_EQ(bitsOf(p[2][2]), 0xBF800D1Cu);
  EXPECT_EQ(p[2][3], -1.0f);
  EXPECT_EQ(bitsOf(p[3][2]), 0xBE4CD74Au);
  EXPECT_EQ(p[3][3], 0.0f);
  EXPECT_EQ(p[0][1], 0.0f);
  EXPECT_EQ(p[2][0], 0.0f);

  const glm::mat4 q = buildProjection(1920, 1080);
  EXPECT_FLOAT_EQ(q[0][0], 1.0f / (t * 1.7777778f));
  EXPECT_EQ(q[1][1], p[1][1]);
  EXPECT_EQ(q[2][2], p[2][2]);
  EXPECT_EQ(q[2][3], p[2][3]);
  EXPECT_EQ(q[3][2], p[3][2]);
  EXPECT_EQ(projection, p);  // the start-up projection
}

TEST(Projection, ResizeFollowsTheFramebufferButIgnoresMinimising) {
  resizeFramebuffer(1920, 1080);
  EXPECT_EQ(windowWidth, 1920);
  EXPECT_EQ(windowHeight, 1080);
  EXPECT_EQ(projection, buildProjection(1920, 1080));
  resizeFramebuffer(0, 0);
  resizeFramebuffer(800, 0);
  EXPECT_EQ(windowWidth, 1920);
  EXPECT_EQ(windowHeight, 1080);
  EXPECT_EQ(projection, buildProjection(1920, 1080));
  resizeFramebuffer(1280, 720);
}

TEST(Camera, LooksDownTheTunnelFromBehind) {
  EXPECT_EQ(cameraPos, glm::vec3(0, 1, 70));
  EXPECT_NEAR(glm::length(cameraFront), 1.0f, 1e-6f);
  // The origin, straight ahead, projects to the middle of the view's x axis.
  const glm::vec4 origin = view * glm::vec4(0, 0, 0, 1);
  EXPECT_NEAR(origin.x, 0.0f, 1e-5f);
  EXPECT_NEAR(origin.y, 0.0f, 1e-4f);
  EXPECT_NEAR(origin.z, -std::sqrt(70.0f * 70.0f + 1.0f), 1e-3f);
}

TEST(FrameClock, ClampsLongFramesOnly) {
  lastFrameTime = 0.0f;
  advanceFrameClock(0.016f);
  EXPECT_FLOAT_EQ(DeltaTime, 0.016f);
  advanceFrameClock(2.5f);  // a dragged window or a breakpoint
  EXPECT_EQ(DeltaTime, 0.1f);
  EXPECT_EQ(lastFrameTime, 2.5f);
  advanceFrameClock(2.5f);
  EXPECT_EQ(DeltaTime, 0.0f);
  advanceFrameClock(2.4f);  // no lower clamp
  EXPECT_LT(DeltaTime, 0.0f);
  lastFrameTime = 0.0f;
  DeltaTime = 0.0f;
}

TEST(SpriteAnimation, StepsInSinglePrecision) {
  TunnelObject o{};
  o.frameCount = 30;
  DeltaTime = 0.05f;
  advanceSpriteAnimation(o);
  EXPECT_EQ(o.frameIndex, 1);
  EXPECT_NEAR(o.frameTime, 0.0166667f, 1e-6f);

  TunnelObject p{};
  p.frameCount = 30;
  DeltaTime = 0.1f;
  advanceSpriteAnimation(p);
  EXPECT_EQ(p.frameIndex, 2);  // not 3: the remainder falls just below the float step
  EXPECT_GT(p.frameTime, 0.0333f);

  TunnelObject q{};
  q.frameCount = 30;
  q.frameIndex = 29;
  DeltaTime = 1.0f / 30.0f + 1e-4f;
  advanceSpriteAnimation(q);
  EXPECT_EQ(q.frameIndex, 0);  // wraps
  DeltaTime = 0.0f;
}
