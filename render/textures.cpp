// Loading every image of the game as a GL texture with premultiplied alpha.
#include "render/textures.h"

#include <glad/gl.h>
#include <stb_image.h>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <iterator>

#include "render/gl_context.h"

uint32_t panelBackgroundTexture = 0;
uint32_t linesTexture = 0;
uint32_t doorTexture = 0;
uint32_t playerSheetTexture = 0;
uint32_t disketteUnlockTexture = 0;
uint32_t itemHubTexture = 0;
uint32_t boostSheetTexture = 0;
uint32_t confettiSheetTexture = 0;
uint32_t itemTextures[itemTextureCount] = {};
uint32_t zellSheetTexture = 0;

namespace {

// One row of the texture list: where the file is, how it is uploaded, and where its name goes.
struct TextureEntry {
  const char* path;
  bool generateMipmaps;
  bool keepRowOrder;
  bool repeatWrap;
  uint32_t* target;  // null: loaded, name not kept
};

// Load order is fixed: the names the GL hands out depend on it.
const TextureEntry textureList[] = {
    {"./res/circuit_board.png", false, false, false, nullptr},
    {"./res/panel_background.png", false, true, false, &panelBackgroundTexture},
    {"./res/lines.png", true, true, true, &linesTexture},
    {"./res/door.png", true, false, true, &doorTexture},
    {"./res/player-sheet.png", true, true, false, &playerSheetTexture},
    {"./res/hdd_sprite_sheet_1024.png", true, false, false, nullptr},
    {"./res/diskette_unlock_sheet2.png", true, false, false, &disketteUnlockTexture},
    {"./res/item-hub.png", true, false, true, &itemHubTexture},
    {"./res/boost-sheet.png", true, false, true, &boostSheetTexture},
    {"./res/confetti-sheet.png", true, false, true, &confettiSheetTexture},
    {"./res/rfid_sheet_1024.png", true, false, false, &itemTextures[0]},
    {"./res/+512.png", true, false, false, &itemTextures[1]},
    {"./res/+128.png", true, false, false, &itemTextures[2]},
    {"./res/+1024.png", true, false, false, &itemTextures[3]},
    {"./res/2x.png", true, false, false, &itemTextures[4]},
    {"./res/4x.png", true, false, false, &itemTextures[5]},
    {"./res/8x.png", true, false, false, &itemTextures[6]},
    {"./res/diskette_sheet_1024.png", true, false, false, &itemTextures[7]},
    {"./res/box_randomizer.png", true, false, false, &itemTextures[8]},
    {"./res/zell-sheet3.png", true, false, false, &zellSheetTexture},
};
constexpr int textureListSize = static_cast<int>(std::size(textureList));

// Pictures decoded ahead on worker threads while the window and the sound engine start; the
// texture loads then only wait for the ones not done yet.
constexpr int decodeWorkerCount = 2;
TextureImage decodedAhead[textureListSize];
std::atomic<bool> decodedAheadReady[textureListSize];
pthread_t decodeWorkers[decodeWorkerCount];
bool decodeWorkerRunning[decodeWorkerCount] = {};
bool decodingAhead = false;

void* decodeShare(void* workerIndex) {
  const int worker = static_cast<int>(reinterpret_cast<intptr_t>(workerIndex));
  // The workers turn the rows themselves; the decoder's own flip stays off on their threads.
  stbi_set_flip_vertically_on_load_thread(0);
  for (int i = worker; i < textureListSize; i += decodeWorkerCount) {
    const TextureEntry& e = textureList[i];
    decodedAhead[i] = decodeTextureImage(e.path, !e.keepRowOrder, e.generateMipmaps);
    decodedAheadReady[i].store(true, std::memory_order_release);
    decodedAheadReady[i].notify_one();
  }
  return nullptr;
}

int startThread(pthread_t* thread, void* (*body)(void*), void* argument) {
  return pthread_create(thread, nullptr, body, argument);
}

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
    for (int l = 0; l < image.levels; ++l)
      glTexImage2D(GL_TEXTURE_2D, l, static_cast<GLint>(format), mipSize(image.width, l),
                   mipSize(image.height, l), 0, format, GL_UNSIGNED_BYTE, levelPixels(image, l));
    const GLint wrap = repeatWrap ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    message = "Loaded texture: ";
  }
  std::printf("%s%s\n", message, path);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  return texture;
}

}  // namespace

int (*startDecodeThread)(pthread_t*, void* (*)(void*), void*) = startThread;

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
  for (std::atomic<bool>& ready : decodedAheadReady) ready.store(false);
  // A worker that cannot start (a process limit reached) leaves its pictures to the main thread.
  for (int w = 0; w < decodeWorkerCount; ++w)
    decodeWorkerRunning[w] = startDecodeThread(&decodeWorkers[w], decodeShare,
                                               reinterpret_cast<void*>(intptr_t{w})) == 0;
}

void discardDecodedTextures() {
  for (int w = 0; w < decodeWorkerCount; ++w) {
    if (decodeWorkerRunning[w]) pthread_join(decodeWorkers[w], nullptr);
    decodeWorkerRunning[w] = false;
  }
  for (TextureImage& image : decodedAhead) image = TextureImage{};
  decodingAhead = false;
}

void loadAllTextures() {
  if (!decodingAhead) {
    for (const TextureEntry& e : textureList) {
      const uint32_t name = loadTexture(e.path, e.generateMipmaps, e.keepRowOrder, e.repeatWrap);
      if (e.target != nullptr) *e.target = name;
    }
    return;
  }
  for (int i = 0; i < textureListSize; ++i) {
    const TextureEntry& e = textureList[i];
    uint32_t name = 0;
    if (!decodeWorkerRunning[i % decodeWorkerCount]) {
      name = loadTexture(e.path, e.generateMipmaps, e.keepRowOrder, e.repeatWrap);
    } else if (glReady) {
      decodedAheadReady[i].wait(false, std::memory_order_acquire);
      name = uploadTexture(e.path, decodedAhead[i], e.repeatWrap);
      decodedAhead[i] = TextureImage{};  // uploaded: the copy in memory can go at once
    }
    if (e.target != nullptr) *e.target = name;
  }
  discardDecodedTextures();
  // The decoder is left as loading the list one by one would have left it.
  const bool lastKeepsRows = textureList[textureListSize - 1].keepRowOrder;
  stbi_set_flip_vertically_on_load(lastKeepsRows ? 0 : 1);
}
