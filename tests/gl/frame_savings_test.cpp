// Work saved on frames leaves them as they were: the driver's warm-up on the menus and the
// particle field drawn in one go give the same pixels and leave the same GL state.
#include <glad/gl.h>

#include <algorithm>
#include <vector>

#include "app/data/camera.h"
#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "gl/render_test_support.h"
#include "render/platform_draw.h"
#include "render/textures.h"
#include "render/warm_up.h"
#include "sim/frame_update.h"
#include "sim/generation.h"
#include "sim/random.h"
#include "ui/screens.h"

namespace {

constexpr int settleLimit = 200;
constexpr float settleStep = 0.1f;
constexpr GLuint highestNameChecked = 400;  // the pictures and the glyphs have lower names
constexpr float frameTime = 1.0f / 60.0f;   // seconds, a frame of a 60 Hz display

// Every state a draw operation may leave behind, the sampling of every texture, and the
// tunnel's scroll.
struct GlSnapshot {
  GLint program = 0, vertexArray = 0, arrayBuffer = 0, activeTexture = 0, texture = 0;
  GLboolean blend = GL_FALSE, depthMask = GL_FALSE, scissor = GL_FALSE;
  GLint scissorBox[4] = {};
  GLint blendFunction[4] = {};
  GLfloat lineWidth = 0.0f;
  float scroll = 0.0f;
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
    glGetIntegerv(GL_SCISSOR_BOX, s.scissorBox);
    glGetIntegerv(GL_BLEND_SRC_RGB, &s.blendFunction[0]);
    glGetIntegerv(GL_BLEND_DST_RGB, &s.blendFunction[1]);
    glGetIntegerv(GL_BLEND_SRC_ALPHA, &s.blendFunction[2]);
    glGetIntegerv(GL_BLEND_DST_ALPHA, &s.blendFunction[3]);
    glGetFloatv(GL_LINE_WIDTH, &s.lineWidth);
    s.scroll = tunnelScroll;
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
           depthMask == o.depthMask && scissor == o.scissor &&
           std::equal(scissorBox, scissorBox + 4, o.scissorBox) &&
           std::equal(blendFunction, blendFunction + 4, o.blendFunction) &&
           lineWidth == o.lineWidth && scroll == o.scroll && sampling == o.sampling;
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
  // A run under way with its eight platforms and their objects in view; the frames that follow
  // advance it by a real frame time, as the game's own do.
  void standMidRun() {
    runSeed = 12345;
    startRun();
    for (int i = 0; i < settleLimit && currentScreen == screenPlay && activePlatforms[7] == -1;
         ++i) {
      DeltaTime = settleStep;
      updateFrame();
    }
    ASSERT_EQ(currentScreen, screenPlay);
    DeltaTime = frameTime;
  }
  // `count` main menu frames from the menu's start, each a real frame time after the last.
  static std::vector<std::vector<uint8_t>> menuFrames(int count) {
    showScreen(screenMainMenu);
    DeltaTime = frameTime;
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < count; ++i) frames.push_back(drawnFrame());
    return frames;
  }
};

}  // namespace

TEST_F(FrameSavings, TheWholeWarmUpChangesNeitherTheNextFrameNorAnyState) {
  standMidRun();
  // The frames compared move nothing; the warm-up draws between them see a real frame time, so
  // anything they moved (the tunnel's scroll, a sprite's frame) would show.
  DeltaTime = 0.0f;
  const std::vector<uint8_t> before = drawnFrame();
  const GlSnapshot state = GlSnapshot::take();
  DeltaTime = frameTime;
  restartWarmUp();
  int drawn = 0;
  while (warmUpDrawsLeft() > 0) drawn += warmUpNextDraw() ? 1 : 0;
  DeltaTime = 0.0f;
  // The untextured scene, the glyphs, and every picture of the texture list each way it is shown.
  int shown = 3;
  for (int i = 0; i < pictureCount(); ++i)
    shown += (pictureDrawnBy(i, PictureUse::scene) ? 1 : 0) +
             (pictureDrawnBy(i, PictureUse::ui) ? 1 : 0);
  EXPECT_EQ(drawn, shown);
  EXPECT_TRUE(GlSnapshot::take() == state);
  EXPECT_TRUE(drawnFrame() == before);
  EXPECT_FALSE(warmUpNextDraw());  // done: later frames pay nothing
}

TEST_F(FrameSavings, MenuFramesThatWarmUpShowWhatTheyShowedBefore) {
  // Warmed up already, the menu's frames are plain; drawn again from the menu's start with the
  // warm-up restarted, each frame from the second on makes one warm-up draw before its clear,
  // through every warm-up draw, and still shows the same pixels.
  restartWarmUp();
  while (warmUpDrawsLeft() > 0) warmUpNextDraw();
  drawnFrame();  // any first frame of the process is left out of the warm-up
  restartWarmUp();
  const int warmUpDraws = warmUpDrawsLeft();
  while (warmUpDrawsLeft() > 0) warmUpNextDraw();
  const float scroll = tunnelScroll;
  const std::vector<std::vector<uint8_t>> plain = menuFrames(warmUpDraws + 2);
  restartWarmUp();
  showScreen(screenMainMenu);
  for (int frame = 0; frame < warmUpDraws + 2; ++frame) {
    const int left = warmUpDrawsLeft();
    EXPECT_TRUE(drawnFrame() == plain[static_cast<size_t>(frame)]) << "menu frame " << frame;
    EXPECT_EQ(warmUpDrawsLeft(), std::max(left - 1, 0));
  }
  EXPECT_EQ(warmUpDrawsLeft(), 0);
  EXPECT_EQ(tunnelScroll, scroll) << "the warm-up moved the tunnel's scroll";
  // The scene's screens never warm up: their frames have no time to spare.
  standMidRun();
  restartWarmUp();
  drawnFrame();
  EXPECT_EQ(warmUpDrawsLeft(), warmUpDraws);
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
