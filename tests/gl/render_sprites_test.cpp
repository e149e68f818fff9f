// Quads and text on screen: sprite-sheet cells, premultiplied blending, glyph orientation, fonts.
#include <glad/gl.h>

#include <cstring>
#include <glm/gtc/matrix_transform.hpp>

#include "app/data/camera.h"
#include "gl/render_test_support.h"
#include "ui/ui_elements.h"

namespace {

constexpr int cellPixels = 10;

// Colour of sheet cell (col, row), rows counted from the top of the picture as viewed.
Rgba cellColour(int frame) {
  const int col = frame % 6;
  const int row = frame / 6;
  return {static_cast<uint8_t>(col * 40 + 20), static_cast<uint8_t>(row * 50 + 20), 200, 255};
}

// A 6 x 5 sheet whose every cell has its own colour, uploaded flipped like the game's sheets.
uint32_t cellSheet() {
  static uint32_t texture = 0;
  if (texture != 0) return texture;
  std::vector<uint8_t> p(6 * cellPixels * 5 * cellPixels * 4);
  for (int y = 0; y < 5 * cellPixels; ++y) {
    for (int x = 0; x < 6 * cellPixels; ++x) {
      const Rgba c = cellColour((y / cellPixels) * 6 + x / cellPixels);
      uint8_t* q = &p[(static_cast<size_t>(y) * 6 * cellPixels + x) * 4];
      q[0] = c.r;
      q[1] = c.g;
      q[2] = c.b;
      q[3] = c.a;
    }
  }
  ScratchDir dir;
  writePng(dir.file("cells.png"), 6 * cellPixels, 5 * cellPixels, 4, p);
  texture = loadTexture(dir.file("cells.png").c_str(), true, false, false);
  return texture;
}

void expectNear(Rgba got, Rgba want, int tolerance = 2) {
  EXPECT_NEAR(got.r, want.r, tolerance);
  EXPECT_NEAR(got.g, want.g, tolerance);
  EXPECT_NEAR(got.b, want.b, tolerance);
}

void expectBlendStateRestored() {
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_EQ(depthWrites, GL_TRUE);
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
}

UiElement centredElement(int32_t texture) {
  UiElement e;
  e.anchor = 2;
  e.x = 0.5;
  e.y = 0.5;
  e.width = 0.1f;
  e.height = 0.1f;
  e.textureId = texture;
  return e;
}

}  // namespace

TEST(SpriteDraw, SceneQuadShowsTheRequestedSheetCell) {
  ASSERT_TRUE(prepareRenderer());
  const uint32_t sheet = cellSheet();
  // A unit quad two units in front of the camera, centred on the middle of the window.
  const glm::mat4 model = glm::translate(glm::mat4(1.0f), cameraPos + 2.0f * cameraFront);
  for (int frame : {0, 7, 29}) {
    SCOPED_TRACE(frame);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawItem(model, sheet, glm::vec3(1.0f), true, frame);
    expectNear(pixelAt(windowWidth / 2, windowHeight / 2), cellColour(frame));
    expectBlendStateRestored();
  }
}

TEST(SpriteDraw, UiElementCoversItsRectangleWithPremultipliedBlending) {
  ASSERT_TRUE(prepareRenderer());
  ScratchDir dir;
  writePng(dir.file("half-red.png"), 1, 1, 4, {255, 0, 0, 128});
  const uint32_t halfRed = loadTexture(dir.file("half-red.png").c_str(), false, false, false);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawUiSprite(centredElement(static_cast<int32_t>(halfRed)));
  // Premultiplied 128 red over black stays 128; straight alpha blending would give 64.
  expectNear(pixelAt(640, 360), {128, 0, 0, 255});
  expectNear(pixelAt(577, 325), {128, 0, 0, 255});
  expectNear(pixelAt(703, 395), {128, 0, 0, 255});
  expectNear(pixelAt(574, 360), {0, 0, 0, 255}, 0);
  expectNear(pixelAt(640, 398), {0, 0, 0, 255}, 0);
  expectBlendStateRestored();
  GLint vao = -1;
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vao);
  EXPECT_EQ(vao, 0);

  UiElement sheet = centredElement(static_cast<int32_t>(cellSheet()));
  sheet.useSpriteSheet = true;
  sheet.cols = 6;
  sheet.rows = 5;
  for (int frame : {0, 11, 29}) {
    sheet.frameIndex = frame;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawUiSprite(sheet);
    expectNear(pixelAt(640, 360), cellColour(frame));
  }
}

namespace {

UiText line(const char* s, int32_t anchor, float x, float y, float scale) {
  UiText t;
  std::strncpy(t.text, s, sizeof(t.text) - 1);
  t.anchor = anchor;
  t.x = x;
  t.y = y;
  t.scale = scale;
  return t;
}

// Loads the glyphs from a stand-in font so the test does not depend on the game's own file.
bool loadStandInFont(const ScratchDir& dir) {
  const char* font = systemFontPath();
  if (font == nullptr) return false;
  std::filesystem::create_directory(dir.file("fonts"));
  std::filesystem::copy_file(font, dir.file("fonts/HV.ttf"));
  WorkingDirectory in(dir.path());
  releaseGlyphs();
  loadGlyphs();
  return glyphs[int{'T'}].textureId != 0;
}

}  // namespace

TEST(TextDraw, GlyphsStandUprightAndRightAlignedTextEndsAtX) {
  ASSERT_TRUE(prepareRenderer());
  ScratchDir dir;
  if (!loadStandInFont(dir)) GTEST_SKIP() << "no stand-in TrueType font on this machine";
  EXPECT_GT(fontAscent, 0.0f);
  EXPECT_EQ(glyphs[int{' '}].width, 0);
  EXPECT_GT(glyphs[int{' '}].advance, 0);

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawText(line("T", 0, 0.25f, 0.25f, 0.004f));
  const PixelBox box = litPixels(windowWidth, windowHeight);
  ASSERT_GT(box.lit, 100);
  // The bar of a T is at its top: the top rows are lit across, the bottom rows only at the stem.
  auto rowWidth = [](int y) {
    int n = 0;
    const std::vector<uint8_t> p = readPixels(0, windowHeight - 1 - y, windowWidth, 1);
    for (int x = 0; x < windowWidth; ++x) n += p[static_cast<size_t>(x) * 4] > 40;
    return n;
  };
  EXPECT_GT(rowWidth(box.minY + 2), 3 * rowWidth(box.maxY - 2));
  // The top of the text line is y: the glyph top sits within the ascent below it.
  EXPECT_GE(box.minY, 180);
  EXPECT_LE(box.minY, 180 + static_cast<int>(fontAscent * 2.88f));

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawText(line("TTT", 1, 0.5f, 0.5f, 0.002f));
  const PixelBox right = litPixels(windowWidth, windowHeight);
  ASSERT_GT(right.lit, 0);
  EXPECT_LE(right.maxX, 640);
  EXPECT_GE(right.maxX, 640 - static_cast<int>(glyphs[int{'T'}].advance / 64 * 1.44f));

  // Blending is off for text: the empty corner of the T's quad must not blot out the backdrop.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  UiElement backdrop = centredElement(static_cast<int32_t>(cellSheet()));
  backdrop.width = 1.0f;
  backdrop.height = 1.0f;
  drawUiSprite(backdrop);
  const Rgba before = pixelAt(box.minX + 2, box.maxY - 2);
  drawText(line("T", 0, 0.25f, 0.25f, 0.004f));
  drawText(line("\x80\xff", 0, 0.25f, 0.25f, 0.004f));  // no glyphs: nothing drawn
  const Rgba after = pixelAt(box.minX + 2, box.maxY - 2);
  EXPECT_EQ(before.r, after.r);
  EXPECT_EQ(before.g, after.g);
  EXPECT_EQ(before.b, after.b);
  EXPECT_NE(before.b, 0);
  GLint vao = -1, texture = -1;
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vao);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  EXPECT_EQ(vao, 0);
  EXPECT_EQ(texture, 0);
}

TEST(TextDraw, MissingFontIsReportedAndTextDrawsNothing) {
  ASSERT_TRUE(prepareRenderer());
  ScratchDir dir;
  {
    WorkingDirectory in(dir.path());
    releaseGlyphs();
    beginCapture();
    loadGlyphs();
    EXPECT_EQ(endCapture(), "ERROR::FREETYPE: Failed to load font\n");
  }
  for (const Glyph& g : glyphs) EXPECT_EQ(g.textureId, 0u);
  EXPECT_NE(textVao, 0u);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawText(line("NAVRO 123", 2, 0.5f, 0.5f, 0.003f));
  EXPECT_EQ(litPixels(windowWidth, windowHeight, 0).lit, 0);
  // Put the game's own font back for whatever runs next.
  releaseGlyphs();
  loadGlyphs();
}
