// A hidden 1280 x 720 window with a GL 4.6 core context, shared by the GL tests and benchmarks.
#pragma once

#include <cstdint>
#include <vector>

// Creates the window and loads GL the first time; true when a context is current.
bool ensureGlContext();
// Swaps the hidden window's buffers (for benchmarks and frame tests).
void swapGlBuffers();
// RGBA pixels of a rectangle of the default framebuffer, origin at the bottom-left.
std::vector<uint8_t> readPixels(int x, int y, int width, int height);
// RGBA of one pixel given in window coordinates with y downward (as the UI uses).
struct Rgba {
  uint8_t r, g, b, a;
};
Rgba pixelAt(int x, int yFromTop);
