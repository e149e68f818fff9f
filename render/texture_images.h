// The CPU half of texture loading: PNG files decoded, flipped, premultiplied and reduced to a
// mipmap chain in plain memory, ready for the GL upload; no GL call, so any thread may run it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/data/run_state.h"  // sheetColumns, sheetRows: the grid of every sprite sheet

constexpr int rgbaChannels = 4;
constexpr int maxMipLevels = 16;  // enough for any side up to 32768 pixels

// The texels a draw may read that are not fully transparent, inclusive, counted from the first
// texel of the frame (or picture) in memory order; a frame's box takes in the one texel beyond
// each of its edges that filtering reads from its neighbour. Empty when x1 < x0.
struct VisibleBox {
  int32_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};

// Where an RGBA picture is not clear: whole, and per frame of the sheet grid when its sides
// divide evenly (frame index row * sheetColumns + column, rows counted from memory's first).
struct PictureBoxes {
  int32_t width = 0, height = 0;  // of the whole picture, in texels
  bool framesKnown = false;       // the frame boxes hold (the sides divide into the sheet grid)
  VisibleBox whole;
  VisibleBox frames[sheetColumns * sheetRows];
};

// Frees what the decoder allocated.
struct DecodedPixelsFree {
  void operator()(unsigned char* p) const;
};

// One decoded picture and, when asked for, its smaller levels. Rows run bottom-up in memory
// when the picture was flipped, the order GL reads them in.
struct TextureImage {
  std::unique_ptr<unsigned char, DecodedPixelsFree> base;  // level 0, as the decoder gave it
  std::unique_ptr<unsigned char[]> smaller;                // levels 1.. back to back
  int32_t width = 0, height = 0;          // level 0, pixels; 0 when the file was not usable
  int32_t channels = 0;                   // 3 (RGB, stored as is) or 4 (premultiplied RGBA)
  int32_t levels = 0;                     // levels stored, 1 without a chain
  size_t levelOffset[maxMipLevels] = {};  // byte offset of level l >= 1 in `smaller`
  bool boxesKnown = false;                // `boxes` was found (RGBA pictures only)
  PictureBoxes boxes;
};

// Finds the boxes of a premultiplied RGBA picture (every texel's alpha 0 means clear).
void findVisibleBoxes(TextureImage& image, const unsigned char* pixels);

// Premultiplies RGBA pixels in place: each colour channel times alpha / 255, truncated.
void premultiplyAlpha(unsigned char* pixels, int width, int height);

// Reads and decodes `path`. Grey and grey-alpha pictures are widened to RGBA, RGBA is
// premultiplied, the rows are reversed when `reverseRows` (besides anything the decoder's own
// vertical-flip setting does on the calling thread), and with `withMipChain` every smaller
// level down to 1 x 1 is added, each texel the mean of the 2 x 2 texels above it.
// A missing or undecodable file gives an image of width 0.
TextureImage decodeTextureImage(const char* path, bool reverseRows, bool withMipChain);

// The pixels of one level of an image.
const unsigned char* levelPixels(const TextureImage& image, int level);

// Width or height of mip `level` of a side `size` pixels long, as GL sizes its levels.
inline int32_t mipSize(int32_t size, int level) { return size >> level > 0 ? size >> level : 1; }
