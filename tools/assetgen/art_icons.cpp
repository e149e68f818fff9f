// The desktop icons: the window icon's artwork at every size a menu, a dock or a software
// centre asks for, so the game looks the same in the menu as in its title bar.
#include "tools/assetgen/icons.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/assetgen/art.h"

namespace gen {

namespace {

const char* const iconFolder = "packaging/icons";
const char* const windowsIconFile = "packaging/windows/navro.ico";
// An .ico holds images up to 256 px; from Windows Vista on they may be PNG files as they are.
constexpr int largestWindowsIcon = 256;
constexpr size_t icoHeaderSize = 6, icoEntrySize = 16;

void put16(std::vector<unsigned char>& out, unsigned v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void put32(std::vector<unsigned char>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

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

// navro.exe's icon, for Explorer and the taskbar: the desktop icons up to 256 px, as written.
int writeWindowsIcon(const std::string& root) {
  std::vector<std::vector<unsigned char>> images;
  std::vector<int> sizes;
  for (int size : desktopIconSizes()) {
    if (size > largestWindowsIcon) continue;
    std::ifstream in(root + "/" + desktopIconFile(size), std::ios::binary);
    if (!in) return 1;
    images.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    sizes.push_back(size);
  }
  std::vector<unsigned char> ico;
  put16(ico, 0);  // reserved
  put16(ico, 1);  // an icon, not a cursor
  put16(ico, static_cast<unsigned>(images.size()));
  size_t offset = icoHeaderSize + icoEntrySize * images.size();
  for (size_t i = 0; i < images.size(); ++i) {
    const unsigned side = sizes[i] == largestWindowsIcon ? 0 : static_cast<unsigned>(sizes[i]);
    ico.push_back(static_cast<unsigned char>(side));  // 0 stands for 256
    ico.push_back(static_cast<unsigned char>(side));
    ico.push_back(0);  // no palette
    ico.push_back(0);  // reserved
    put16(ico, 1);     // colour planes
    put16(ico, 32);    // bits per pixel
    put32(ico, static_cast<uint32_t>(images[i].size()));
    put32(ico, static_cast<uint32_t>(offset));
    offset += images[i].size();
  }
  for (const std::vector<unsigned char>& image : images)
    ico.insert(ico.end(), image.begin(), image.end());
  std::error_code ec;
  std::filesystem::create_directories(root + "/packaging/windows", ec);
  std::ofstream out(root + "/" + windowsIconFile, std::ios::binary);
  out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
  return out.good() ? 0 : 1;
}

int writeDesktopIcons(const std::string& root) {
  std::error_code ec;
  std::filesystem::create_directories(root + "/" + iconFolder, ec);
  int failures = 0;
  for (int size : desktopIconSizes()) {
    if (!writePng(root + "/" + desktopIconFile(size), drawDesktopIcon(size), false)) ++failures;
  }
  if (failures == 0) failures += writeWindowsIcon(root);
  return failures;
}

}  // namespace gen
