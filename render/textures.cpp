// Loading every image of the game as a GL texture with premultiplied alpha.
#include "render/textures.h"

#include <glad/gl.h>
#include <stb_image.h>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <vector>

#include "render/bulk_allocation.h"
#include "render/decode_workers.h"
#include "render/gl_context.h"

namespace {

// One row of the texture list: where the file is, how it is uploaded, where its name goes, and
// how the frames draw it.
struct TextureEntry {
  const char* path;
  bool generateMipmaps;
  bool keepRowOrder;
  bool repeatWrap;
  uint32_t* target;  // null: loaded, name not kept
  PictureUse use;
};

constexpr PictureUse notDrawn = PictureUse::none;
constexpr PictureUse scene = PictureUse::scene;
constexpr PictureUse ui = PictureUse::ui;
constexpr PictureUse sceneAndUi = PictureUse::sceneAndUi;

// Load order is fixed: the names the GL hands out depend on it.
const TextureEntry textureList[] = {
    {"./res/circuit_board.png", false, false, false, nullptr, notDrawn},
    {"./res/panel_background.png", false, true, false, &panelBackgroundTexture, ui},
    // The tunnel's own draw binds the lines; the warm-up draws the tunnel itself.
    {"./res/lines.png", true, true, true, &linesTexture, notDrawn},
    {"./res/door.png", true, false, true, &doorTexture, scene},
    {"./res/player-sheet.png", true, true, false, &playerSheetTexture, scene},
    {"./res/hdd_sprite_sheet_1024.png", true, false, false, nullptr, notDrawn},
    {"./res/diskette_unlock_sheet2.png", true, false, false, &disketteUnlockTexture, ui},
    {"./res/item-hub.png", true, false, true, &itemHubTexture, ui},
    {"./res/boost-sheet.png", true, false, true, &boostSheetTexture, ui},
    {"./res/confetti-sheet.png", true, false, true, &confettiSheetTexture, ui},
    {"./res/rfid_sheet_1024.png", true, false, false, &itemTextures[0], sceneAndUi},
    {"./res/+512.png", true, false, false, &itemTextures[1], sceneAndUi},
    {"./res/+128.png", true, false, false, &itemTextures[2], sceneAndUi},
    {"./res/+1024.png", true, false, false, &itemTextures[3], sceneAndUi},
    {"./res/2x.png", true, false, false, &itemTextures[4], sceneAndUi},
    {"./res/4x.png", true, false, false, &itemTextures[5], sceneAndUi},
    {"./res/8x.png", true, false, false, &itemTextures[6], sceneAndUi},
    {"./res/diskette_sheet_1024.png", true, false, false, &itemTextures[7], sceneAndUi},
    {"./res/box_randomizer.png", true, false, false, &itemTextures[8], sceneAndUi},
    {"./res/zell-sheet3.png", true, false, false, &zellSheetTexture, sceneAndUi},
};
constexpr int textureListSize = static_cast<int>(std::size(textureList));

// Pictures decoded ahead by the workers while the window and the sound engine start; the
// texture loads then only wait for the ones not done yet.
TextureImage decodedAhead[textureListSize];
int runningWorkers = 0;
bool decodingAhead = false;
int64_t storedBytes = 0;  // every level of every picture uploaded so far
int nextPicture = 0;      // the list's next picture to load

// The visible boxes of every picture uploaded, by texture name.
struct NamedBoxes {
  uint32_t texture;
  PictureBoxes boxes;
};
std::vector<NamedBoxes> boxesByName;

// The bytes a picture takes decoded with its chain, read from its header; 0 when unreadable.
int64_t decodedSize(int index) {
  const TextureEntry& e = textureList[index];
  int width = 0, height = 0, channels = 0;
  if (stbi_info(e.path, &width, &height, &channels) == 0) return 0;
  const int64_t level0 = int64_t{width} * height * rgbaChannels;
  return e.generateMipmaps ? level0 + level0 / 3 : level0;
}

void decodeAhead(int index) {
  // The workers turn the rows themselves; the decoder's own flip stays off on their threads.
  stbi_set_flip_vertically_on_load_thread(0);
  const TextureEntry& e = textureList[index];
  decodedAhead[index] = decodeTextureImage(e.path, !e.keepRowOrder, e.generateMipmaps);
}

// Decoded copies may wait for their upload up to this many bytes (see DecodeJobs::budget).
constexpr int64_t decodeAheadBudget = int64_t{96} << 20;
constexpr DecodeJobs textureJobs = {textureListSize, decodeAheadBudget, decodedSize, decodeAhead};

// Uploads a decoded picture (or, for an unusable file, nothing) into a new texture name and
// reports the outcome.
uint32_t uploadTexture(const char* path, const TextureImage& image, bool repeatWrap) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const char* message = "Failed to load texture: ";
  if (image.width > 0) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLenum format = image.channels == rgbaChannels ? GL_RGBA : GL_RGB;
    // Told how many levels are coming, the driver lays out the whole chain at level 0. Otherwise
    // it stores level 0 alone, then the chain at level 1 with level 0 copied in, and keeps the
    // first copy until the picture's first draw: the art's level 0 twice, 105 MiB, at the peak.
    if (image.levels > 1) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, image.levels - 1);
    for (int l = 0; l < image.levels; ++l) {
      storedBytes += int64_t{mipSize(image.width, l)} * mipSize(image.height, l) * image.channels;
      glTexImage2D(GL_TEXTURE_2D, l, static_cast<GLint>(format), mipSize(image.width, l),
                   mipSize(image.height, l), 0, format, GL_UNSIGNED_BYTE, levelPixels(image, l));
    }
    const GLint wrap = repeatWrap ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    message = "Loaded texture: ";
  }
  std::printf("%s%s\n", message, path);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  // A name the GL hands out again (after a test deleted its texture) drops its old boxes.
  std::erase_if(boxesByName, [texture](const NamedBoxes& n) { return n.texture == texture; });
  if (image.boxesKnown) boxesByName.push_back({texture, image.boxes});
  return texture;
}

}  // namespace

int64_t textureStoreBytes() { return storedBytes; }

int pictureCount() { return textureListSize; }

uint32_t pictureName(int index) {
  const uint32_t* target = textureList[index].target;
  return target != nullptr ? *target : 0;
}

bool pictureDrawnBy(int index, PictureUse use) {
  return (static_cast<uint8_t>(textureList[index].use) & static_cast<uint8_t>(use)) != 0;
}

const PictureBoxes* visibleBoxes(uint32_t texture) {
  for (const NamedBoxes& n : boxesByName)
    if (n.texture == texture) return &n.boxes;
  return nullptr;
}

uint32_t loadTexture(const char* path, bool generateMipmaps, bool keepRowOrder, bool repeatWrap) {
  if (!glReady) return 0;
  // Process-wide decoder setting; it stays as the last load left it. The decoder turns the rows.
  stbi_set_flip_vertically_on_load(keepRowOrder ? 0 : 1);
  const TextureImage image = decodeTextureImage(path, false, generateMipmaps);
  return uploadTexture(path, image, repeatWrap);
}

void startDecodingTextures() {
  if (decodingAhead) return;
  decodingAhead = true;
  beginBulkAllocation();
  // With no worker running, the main thread decodes the pictures one by one as it uploads them.
  runningWorkers = startDecodeWorkers(textureJobs);
}

void discardDecodedTextures() {
  stopDecodeWorkers();
  for (TextureImage& image : decodedAhead) image = TextureImage{};
  if (decodingAhead) endBulkAllocation();
  decodingAhead = false;
}

bool loadNextTexture() {
  if (nextPicture == textureListSize) {
    nextPicture = 0;
    if (decodingAhead) {
      discardDecodedTextures();
      // The decoder is left as loading the list one by one would have left it.
      const bool lastKeepsRows = textureList[textureListSize - 1].keepRowOrder;
      stbi_set_flip_vertically_on_load(lastKeepsRows ? 0 : 1);
    }
    return false;
  }
  const int i = nextPicture++;
  const TextureEntry& e = textureList[i];
  uint32_t name = 0;
  if (!decodingAhead || runningWorkers == 0) {
    name = loadTexture(e.path, e.generateMipmaps, e.keepRowOrder, e.repeatWrap);
  } else {
    waitUntilDecoded(i);
    if (glReady) name = uploadTexture(e.path, decodedAhead[i], e.repeatWrap);
    decodedAhead[i] = TextureImage{};  // uploaded: the copy in memory can go at once
    markUploaded(i);
  }
  if (e.target != nullptr) *e.target = name;
  return true;
}

void loadAllTextures() {
  while (loadNextTexture()) {
  }
}
