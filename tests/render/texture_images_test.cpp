// Pictures decoded in plain memory: row order, premultiplied alpha and the mipmap chain.
#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "render/texture_images.h"

namespace {

std::string scratchFile(const std::string& name) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "navro-images";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

// Rows top to bottom as the picture is viewed.
std::string writePicture(const std::string& name, int w, int h, int channels,
                         const std::vector<unsigned char>& pixels) {
  const std::string path = scratchFile(name);
  EXPECT_NE(0, stbi_write_png(path.c_str(), w, h, channels, pixels.data(), w * channels));
  return path;
}

std::vector<unsigned char> level(const TextureImage& image, int l) {
  const unsigned char* p = levelPixels(image, l);
  const size_t n = static_cast<size_t>(mipSize(image.width, l)) * mipSize(image.height, l) *
                   static_cast<size_t>(image.channels);
  return {p, p + n};
}

}  // namespace

TEST(Premultiply, EveryColourAndAlphaMatchesTheFloatFormula) {
  // The fast path must give exactly what colour * (alpha / 255) truncated gives.
  std::vector<unsigned char> pixels;
  for (int a = 0; a < 256; ++a)
    for (int c = 0; c < 256; ++c)
      pixels.insert(pixels.end(),
                    {static_cast<unsigned char>(c), 0, 255, static_cast<unsigned char>(a)});
  premultiplyAlpha(pixels.data(), 256, 256);
  for (int a = 0; a < 256; ++a) {
    for (int c = 0; c < 256; ++c) {
      const unsigned char* p = &pixels[(static_cast<size_t>(a) * 256 + c) * 4];
      const float scale = static_cast<float>(a) / 255.0f;
      ASSERT_EQ(p[0], static_cast<unsigned char>(static_cast<float>(c) * scale)) << c << " " << a;
      ASSERT_EQ(p[1], 0);
      ASSERT_EQ(p[2], static_cast<unsigned char>(255.0f * scale));
      ASSERT_EQ(p[3], a);
    }
  }
}

TEST(TextureImages, RowsAreTurnedOnlyWhenAskedAndAlphaIsPremultiplied) {
  // Top row: half-transparent orange, opaque green; bottom row: clear red, opaque blue.
  const std::string path = writePicture(
      "rows.png", 2, 2, 4, {200, 100, 50, 128, 0, 255, 0, 255, 255, 0, 0, 0, 10, 20, 30, 255});
  const std::vector<unsigned char> top = {100, 50, 25, 128, 0, 255, 0, 255};
  const std::vector<unsigned char> bottom = {0, 0, 0, 0, 10, 20, 30, 255};

  const TextureImage kept = decodeTextureImage(path.c_str(), false, false);
  ASSERT_EQ(kept.width, 2);
  ASSERT_EQ(kept.channels, 4);
  EXPECT_EQ(kept.levels, 1);
  std::vector<unsigned char> expected = top;
  expected.insert(expected.end(), bottom.begin(), bottom.end());
  EXPECT_EQ(level(kept, 0), expected);

  const TextureImage turned = decodeTextureImage(path.c_str(), true, false);
  expected = bottom;
  expected.insert(expected.end(), top.begin(), top.end());
  EXPECT_EQ(level(turned, 0), expected);

  // The decoder's own flip, when a thread has it on, comes on top of the reversal. A thread's
  // setting can never be taken back, so it is made on a thread of its own: on this one it would
  // override the process-wide setting the later tests of this program rely on.
  TextureImage flippedTwice;
  std::thread([&] {
    stbi_set_flip_vertically_on_load_thread(1);
    flippedTwice = decodeTextureImage(path.c_str(), true, false);
  }).join();
  EXPECT_EQ(level(flippedTwice, 0), level(kept, 0));
}

TEST(TextureImages, MipChainHalvesDownToOneTexelAveragingBlocks) {
  // 5 x 3 RGB: odd sides clamp the last block; levels 5x3, 2x1, 1x1.
  std::vector<unsigned char> rgb;
  for (int i = 0; i < 15; ++i)
    rgb.insert(rgb.end(), {static_cast<unsigned char>(i * 10), static_cast<unsigned char>(200 - i),
                           static_cast<unsigned char>(i % 2 == 0 ? 255 : 0)});
  const std::string path = writePicture("odd.png", 5, 3, 3, rgb);
  const TextureImage image = decodeTextureImage(path.c_str(), false, true);
  ASSERT_EQ(image.channels, 3);
  ASSERT_EQ(image.levels, 3);
  EXPECT_EQ(level(image, 0), rgb);
  // Level 1 texel (0, 0) is the mean of texels 0, 1, 5, 6; texel (1, 0) of 2, 3, 7, 8.
  const auto mean = [&](int a, int b, int c, int d, int k) {
    return static_cast<unsigned char>(
        (rgb[a * 3 + k] + rgb[b * 3 + k] + rgb[c * 3 + k] + rgb[d * 3 + k]) / 4);
  };
  const std::vector<unsigned char> level1 = {mean(0, 1, 5, 6, 0), mean(0, 1, 5, 6, 1),
                                             mean(0, 1, 5, 6, 2), mean(2, 3, 7, 8, 0),
                                             mean(2, 3, 7, 8, 1), mean(2, 3, 7, 8, 2)};
  EXPECT_EQ(level(image, 1), level1);
  // The last level averages the 2 x 1 level, its single row counted twice.
  std::vector<unsigned char> level2(3);
  for (int k = 0; k < 3; ++k)
    level2[k] = static_cast<unsigned char>((2 * level1[k] + 2 * level1[3 + k]) / 4);
  EXPECT_EQ(level(image, 2), level2);
  EXPECT_EQ(mipSize(5, 3), 1);
}

TEST(TextureImages, GreyIsWidenedAndUnusableFilesGiveNoPicture) {
  const std::string grey = writePicture("grey.png", 1, 2, 1, {90, 200});
  const TextureImage g = decodeTextureImage(grey.c_str(), false, false);
  ASSERT_EQ(g.channels, 4);
  EXPECT_EQ(level(g, 0), (std::vector<unsigned char>{90, 90, 90, 255, 200, 200, 200, 255}));

  const TextureImage missing = decodeTextureImage(scratchFile("absent.png").c_str(), true, true);
  EXPECT_EQ(missing.width, 0);
  EXPECT_EQ(missing.levels, 0);
  EXPECT_EQ(missing.base, nullptr);

  const std::string truncated = scratchFile("truncated.png");
  const std::string whole = writePicture("whole.png", 4, 4, 4, std::vector<unsigned char>(64, 7));
  std::filesystem::copy_file(whole, truncated, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::resize_file(truncated, 40);
  EXPECT_EQ(decodeTextureImage(truncated.c_str(), false, true).width, 0);
}

namespace {

// A start-up that ends before any upload (no window, no GL 4.6): the decoding workers must let
// go even while the budget holds them back, or the join never returns and the game hangs.
// The clear texels around a picture's art are found once, per sheet frame too: a frame's box
// reaches one texel into each neighbour, whose edge the filter reads near the frame's border.
TEST(TextureImages, VisibleBoxesHoldEveryTexelAFrameCanRead) {
  constexpr int fw = 10, fh = 8, w = fw * sheetColumns, h = fh * sheetRows;
  std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4, 0);
  // (x, y) in memory order, row 0 first; alpha 1 is the faintest texel that still shows.
  const auto light = [&](int x, int y, unsigned char alpha) {
    pixels[(static_cast<size_t>(y) * w + x) * 4 + 3] = alpha;
  };
  light(3, 2, 1);            // frame 0 only
  light(fw + 4, 5, 255);     // frame 1, and
  light(fw + 6, 6, 9);       // frame 1 again
  light(2 * fw, 1, 3);       // first column of frame 2: frame 1 reads it past its right edge
  light(5, 3 * fh - 1, 20);  // last row of frame row 2, column 0: frame row 3 reads it below
  TextureImage image;
  image.width = w;
  image.height = h;
  findVisibleBoxes(image, pixels.data());
  ASSERT_TRUE(image.boxesKnown);
  ASSERT_TRUE(image.boxes.framesKnown);
  const auto expectBox = [&](int frame, int x0, int y0, int x1, int y1) {
    const VisibleBox& b = image.boxes.frames[frame];
    EXPECT_EQ(b.x0, x0) << "frame " << frame;
    EXPECT_EQ(b.y0, y0) << "frame " << frame;
    EXPECT_EQ(b.x1, x1) << "frame " << frame;
    EXPECT_EQ(b.y1, y1) << "frame " << frame;
  };
  expectBox(0, 3, 2, 3, 2);
  expectBox(1, 4, 1, fw, 6);  // its own two texels and frame 2's first column
  expectBox(2, 0, 1, 0, 1);   // that texel, and frame 1's last column is clear
  expectBox(2 * sheetColumns, 5, fh - 1, 5, fh - 1);  // frame row 2, column 0
  expectBox(3 * sheetColumns, 5, -1, 5, -1);          // the row below its first, in its margin
  const VisibleBox& clear = image.boxes.frames[sheetColumns * sheetRows - 1];
  EXPECT_LT(clear.x1, clear.x0);
  EXPECT_EQ(image.boxes.whole.x0, 3);
  EXPECT_EQ(image.boxes.whole.x1, 2 * fw);
  EXPECT_EQ(image.boxes.whole.y0, 1);
  EXPECT_EQ(image.boxes.whole.y1, 3 * fh - 1);

  // Sides that do not divide into the grid give the whole picture's box only.
  TextureImage odd;
  odd.width = w - 1;
  odd.height = h;
  findVisibleBoxes(odd, pixels.data());
  EXPECT_TRUE(odd.boxesKnown);
  EXPECT_FALSE(odd.boxes.framesKnown);
}

}  // namespace
