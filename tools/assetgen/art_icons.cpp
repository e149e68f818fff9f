// The desktop icons: the window icon's artwork at every size a menu, a dock or a software
// centre asks for, so the game looks the same in the menu as in its title bar.
#include "tools/assetgen/icons.h"

#include <filesystem>

#include "tools/assetgen/art.h"

namespace gen {

namespace {

const char* const iconFolder = "packaging/icons";

// Above this the artwork is drawn at the icon's own size; below it, drawn here and shrunk, so
// small icons get the area-averaged lines of a large drawing instead of sub-pixel strokes.
constexpr int masterIconSize = 256;

Canvas drawDesktopIcon(int size) {
  if (size >= masterIconSize) {
    Canvas c(size, size);
    drawWindowIcon(c);
    return c;
  }
  Canvas master(masterIconSize, masterIconSize);
  drawWindowIcon(master);
  return resize(master, size, size);
}

}  // namespace

const std::vector<int>& desktopIconSizes() {
  static const std::vector<int> sizes{16, 24, 32, 48, 64, 128, 256, 512};
  return sizes;
}

std::string desktopIconFile(int size) {
  return std::string(iconFolder) + "/navro-" + std::to_string(size) + ".png";
}

int writeDesktopIcons(const std::string& root) {
  std::error_code ec;
  std::filesystem::create_directories(root + "/" + iconFolder, ec);
  int failures = 0;
  for (int size : desktopIconSizes()) {
    if (!writePng(root + "/" + desktopIconFile(size), drawDesktopIcon(size), false)) ++failures;
  }
  return failures;
}

}  // namespace gen
