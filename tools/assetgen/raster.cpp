// The drawing kit of the asset generator: shapes as distance fields, masks, glows and lettering.
#include "tools/assetgen/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <ft2build.h>
#include FT_FREETYPE_H
#include <zlib.h>

namespace {
// stb's own deflate is quick but loose; the committed art is compressed with zlib at its best
// level instead, which keeps the res folder to a few megabytes. zlib is deterministic for a
// given input and level, so the files stay byte-identical from run to run.
unsigned char* zlibCompress(unsigned char* data, int length, int* outLength, int /*quality*/) {
  uLongf size = compressBound(static_cast<uLong>(length));
  auto* out = static_cast<unsigned char*>(std::malloc(size));
  if (out == nullptr) return nullptr;
  if (compress2(out, &size, data, static_cast<uLong>(length), Z_BEST_COMPRESSION) != Z_OK) {
    std::free(out);
    return nullptr;
  }
  *outLength = static_cast<int>(size);
  return out;
}
}  // namespace

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBIW_ZLIB_COMPRESS zlibCompress
#include <stb_image_write.h>

namespace gen {

Color rgb(int hex, float alpha) {
  return {static_cast<float>((hex >> 16) & 0xff) / 255.0f,
          static_cast<float>((hex >> 8) & 0xff) / 255.0f, static_cast<float>(hex & 0xff) / 255.0f,
          alpha};
}
Color mix(Color a, Color b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}
Color withAlpha(Color c, float a) { return {c.r, c.g, c.b, a}; }
Color brighten(Color c, float t) { return mix(c, {1.0f, 1.0f, 1.0f, c.a}, t); }

float clamp01(float x) { return std::min(1.0f, std::max(0.0f, x)); }
float smoothstep(float e0, float e1, float x) {
  const float t = clamp01((x - e0) / (e1 - e0));
  return t * t * (3.0f - 2.0f * t);
}

namespace {
float length(Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }
float dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

float segmentDistance(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 pa = p - a, ba = b - a;
  const float len2 = dot(ba, ba);
  const float h = len2 > 0.0f ? clamp01(dot(pa, ba) / len2) : 0.0f;
  return length(pa - ba * h);
}

Sdf boundsOf(const std::vector<Vec2>& pts, float pad) {
  Sdf s;
  s.x0 = s.y0 = 1e9f;
  s.x1 = s.y1 = -1e9f;
  for (const Vec2& p : pts) {
    s.x0 = std::min(s.x0, p.x - pad);
    s.y0 = std::min(s.y0, p.y - pad);
    s.x1 = std::max(s.x1, p.x + pad);
    s.y1 = std::max(s.y1, p.y + pad);
  }
  return s;
}

// Visits the pixels of the mask that lie within pad pixels of the shape's box.
template <typename F>
void forBox(Mask& m, const Sdf& s, float pad, F f) {
  const int x0 = std::max(0, static_cast<int>(std::floor(s.x0 - pad)));
  const int y0 = std::max(0, static_cast<int>(std::floor(s.y0 - pad)));
  const int x1 = std::min(m.width - 1, static_cast<int>(std::ceil(s.x1 + pad)));
  const int y1 = std::min(m.height - 1, static_cast<int>(std::ceil(s.y1 + pad)));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      f(x, y, s({static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f}));
    }
  }
}

void boxBlurH(const std::vector<float>& in, std::vector<float>& out, int w, int h, int r) {
  const float norm = 1.0f / static_cast<float>(2 * r + 1);
  for (int y = 0; y < h; ++y) {
    const float* row = &in[static_cast<size_t>(y) * w];
    float* dst = &out[static_cast<size_t>(y) * w];
    double sum = 0.0;
    for (int i = -r; i <= r; ++i) sum += (i >= 0 && i < w) ? row[i] : 0.0f;
    for (int x = 0; x < w; ++x) {
      dst[x] = static_cast<float>(sum) * norm;
      const int add = x + r + 1, sub = x - r;
      if (add < w) sum += row[add];
      if (sub >= 0) sum -= row[sub];
    }
  }
}

void transpose(const std::vector<float>& in, std::vector<float>& out, int w, int h) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      out[static_cast<size_t>(x) * h + y] = in[static_cast<size_t>(y) * w + x];
  }
}

FT_Library ftLibrary = nullptr;
FT_Face ftFace = nullptr;
}  // namespace

Sdf circleSdf(Vec2 c, float r) {
  Sdf s = boundsOf({c}, r);
  s.f = [c, r](Vec2 p) { return length(p - c) - r; };
  return s;
}

Sdf boxSdf(Vec2 c, Vec2 halfSize, float radius, float angle) {
  const float ca = std::cos(angle), sa = std::sin(angle);
  const float reach = length(halfSize);
  Sdf s = boundsOf({c}, reach);
  s.f = [=](Vec2 p) {
    const Vec2 d0 = p - c;
    const Vec2 q{std::fabs(ca * d0.x + sa * d0.y) - halfSize.x + radius,
                 std::fabs(-sa * d0.x + ca * d0.y) - halfSize.y + radius};
    const Vec2 qo{std::max(q.x, 0.0f), std::max(q.y, 0.0f)};
    return length(qo) + std::min(std::max(q.x, q.y), 0.0f) - radius;
  };
  return s;
}

Sdf segmentSdf(Vec2 a, Vec2 b, float halfWidth) {
  Sdf s = boundsOf({a, b}, halfWidth);
  s.f = [=](Vec2 p) { return segmentDistance(p, a, b) - halfWidth; };
  return s;
}

Sdf polygonSdf(std::vector<Vec2> pts) {
  Sdf s = boundsOf(pts, 0.0f);
  s.f = [pts](Vec2 p) {
    // Distance to the nearest edge, signed by the crossing parity of a ray to the right.
    float d = 1e30f;
    bool inside = false;
    const size_t n = pts.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      d = std::min(d, segmentDistance(p, pts[j], pts[i]));
      const Vec2 a = pts[j], b = pts[i];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
        inside = !inside;
      }
    }
    return inside ? -d : d;
  };
  return s;
}

Sdf polylineSdf(std::vector<Vec2> pts, bool closed, float halfWidth) {
  Sdf s = boundsOf(pts, halfWidth);
  s.f = [pts, closed, halfWidth](Vec2 p) {
    float d = 1e30f;
    for (size_t i = 0; i + 1 < pts.size(); ++i)
      d = std::min(d, segmentDistance(p, pts[i], pts[i + 1]));
    if (closed && pts.size() > 2) d = std::min(d, segmentDistance(p, pts.back(), pts.front()));
    return d - halfWidth;
  };
  return s;
}

Sdf ringSdf(Vec2 c, float r, float halfWidth) {
  Sdf s = boundsOf({c}, r + halfWidth);
  s.f = [=](Vec2 p) { return std::fabs(length(p - c) - r) - halfWidth; };
  return s;
}

Sdf unionSdf(Sdf a, Sdf b) {
  Sdf s;
  s.x0 = std::min(a.x0, b.x0);
  s.y0 = std::min(a.y0, b.y0);
  s.x1 = std::max(a.x1, b.x1);
  s.y1 = std::max(a.y1, b.y1);
  s.f = [a, b](Vec2 p) { return std::min(a(p), b(p)); };
  return s;
}

Sdf subtractSdf(Sdf a, Sdf b) {
  Sdf s = a;
  s.f = [a, b](Vec2 p) { return std::max(a(p), -b(p)); };
  return s;
}

void fillMask(Mask& m, const Sdf& s, float opacity) {
  forBox(m, s, 2.0f, [&](int x, int y, float d) {
    const float cov = clamp01(0.5f - d) * opacity;
    float& v = m.at(x, y);
    v = v + cov - v * cov;
  });
}

void outlineMask(Mask& m, const Sdf& s, float halfWidth, float opacity) {
  forBox(m, s, halfWidth + 2.0f, [&](int x, int y, float d) {
    const float cov = clamp01(0.5f - (std::fabs(d) - halfWidth)) * opacity;
    float& v = m.at(x, y);
    v = v + cov - v * cov;
  });
}

void blurMask(Mask& m, float radius) {
  if (radius < 0.5f || m.width == 0) return;
  // Three box passes of width w approximate a gaussian with sigma^2 = (w^2 - 1) / 4.
  const int r = std::max(1, static_cast<int>(std::lround(radius * 0.9f)));
  std::vector<float> a = m.v, b(a.size()), t(a.size());
  for (int pass = 0; pass < 3; ++pass) {
    boxBlurH(a, b, m.width, m.height, r);
    a.swap(b);
  }
  transpose(a, t, m.width, m.height);
  for (int pass = 0; pass < 3; ++pass) {
    boxBlurH(t, b, m.height, m.width, r);
    t.swap(b);
  }
  transpose(t, m.v, m.height, m.width);
}

void scaleMask(Mask& m, float factor) {
  for (float& v : m.v) v = std::min(1.0f, v * factor);
}

void multiplyMask(Mask& m, const Mask& by) {
  for (size_t i = 0; i < m.v.size(); ++i) m.v[i] *= by.v[i];
}

namespace {

// Lays colour `col` at opacity `a` over one canvas pixel.
void blendOver(float* p, Color col, float a) {
  p[0] = col.r * a + p[0] * (1.0f - a);
  p[1] = col.g * a + p[1] * (1.0f - a);
  p[2] = col.b * a + p[2] * (1.0f - a);
  p[3] = a + p[3] * (1.0f - a);
}

}  // namespace

void paintShaded(Canvas& c, const Mask& m, const std::function<Color(int, int)>& shade) {
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const float cov = m.at(x, y);
      if (cov <= 0.0f) continue;
      const Color col = shade(x, y);
      const float a = clamp01(col.a * cov);
      blendOver(c.at(x, y), col, a);
    }
  }
}

void paint(Canvas& c, const Mask& m, Color col) {
  paintShaded(c, m, [col](int, int) { return col; });
}

void fill(Canvas& c, const Sdf& s, Color col) {
  // Same result as fillMask then paint, visiting only the pixels near the shape.
  const int x0 = std::max(0, static_cast<int>(std::floor(s.x0 - 2.0f)));
  const int y0 = std::max(0, static_cast<int>(std::floor(s.y0 - 2.0f)));
  const int x1 = std::min(c.width - 1, static_cast<int>(std::ceil(s.x1 + 2.0f)));
  const int y1 = std::min(c.height - 1, static_cast<int>(std::ceil(s.y1 + 2.0f)));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float cov =
          clamp01(0.5f - s({static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f}));
      if (cov <= 0.0f) continue;
      const float a = clamp01(col.a * cov);
      blendOver(c.at(x, y), col, a);
    }
  }
}

void neonStroke(Canvas& c, const Sdf& s, Color col, float halfWidth, float glow) {
  Mask tube(c.width, c.height);
  outlineMask(tube, s, halfWidth);
  if (glow > 0.0f) {
    Mask halo = tube;
    blurMask(halo, halfWidth * 3.0f + 2.0f);
    scaleMask(halo, 1.6f * glow);
    paint(c, halo, withAlpha(col, 0.75f));
  }
  paint(c, tube, col);
  Mask core(c.width, c.height);
  outlineMask(core, s, halfWidth * 0.35f);
  paint(c, core, withAlpha(brighten(col, 0.75f), 0.9f));
}

void glowFill(Canvas& c, const Sdf& s, Color col, float radius, float strength) {
  Mask m(c.width, c.height);
  Sdf wide = s;
  wide.x0 -= radius * 2.0f;
  wide.y0 -= radius * 2.0f;
  wide.x1 += radius * 2.0f;
  wide.y1 += radius * 2.0f;
  fillMask(m, s);
  blurMask(m, radius);
  scaleMask(m, strength);
  paint(c, m, col);
}

// A four-pointed twinkle.
void sparkle(Canvas& c, Vec2 at, float size, float intensity, Color col) {
  if (intensity <= 0.01f) return;
  const float s = size * intensity;
  const Sdf cross1 = polygonSdf(
      {{at.x - s, at.y}, {at.x, at.y - s * 0.14f}, {at.x + s, at.y}, {at.x, at.y + s * 0.14f}});
  const Sdf cross2 = polygonSdf(
      {{at.x, at.y - s}, {at.x + s * 0.14f, at.y}, {at.x, at.y + s}, {at.x - s * 0.14f, at.y}});
  const Sdf star = unionSdf(cross1, cross2);
  glowFill(c, circleSdf(at, s * 0.25f), withAlpha(col, 0.8f * intensity), s * 0.35f, 1.5f);
  fill(c, star, withAlpha(brighten(col, 0.7f), intensity));
}

void fadeTowardEdges(Canvas& c, float band) {
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const float edge =
          static_cast<float>(std::min(std::min(x, c.width - 1 - x), std::min(y, c.height - 1 - y)));
      const float k = smoothstep(2.0f, band, edge);
      float* p = c.at(x, y);
      for (int i = 0; i < 4; ++i) p[i] *= k;
    }
  }
}

void clearRim(Canvas& c, int rim) {
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      if (x < rim || y < rim || x >= c.width - rim || y >= c.height - rim) {
        float* p = c.at(x, y);
        p[0] = p[1] = p[2] = p[3] = 0.0f;
      }
    }
  }
}

void composite(Canvas& dst, const Canvas& src, int ox, int oy, float opacity) {
  for (int y = 0; y < src.height; ++y) {
    const int dy = oy + y;
    if (dy < 0 || dy >= dst.height) continue;
    for (int x = 0; x < src.width; ++x) {
      const int dx = ox + x;
      if (dx < 0 || dx >= dst.width) continue;
      const float* s = src.at(x, y);
      float* d = dst.at(dx, dy);
      const float a = s[3] * opacity;
      for (int k = 0; k < 3; ++k) d[k] = s[k] * opacity + d[k] * (1.0f - a);
      d[3] = a + d[3] * (1.0f - a);
    }
  }
}

Canvas resize(const Canvas& src, int w, int h) {
  Canvas out(w, h);
  const float sx = static_cast<float>(src.width) / static_cast<float>(w);
  const float sy = static_cast<float>(src.height) / static_cast<float>(h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      // Box average over the source footprint keeps thin neon lines when shrinking.
      const float fx0 = static_cast<float>(x) * sx, fx1 = fx0 + sx;
      const float fy0 = static_cast<float>(y) * sy, fy1 = fy0 + sy;
      float acc[4] = {0, 0, 0, 0};
      float wsum = 0.0f;
      for (int yy = static_cast<int>(fy0);
           yy < std::min(src.height, static_cast<int>(std::ceil(fy1))); ++yy) {
        const float wy =
            std::min(fy1, static_cast<float>(yy + 1)) - std::max(fy0, static_cast<float>(yy));
        for (int xx = static_cast<int>(fx0);
             xx < std::min(src.width, static_cast<int>(std::ceil(fx1))); ++xx) {
          const float wx =
              std::min(fx1, static_cast<float>(xx + 1)) - std::max(fx0, static_cast<float>(xx));
          const float wgt = wx * wy;
          if (wgt <= 0.0f) continue;
          const float* p = src.at(xx, yy);
          for (int k = 0; k < 4; ++k) acc[k] += p[k] * wgt;
          wsum += wgt;
        }
      }
      float* d = out.at(x, y);
      for (int k = 0; k < 4; ++k) d[k] = wsum > 0.0f ? acc[k] / wsum : 0.0f;
    }
  }
  return out;
}

Canvas flipVertically(const Canvas& src) {
  Canvas out(src.width, src.height);
  for (int y = 0; y < src.height; ++y) {
    std::copy(src.at(0, y), src.at(0, y) + static_cast<size_t>(src.width) * 4,
              out.at(0, src.height - 1 - y));
  }
  return out;
}

void multiplyAlpha(Canvas& c, float factor) {
  for (float& v : c.px) v *= factor;
}

bool loadFont(const std::string& path) {
  if (FT_Init_FreeType(&ftLibrary) != 0) return false;
  if (FT_New_Face(ftLibrary, path.c_str(), 0, &ftFace) != 0) {
    FT_Done_FreeType(ftLibrary);
    ftLibrary = nullptr;
    return false;
  }
  return true;
}

void releaseFont() {
  if (ftFace != nullptr) FT_Done_Face(ftFace);
  if (ftLibrary != nullptr) FT_Done_FreeType(ftLibrary);
  ftFace = nullptr;
  ftLibrary = nullptr;
}

namespace {
struct InkLine {
  Mask mask;
  int inkX0 = 0, inkY0 = 0, inkX1 = 0, inkY1 = 0;
};

// Renders the line at a pixel size onto a scratch mask with the baseline at 3/4 of its height.
InkLine renderLine(const std::string& text, int pixelSize) {
  InkLine line;
  FT_Set_Pixel_Sizes(ftFace, 0, static_cast<FT_UInt>(pixelSize));
  int advance = 0;
  for (char ch : text) {
    if (FT_Load_Char(ftFace, static_cast<FT_ULong>(static_cast<unsigned char>(ch)),
                     FT_LOAD_DEFAULT) == 0) {
      advance += static_cast<int>(ftFace->glyph->advance.x >> 6);
    }
  }
  const int w = advance + pixelSize * 2, h = pixelSize * 2;
  line.mask = Mask(w, h);
  int pen = pixelSize;
  const int baseline = h * 3 / 4;
  line.inkX0 = w;
  line.inkY0 = h;
  line.inkX1 = 0;
  line.inkY1 = 0;
  for (char ch : text) {
    if (FT_Load_Char(ftFace, static_cast<FT_ULong>(static_cast<unsigned char>(ch)),
                     FT_LOAD_RENDER) != 0)
      continue;
    const FT_GlyphSlot g = ftFace->glyph;
    for (unsigned r = 0; r < g->bitmap.rows; ++r) {
      for (unsigned col = 0; col < g->bitmap.width; ++col) {
        const int x = pen + g->bitmap_left + static_cast<int>(col);
        const int y = baseline - g->bitmap_top + static_cast<int>(r);
        if (x < 0 || y < 0 || x >= w || y >= h) continue;
        const float v =
            static_cast<float>(g->bitmap.buffer[r * static_cast<unsigned>(g->bitmap.pitch) + col]) /
            255.0f;
        if (v <= 0.0f) continue;
        line.mask.at(x, y) = std::min(1.0f, line.mask.at(x, y) + v);
        line.inkX0 = std::min(line.inkX0, x);
        line.inkY0 = std::min(line.inkY0, y);
        line.inkX1 = std::max(line.inkX1, x + 1);
        line.inkY1 = std::max(line.inkY1, y + 1);
      }
    }
    pen += static_cast<int>(g->advance.x >> 6);
  }
  return line;
}
}  // namespace

Mask textMask(int w, int h, const std::string& text, float cx, float cy, float capPx,
              float maxWidth) {
  Mask out(w, h);
  if (ftFace == nullptr || text.empty()) return out;
  // Measure the cap height at a reference size, then render at the size that gives capPx.
  constexpr int referenceSize = 200;
  InkLine ref = renderLine("H", referenceSize);
  const float capRef = static_cast<float>(ref.inkY1 - ref.inkY0);
  int size = std::max(4, static_cast<int>(std::lround(capPx * referenceSize / capRef)));
  InkLine line = renderLine(text, size);
  while (static_cast<float>(line.inkX1 - line.inkX0) > maxWidth && size > 4) {
    size = std::max(4, static_cast<int>(static_cast<float>(size) * maxWidth /
                                        static_cast<float>(line.inkX1 - line.inkX0)));
    line = renderLine(text, size);
    if (static_cast<float>(line.inkX1 - line.inkX0) > maxWidth) --size;
  }
  // The cap band (not the descenders) is what gets centred, so figures sit level.
  const InkLine capLine = renderLine("H", size);
  const float inkCx = 0.5f * static_cast<float>(line.inkX0 + line.inkX1);
  const float inkCy = 0.5f * static_cast<float>(capLine.inkY0 + capLine.inkY1);
  const int ox = static_cast<int>(std::lround(cx - inkCx));
  const int oy = static_cast<int>(std::lround(cy - inkCy));
  for (int y = 0; y < line.mask.height; ++y) {
    for (int x = 0; x < line.mask.width; ++x) {
      const int tx = x + ox, ty = y + oy;
      if (tx < 0 || ty < 0 || tx >= w || ty >= h) continue;
      out.at(tx, ty) = line.mask.at(x, y);
    }
  }
  return out;
}

uint64_t Rng::next() {
  // splitmix64: tiny, well mixed and the same everywhere.
  state += 0x9e3779b97f4a7c15ull;
  uint64_t z = state;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}
float Rng::uniform() { return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24); }
float Rng::range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

std::vector<uint8_t> toRgba8(const Canvas& c) {
  std::vector<uint8_t> out(static_cast<size_t>(c.width) * c.height * 4);
  for (size_t i = 0; i < static_cast<size_t>(c.width) * c.height; ++i) {
    const float* p = &c.px[i * 4];
    const float a = clamp01(p[3]);
    const auto q = [](float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f)); };
    const uint8_t a8 = q(a);
    if (a8 == 0) {
      out[i * 4 + 0] = out[i * 4 + 1] = out[i * 4 + 2] = out[i * 4 + 3] = 0;
      continue;
    }
    for (int k = 0; k < 3; ++k) out[i * 4 + k] = q(p[k] / a);
    out[i * 4 + 3] = a8;
  }
  return out;
}

// Every row is stored as its difference from the row above. The game decodes all its pictures
// before the first menu frame, and this filter unpacks in 40% less time than stb's per-row
// choice (which often picks the costly Paeth filter) for files only 5% larger.
constexpr int pngFilterUp = 2;

bool writePng(const std::string& path, const Canvas& c, bool opaque) {
  stbi_write_force_png_filter = pngFilterUp;
  std::vector<uint8_t> rgba = toRgba8(c);
  if (!opaque) {
    return stbi_write_png(path.c_str(), c.width, c.height, 4, rgba.data(), c.width * 4) != 0;
  }
  std::vector<uint8_t> rgb8(static_cast<size_t>(c.width) * c.height * 3);
  for (size_t i = 0; i < static_cast<size_t>(c.width) * c.height; ++i) {
    // Opaque pictures are flattened onto black, the colour behind everything in the game.
    const float* p = &c.px[i * 4];
    for (int k = 0; k < 3; ++k) {
      rgb8[i * 3 + k] = static_cast<uint8_t>(std::lround(clamp01(p[k]) * 255.0f));
    }
  }
  return stbi_write_png(path.c_str(), c.width, c.height, 3, rgb8.data(), c.width * 3) != 0;
}

}  // namespace gen
