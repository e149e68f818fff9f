// Whole frames of a fresh run, read back from the window: wireframe, blade, player, screens.
#include <glad/gl.h>

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>
#include <vector>

#include "app/data/camera.h"
#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
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

// The whole window read back once; pixels addressed with y downward.
struct WindowPixels {
  std::vector<uint8_t> p = readPixels(0, 0, windowWidth, windowHeight);
  Rgba at(int x, int yFromTop) const {
    const uint8_t* q = &p[(static_cast<size_t>(windowHeight - 1 - yFromTop) * windowWidth + x) * 4];
    return {q[0], q[1], q[2], q[3]};
  }
};

int brightness(Rgba p) { return std::max<int>(p.r, std::max<int>(p.g, p.b)); }

bool samePixels(const std::vector<Rgba>& a, const std::vector<Rgba>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](Rgba p, Rgba q) { return p.r == q.r && p.g == q.g && p.b == q.b; });
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

  // The window pixels of the top face from depth z0 to z1 (z1 nearer), one row per step, kept
  // `inset` pixels clear of its two long edges.
  std::vector<Rgba> topFace(const WindowPixels& w, float z0, float z1, int inset = 4) const {
    std::vector<Rgba> out;
    int lastRow = -1;
    for (float z = z0; z <= z1; z += 0.05f) {
      const glm::ivec2 a = toWindow(tunnelCorner(0, z)), b = toWindow(tunnelCorner(1, z));
      const int row = (a.y + b.y) / 2;
      if (row == lastRow || row < 0 || row >= windowHeight) continue;
      lastRow = row;
      const int left = std::max(std::min(a.x, b.x) + inset, 0);
      const int right = std::min(std::max(a.x, b.x) - inset, windowWidth - 1);
      for (int x = left; x <= right; ++x) out.push_back(w.at(x, row));
    }
    return out;
  }

  // The player sprite drawn fully transparent, so that the face under it can be seen.
  void hidePlayer() {
    ScratchDir dir;
    writePng(dir.file("clear.png"), 1, 1, 4, {0, 0, 0, 0});
    player.textureId = loadTexture(dir.file("clear.png").c_str(), false, false, false);
  }

  float radius = 0.0f;
  glm::mat4 platformModel{1.0f};
  uint32_t sheet = 0;
};

}  // namespace

TEST_F(FreshRunFrame, ShowsWhiteEdgesDarkFacesARedBladeAndThePlayer) {
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

  // The top face (lane 0 between corners 0 and 1): white long edges, a dark face between them.
  for (float z : {55.0f, 60.0f}) {
    SCOPED_TRACE(z);
    const glm::vec3 a = tunnelCorner(0, z);
    const glm::vec3 b = tunnelCorner(1, z);
    EXPECT_TRUE(anyNear(toWindow(a), 2, isWhite));
    EXPECT_TRUE(anyNear(toWindow(b), 2, isWhite));
    const Rgba face = pixelAt(toWindow((a + b) * 0.5f).x, toWindow((a + b) * 0.5f).y);
    EXPECT_LT(brightness(face), 128);
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

TEST_F(FreshRunFrame, TheFaceUnderTheShipGlowsDarklyWithItsLinesAndFadesWithDistance) {
  hidePlayer();
  for (Barrier* b : world->barriers[0])
    if (b != nullptr) b->model = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -400.0f));
  renderFrame();
  dumpWindow("tunnel-faces", windowWidth, windowHeight);
  const WindowPixels w;
  const std::vector<Rgba> under = topFace(w, 57.0f, 68.0f);
  ASSERT_GT(under.size(), 5000u);
  long sum = 0;
  size_t notBlack = 0;
  std::vector<int> levels;
  for (Rgba p : under) {
    sum += p.r + p.g + p.b;
    notBlack += brightness(p) > 10 ? 1 : 0;
    levels.push_back(brightness(p));
  }
  const double mean = static_cast<double>(sum) / (3.0 * 255.0 * static_cast<double>(under.size()));
  EXPECT_GT(mean, 0.02);
  EXPECT_LT(mean, 0.35);
  EXPECT_GT(notBlack, under.size() * 3 / 4) << "the lit face is mostly dark grey, not black";
  // Textured: bright lines over a darker ground.
  std::sort(levels.begin(), levels.end());
  EXPECT_GT(levels[levels.size() * 97 / 100] - levels[levels.size() / 10], 30);

  // The glow is the ship's: the same face far ahead is much darker.
  const std::vector<Rgba> far = topFace(w, 30.0f, 45.0f, 3);
  ASSERT_GT(far.size(), 100u);
  long farSum = 0;
  for (Rgba p : far) farSum += p.r + p.g + p.b;
  const double farMean =
      static_cast<double>(farSum) / (3.0 * 255.0 * static_cast<double>(far.size()));
  EXPECT_LT(farMean * 3.0, mean) << farMean << " far, " << mean << " under the ship";

  // The wireframe stays the brightest thing: every edge point outshines every face pixel.
  int faceBrightest = 0;
  for (Rgba p : topFace(w, 10.0f, 68.0f)) faceBrightest = std::max(faceBrightest, brightness(p));
  for (float z : {15.0f, 30.0f, 45.0f, 60.0f, 66.0f}) {
    for (int j : {0, 1}) {
      const glm::ivec2 at = toWindow(tunnelCorner(j, z));
      int edge = 0;
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
          edge = std::max(edge, brightness(w.at(at.x + dx, at.y + dy)));
      EXPECT_GT(edge, faceBrightest) << "edge " << j << " at z " << z;
    }
  }
}

TEST_F(FreshRunFrame, TheFacesScrollFromFrameToFrameTwiceAsFastWhenBoosting) {
  hidePlayer();
  DeltaTime = 0.03f;
  renderFrame();
  const std::vector<Rgba> before = topFace(WindowPixels(), 50.0f, 68.0f);
  renderFrame();
  const std::vector<Rgba> after = topFace(WindowPixels(), 50.0f, 68.0f);
  ASSERT_EQ(before.size(), after.size());
  size_t moved = 0;
  for (size_t i = 0; i < before.size(); ++i)
    moved += std::abs(brightness(before[i]) - brightness(after[i])) > 8;
  EXPECT_GT(moved, before.size() / 10) << "0.03 s later the lines have moved on";

  // Boosting doubles the speed: half the time gives the same picture.
  const float start = tunnelScroll;
  speed = cruiseSpeed;
  DeltaTime = 0.06f;
  renderFrame();
  const std::vector<Rgba> cruising = topFace(WindowPixels(), 50.0f, 68.0f);
  tunnelScroll = start;
  speed = boostSpeed;
  DeltaTime = 0.03f;
  renderFrame();
  const std::vector<Rgba> boosting = topFace(WindowPixels(), 50.0f, 68.0f);
  speed = cruiseSpeed;
  DeltaTime = 0.0f;
  size_t differing = 0;
  for (size_t i = 0; i < cruising.size(); ++i)
    differing += std::abs(brightness(cruising[i]) - brightness(boosting[i])) > 2;
  EXPECT_LT(differing, cruising.size() / 200);
}

TEST_F(FreshRunFrame, ABladesLinesFlowUpItAsItTravels) {
  hidePlayer();
  // A blade close to the ship, large on screen.
  constexpr float nearDepth = 61.0f;
  Barrier* blade = world->barriers[0][0];
  platformModel = glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -radius, nearDepth)),
                              tunnelAngle, glm::vec3(0.0f, 0.0f, 1.0f));
  MeshVertex v[6];
  barrierVertices(currentSides, blade->lane, v);
  int x0 = windowWidth, x1 = 0, y0 = windowHeight, y1 = 0;
  for (int k = 0; k < 3; ++k) {
    const glm::ivec2 at = toWindow(glm::vec3(platformModel * glm::vec4(v[k].position, 1.0f)));
    x0 = std::min(x0, at.x), x1 = std::max(x1, at.x), y0 = std::min(y0, at.y),
    y1 = std::max(y1, at.y);
  }
  ASSERT_GT(y1 - y0, 60) << "the blade is large enough to read its lines";
  // The blade as it would stand after travelling `travel` further, yet drawn where it is now: the
  // mesh lies at local z = -0.5, so stretching the model's z axis by k and moving its origin by
  // (k - 1) / 2 keeps every vertex in place while the origin, the blade's distance, moves on.
  auto drawBladeTravelled = [&](float travel) {
    glm::mat4 m = platformModel;
    const float k = 1.0f + 2.0f * travel;
    m[2] *= k;
    m[3].z += travel;
    blade->model = m;
    renderFrame();
    std::vector<Rgba> inside;
    const WindowPixels w;
    // The middle of the triangle's box lies inside it.
    for (int y = y0 + (y1 - y0) / 3; y <= y1 - 3; ++y)
      for (int x = (x0 + x1) / 2 - 4; x <= (x0 + x1) / 2 + 4; ++x) inside.push_back(w.at(x, y));
    return inside;
  };
  const std::vector<Rgba> now = drawBladeTravelled(0.0f);
  EXPECT_TRUE(samePixels(now, drawBladeTravelled(0.0f))) << "the same blade draws the same";
  // 0.03 s at cruising speed.
  const std::vector<Rgba> later = drawBladeTravelled(cruiseSpeed * 0.03f);
  ASSERT_EQ(now.size(), later.size());
  size_t moved = 0;
  for (size_t i = 0; i < now.size(); ++i) {
    EXPECT_TRUE(isRed(now[i]) && isRed(later[i])) << "pixel " << i;
    moved += std::abs(now[i].r - later[i].r) > 20 ? 1 : 0;
  }
  EXPECT_GT(moved, now.size() / 20);
}

TEST_F(FreshRunFrame, TheFacesCarryTheLinesWhateverTextureUnitZeroHeld) {
  hidePlayer();
  uint32_t solidGreen = 0;
  {
    ScratchDir dir;
    writePng(dir.file("green.png"), 1, 1, 3, {0, 220, 0});
    solidGreen = loadTexture(dir.file("green.png").c_str(), false, false, true);
  }
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, linesTexture);
  renderFrame();
  const std::vector<Rgba> lines = topFace(WindowPixels(), 40.0f, 68.0f);
  // Every screen that shows the tunnel, after a frame or a draw that left something else bound.
  for (const int screen : {int{screenPlay}, 2, int{screenRunOver}, int{screenItemBox}}) {
    for (uint32_t held : {0u, solidGreen}) {
      SCOPED_TRACE(screen);
      currentScreen = screen;
      glBindTexture(GL_TEXTURE_2D, held);
      renderFrame();
      EXPECT_TRUE(samePixels(topFace(WindowPixels(), 40.0f, 68.0f), lines))
          << "unit 0 held " << held;
    }
  }
  currentScreen = screenPlay;
}
