// Every picture and sound of the game, as the generator draws and synthesises them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/raster.h"

namespace gen {

// A sprite sheet is 6 columns x 5 rows of equal cells, frame 0 top-left in reading order as
// the picture is meant to be seen, 30 frames to the second.
constexpr int sheetCols = 6;
constexpr int sheetRows = 5;
constexpr int sheetFrames = sheetCols * sheetRows;

// Draws frame f (0..29) into a cleared cell canvas.
using FrameArt = void (*)(Canvas& cell, int frame);
// Draws a still picture into a cleared canvas.
using StillArt = void (*)(Canvas& picture);

struct AssetSpec {
  const char* file;     // path under the output folder, e.g. "res/door.png"
  bool bottomRowFirst;  // the game uploads it without the vertical flip, so the file holds the
                        // picture upside down to show it upright
  bool opaque;          // written as RGB
  int width, height;    // of a still picture, or of one cell of a sheet
  FrameArt frames;      // set for sprite sheets
  StillArt still;       // set for still pictures
};

// Pictures the HUD shows in its square-fraction slots (0.1 x 0.1 of the window and the like,
// 16:9 in pixels) while the tunnel shows them on square quads: the cell takes the slot's shape,
// so a circle stays round in the HUD, and the square picture sits in its middle, the part the
// scene's quads read.
constexpr int hudCellWidth = 224;
constexpr int hudCellHeight = 126;
template <FrameArt art>
void inHudCell(Canvas& cell, int frame) {
  Canvas square(cell.height, cell.height);
  art(square, frame);
  composite(cell, square, (cell.width - cell.height) / 2, 0);
}

// The 21 pictures in the order the game loads them, the window icon last.
const std::vector<AssetSpec>& assetCatalog();

// Objects of the tunnel (art_objects.cpp).
void drawDiamond(Canvas& c, int f);
void drawToken128(Canvas& c, int f);
void drawToken512(Canvas& c, int f);
void drawToken1024(Canvas& c, int f);
void drawMultiplier2(Canvas& c, int f);
void drawMultiplier4(Canvas& c, int f);
void drawMultiplier8(Canvas& c, int f);
void drawRfidCard(Canvas& c, int f);
void drawDiskette(Canvas& c, int f);
void drawBoxRandomizer(Canvas& c, int f);
void drawHardDisk(Canvas& c, int f);
void drawWindowIcon(Canvas& c);

// The player, the tunnel's surfaces and the interface (art_scene.cpp, art_ui.cpp).
void drawPlayer(Canvas& c, int f);
void drawDoor(Canvas& c);
void drawLines(Canvas& c);
void drawCircuitBoard(Canvas& c);
void drawPanelBackground(Canvas& c);
void drawItemHub(Canvas& c);
void drawBoostGauge(Canvas& c, int f);
void drawConfetti(Canvas& c, int f);
void drawDisketteUnlock(Canvas& c, int f);

// Sounds (sounds.cpp): 16-bit mono PCM at soundRate.
constexpr int soundRate = 44100;
struct SoundSpec {
  const char* file;
  std::vector<float> (*synth)();  // peak-normalised, with faded ends
};
const std::vector<SoundSpec>& soundCatalog();
// Writes mono 16-bit samples (already shaped, -1..1) as a RIFF/WAVE file.
bool writeWav(const std::string& path, std::vector<float> samples);

}  // namespace gen
