// Shared by the drawing tests: scratch directories, small PNG files, stdout capture, renderer
// set-up.
#pragma once

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/data/tunnel_polygon.h"
#include "app/shell/game.h"
#include "kit/gl_window.h"
#include "kit/scratch_folder.h"
#include "render/frame.h"
#include "render/shader_program.h"
#include "render/sprite_draw.h"
#include "render/text.h"
#include "render/textures.h"
#include "render/tunnel_mesh.h"

// A scratch folder of its own, removed at the end of the test.
class ScratchDir {
 public:
  ScratchDir() : path_(makeScratchFolder("navro-render").string()) {}
  ~ScratchDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Runs the enclosed code with another working directory (the game opens its assets relatively).
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::string& dir) : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~WorkingDirectory() { std::filesystem::current_path(saved_); }

 private:
  std::filesystem::path saved_;
};

// Writes rows top to bottom as they appear when the picture is viewed.
inline void writePng(const std::string& path, int width, int height, int channels,
                     const std::vector<uint8_t>& pixels) {
  ASSERT_NE(0,
            stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels));
}

inline void beginCapture() {
  std::fflush(stdout);
  testing::internal::CaptureStdout();
}

inline std::string endCapture() {
  std::fflush(stdout);
  return testing::internal::GetCapturedStdout();
}

inline bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The start-up steps that drawing needs, once per test process (the GL objects live to its end).
inline bool prepareRenderer() {
  static bool done = false;
  if (!ensureGlContext()) return false;
  if (done) return true;
  done = true;
  loadGameResources();
  return true;
}

// A font every Debian test machine has, for tests that must not depend on the game's own font.
inline const char* systemFontPath() {
  for (const char* p : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                        "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"})
    if (std::filesystem::exists(p)) return p;
  return nullptr;
}

struct PixelBox {
  int lit = 0;
  int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;  // window pixels, y downward
};

// Pixels brighter than `threshold` in any channel over the whole window.
inline PixelBox litPixels(int width, int height, int threshold = 40) {
  const std::vector<uint8_t> p = readPixels(0, 0, width, height);
  PixelBox box;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* q = &p[(static_cast<size_t>(y) * width + x) * 4];
      if (q[0] <= threshold && q[1] <= threshold && q[2] <= threshold) continue;
      const int top = height - 1 - y;
      ++box.lit;
      box.minX = std::min(box.minX, x);
      box.maxX = std::max(box.maxX, x);
      box.minY = std::min(box.minY, top);
      box.maxY = std::max(box.maxY, top);
    }
  }
  return box;
}

// Saves the window as a PNG (top row first) when NAVRO_DUMP_FRAMES names a directory.
inline void dumpWindow(const std::string& name, int width, int height) {
  const char* dir = std::getenv("NAVRO_DUMP_FRAMES");
  if (dir == nullptr) return;
  const std::vector<uint8_t> p = readPixels(0, 0, width, height);
  std::vector<uint8_t> flipped(p.size());
  // The window's alpha is whatever the draws left; a viewer should see the colours only.
  const size_t row = static_cast<size_t>(width) * 4;
  for (int y = 0; y < height; ++y)
    std::copy(p.begin() + static_cast<long>(y * row), p.begin() + static_cast<long>((y + 1) * row),
              flipped.begin() + static_cast<long>((height - 1 - y) * row));
  for (size_t i = 3; i < flipped.size(); i += 4) flipped[i] = 255;
  stbi_write_png((std::string(dir) + "/" + name + ".png").c_str(), width, height, 4, flipped.data(),
                 static_cast<int>(row));
}
