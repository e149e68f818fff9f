// Textures as uploaded: premultiplied, flipped or kept per flag, sampling state, and missing files.
#include <glad/gl.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gl/render_test_support.h"
#include "kit/heap.h"
#include "render/decode_workers.h"

namespace {

GLint parameter(GLenum name) {
  GLint v = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, name, &v);
  return v;
}

GLint levelParameter(int level, GLenum name) {
  GLint v = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &v);
  return v;
}

std::vector<uint8_t> readBack(uint32_t texture, GLenum format, int width, int height,
                              int channels) {
  std::vector<uint8_t> p(static_cast<size_t>(width) * height * channels);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, p.data());
  return p;
}

// Viewed top row: a half-transparent orange and opaque green; bottom row: transparent red and
// an opaque dark blue.
const std::vector<uint8_t> rgbaImage = {200, 100, 50, 128, 0,  255, 0,  255,
                                        255, 0,   0,  0,   10, 20,  30, 255};
const std::vector<uint8_t> topRowStored = {100, 50, 25, 128, 0, 255, 0, 255};
const std::vector<uint8_t> bottomRowStored = {0, 0, 0, 0, 10, 20, 30, 255};

std::vector<uint8_t> concat(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  std::vector<uint8_t> r = a;
  r.insert(r.end(), b.begin(), b.end());
  return r;
}

}  // namespace

TEST(Textures, FlippedPremultipliedUploadWithItsSamplingState) {
  ASSERT_TRUE(ensureGlContext());
  ScratchDir dir;
  const std::string path = dir.file("sheet.png");
  writePng(path, 2, 2, 4, rgbaImage);

  beginCapture();
  const uint32_t t = loadTexture(path.c_str(), false, false, false);
  EXPECT_EQ(endCapture(), "Loaded texture: " + path + "\n");
  ASSERT_NE(t, 0u);
  // GL row 0 is the bottom of the picture: the decoder delivered it first.
  EXPECT_EQ(readBack(t, GL_RGBA, 2, 2, 4), concat(bottomRowStored, topRowStored));
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
  EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST);
  EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
  EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
  EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), 0);  // no mipmaps asked for

  const uint32_t kept = loadTexture(path.c_str(), true, true, true);
  EXPECT_NE(kept, t);
  EXPECT_EQ(readBack(kept, GL_RGBA, 2, 2, 4), concat(topRowStored, bottomRowStored));
  EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
  EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), 1);  // the mipmap chain exists
}

TEST(Textures, RgbStaysUnchangedAtOddWidthsAndGreyIsWidened) {
  ASSERT_TRUE(ensureGlContext());
  ScratchDir dir;
  // Rows of 3 RGB pixels are 9 bytes: only an unpack alignment of 1 keeps them apart.
  const std::vector<uint8_t> rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  writePng(dir.file("rgb.png"), 3, 2, 3, rgb);
  const uint32_t t = loadTexture(dir.file("rgb.png").c_str(), false, true, false);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
  EXPECT_EQ(readBack(t, GL_RGB, 3, 2, 3), rgb);

  writePng(dir.file("grey.png"), 1, 2, 1, {90, 200});
  const uint32_t g = loadTexture(dir.file("grey.png").c_str(), false, true, false);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
  EXPECT_EQ(readBack(g, GL_RGBA, 1, 2, 4),
            (std::vector<uint8_t>{90, 90, 90, 255, 200, 200, 200, 255}));
}

TEST(Textures, MissingOrBrokenFileGivesAnEmptyNameAndGoesOn) {
  ASSERT_TRUE(ensureGlContext());
  ScratchDir dir;
  const std::string missing = dir.file("absent.png");
  const std::string broken = dir.file("broken.png");
  std::ofstream(broken) << "not a picture";
  beginCapture();
  const uint32_t a = loadTexture(missing.c_str(), true, false, false);
  const uint32_t b = loadTexture(broken.c_str(), true, false, false);
  EXPECT_EQ(endCapture(),
            "Failed to load texture: " + missing + "\nFailed to load texture: " + broken + "\n");
  ASSERT_NE(a, 0u);
  EXPECT_NE(a, b);
  glBindTexture(GL_TEXTURE_2D, a);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 0);
  EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
}

TEST(Textures, EveryListedFileThatExistsLoads) {
  ASSERT_TRUE(ensureGlContext());
  beginCapture();
  loadAllTextures();
  const std::string out = endCapture();
  std::istringstream lines(out);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    const std::string loaded = "Loaded texture: ";
    const std::string failed = "Failed to load texture: ";
    if (line.rfind(failed, 0) == 0) {
      // Only art that is not in res/ may fail; a listed path with a typo would fail here.
      EXPECT_FALSE(std::filesystem::exists(line.substr(failed.size()))) << line;
    } else {
      ASSERT_EQ(line.rfind(loaded, 0), 0u) << line;
      EXPECT_EQ(line.rfind("./res/", loaded.size()), loaded.size()) << line;
    }
  }
  EXPECT_EQ(count, 20);
  const uint32_t names[] = {panelBackgroundTexture, linesTexture,          doorTexture,
                            playerSheetTexture,     disketteUnlockTexture, itemHubTexture,
                            boostSheetTexture,      confettiSheetTexture,  zellSheetTexture};
  for (uint32_t n : names) EXPECT_NE(n, 0u);
  for (uint32_t n : itemTextures) EXPECT_NE(n, 0u);
  // Kept names follow the load order.
  EXPECT_LT(panelBackgroundTexture, linesTexture);
  EXPECT_LT(itemTextures[8], zellSheetTexture);
}

TEST(Textures, DecodingAheadGivesTheSameTexturesMessagesAndNames) {
  ASSERT_TRUE(ensureGlContext());
  // What one texture holds at a level, and the level's size.
  const auto contents = [](uint32_t t, int level) {
    glBindTexture(GL_TEXTURE_2D, t);
    const int w = levelParameter(level, GL_TEXTURE_WIDTH);
    const int h = levelParameter(level, GL_TEXTURE_HEIGHT);
    std::vector<uint8_t> p(static_cast<size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    return std::make_pair(w * 100000 + h, p);
  };
  beginCapture();
  loadAllTextures();
  const std::string oneByOne = endCapture();
  // Kept rows (player), turned rows with a chain (the diamond), no chain (panel).
  const uint32_t plain[] = {playerSheetTexture, zellSheetTexture, panelBackgroundTexture};
  const uint32_t plainDoor = doorTexture;

  startDecodingTextures();
  beginCapture();
  loadAllTextures();
  EXPECT_EQ(endCapture(), oneByOne);
  const uint32_t ahead[] = {playerSheetTexture, zellSheetTexture, panelBackgroundTexture};
  // The same number of names handed out per load: the kept names move by one list's worth.
  EXPECT_EQ(doorTexture - plainDoor, zellSheetTexture - plain[1]);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    for (int level : {0, 1, 4}) {
      const auto a = contents(plain[i], level);
      const auto b = contents(ahead[i], level);
      EXPECT_EQ(a.first, b.first) << "level " << level;
      EXPECT_TRUE(a.second == b.second) << "level " << level;
    }
  }
  // The chain goes down to 1 x 1: the longer side halves that many times.
  glBindTexture(GL_TEXTURE_2D, zellSheetTexture);
  int last = 0;
  for (int side =
           std::max(levelParameter(0, GL_TEXTURE_WIDTH), levelParameter(0, GL_TEXTURE_HEIGHT));
       side > 1; side >>= 1)
    ++last;
  EXPECT_GT(last, 8);
  EXPECT_EQ(levelParameter(last, GL_TEXTURE_WIDTH), 1);
  EXPECT_EQ(levelParameter(last, GL_TEXTURE_HEIGHT), 1);
  glBindTexture(GL_TEXTURE_2D, panelBackgroundTexture);
  EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), 0);
}

// A process at its thread limit: the pictures of a worker that cannot start are decoded on the
// main thread, with the same messages, names and contents, and nothing is thrown.
bool refuseEveryThread(int, void* (*)(void*)) { return false; }
bool refuseSecondThread(int worker, void* (*body)(void*)) {
  return worker == 0 && realDecodeThreadSteps.start(worker, body);
}

TEST(Textures, WorkersThatCannotStartLeaveTheirPicturesToTheMainThread) {
  ASSERT_TRUE(ensureGlContext());
  beginCapture();
  loadAllTextures();
  const std::string oneByOne = endCapture();
  glBindTexture(GL_TEXTURE_2D, doorTexture);
  std::vector<uint8_t> expected(static_cast<size_t>(levelParameter(0, GL_TEXTURE_WIDTH)) *
                                levelParameter(0, GL_TEXTURE_HEIGHT) * 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, expected.data());

  for (auto refusal : {refuseEveryThread, refuseSecondThread}) {
    decodeThreadSteps.start = refusal;
    startDecodingTextures();
    beginCapture();
    loadAllTextures();
    const std::string printed = endCapture();
    decodeThreadSteps = realDecodeThreadSteps;
    EXPECT_EQ(printed, oneByOne);
    // The door picture sits in the second worker's share, so both refusals reach it.
    glBindTexture(GL_TEXTURE_2D, doorTexture);
    std::vector<uint8_t> got(expected.size());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, got.data());
    EXPECT_TRUE(got == expected);
    for (uint32_t n : itemTextures) EXPECT_NE(n, 0u);
  }
}

// The driver's memory for a picture with its mipmap chain is the chain, once: laid out whole at
// the first upload, not level 0 alone and then again inside the chain until the first draw.
TEST(Textures, AMipmappedPictureIsStoredOnce) {
  ASSERT_TRUE(ensureGlContext());
  constexpr int side = 2048;  // NPOT sides behave alike; a square keeps the file quick to write
  ScratchDir dir;
  const std::string path = dir.file("big.png");
  writePng(path, side, side, 4, std::vector<uint8_t>(static_cast<size_t>(side) * side * 4, 200));
  const auto heldBytes = [] { return static_cast<double>(heapInUse()); };
  const double chain = side * side * 4.0 * 4.0 / 3.0;
  const double before = heldBytes();
  beginCapture();
  const uint32_t t = loadTexture(path.c_str(), true, false, false);
  endCapture();
  const double growth = heldBytes() - before;
  EXPECT_GT(growth, 0.9 * chain);  // the store is seen where it is measured
  EXPECT_LT(growth, 1.25 * chain) << growth / chain << " times the chain";
  glDeleteTextures(1, &t);
}
