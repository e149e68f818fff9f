// Decoding, premultiplying and mip-reducing pictures in plain memory, apart from any GL context.
#include "render/texture_images.h"

#include <stb_image.h>

#include <array>
#include <cstdio>
#include <cstring>

namespace {

constexpr int alphaChannel = 3;

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

void reverseRowOrder(unsigned char* pixels, int width, int height, int channels) {
  const size_t rowBytes = static_cast<size_t>(width) * channels;
  std::unique_ptr<unsigned char[]> row(new unsigned char[rowBytes]);
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    unsigned char* a = pixels + rowBytes * top;
    unsigned char* b = pixels + rowBytes * bottom;
    std::memcpy(row.get(), a, rowBytes);
    std::memcpy(a, b, rowBytes);
    std::memcpy(b, row.get(), rowBytes);
  }
}

// One level from the level above it: each texel the truncated mean of its 2 x 2 parent block,
// the block clamped at an odd edge.
void reduceLevel(const unsigned char* from, int fromW, int fromH, unsigned char* to, int toW,
                 int toH, int channels) {
  for (int y = 0; y < toH; ++y) {
    const int y0 = y * 2 < fromH ? y * 2 : fromH - 1;
    const int y1 = y0 + 1 < fromH ? y0 + 1 : y0;
    for (int x = 0; x < toW; ++x) {
      const int x0 = x * 2 < fromW ? x * 2 : fromW - 1;
      const int x1 = x0 + 1 < fromW ? x0 + 1 : x0;
      const unsigned char* a = from + (static_cast<size_t>(y0) * fromW + x0) * channels;
      const unsigned char* b = from + (static_cast<size_t>(y0) * fromW + x1) * channels;
      const unsigned char* c = from + (static_cast<size_t>(y1) * fromW + x0) * channels;
      const unsigned char* d = from + (static_cast<size_t>(y1) * fromW + x1) * channels;
      unsigned char* out = to + (static_cast<size_t>(y) * toW + x) * channels;
      for (int k = 0; k < channels; ++k)
        out[k] = static_cast<unsigned char>((a[k] + b[k] + c[k] + d[k]) / 4);
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
    const unsigned char* row = product + p[alphaChannel] * 256;
    for (int c = 0; c < alphaChannel; ++c) p[c] = row[p[c]];
  }
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
  if (reverseRows) reverseRowOrder(decoded, width, height, channels);
  if (channels == rgbaChannels) premultiplyAlpha(decoded, width, height);

  image.base.reset(decoded);

  const int levels = withMipChain ? mipLevelCount(width, height) : 1;
  size_t total = 0;
  for (int l = 1; l < levels; ++l) {
    image.levelOffset[l] = total;
    total += static_cast<size_t>(mipSize(width, l)) * mipSize(height, l) * channels;
  }
  if (levels > 1) image.smaller.reset(new unsigned char[total]);
  for (int l = 1; l < levels; ++l)
    reduceLevel(levelPixels(image, l - 1), mipSize(width, l - 1), mipSize(height, l - 1),
                image.smaller.get() + image.levelOffset[l], mipSize(width, l), mipSize(height, l),
                channels);
  image.width = width;
  image.height = height;
  image.channels = channels;
  image.levels = levels;
  return image;
}
