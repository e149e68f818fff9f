// The asset generator's drawing kit: float canvases, coverage masks, distance-field shapes,
// blurred glows, FreeType lettering and deterministic noise.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gen {

struct Vec2 {
  float x = 0.0f;
  float y = 0.0f;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float s) { return {a.x * s, a.y * s}; }

// Straight (not premultiplied) colour, every channel 0..1.
struct Color {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 1.0f;
};
Color rgb(int hex, float alpha = 1.0f);  // 0xRRGGBB
Color mix(Color a, Color b, float t);
Color withAlpha(Color c, float a);
Color brighten(Color c, float towardWhite);  // 0 keeps the colour, 1 gives white

// The game's neon palette: every picture draws from it so the set reads as one family.
namespace palette {
inline const Color cyan = rgb(0x22e8ff);
inline const Color magenta = rgb(0xff2bd6);
inline const Color violet = rgb(0xa45bff);
inline const Color pink = rgb(0xeda8ff);  // the diamond count's text colour
inline const Color lime = rgb(0x9dff3a);
inline const Color green = rgb(0x2bff78);
inline const Color amber = rgb(0xffb21e);
inline const Color gold = rgb(0xffd84a);
inline const Color red = rgb(0xff2e4c);
inline const Color orange = rgb(0xff7a1a);
inline const Color blue = rgb(0x2f7bff);
inline const Color white = rgb(0xffffff);
inline const Color ink = rgb(0x0a0616);  // the dark fill behind glowing outlines
}  // namespace palette

// Single-channel coverage, 0..1, the same size as the canvas it is laid on.
struct Mask {
  int width = 0;
  int height = 0;
  std::vector<float> v;
  Mask() = default;
  Mask(int w, int h) : width(w), height(h), v(static_cast<size_t>(w) * h, 0.0f) {}
  float& at(int x, int y) { return v[static_cast<size_t>(y) * width + x]; }
  float at(int x, int y) const { return v[static_cast<size_t>(y) * width + x]; }
};

// Premultiplied float RGBA; (0, 0) is the top-left pixel as the picture is meant to be seen.
struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<float> px;  // r, g, b, a per pixel, premultiplied
  Canvas() = default;
  Canvas(int w, int h) : width(w), height(h), px(static_cast<size_t>(w) * h * 4, 0.0f) {}
  float* at(int x, int y) { return &px[(static_cast<size_t>(y) * width + x) * 4]; }
  const float* at(int x, int y) const { return &px[(static_cast<size_t>(y) * width + x) * 4]; }
};

// Signed distance in pixels from a point to a shape (negative inside), with the box that holds
// the shape so that drawing visits only the pixels near it.
struct Sdf {
  std::function<float(Vec2)> f;
  float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
  float operator()(Vec2 p) const { return f(p); }
};

Sdf circleSdf(Vec2 c, float r);
Sdf boxSdf(Vec2 c, Vec2 halfSize, float radius, float angle = 0.0f);  // rounded, rotated
Sdf segmentSdf(Vec2 a, Vec2 b, float halfWidth);
Sdf polygonSdf(std::vector<Vec2> pts);  // any simple polygon
Sdf polylineSdf(std::vector<Vec2> pts, bool closed, float halfWidth);
Sdf ringSdf(Vec2 c, float r, float halfWidth);
Sdf unionSdf(Sdf a, Sdf b);
Sdf subtractSdf(Sdf a, Sdf b);  // a without b

// Rasterises a shape into a mask with one pixel of analytic antialiasing (coverage adds up to 1).
void fillMask(Mask& m, const Sdf& s, float opacity = 1.0f);
// Everything within the distance band [-halfWidth, halfWidth] of the shape's edge.
void outlineMask(Mask& m, const Sdf& s, float halfWidth, float opacity = 1.0f);
void blurMask(Mask& m, float radius);  // three box passes, close to a gaussian of that radius
void scaleMask(Mask& m, float factor);
void multiplyMask(Mask& m, const Mask& by);

// Lays colour over the canvas through a mask (source-over).
void paint(Canvas& c, const Mask& m, Color col);
// Lays a per-pixel colour over the canvas through a mask.
void paintShaded(Canvas& c, const Mask& m, const std::function<Color(int, int)>& shade);
// Shape filled and painted at once.
void fill(Canvas& c, const Sdf& s, Color col);
// A neon tube: blurred halo, coloured tube and a pale core along the shape's edge (halfWidth px).
void neonStroke(Canvas& c, const Sdf& s, Color col, float halfWidth, float glow = 1.0f);
// A soft halo of the shape's own area, for lit surfaces and light bursts.
void glowFill(Canvas& c, const Sdf& s, Color col, float radius, float strength);

// A four-pointed twinkle of the given size; intensity 0..1 scales and fades it.
void sparkle(Canvas& c, Vec2 at, float size, float intensity, Color col);

// Fades the picture to nothing over a band of pixels along every edge.
void fadeTowardEdges(Canvas& c, float band);
// Empties a band of rim pixels along every edge.
void clearRim(Canvas& c, int rim);

// Copies src over dst with its top-left at (x, y) (source-over, clipped).
void composite(Canvas& dst, const Canvas& src, int x, int y, float opacity = 1.0f);
// Bilinear resample into a new canvas of w x h.
Canvas resize(const Canvas& src, int w, int h);
Canvas flipVertically(const Canvas& src);
void multiplyAlpha(Canvas& c, float factor);

// Lettering through FreeType from the game's own font file.
bool loadFont(const std::string& path);
void releaseFont();
// Mask of a text line whose ink box is centred on (cx, cy), cap height capPx pixels.
// Wider than maxWidth shrinks it to fit.
Mask textMask(int w, int h, const std::string& text, float cx, float cy, float capPx,
              float maxWidth = 1e9f);

// Deterministic noise: the same seed gives the same numbers on every machine.
struct Rng {
  uint64_t state;
  explicit Rng(uint64_t seed) : state(seed) {}
  uint64_t next();
  float uniform();                  // [0, 1)
  float range(float lo, float hi);  // [lo, hi)
};

// 8-bit straight-alpha pixels of the canvas; alpha 0 pixels become black.
std::vector<uint8_t> toRgba8(const Canvas& c);
// Writes a PNG with 4 channels, or 3 when opaque is set (alpha dropped, black behind).
bool writePng(const std::string& path, const Canvas& c, bool opaque);

constexpr float pi = 3.14159265358979f;
float smoothstep(float e0, float e1, float x);
float clamp01(float x);

}  // namespace gen
