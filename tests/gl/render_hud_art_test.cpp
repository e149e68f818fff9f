// The HUD's pictures keep their shape on screen: drawn in the play screen's layout, each shows the
// proportions of its art, so a round token stays round; the scene's square quads keep them too.
#include <glad/gl.h>
#include <stb_image.h>

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>
#include <string>
#include <vector>

#include "app/data/camera.h"
#include "app/data/run_state.h"
#include "gl/render_test_support.h"
#include "sim/generation.h"
#include "sim/random.h"
#include "ui/hud.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"

namespace {

constexpr int inkThreshold = 96;     // a channel above this is the picture's body, not its glow
constexpr double aspectSlack = 0.1;  // a pixel or two of filtering at each end of a shape

// Bounding box of the inked pixels; its proportions are the shape's.
struct Ink {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  void add(int x, int y) {
    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  }
  bool found() const { return x1 >= x0 && y1 >= y0; }
  double aspect() const { return static_cast<double>(x1 - x0 + 1) / (y1 - y0 + 1); }
};

bool inked(const uint8_t* rgb) {
  return std::max<int>(rgb[0], std::max<int>(rgb[1], rgb[2])) > inkThreshold;
}

// The art of frame `frame` in a picture the game loads flipped (so the file stands upright),
// premultiplied as the loader makes it: over black it is what the window shows.
struct Art {
  int width = 0, height = 0, cellW = 0, cellH = 0;
  std::vector<uint8_t> rgba;
  Art(const std::string& file, bool sheet) {
    int channels = 0;
    stbi_set_flip_vertically_on_load(0);
    unsigned char* px = stbi_load(file.c_str(), &width, &height, &channels, 4);
    if (px == nullptr) return;
    rgba.assign(px, px + static_cast<size_t>(width) * height * 4);
    stbi_image_free(px);
    for (size_t i = 0; i < rgba.size(); i += 4)
      for (int k = 0; k < 3; ++k)
        rgba[i + k] =
            static_cast<uint8_t>(rgba[i + k] * (static_cast<float>(rgba[i + 3]) / 255.0f));
    cellW = sheet ? width / 6 : width;
    cellH = sheet ? height / 5 : height;
  }
  // The ink of one frame, counting only the texels whose place on screen lies inside the window
  // when the cell is drawn over `rect`.
  Ink ink(int frame, const UiRect& rect) const {
    Ink k;
    const int left = (frame % 6) * cellW, top = (frame / 6) * cellH;
    for (int y = 0; y < cellH; ++y) {
      for (int x = 0; x < cellW; ++x) {
        const float sx =
            rect.x + (static_cast<float>(x) + 0.5f) * rect.w / static_cast<float>(cellW);
        const float sy =
            rect.y + (static_cast<float>(y) + 0.5f) * rect.h / static_cast<float>(cellH);
        if (sx < 0.0f || sy < 0.0f || sx >= static_cast<float>(windowWidth) ||
            sy >= static_cast<float>(windowHeight))
          continue;
        if (inked(&rgba[(static_cast<size_t>(top + y) * width + left + x) * 4])) k.add(x, y);
      }
    }
    return k;
  }
};

// The ink of the window inside `rect` (y downward).
Ink windowInk(const UiRect& rect) {
  const std::vector<uint8_t> p = readPixels(0, 0, windowWidth, windowHeight);
  Ink k;
  const int x0 = std::max(0, static_cast<int>(rect.x)), y0 = std::max(0, static_cast<int>(rect.y));
  const int x1 = std::min(windowWidth, static_cast<int>(rect.x + rect.w) + 1);
  const int y1 = std::min(windowHeight, static_cast<int>(rect.y + rect.h) + 1);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (inked(&p[(static_cast<size_t>(windowHeight - 1 - y) * windowWidth + x) * 4])) k.add(x, y);
  return k;
}

// Draws the current screen's UI with only element `shown` and no text, as the UI pass does.
void drawAlone(int shown) {
  for (int i = 0; i < uiElementCount; ++i) uiElements[i].visible = i == shown;
  for (UiText& t : uiTexts) {
    t.visible = false;
    t.valueKind = 0;  // nothing flies or adds to the score while the pass runs
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  uiPass();
}

struct Shown {
  const char* file;
  int element;
  int frame;
  bool sheet;
  bool round;
};

void expectShapeKept(const Shown& s) {
  SCOPED_TRACE(s.file);
  const Art art(std::string(NAVRO_SOURCE_DIR) + "/res/" + s.file, s.sheet);
  ASSERT_FALSE(art.rgba.empty());
  uiElements[s.element].frameIndex = s.frame;
  drawAlone(s.element);
  const UiRect rect = uiRectangle(uiElements[s.element], windowWidth, windowHeight);
  const Ink drawn = windowInk(rect);
  const Ink meant = art.ink(s.frame, rect);
  ASSERT_TRUE(drawn.found());
  ASSERT_TRUE(meant.found());
  EXPECT_NEAR(drawn.aspect() / meant.aspect(), 1.0, aspectSlack)
      << "drawn " << drawn.aspect() << ", art " << meant.aspect();
  if (s.round) {
    EXPECT_NEAR(drawn.aspect(), 1.0, aspectSlack) << "a token shows round";
  }
}

}  // namespace

TEST(HudArt, EveryHudPictureShowsTheShapeOfItsArt) {
  ASSERT_TRUE(prepareRenderer());
  runSeed = 777;
  startRun();
  // Every icon of the column and every held slot filled, as late in a good run.
  TunnelObject card{}, token512{}, token128{}, token1024{}, times2{}, times4{}, times8{};
  card.textureId = itemTextures[0];
  token512.textureId = itemTextures[1];
  token128.textureId = itemTextures[2];
  token1024.textureId = itemTextures[3];
  times2.textureId = itemTextures[4];
  times4.textureId = itemTextures[5];
  times8.textureId = itemTextures[6];
  TunnelObject* const savedHeld[3] = {heldItems[0], heldItems[1], heldItems[2]};
  for (TunnelObject*& slot : heldItems) slot = &card;
  last512 = &token512, last128 = &token128, last1024 = &token1024;
  last2x = &times2, last4x = &times4, last8x = &times8;
  showScreen(screenPlay);

  const Shown hud[] = {
      {"zell-sheet3.png", 16, 0, true, false},
      {"8x.png", 25, 0, true, false},
      {"4x.png", 24, 0, true, false},
      {"2x.png", 26, 0, true, false},
      {"+1024.png", 20, 0, true, true},
      {"+512.png", 21, 0, true, true},
      {"+128.png", 22, 0, true, true},
      {"rfid_sheet_1024.png", 10, 0, true, false},
      {"rfid_sheet_1024.png", 12, 7, true, false},
      {"boost-sheet.png", 0, 0, true, false},
      {"item-hub.png", 14, 0, false, false},
  };
  for (const Shown& s : hud) expectShapeKept(s);
  // The run owns what its slots point to: the borrowed records go before anything frees them.
  for (int k = 0; k < 3; ++k) heldItems[k] = savedHeld[k];
  last512 = last128 = last1024 = last2x = last4x = last8x = nullptr;

  // The prize roll's diskette, on the frame it rests on: its ring round about the prize.
  showScreen(screenItemBox);
  expectShapeKept({"diskette_unlock_sheet2.png", 2, 29, true, false});
  showScreen(screenPlay);
}

TEST(HudArt, TheSceneShowsTheSameTokensRoundOnItsSquareQuads) {
  ASSERT_TRUE(prepareRenderer());
  const glm::mat4 savedView = view, savedProjection = projection;
  // One world unit per window pixel, so the quad is a square of 200 pixels.
  view = glm::mat4(1.0f);
  projection = glm::ortho(0.0f, static_cast<float>(windowWidth), 0.0f,
                          static_cast<float>(windowHeight), -1.0f, 1.0f);
  const glm::mat4 model =
      glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(640.0f, 360.0f, 0.0f)),
                 glm::vec3(200.0f, 200.0f, 1.0f));
  for (int k : {1, 2, 3}) {
    SCOPED_TRACE(k);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawItem(model, itemTextures[k], glm::vec3(1.0f), true, 0);
    const Ink drawn = windowInk({540.0f, 260.0f, 200.0f, 200.0f});
    ASSERT_TRUE(drawn.found());
    EXPECT_NEAR(drawn.aspect(), 1.0, aspectSlack);
    // The token fills most of its quad, as it did before its cell grew wider.
    EXPECT_GT(drawn.x1 - drawn.x0, 120);
  }
  view = savedView;
  projection = savedProjection;
}
