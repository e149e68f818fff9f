// The committed sprite sheets on screen: every sheet, loaded by the game with its own flags and
// drawn by the game's UI and scene draws, shows frame f upright, in reading order of the picture.
#include <glad/gl.h>
#include <stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>
#include <string>
#include <vector>

#include "app/data/camera.h"
#include "gl/render_test_support.h"
#include "ui/ui_elements.h"

namespace {

struct Sheet {
  const char* file;
  bool keepRowOrder;        // as the game loads it
  const uint32_t* texture;  // the global the game loads it into
};

const Sheet sheets[] = {
    {"res/player-sheet.png", true, &playerSheetTexture},
    {"res/diskette_unlock_sheet2.png", false, &disketteUnlockTexture},
    {"res/boost-sheet.png", false, &boostSheetTexture},
    {"res/confetti-sheet.png", false, &confettiSheetTexture},
    {"res/rfid_sheet_1024.png", false, &itemTextures[0]},
    {"res/+512.png", false, &itemTextures[1]},
    {"res/+128.png", false, &itemTextures[2]},
    {"res/+1024.png", false, &itemTextures[3]},
    {"res/2x.png", false, &itemTextures[4]},
    {"res/4x.png", false, &itemTextures[5]},
    {"res/8x.png", false, &itemTextures[6]},
    {"res/diskette_sheet_1024.png", false, &itemTextures[7]},
    {"res/box_randomizer.png", false, &itemTextures[8]},
    {"res/zell-sheet3.png", false, &zellSheetTexture},
};

// The file's pixels as a viewer sees the picture (top row first), premultiplied as the game's
// loader does, so that drawn over black they are exactly what reaches the window.
struct Expected {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  int cellW() const { return width / 6; }
  int cellH() const { return height / 5; }
  // Pixel (x, y) of frame f, y from the top of the frame.
  Rgba at(int f, int x, int y) const {
    const uint8_t* p =
        &rgba[(static_cast<size_t>((f / 6) * cellH() + y) * width + (f % 6) * cellW() + x) * 4];
    const float a = static_cast<float>(p[3]) / 255.0f;
    return {static_cast<uint8_t>(static_cast<float>(p[0]) * a),
            static_cast<uint8_t>(static_cast<float>(p[1]) * a),
            static_cast<uint8_t>(static_cast<float>(p[2]) * a), 255};
  }
};

Expected expectedPicture(const Sheet& s) {
  Expected e;
  int channels = 0;
  // A sheet loaded with its rows kept is stored upside down; undo that to see it as meant.
  stbi_set_flip_vertically_on_load(s.keepRowOrder ? 1 : 0);
  unsigned char* px = stbi_load(s.file, &e.width, &e.height, &channels, 4);
  stbi_set_flip_vertically_on_load(0);
  if (px != nullptr) {
    e.rgba.assign(px, px + static_cast<size_t>(e.width) * e.height * 4);
    stbi_image_free(px);
  }
  return e;
}

// Mean and worst channel difference between the window rectangle (left, top, y down) and frame f
// of the expected picture, or its columns from `firstColumn` on, `columns` wide.
struct Difference {
  double mean = 0.0;
  int worst = 0;
};
Difference compareFrame(const Expected& e, int f, int left, int top, int firstColumn = 0,
                        int columns = 0) {
  const int w = columns > 0 ? columns : e.cellW(), h = e.cellH();
  const std::vector<uint8_t> got = readPixels(left, windowHeight - top - h, w, h);
  Difference d;
  long sum = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      // readPixels rows run bottom-up.
      const uint8_t* g = &got[(static_cast<size_t>(h - 1 - y) * w + x) * 4];
      const Rgba want = e.at(f, firstColumn + x, y);
      for (int k = 0; k < 3; ++k) {
        const int diff = std::abs(static_cast<int>(g[k]) - static_cast<int>((&want.r)[k]));
        sum += diff;
        d.worst = std::max(d.worst, diff);
      }
    }
  }
  d.mean = static_cast<double>(sum) / (3.0 * w * h);
  return d;
}

constexpr int frames[] = {0, 1, 5, 6, 13, 24, 29};

}  // namespace

TEST(AssetFrames, EverySheetShowsItsFramesUprightThroughTheUiDraw) {
  ASSERT_TRUE(prepareRenderer());
  for (const Sheet& s : sheets) {
    SCOPED_TRACE(s.file);
    const Expected e = expectedPicture(s);
    ASSERT_FALSE(e.rgba.empty());
    ASSERT_NE(*s.texture, 0u);
    // One screen pixel per texel, so the window holds the cell's own pixels.
    UiElement el;
    el.anchor = 0;
    el.x = 100.0 / windowWidth;
    el.y = 50.0 / windowHeight;
    el.width = static_cast<float>(e.cellW()) / static_cast<float>(windowWidth);
    el.height = static_cast<float>(e.cellH()) / static_cast<float>(windowHeight);
    el.textureId = static_cast<int32_t>(*s.texture);
    el.useSpriteSheet = true;
    el.cols = 6;
    el.rows = 5;
    for (int f : frames) {
      SCOPED_TRACE(f);
      el.frameIndex = f;
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      drawUiSprite(el);
      const Difference d = compareFrame(e, f, 100, 50);
      EXPECT_LT(d.mean, 1.5);
      EXPECT_LE(d.worst, 24);
    }
  }
}

TEST(AssetFrames, EverySheetShowsItsFramesUprightInTheScene) {
  ASSERT_TRUE(prepareRenderer());
  const glm::mat4 savedView = view, savedProjection = projection;
  // A pixel-exact camera: one world unit per window pixel, y up, origin at the bottom-left.
  view = glm::mat4(1.0f);
  projection = glm::ortho(0.0f, static_cast<float>(windowWidth), 0.0f,
                          static_cast<float>(windowHeight), -1.0f, 1.0f);
  for (const Sheet& s : sheets) {
    SCOPED_TRACE(s.file);
    const Expected e = expectedPicture(s);
    ASSERT_FALSE(e.rgba.empty());
    // Scene quads are square: a cell wider than tall shows its square middle, one texel to a
    // pixel when the quad is as large as the cell is tall.
    const int side = std::min(e.cellW(), e.cellH());
    const int firstColumn = (e.cellW() - side) / 2;
    const int left = 300, top = 80;
    const float cx = static_cast<float>(left) + 0.5f * static_cast<float>(side);
    const float cy = static_cast<float>(windowHeight - top) - 0.5f * static_cast<float>(e.cellH());
    glm::mat4 model = glm::translate(glm::mat4(1.0f), glm::vec3(cx, cy, 0.0f));
    model =
        glm::scale(model, glm::vec3(static_cast<float>(side), static_cast<float>(e.cellH()), 1.0f));
    for (int f : frames) {
      SCOPED_TRACE(f);
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      drawItem(model, *s.texture, glm::vec3(1.0f), true, f);
      const Difference d = compareFrame(e, f, left, top, firstColumn, side);
      EXPECT_LT(d.mean, 1.5);
      EXPECT_LE(d.worst, 24);
    }
  }
  view = savedView;
  projection = savedProjection;
}

TEST(AssetFrames, FramesPlayInOrderAndStandUprightOnScreen) {
  ASSERT_TRUE(prepareRenderer());
  auto draw = [](uint32_t texture, int f) {
    UiElement el;
    el.anchor = 2;
    el.x = 0.5;
    el.y = 0.5;
    el.width = 0.15f;
    el.height = 0.3f;
    el.textureId = static_cast<int32_t>(texture);
    el.useSpriteSheet = true;
    el.cols = 6;
    el.rows = 5;
    el.frameIndex = f;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawUiSprite(el);
  };
  // The gauge's charge glows green to cyan (its empty-tube warning is red): count green.
  auto chargePixels = [&](int f) {
    draw(boostSheetTexture, f);
    const std::vector<uint8_t> p = readPixels(0, 0, windowWidth, windowHeight);
    int lit = 0;
    for (size_t i = 0; i < p.size(); i += 4) lit += (p[i + 1] > 150 && p[i + 1] > p[i]) ? 1 : 0;
    return lit;
  };
  // Drawn one after the other, the gauge empties frame by frame: full at 0, empty at 29.
  int previous = 1 << 30;
  for (int f = 0; f < 30; ++f) {
    const int lit = chargePixels(f);
    EXPECT_LE(lit, previous) << "boost frame " << f;
    previous = lit;
  }
  EXPECT_GT(chargePixels(0), 4 * chargePixels(29));
  // The player's craft hovers over its magenta light pool: pool below, in every frame shown.
  for (int f : {0, 10, 20, 29}) {
    UiElement el;
    el.anchor = 0;
    el.x = 0.0;
    el.y = 0.0;
    el.width = 256.0f / static_cast<float>(windowWidth);
    el.height = 256.0f / static_cast<float>(windowHeight);
    el.textureId = static_cast<int32_t>(playerSheetTexture);
    el.useSpriteSheet = true;
    el.cols = 6;
    el.rows = 5;
    el.frameIndex = f;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawUiSprite(el);
    auto magenta = [](int topRow, int rows) {
      const std::vector<uint8_t> p = readPixels(0, windowHeight - topRow - rows, 256, rows);
      int n = 0;
      for (size_t i = 0; i < p.size(); i += 4) {
        n += (p[i] > 90 && p[i + 2] > 90 && p[i + 1] < 60) ? 1 : 0;
      }
      return n;
    };
    EXPECT_GT(magenta(192, 64), magenta(0, 64) + 50) << "player frame " << f;
  }
  // The confetti bursts and has vanished by the frame it ends on.
  draw(confettiSheetTexture, 8);
  EXPECT_GT(litPixels(windowWidth, windowHeight, 30).lit, 500);
  draw(confettiSheetTexture, 29);
  EXPECT_EQ(litPixels(windowWidth, windowHeight, 0).lit, 0);
}
