// Work saved on frames leaves them as they were: the driver's warm-up on the menus and the
// particle field drawn in one go give the same pixels and leave the same GL state.
#include <glad/gl.h>

#include <vector>

#include "app/camera.h"
#include "app/frame_clock.h"
#include "app/run_state.h"
#include "gl/render_test_support.h"
#include "render/warm_up.h"
#include "sim/frame_update.h"
#include "sim/generation.h"
#include "sim/random.h"
#include "ui/screens.h"

namespace {

constexpr int settleLimit = 200;
constexpr float settleStep = 0.1f;
constexpr GLuint highestNameChecked = 400;  // the pictures and the glyphs have lower names

// Every state a draw operation may leave behind, and the sampling of every texture.
struct GlSnapshot {
  GLint program = 0, vertexArray = 0, arrayBuffer = 0, activeTexture = 0, texture = 0;
  GLboolean blend = GL_FALSE, depthMask = GL_FALSE, scissor = GL_FALSE;
  std::vector<GLint> sampling;

  static GlSnapshot take() {
    GlSnapshot s;
    glGetIntegerv(GL_CURRENT_PROGRAM, &s.program);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &s.vertexArray);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &s.arrayBuffer);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &s.activeTexture);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
    s.blend = glIsEnabled(GL_BLEND);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &s.depthMask);
    s.scissor = glIsEnabled(GL_SCISSOR_TEST);
    for (GLuint name = 1; name <= highestNameChecked; ++name) {
      if (!glIsTexture(name)) continue;
      GLint p[4] = {};
      glGetTextureParameteriv(name, GL_TEXTURE_WRAP_S, &p[0]);
      glGetTextureParameteriv(name, GL_TEXTURE_WRAP_T, &p[1]);
      glGetTextureParameteriv(name, GL_TEXTURE_MIN_FILTER, &p[2]);
      glGetTextureParameteriv(name, GL_TEXTURE_MAG_FILTER, &p[3]);
      s.sampling.insert(s.sampling.end(), {static_cast<GLint>(name), p[0], p[1], p[2], p[3]});
    }
    return s;
  }
  bool operator==(const GlSnapshot& o) const {
    return program == o.program && vertexArray == o.vertexArray && arrayBuffer == o.arrayBuffer &&
           activeTexture == o.activeTexture && texture == o.texture && blend == o.blend &&
           depthMask == o.depthMask && scissor == o.scissor && sampling == o.sampling;
  }
};

std::vector<uint8_t> drawnFrame() {
  renderFrame();
  return readPixels(0, 0, windowWidth, windowHeight);
}

class FrameSavings : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(prepareRenderer()); }
  void TearDown() override {
    releaseWorld();
    resetRunState();
    showScreen(screenMainMenu);
  }
  // A run under way with its eight platforms and their objects in view, standing still.
  void standMidRun() {
    runSeed = 12345;
    startRun();
    for (int i = 0; i < settleLimit && currentScreen == screenPlay && activePlatforms[7] == -1;
         ++i) {
      DeltaTime = settleStep;
      updateFrame();
    }
    ASSERT_EQ(currentScreen, screenPlay);
    DeltaTime = 0.0f;
  }
};

}  // namespace

TEST_F(FrameSavings, TheWholeWarmUpChangesNeitherTheNextFrameNorAnyState) {
  standMidRun();
  const std::vector<uint8_t> before = drawnFrame();
  const GlSnapshot state = GlSnapshot::take();
  restartWarmUp();
  int drawn = 0;
  while (warmUpPartsLeft() > 0) drawn += warmUpNextPart() ? 1 : 0;
  EXPECT_GE(drawn, 20);  // the untextured scene, glyphs and every picture the game shows
  EXPECT_TRUE(GlSnapshot::take() == state);
  EXPECT_TRUE(drawnFrame() == before);
  EXPECT_FALSE(warmUpNextPart());  // done: later frames pay nothing
}

TEST_F(FrameSavings, AMenuFrameThatWarmsUpShowsWhatItShowedBefore) {
  showScreen(screenMainMenu);
  DeltaTime = 0.0f;
  restartWarmUp();
  while (warmUpPartsLeft() > 0) warmUpNextPart();
  drawnFrame();  // any first frame of the process is left out of the warm-up
  const std::vector<uint8_t> plain = drawnFrame();
  for (int frame = 0; frame < 3; ++frame) {
    restartWarmUp();
    // Each menu frame draws the next part before its clear: the particles, the tunnel, glyphs.
    for (int skip = 0; skip < frame; ++skip) warmUpNextPart();
    const int left = warmUpPartsLeft();
    EXPECT_TRUE(drawnFrame() == plain) << "menu frame with warm-up part " << frame;
    EXPECT_EQ(warmUpPartsLeft(), left - 1);
  }
  // The scene's screens never warm up: their frames have no time to spare.
  standMidRun();
  restartWarmUp();
  const int left = warmUpPartsLeft();
  drawnFrame();
  EXPECT_EQ(warmUpPartsLeft(), left);
}

TEST_F(FrameSavings, TheParticleFieldInOneGoIsEveryParticleDrawnAlone) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (const glm::mat4& model : particleModels) drawParticle(model);
  const std::vector<uint8_t> alone = readPixels(0, 0, windowWidth, windowHeight);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const GlSnapshot state = GlSnapshot::take();
  drawParticleField();
  EXPECT_TRUE(readPixels(0, 0, windowWidth, windowHeight) == alone);
  EXPECT_TRUE(GlSnapshot::take().depthMask == state.depthMask);
  // The field is seen at all: some specks are lit.
  size_t lit = 0;
  for (size_t i = 0; i < alone.size(); i += 4) lit += alone[i] > 0 ? 1 : 0;
  EXPECT_GT(lit, 100u);
}
