// The CPU halves of drawing: premultiplied pixels, UI rectangles and text layout.
#include <gtest/gtest.h>

#include <cstring>
#include <glm/glm.hpp>

#include "render/sprite_draw.h"
#include "render/text.h"
#include "render/textures.h"
#include "ui/ui_elements.h"

TEST(Premultiply, ScalesColourByAlphaAndTruncates) {
  unsigned char pixels[] = {
      200, 100, 50,  128,  // half alpha: 200 * 0.50196 = 100.39 -> 100
      255, 17,  90,  0,    // transparent: colour vanishes
      12,  250, 255, 255,  // opaque: unchanged
      255, 255, 255, 1,    // the smallest alpha
  };
  premultiplyAlpha(pixels, 2, 2);
  const unsigned char expected[] = {100, 50, 25, 128, 0, 0, 0, 0, 12, 250, 255, 255, 1, 1, 1, 1};
  EXPECT_EQ(0, std::memcmp(pixels, expected, sizeof(expected)));
}

namespace {

UiElement element(int32_t anchor) {
  UiElement e;
  e.anchor = anchor;
  e.x = 0.5;
  e.y = 0.5;
  e.width = 0.1f;
  e.height = 0.1f;
  return e;
}

}  // namespace

TEST(UiRectangle, AnchorsPlaceTheSameElementAt1280x720) {
  const UiRect centre = uiRectangle(element(2), 1280, 720);
  EXPECT_FLOAT_EQ(centre.x, 576.0f);
  EXPECT_FLOAT_EQ(centre.y, 324.0f);
  EXPECT_FLOAT_EQ(centre.x + centre.w, 704.0f);
  EXPECT_FLOAT_EQ(centre.y + centre.h, 396.0f);
  const UiRect right = uiRectangle(element(1), 1280, 720);
  EXPECT_FLOAT_EQ(right.x, 512.0f);
  EXPECT_FLOAT_EQ(right.x + right.w, 640.0f);
  EXPECT_FLOAT_EQ(right.y, 360.0f);
  EXPECT_FLOAT_EQ(right.y + right.h, 432.0f);
  const UiRect left = uiRectangle(element(0), 1280, 720);
  EXPECT_FLOAT_EQ(left.x, 640.0f);
  EXPECT_FLOAT_EQ(left.x + left.w, 768.0f);
  EXPECT_FLOAT_EQ(left.y, 360.0f);
  // Unknown anchors behave as top-left; a resize changes the pixels at once.
  EXPECT_FLOAT_EQ(uiRectangle(element(7), 1280, 720).x, 640.0f);
  const UiRect big = uiRectangle(element(2), 1920, 1080);
  EXPECT_FLOAT_EQ(big.x, 864.0f);
  EXPECT_FLOAT_EQ(big.h, 108.0f);
}

TEST(UiProjection, MapsTopLeftAndBottomRightCorners) {
  const glm::mat4 p = uiProjection(1280, 720);
  const glm::vec4 topLeft = p * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
  const glm::vec4 bottomRight = p * glm::vec4(1280.0f, 720.0f, 0.0f, 1.0f);
  EXPECT_FLOAT_EQ(topLeft.x, -1.0f);
  EXPECT_FLOAT_EQ(topLeft.y, 1.0f);
  EXPECT_FLOAT_EQ(bottomRight.x, 1.0f);
  EXPECT_FLOAT_EQ(bottomRight.y, -1.0f);
  EXPECT_FLOAT_EQ(p[2][2], -1.0f);
  EXPECT_FLOAT_EQ(p[3][3], 1.0f);
}

namespace {

// A font of known metrics: every glyph 1600/64 = 25 px wide, "T" 35 px tall, ascent 40 px.
class TextLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memcpy(saved, glyphs, sizeof(glyphs));
    savedAscent = fontAscent;
    for (Glyph& g : glyphs) g = {0, 20, 30, 2, 30, 1600};
    glyphs[int{'T'}].rows = 35;
    glyphs[int{'W'}].advance = 1663;  // 25.98 px: the fraction is dropped
    fontAscent = 40.0f;
  }
  void TearDown() override {
    std::memcpy(glyphs, saved, sizeof(glyphs));
    fontAscent = savedAscent;
  }
  static UiText text(const char* s, int32_t anchor) {
    UiText t;
    std::strncpy(t.text, s, sizeof(t.text) - 1);
    t.anchor = anchor;
    t.x = 0.5f;
    t.y = 0.25f;
    t.scale = 0.001f;
    return t;
  }
  Glyph saved[glyphCount];
  float savedAscent = 0.0f;
};

}  // namespace

TEST_F(TextLayout, LeftAlignedStartsAtXWithBaselineBelowTheTop) {
  const TextPlacement p = placeText(text("AB", 0), 1280, 720);
  EXPECT_FLOAT_EQ(p.scale, 0.72f);
  EXPECT_FLOAT_EQ(p.penX, 640.0f);
  EXPECT_FLOAT_EQ(p.baselineY, 180.0f + 0.72f * 40.0f);
}

TEST_F(TextLayout, RightAlignedEndsAtXUsingWholePixelAdvances) {
  // "W" advances 25 px like the others, not 25.98: three glyphs are 75 px before scaling.
  const TextPlacement p = placeText(text("AWA", 1), 1280, 720);
  EXPECT_FLOAT_EQ(p.penX + 3 * 25 * 0.72f, 640.0f);
  EXPECT_FLOAT_EQ(p.baselineY, 180.0f + 0.72f * 40.0f);
}

TEST_F(TextLayout, CentredOnXAndOnHalfACapitalHeight) {
  const TextPlacement p = placeText(text("ABCD", 2), 1280, 720);
  EXPECT_FLOAT_EQ(p.penX, 640.0f - 0.5f * 4 * 25 * 0.72f);
  EXPECT_FLOAT_EQ(p.baselineY, 180.0f + 0.72f * 40.0f - 0.5f * 0.72f * 35.0f);
}

TEST_F(TextLayout, HighBytesTakeNoRoomAndEmptyTextStaysPut) {
  const TextPlacement plain = placeText(text("AB", 1), 1280, 720);
  const TextPlacement accented = placeText(text("A\xC3\xA9"
                                                "B",
                                                1),
                                           1280, 720);
  EXPECT_FLOAT_EQ(accented.penX, plain.penX);
  EXPECT_FLOAT_EQ(placeText(text("", 2), 1280, 720).penX, 640.0f);
  // The glyph scale follows the window height only.
  EXPECT_FLOAT_EQ(placeText(text("A", 0), 1920, 1080).scale, 1.08f);
}
