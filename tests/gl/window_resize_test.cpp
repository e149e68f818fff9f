// A window minimised to nothing and restored: clean frames, then the full-size view again.
#include <glad/gl.h>

#include <cmath>
#include <utility>

#include "app/data/camera.h"
#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "app/shell/window.h"
#include "gl/render_test_support.h"
#include "render/sprite_draw.h"
#include "sim/generation.h"
#include "sim/random.h"
#include "ui/screens.h"

namespace {

bool allFinite(const glm::mat4& m) {
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r)
      if (!std::isfinite(m[c][r])) return false;
  return true;
}

void drainGlErrors() {
  while (glGetError() != GL_NO_ERROR) {
  }
}

struct Viewport {
  GLint x, y, width, height;
};

Viewport currentViewport() {
  GLint v[4] = {};
  glGetIntegerv(GL_VIEWPORT, v);
  return {v[0], v[1], v[2], v[3]};
}

class WindowResize : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(prepareRenderer());
    DeltaTime = 0.0f;
    drainGlErrors();
  }
  // Whatever a test did, the next one finds the window at its start size.
  void TearDown() override {
    onFramebufferSize(nullptr, startWindowWidth, startWindowHeight);
    showScreen(screenMainMenu);
  }

  // Draws frames the way the main loop does and expects GL to have no complaint.
  static void drawFrames(const char* where) {
    SCOPED_TRACE(where);
    for (int i = 0; i < 3; ++i) {
      renderFrame();
      swapGlBuffers();
      EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    EXPECT_TRUE(allFinite(projection));
    EXPECT_TRUE(allFinite(uiProjection(windowWidth, windowHeight)));
  }

  // The restored window: start size, its projection and viewport, and a frame that fills it.
  static void expectFullSize(const char* where) {
    SCOPED_TRACE(where);
    onFramebufferSize(nullptr, startWindowWidth, startWindowHeight);
    EXPECT_EQ(windowWidth, startWindowWidth);
    EXPECT_EQ(windowHeight, startWindowHeight);
    EXPECT_EQ(projection, buildProjection(startWindowWidth, startWindowHeight));
    const Viewport v = currentViewport();
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 0);
    EXPECT_EQ(v.width, startWindowWidth);
    EXPECT_EQ(v.height, startWindowHeight);
    drawFrames(where);
    renderFrame();
    // Lit pixels reach into both halves of the window both ways: nothing is drawn squeezed
    // into the corner a tiny viewport would leave.
    const PixelBox box = litPixels(windowWidth, windowHeight);
    EXPECT_GT(box.lit, 0);
    EXPECT_LT(box.minX, startWindowWidth / 2);
    EXPECT_GT(box.maxX, startWindowWidth / 2);
    EXPECT_LT(box.minY, startWindowHeight / 2);
    EXPECT_GT(box.maxY, startWindowHeight / 2);
  }

  // A framebuffer with a side of 0 (a minimised window) changes nothing the frame depends on.
  static void minimiseAndDraw(const char* where) {
    SCOPED_TRACE(where);
    const glm::mat4 before = projection;
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{0, 720}, std::pair{1280, 0}}) {
      onFramebufferSize(nullptr, w, h);
      EXPECT_EQ(windowWidth, startWindowWidth);
      EXPECT_EQ(windowHeight, startWindowHeight);
      EXPECT_EQ(projection, before);
      EXPECT_EQ(currentViewport().width, startWindowWidth);
      drawFrames(where);
    }
    // The smallest window X allows, which is what an unmapped or shrunk window reports.
    onFramebufferSize(nullptr, 1, 1);
    EXPECT_EQ(windowWidth, 1);
    EXPECT_EQ(windowHeight, 1);
    drawFrames(where);
  }
};

TEST_F(WindowResize, MenuSurvivesAMinimisedWindowAndComesBackAtFullSize) {
  showScreen(screenMainMenu);
  minimiseAndDraw("main menu");
  expectFullSize("main menu");
}

TEST_F(WindowResize, RunSurvivesAMinimisedWindowAndComesBackAtFullSize) {
  runSeed = 12345;
  startRun();
  ASSERT_EQ(currentScreen, screenPlay);
  minimiseAndDraw("run");
  expectFullSize("run");
}

}  // namespace
