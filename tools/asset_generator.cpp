// navro-assetgen: draws every picture and synthesises every sound of the game, byte for byte the
// same on every run, and lays out a contact sheet of all of them for a look by eye.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <stb_image.h>

#include "tools/assetgen/art.h"
#include "tools/assetgen/icons.h"

namespace gen {

const std::vector<AssetSpec>& assetCatalog() {
  // file, bottom row first, opaque, width, height (of a cell for sheets), frames, still
  static const std::vector<AssetSpec> catalog{
      {"res/circuit_board.png", false, true, 256, 256, nullptr, drawCircuitBoard},
      {"res/panel_background.png", true, false, 512, 64, nullptr, drawPanelBackground},
      {"res/lines.png", true, true, 256, 256, nullptr, drawLines},
      {"res/door.png", false, false, 256, 256, nullptr, drawDoor},
      {"res/player-sheet.png", true, false, 128, 128, drawPlayer, nullptr},
      {"res/hdd_sprite_sheet_1024.png", false, false, 128, 128, drawHardDisk, nullptr},
      // The prize roll's diskette and the boost gauge are drawn at the size they are shown at
      // 1280 x 720; the confetti, a second of flat pieces flying over the whole window, at half
      // that (at full size it alone would take 150 MB of texture and half a second to load).
      {"res/diskette_unlock_sheet2.png", false, false, 640, 540, drawDisketteUnlock, nullptr},
      {"res/item-hub.png", false, false, 256, 360, nullptr, drawItemHub},
      {"res/boost-sheet.png", false, false, 192, 216, drawBoostGauge, nullptr},
      {"res/confetti-sheet.png", false, false, 640, 360, drawConfetti, nullptr},
      {"res/rfid_sheet_1024.png", false, false, hudCellWidth, hudCellHeight,
       inHudCell<drawRfidCard>, nullptr},
      {"res/+512.png", false, false, hudCellWidth, hudCellHeight, inHudCell<drawToken512>, nullptr},
      {"res/+128.png", false, false, hudCellWidth, hudCellHeight, inHudCell<drawToken128>, nullptr},
      {"res/+1024.png", false, false, hudCellWidth, hudCellHeight, inHudCell<drawToken1024>,
       nullptr},
      {"res/2x.png", false, false, hudCellWidth, hudCellHeight, inHudCell<drawMultiplier2>,
       nullptr},
      {"res/4x.png", false, false, hudCellWidth, hudCellHeight, inHudCell<drawMultiplier4>,
       nullptr},
      {"res/8x.png", false, false, hudCellWidth, hudCellHeight, inHudCell<drawMultiplier8>,
       nullptr},
      {"res/diskette_sheet_1024.png", false, false, 128, 128, drawDiskette, nullptr},
      {"res/box_randomizer.png", false, false, 128, 128, drawBoxRandomizer, nullptr},
      {"res/zell-sheet3.png", false, false, hudCellWidth, hudCellHeight, inHudCell<drawDiamond>,
       nullptr},
      // The window icon goes straight to the window system, top row first.
      {"res/zell-ico.png", false, false, 64, 64, nullptr, drawWindowIcon},
  };
  return catalog;
}

namespace {

constexpr int cellRim = 2;  // pixels

// The picture as seen: a still, or the 30 cells of a sheet in reading order.
Canvas render(const AssetSpec& a) {
  if (a.still != nullptr) {
    Canvas c(a.width, a.height);
    a.still(c);
    return c;
  }
  Canvas sheet(a.width * sheetCols, a.height * sheetRows);
  for (int f = 0; f < sheetFrames; ++f) {
    Canvas cell(a.width, a.height);
    a.frames(cell, f);
    // Cells are sampled with linear filtering right beside their neighbours: an empty rim
    // keeps one frame from bleeding into the next.
    clearRim(cell, cellRim);
    composite(sheet, cell, (f % sheetCols) * a.width, (f / sheetCols) * a.height);
  }
  return sheet;
}

// What the game puts on screen for frame f, rebuilt from the written file the way the loader
// and the sprite shaders read it: texture row 0 is the bottom of the uploaded image, and frame f
// sits in column f % 6 and in row f / 6 counted from the top (v = 1) of the texture.
Canvas frameOnScreen(const std::vector<uint8_t>& file, int w, int h, const AssetSpec& a, int f) {
  const bool sheet = a.frames != nullptr;
  const int cw = sheet ? w / sheetCols : w, ch = sheet ? h / sheetRows : h;
  const int col = sheet ? f % sheetCols : 0;
  const int rowFromTop = sheet ? f / sheetCols : 0;
  const int rowsTotal = sheet ? sheetRows : 1;
  Canvas out(cw, ch);
  for (int y = 0; y < ch; ++y) {
    // Screen row y (from the top) samples texture row t, counted from v = 0.
    const int t = (rowsTotal - 1 - rowFromTop) * ch + (ch - 1 - y);
    // With the flip the texture's row t is file row h - 1 - t; without it, file row t.
    const int fileRow = a.bottomRowFirst ? t : h - 1 - t;
    for (int x = 0; x < cw; ++x) {
      const uint8_t* p = &file[(static_cast<size_t>(fileRow) * w + col * cw + x) * 4];
      const float alpha = static_cast<float>(p[3]) / 255.0f;
      float* d = out.at(x, y);
      for (int k = 0; k < 3; ++k) d[k] = static_cast<float>(p[k]) / 255.0f * alpha;
      d[3] = alpha;
    }
  }
  return out;
}

bool writeContactSheet(const std::string& root, const std::string& path) {
  constexpr int tile = 72, labelWidth = 260, gap = 4;
  const auto& catalog = assetCatalog();
  int sheets = 0;
  for (const auto& a : catalog) sheets += a.frames != nullptr ? 1 : 0;
  const int stillsRow = 200;
  const int width = labelWidth + sheetFrames * (tile + gap);
  const int height = sheets * (tile + gap + 18) + stillsRow + 60;
  Canvas page(width, height);
  // A dim checkerboard shows where pictures are transparent.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float v = ((x / 8 + y / 8) % 2 == 0) ? 0.05f : 0.09f;
      float* p = page.at(x, y);
      p[0] = p[1] = p[2] = v;
      p[3] = 1.0f;
    }
  }
  int row = 0, stillX = gap;
  const int stillsTop = sheets * (tile + gap + 18) + 30;
  for (const auto& a : catalog) {
    int w = 0, h = 0, n = 0;
    stbi_set_flip_vertically_on_load(0);
    unsigned char* px = stbi_load((root + "/" + a.file).c_str(), &w, &h, &n, 4);
    if (px == nullptr) return false;
    const std::vector<uint8_t> file(px, px + static_cast<size_t>(w) * h * 4);
    stbi_image_free(px);
    const std::string name = std::string(a.file).substr(4);
    if (a.frames != nullptr) {
      const int top = row * (tile + gap + 18) + 18;
      Canvas label(labelWidth, 18);
      paint(label, textMask(labelWidth, 18, name, labelWidth * 0.5f, 9.0f, 9.0f, labelWidth - 8.0f),
            palette::white);
      composite(page, label, 0, top + tile / 2 - 9);
      for (int f = 0; f < sheetFrames; ++f) {
        const Canvas shown = frameOnScreen(file, w, h, a, f);
        const float k = std::min(static_cast<float>(tile) / static_cast<float>(shown.width),
                                 static_cast<float>(tile) / static_cast<float>(shown.height));
        const Canvas small = resize(shown, std::max(1, static_cast<int>(shown.width * k)),
                                    std::max(1, static_cast<int>(shown.height * k)));
        composite(page, small, labelWidth + f * (tile + gap), top);
      }
      ++row;
    } else {
      const Canvas shown = frameOnScreen(file, w, h, a, 0);
      const float k =
          std::min(1.0f, static_cast<float>(stillsRow - 30) / static_cast<float>(shown.height));
      const Canvas small =
          resize(shown, static_cast<int>(shown.width * k), static_cast<int>(shown.height * k));
      composite(page, small, stillX, stillsTop);
      Canvas label(std::max(small.width, 140), 18);
      paint(label,
            textMask(label.width, 18, name, label.width * 0.5f, 9.0f, 8.0f, label.width - 4.0f),
            palette::white);
      composite(page, label, stillX, stillsTop + small.height + 4);
      stillX += std::max(small.width, 140) + 3 * gap;
    }
  }
  return writePng(path, page, true);
}

int usage() {
  std::fprintf(stderr,
               "usage: navro-assetgen [OUTPUT_DIR] [--font FONT.ttf] [--contact-sheet PNG]\n");
  return 2;
}

}  // namespace
}  // namespace gen

int main(int argc, char** argv) {
  std::string root = ".", font = "fonts/HV.ttf", contact;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--font") == 0 && i + 1 < argc) {
      font = argv[++i];
    } else if (std::strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc) {
      contact = argv[++i];
    } else if (argv[i][0] == '-') {
      return gen::usage();
    } else {
      root = argv[i];
    }
  }
  if (contact.empty()) contact = root + "/contact_sheet.png";
  if (!gen::loadFont(font)) {
    std::fprintf(stderr, "navro-assetgen: cannot load the font %s\n", font.c_str());
    return 1;
  }
  std::error_code ec;
  std::filesystem::create_directories(root + "/res", ec);
  std::filesystem::create_directories(root + "/audio", ec);
  int failures = 0;
  for (const auto& a : gen::assetCatalog()) {
    gen::Canvas picture = gen::render(a);
    if (a.bottomRowFirst) picture = gen::flipVertically(picture);
    if (!gen::writePng(root + "/" + a.file, picture, a.opaque)) {
      std::fprintf(stderr, "navro-assetgen: cannot write %s\n", a.file);
      ++failures;
    }
  }
  for (const auto& s : gen::soundCatalog()) {
    if (!gen::writeWav(root + "/" + s.file, s.synth())) {
      std::fprintf(stderr, "navro-assetgen: cannot write %s\n", s.file);
      ++failures;
    }
  }
  const int iconFailures = gen::writeDesktopIcons(root);
  if (iconFailures > 0) std::fprintf(stderr, "navro-assetgen: cannot write the desktop icons\n");
  failures += iconFailures;
  if (failures == 0 && !gen::writeContactSheet(root, contact)) {
    std::fprintf(stderr, "navro-assetgen: cannot write the contact sheet %s\n", contact.c_str());
    ++failures;
  }
  gen::releaseFont();
  if (failures == 0)
    std::printf("navro-assetgen: %zu pictures, %zu sounds, %zu desktop icons and %s written\n",
                gen::assetCatalog().size(), gen::soundCatalog().size(),
                gen::desktopIconSizes().size(), contact.c_str());
  return failures == 0 ? 0 : 1;
}
