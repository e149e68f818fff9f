// Decoding, premultiplying and mip-reducing pictures in plain memory, apart from any GL context.
#include "render/texture_images.h"

#include <stb_image.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr int alphaChannel = 3;
constexpr int rgbChannels = 3;

// Every (colour, alpha) product the premultiply can meet, computed with its exact float formula
// once: the big sprite sheets hold millions of texels.
struct PremultiplyTable {
  std::array<unsigned char, 256 * 256> product{};
  PremultiplyTable() {
    for (int a = 0; a < 256; ++a) {
      const float scale = static_cast<float>(a) / 255.0f;
      for (int c = 0; c < 256; ++c)
        product[a * 256 + c] = static_cast<unsigned char>(static_cast<float>(c) * scale);
    }
  }
};

const PremultiplyTable& premultiplyTable() {
  static const PremultiplyTable table;
  return table;
}

// Decodes an opened file; grey and grey-alpha images are widened to RGBA by the decoder.
unsigned char* decode(FILE* f, int* width, int* height, int* channels) {
  int fileChannels = 0;
  if (stbi_info_from_file(f, width, height, &fileChannels) == 0) return nullptr;
  const int wanted = (fileChannels == 1 || fileChannels == 2) ? rgbaChannels : 0;
  unsigned char* pixels = stbi_load_from_file(f, width, height, channels, wanted);
  if (pixels != nullptr && wanted != 0) *channels = wanted;
  return pixels;
}

// False when memory for one row is not there.
bool reverseRowOrder(unsigned char* pixels, int width, int height, int channels) {
  const size_t rowBytes = static_cast<size_t>(width) * channels;
  std::unique_ptr<unsigned char[]> row(new (std::nothrow) unsigned char[rowBytes]);
  if (row == nullptr) return false;
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    unsigned char* a = pixels + rowBytes * top;
    unsigned char* b = pixels + rowBytes * bottom;
    std::memcpy(row.get(), a, rowBytes);
    std::memcpy(a, b, rowBytes);
    std::memcpy(b, row.get(), rowBytes);
  }
  return true;
}

// The truncated mean of four texels of `Channels` channels.
template <int Channels>
inline void meanOfFour(const unsigned char* a, const unsigned char* b, const unsigned char* c,
                       const unsigned char* d, unsigned char* out) {
  for (int k = 0; k < Channels; ++k)
    out[k] = static_cast<unsigned char>((a[k] + b[k] + c[k] + d[k]) / 4);
}

// Four channels at once: the even and the odd bytes are summed in 16-bit lanes of one word (at
// most 4 x 255, so no lane overflows) and shifted down, which is the per-channel formula exactly.
template <>
inline void meanOfFour<4>(const unsigned char* a, const unsigned char* b, const unsigned char* c,
                          const unsigned char* d, unsigned char* out) {
  constexpr uint32_t evenBytes = 0x00FF00FFu;
  uint32_t w[4];
  std::memcpy(&w[0], a, 4);
  std::memcpy(&w[1], b, 4);
  std::memcpy(&w[2], c, 4);
  std::memcpy(&w[3], d, 4);
  const uint32_t even =
      (w[0] & evenBytes) + (w[1] & evenBytes) + (w[2] & evenBytes) + (w[3] & evenBytes);
  const uint32_t odd = ((w[0] >> 8) & evenBytes) + ((w[1] >> 8) & evenBytes) +
                       ((w[2] >> 8) & evenBytes) + ((w[3] >> 8) & evenBytes);
  const uint32_t mean = ((even >> 2) & evenBytes) | (((odd >> 2) & evenBytes) << 8);
  std::memcpy(out, &mean, 4);
}

// One level from the level above it: each texel the truncated mean of its 2 x 2 parent block,
// the block clamped at an odd edge.
template <int Channels>
void reduceLevel(const unsigned char* from, int fromW, int fromH, unsigned char* to, int toW,
                 int toH) {
  for (int y = 0; y < toH; ++y) {
    const int y0 = y * 2 < fromH ? y * 2 : fromH - 1;
    const int y1 = y0 + 1 < fromH ? y0 + 1 : y0;
    const unsigned char* upper = from + static_cast<size_t>(y0) * fromW * Channels;
    const unsigned char* lower = from + static_cast<size_t>(y1) * fromW * Channels;
    unsigned char* out = to + static_cast<size_t>(y) * toW * Channels;
    // Whole blocks first, without the clamps; only an odd right edge needs them.
    const int whole = fromW / 2 < toW ? fromW / 2 : toW;
    for (int x = 0; x < whole; ++x) {
      const unsigned char* u = upper + 2 * x * Channels;
      const unsigned char* l = lower + 2 * x * Channels;
      meanOfFour<Channels>(u, u + Channels, l, l + Channels, out + x * Channels);
    }
    for (int x = whole; x < toW; ++x) {
      const int x0 = x * 2 < fromW ? x * 2 : fromW - 1;
      const int x1 = x0 + 1 < fromW ? x0 + 1 : x0;
      meanOfFour<Channels>(upper + x0 * Channels, upper + x1 * Channels, lower + x0 * Channels,
                           lower + x1 * Channels, out + x * Channels);
    }
  }
}

int mipLevelCount(int width, int height) {
  int levels = 1;
  for (int side = width > height ? width : height; side > 1 && levels < maxMipLevels; side >>= 1)
    ++levels;
  return levels;
}

}  // namespace

void DecodedPixelsFree::operator()(unsigned char* p) const { stbi_image_free(p); }

const unsigned char* levelPixels(const TextureImage& image, int level) {
  return level == 0 ? image.base.get() : image.smaller.get() + image.levelOffset[level];
}

void premultiplyAlpha(unsigned char* pixels, int width, int height) {
  const unsigned char* product = premultiplyTable().product.data();
  const long count = static_cast<long>(width) * height;
  for (long i = 0; i < count; ++i) {
    unsigned char* p = pixels + i * rgbaChannels;
    const unsigned char a = p[alphaChannel];
    // Sprite sheets are mostly clear or solid: those texels need no look-up at all.
    if (a == 255) continue;
    if (a == 0) {
      std::memset(p, 0, alphaChannel);
      continue;
    }
    const unsigned char* row = product + a * 256;
    for (int c = 0; c < alphaChannel; ++c) p[c] = row[p[c]];
  }
}

namespace {

void include(VisibleBox& b, int x0, int x1, int y) {
  if (b.x1 < b.x0) {
    b = {x0, y, x1, y};
    return;
  }
  b.x0 = x0 < b.x0 ? x0 : b.x0;
  b.x1 = x1 > b.x1 ? x1 : b.x1;
  b.y0 = y < b.y0 ? y : b.y0;
  b.y1 = y > b.y1 ? y : b.y1;
}

// First and last texel of [from, to] whose alpha is not 0; false when there is none.
bool visibleSpan(const unsigned char* row, int from, int to, int& first, int& last) {
  int a = from;
  while (a <= to && row[a * rgbaChannels + alphaChannel] == 0) ++a;
  if (a > to) return false;
  int b = to;
  while (row[b * rgbaChannels + alphaChannel] == 0) --b;
  first = a;
  last = b;
  return true;
}

}  // namespace

void findVisibleBoxes(TextureImage& image, const unsigned char* pixels) {
  const int w = image.width, h = image.height;
  PictureBoxes& boxes = image.boxes;
  boxes = PictureBoxes{};
  boxes.width = w;
  boxes.height = h;
  boxes.framesKnown = w % sheetColumns == 0 && h % sheetRows == 0;
  const int fw = w / sheetColumns, fh = h / sheetRows;
  for (int y = 0; y < h; ++y) {
    const unsigned char* row = pixels + static_cast<size_t>(y) * w * rgbaChannels;
    int first = 0, last = 0;
    if (!visibleSpan(row, 0, w - 1, first, last)) continue;
    include(boxes.whole, first, last, y);
    if (!boxes.framesKnown) continue;
    // A row belongs to its own frame row and, when it borders another, to that one's margin.
    for (int fr = 0; fr < sheetRows; ++fr) {
      if (y < fr * fh - 1 || y > (fr + 1) * fh) continue;
      for (int fc = 0; fc < sheetColumns; ++fc) {
        const int from = fc * fw - 1 < 0 ? 0 : fc * fw - 1;
        const int to = (fc + 1) * fw > w - 1 ? w - 1 : (fc + 1) * fw;
        if (first > to || last < from) continue;
        int a = 0, b = 0;
        if (!visibleSpan(row, first > from ? first : from, last < to ? last : to, a, b)) continue;
        include(boxes.frames[fr * sheetColumns + fc], a - fc * fw, b - fc * fw, y - fr * fh);
      }
    }
  }
  image.boxesKnown = true;
}

TextureImage decodeTextureImage(const char* path, bool reverseRows, bool withMipChain) {
  TextureImage image;
  unsigned char* decoded = nullptr;
  int width = 0, height = 0, channels = 0;
  if (FILE* f = std::fopen(path, "rb")) {
    decoded = decode(f, &width, &height, &channels);
    std::fclose(f);
  }
  if (decoded == nullptr || width <= 0 || height <= 0) {
    stbi_image_free(decoded);
    return image;
  }
  image.base.reset(decoded);
  // A picture too big for the memory left fails like a broken file; nothing is thrown, since a
  // worker thread has no one to catch it.
  if (reverseRows && !reverseRowOrder(decoded, width, height, channels)) return TextureImage{};
  if (channels == rgbaChannels) premultiplyAlpha(decoded, width, height);

  const int levels = withMipChain ? mipLevelCount(width, height) : 1;
  size_t total = 0;
  for (int l = 1; l < levels; ++l) {
    image.levelOffset[l] = total;
    total += static_cast<size_t>(mipSize(width, l)) * mipSize(height, l) * channels;
  }
  if (levels > 1) {
    image.smaller.reset(new (std::nothrow) unsigned char[total]);
    if (image.smaller == nullptr) return TextureImage{};
  }
  for (int l = 1; l < levels; ++l) {
    const unsigned char* above = levelPixels(image, l - 1);
    unsigned char* level = image.smaller.get() + image.levelOffset[l];
    const int fromW = mipSize(width, l - 1), fromH = mipSize(height, l - 1);
    if (channels == rgbaChannels)
      reduceLevel<rgbaChannels>(above, fromW, fromH, level, mipSize(width, l), mipSize(height, l));
    else
      reduceLevel<rgbChannels>(above, fromW, fromH, level, mipSize(width, l), mipSize(height, l));
  }
  image.width = width;
  image.height = height;
  image.channels = channels;
  image.levels = levels;
  if (channels == rgbaChannels) findVisibleBoxes(image, decoded);
  return image;
}
