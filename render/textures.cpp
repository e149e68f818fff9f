// Loading every image of the game as a GL texture with premultiplied alpha.
#include "render/textures.h"

#include <glad/gl.h>
#include <stb_image.h>
#include <cstdio>

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

constexpr int rgbaChannels = 4;

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

// Decodes an opened file; grey and grey-alpha images are widened to RGBA by the decoder.
unsigned char* decode(FILE* f, int* width, int* height, int* channels) {
  int fileChannels = 0;
  if (stbi_info_from_file(f, width, height, &fileChannels) == 0) return nullptr;
  const int wanted = (fileChannels == 1 || fileChannels == 2) ? rgbaChannels : 0;
  unsigned char* pixels = stbi_load_from_file(f, width, height, channels, wanted);
  if (pixels != nullptr && wanted != 0) *channels = wanted;
  return pixels;
}

}  // namespace

void premultiplyAlpha(unsigned char* pixels, int width, int height) {
  const long count = static_cast<long>(width) * height;
  for (long i = 0; i < count; ++i) {
    unsigned char* p = pixels + i * rgbaChannels;
    const float a = static_cast<float>(p[3]) / 255.0f;
    for (int c = 0; c < 3; ++c) p[c] = static_cast<unsigned char>(static_cast<float>(p[c]) * a);
  }
}

uint32_t loadTexture(const char* path, bool generateMipmaps, bool keepRowOrder, bool repeatWrap) {
  if (!glReady) return 0;
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  // Process-wide decoder setting; it stays as the last load left it.
  stbi_set_flip_vertically_on_load(keepRowOrder ? 0 : 1);

  unsigned char* pixels = nullptr;
  int width = 0, height = 0, channels = 0;
  if (FILE* f = std::fopen(path, "rb")) {
    pixels = decode(f, &width, &height, &channels);
    std::fclose(f);
  }

  const char* message = "Failed to load texture: ";
  if (pixels != nullptr) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLenum format = GL_RGB;
    if (channels == rgbaChannels) {
      premultiplyAlpha(pixels, width, height);
      format = GL_RGBA;
    }
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format,
                 GL_UNSIGNED_BYTE, pixels);
    if (generateMipmaps) glGenerateMipmap(GL_TEXTURE_2D);
    const GLint wrap = repeatWrap ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    message = "Loaded texture: ";
  }
  std::printf("%s%s\n", message, path);
  stbi_image_free(pixels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  return texture;
}

void loadAllTextures() {
  for (const TextureEntry& e : textureList) {
    const uint32_t name = loadTexture(e.path, e.generateMipmaps, e.keepRowOrder, e.repeatWrap);
    if (e.target != nullptr) *e.target = name;
  }
}
