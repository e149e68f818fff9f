// Whole frames of a fresh run, read back from the window: wireframe, blade, player, screens.
#include <glad/gl.h>

#include <glm/gtc/matrix_transform.hpp>

#include "app/run_state.h"
#include "app/shell.h"
#include "gl/render_test_support.h"
#include "render/platform_draw.h"
#include "sim/frame_update.h"
#include "sim/generation.h"
#include "sim/random.h"
#include "ui/screens.h"

namespace {

constexpr float tunnelStretch = 400.0f;
constexpr float bladeDepth = 40.0f;

// Window pixel (y downward) of a world point.
glm::ivec2 toWindow(glm::vec3 world) {
  const glm::vec4 clip = projection * view * glm::vec4(world, 1.0f);
  const glm::vec3 ndc = glm::vec3(clip) / clip.w;
  return {static_cast<int>((ndc.x * 0.5f + 0.5f) * windowWidth),
          static_cast<int>((0.5f - ndc.y * 0.5f) * windowHeight)};
}

bool isWhite(Rgba p) { return p.r > 150 && std::abs(p.r - p.g) < 12 && std::abs(p.g - p.b) < 12; }

bool isRed(Rgba p) { return p.r > 100 && p.g < 40 && p.b < 40; }

// Whether any pixel within `radius` of `at` passes `test`.
template <typename Test>
bool anyNear(glm::ivec2 at, int radius, Test test) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx)
      if (test(pixelAt(at.x + dx, at.y + dy))) return true;
  return false;
}

// A fresh run with lane 0 on top, placed the way a run shows it: the tunnel turned to the lane,
// stretched along the axis and lowered so its top face carries the player; platform 0 ahead.
class FreshRunFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(prepareRenderer());
    runSeed = 12345;
    startRun();
    currentScreen = screenPlay;
    DeltaTime = 0.0f;
    const int n = currentSides;
    radius = polygonRadius[n];
    tunnelAngle = targetAngle;
    tunnelModel = glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -radius, 0.0f)),
                              tunnelAngle, glm::vec3(0.0f, 0.0f, 1.0f));
    tunnelModel = glm::scale(tunnelModel, glm::vec3(1.0f, 1.0f, tunnelStretch));
    platformModel =
        glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -radius, bladeDepth)),
                    tunnelAngle, glm::vec3(0.0f, 0.0f, 1.0f));
    // The first blade is put on the top lane, in full view.
    world->barriers[0][0]->lane = 0;
    for (Barrier* b : world->barriers[0])
      if (b != nullptr) b->model = platformModel;
    // Objects of the platform are moved out of the way of the blade and the checked faces.
    const glm::mat4 away = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -400.0f));
    if (world->diamonds[0] != nullptr) world->diamonds[0]->model = away;
    if (world->items[0] != nullptr) world->items[0]->model = away;
    if (world->doors[0] != nullptr) world->doors[0]->model = away;
    player.textureId = sheet;
    player.frameIndex = 0;
    player.frameTime = 0.0f;
  }

  // World position of the centre of lane j's blade.
  glm::vec3 bladePoint(int lane) const {
    MeshVertex v[6];
    barrierVertices(currentSides, lane, v);
    const glm::vec3 local = (v[0].position + v[1].position + v[2].position) / 3.0f;
    return glm::vec3(platformModel * glm::vec4(local, 1.0f));
  }

  // World position of corner j of the tunnel's cross-section at depth z.
  glm::vec3 tunnelCorner(int j, float z) const {
    const glm::vec3 c = polygonVertices[currentSides][j];
    glm::vec3 w = glm::vec3(tunnelModel * glm::vec4(c.x, c.y, 0.0f, 1.0f));
    w.z = z;
    return w;
  }

  float radius = 0.0f;
  glm::mat4 platformModel{1.0f};
  uint32_t sheet = 0;
};

}  // namespace

TEST_F(FreshRunFrame, ShowsWhiteEdgesBlackFacesARedBladeAndThePlayer) {
  uint32_t solidGreen = 0;
  {
    ScratchDir dir;
    writePng(dir.file("green.png"), 1, 1, 4, {0, 220, 0, 255});
    solidGreen = loadTexture(dir.file("green.png").c_str(), false, false, false);
  }
  player.textureId = solidGreen;
  for (int i = 0; i < 3; ++i) {
    renderFrame();
    swapGlBuffers();
  }
  renderFrame();
  dumpWindow("fresh-run", windowWidth, windowHeight);

  // The top face (lane 0 between corners 0 and 1): white long edges, black between them.
  for (float z : {55.0f, 60.0f}) {
    SCOPED_TRACE(z);
    const glm::vec3 a = tunnelCorner(0, z);
    const glm::vec3 b = tunnelCorner(1, z);
    EXPECT_TRUE(anyNear(toWindow(a), 2, isWhite));
    EXPECT_TRUE(anyNear(toWindow(b), 2, isWhite));
    const Rgba face = pixelAt(toWindow((a + b) * 0.5f).x, toWindow((a + b) * 0.5f).y);
    EXPECT_LT(face.r + face.g + face.b, 30);
  }

  // The blade of platform 0 stands red on its lane.
  const Barrier* blade = world->barriers[0][0];
  ASSERT_NE(blade, nullptr);
  const glm::ivec2 at = toWindow(bladePoint(blade->lane));
  EXPECT_TRUE(anyNear(at, 1, isRed)) << "at " << at.x << "," << at.y;
  // With the game's stripes loaded, the blade's red varies across it and stays red throughout.
  GLint linesWidth = 0;
  glBindTexture(GL_TEXTURE_2D, linesTexture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &linesWidth);
  if (linesWidth > 0) {
    int darkest = 255, brightest = 0;
    for (int dy = -4; dy <= 4; ++dy) {
      for (int dx = -4; dx <= 4; ++dx) {
        const Rgba q = pixelAt(at.x + dx, at.y + dy);
        EXPECT_LT(q.g, 40);
        darkest = std::min<int>(darkest, q.r);
        brightest = std::max<int>(brightest, q.r);
      }
    }
    EXPECT_GT(brightest - darkest, 40);
    EXPECT_GT(darkest, 40);
  }

  // The player rides at the centre bottom of the view.
  const glm::ivec2 p = toWindow(playerPosition);
  EXPECT_NEAR(p.x, windowWidth / 2, 2);
  EXPECT_GT(p.y, windowHeight / 2);
  const Rgba body = pixelAt(p.x, p.y);
  EXPECT_LT(body.r, 20);
  EXPECT_GT(body.g, 200);
  EXPECT_LT(body.b, 20);
}

TEST_F(FreshRunFrame, ScreenOneShowsOnlyTheClearColour) {
  currentScreen = 1;
  renderFrame();
  EXPECT_EQ(litPixels(windowWidth, windowHeight, 0).lit, 0);
  currentScreen = 12;
  renderFrame();
  EXPECT_EQ(litPixels(windowWidth, windowHeight, 0).lit, 0);
  currentScreen = screenPlay;
}

TEST_F(FreshRunFrame, AnimationAndScrollAdvanceOnlyWhileTheSceneIsDrawn) {
  DeltaTime = 0.1f;
  tunnelScroll = 0.0f;
  currentScreen = screenMainMenu;
  renderFrame();
  EXPECT_EQ(player.frameIndex, 0);
  EXPECT_EQ(tunnelScroll, 0.0f);
  EXPECT_FALSE(anyNear(toWindow(bladePoint(world->barriers[0][0]->lane)), 1, isRed));

  currentScreen = screenPlay;
  renderFrame();
  EXPECT_EQ(player.frameIndex, 2);  // 0.1 s is two frames of a 30-frame second, not three
  EXPECT_FLOAT_EQ(tunnelScroll, 35.0f * 0.1f / 100.0f);
  DeltaTime = 0.0f;
}
