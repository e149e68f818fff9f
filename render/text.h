// The UI font: glyphs rasterised once at start-up and text lines drawn from them.
#pragma once

#include <cstdint>

struct UiText;

struct Glyph {
  uint32_t textureId;  // single-channel bitmap; 0 when the glyph failed to load
  int32_t width;       // bitmap width, pixels
  int32_t rows;        // bitmap height, pixels
  int32_t bearingX;    // pen to bitmap left edge, pixels
  int32_t bearingY;    // baseline up to bitmap top row, pixels
  int32_t advance;     // horizontal advance, 1/64 pixel
};

constexpr int glyphCount = 128;
constexpr int fontPixelHeight = 48;

extern Glyph glyphs[glyphCount];
extern float fontAscent;  // ascender at the loaded size, pixels
extern uint32_t textVao, textVbo;

// Start of the pen and baseline for a text, after alignment (window pixels).
struct TextPlacement {
  float penX;
  float baselineY;
  float scale;
};
TextPlacement placeText(const UiText& t, int32_t width, int32_t height);

void loadGlyphs();
void drawText(UiText t);
void releaseGlyphs();
