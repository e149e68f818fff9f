// The objects that ride the tunnel: the diamond, score tokens, multipliers, card, diskette,
// box randomizer and the hard disk, each a 30-frame loop.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "tools/assetgen/art.h"

namespace gen {
namespace {

struct V3 {
  float x, y, z;
};
V3 sub(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 cross(V3 a, V3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float dot3(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 normalize(V3 v) {
  const float l = std::sqrt(dot3(v, v));
  return {v.x / l, v.y / l, v.z / l};
}
// Turn about the vertical axis, then tip the top toward the viewer (who looks down -z).
V3 orient(V3 p, float yaw, float pitch) {
  const float cy = std::cos(yaw), sy = std::sin(yaw);
  const V3 a{cy * p.x + sy * p.z, p.y, -sy * p.x + cy * p.z};
  const float cp = std::cos(pitch), sp = std::sin(pitch);
  return {a.x, cp * a.y - sp * a.z, sp * a.y + cp * a.z};
}

float phase(int f) { return static_cast<float>(f) / static_cast<float>(sheetFrames); }

// Paints a label mask with a coloured halo, a dark keyline and a bright face.
void glowingLabel(Canvas& c, const Mask& text, Color col, float glowRadius) {
  Mask halo = text;
  blurMask(halo, glowRadius);
  scaleMask(halo, 2.2f);
  paint(c, halo, withAlpha(col, 0.9f));
  Mask keyline = text;
  blurMask(keyline, 1.2f);
  scaleMask(keyline, 3.0f);
  paint(c, keyline, withAlpha(palette::ink, 0.85f));
  paintShaded(c, text, [&](int, int y) {
    const float t = static_cast<float>(y) / static_cast<float>(c.height);
    return brighten(col, 0.85f - 0.35f * t);
  });
}

std::vector<Vec2> arcPoints(Vec2 c, float r, float a0, float a1, int steps) {
  std::vector<Vec2> pts;
  for (int i = 0; i <= steps; ++i) {
    const float a = a0 + (a1 - a0) * static_cast<float>(i) / static_cast<float>(steps);
    pts.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
  return pts;
}

std::vector<Vec2> regularPolygon(Vec2 c, float r, int n, float rotation) {
  std::vector<Vec2> pts;
  for (int i = 0; i < n; ++i) {
    const float a = rotation + 2.0f * pi * static_cast<float>(i) / static_cast<float>(n);
    pts.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
  return pts;
}

// A radial fill from a lit rim colour to ink at the centre.
void discFill(Canvas& c, const Sdf& shape, Vec2 centre, float radius, Color col) {
  Mask m(c.width, c.height);
  fillMask(m, shape);
  paintShaded(c, m, [&](int x, int y) {
    const float dx = static_cast<float>(x) + 0.5f - centre.x,
                dy = static_cast<float>(y) + 0.5f - centre.y;
    const float t = clamp01(std::sqrt(dx * dx + dy * dy) / radius);
    return withAlpha(mix(palette::ink, mix(palette::ink, col, 0.45f), t * t), 0.94f);
  });
}

// Score token: a round coin with its value, a light running round the rim.
void drawToken(Canvas& c, int f, const char* label, Color col) {
  const float s = static_cast<float>(c.width);
  const Vec2 ctr{s * 0.5f, s * 0.5f};
  const float r = s * 0.37f;
  const float pulse = 0.5f + 0.5f * std::cos(2.0f * pi * phase(f));
  glowFill(c, circleSdf(ctr, r), withAlpha(col, 0.55f + 0.2f * pulse), s * 0.06f, 1.2f);
  discFill(c, circleSdf(ctr, r), ctr, r, col);
  neonStroke(c, ringSdf(ctr, r, 0.0f), col, s * 0.022f);
  neonStroke(c, ringSdf(ctr, r * 0.83f, 0.0f), withAlpha(col, 0.55f), s * 0.006f, 0.3f);
  const float a0 = 2.0f * pi * phase(f) - pi * 0.5f;
  neonStroke(c, polylineSdf(arcPoints(ctr, r, a0, a0 + 0.9f, 16), false, 0.0f), brighten(col, 0.6f),
             s * 0.02f, 0.8f);
  const Mask text = textMask(c.width, c.height, label, ctr.x, ctr.y, s * 0.2f, r * 1.55f);
  glowingLabel(c, text, col, s * 0.02f);
  sparkle(c, {ctr.x + r * std::cos(a0 + 0.9f), ctr.y + r * std::sin(a0 + 0.9f)}, s * 0.08f, 0.9f,
          brighten(col, 0.5f));
}

// Multiplier: a hexagonal plate with a turning inner hexagon and its factor.
void drawMultiplier(Canvas& c, int f, const char* label, Color col) {
  const float s = static_cast<float>(c.width);
  const Vec2 ctr{s * 0.5f, s * 0.5f};
  const float r = s * 0.41f;
  const std::vector<Vec2> hex = regularPolygon(ctr, r, 6, -pi * 0.5f);
  const float pulse = 0.5f + 0.5f * std::cos(2.0f * pi * phase(f));
  glowFill(c, polygonSdf(hex), withAlpha(col, 0.55f + 0.25f * pulse), s * 0.06f, 1.2f);
  discFill(c, polygonSdf(hex), ctr, r, col);
  const float turn = pi / 3.0f * phase(f);
  neonStroke(c, polylineSdf(regularPolygon(ctr, r * 0.78f, 6, -pi * 0.5f + turn), true, 0.0f),
             withAlpha(col, 0.5f), s * 0.006f, 0.3f);
  neonStroke(c, polylineSdf(hex, true, 0.0f), col, s * 0.026f);
  // A bright spot runs once round the plate per cycle.
  const float along = 6.0f * phase(f);
  const int edge = static_cast<int>(along);
  const float t = along - static_cast<float>(edge);
  const Vec2 a = hex[static_cast<size_t>(edge % 6)], b = hex[static_cast<size_t>((edge + 1) % 6)];
  sparkle(c, a + (b - a) * t, s * 0.1f, 1.0f, brighten(col, 0.5f));
  const Mask text = textMask(c.width, c.height, label, ctr.x, ctr.y, s * 0.3f, r * 1.3f);
  glowingLabel(c, text, col, s * 0.025f);
}

// Paints a mask picture onto the parallelogram a (its top-left), b (top-right), d (bottom-left).
void paintOnFace(Canvas& c, Vec2 a, Vec2 b, Vec2 d, const Mask& tex, Color col) {
  const Vec2 e1 = b - a, e2 = d - a;
  const float det = e1.x * e2.y - e1.y * e2.x;
  if (std::fabs(det) < 1.0f) return;
  Mask m(c.width, c.height);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const Vec2 p = Vec2{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f} - a;
      const float u = (p.x * e2.y - p.y * e2.x) / det;
      const float v = (e1.x * p.y - e1.y * p.x) / det;
      if (u < 0.0f || v < 0.0f || u >= 1.0f || v >= 1.0f) continue;
      const float tx = u * static_cast<float>(tex.width - 1),
                  ty = v * static_cast<float>(tex.height - 1);
      const int ix = static_cast<int>(tx), iy = static_cast<int>(ty);
      const float fx = tx - static_cast<float>(ix), fy = ty - static_cast<float>(iy);
      const int ix1 = std::min(ix + 1, tex.width - 1), iy1 = std::min(iy + 1, tex.height - 1);
      m.at(x, y) = (tex.at(ix, iy) * (1 - fx) + tex.at(ix1, iy) * fx) * (1 - fy) +
                   (tex.at(ix, iy1) * (1 - fx) + tex.at(ix1, iy1) * fx) * fy;
    }
  }
  paint(c, m, col);
}

}  // namespace

void drawDiamond(Canvas& c, int f) {
  const float s = static_cast<float>(c.width);
  const Vec2 ctr{s * 0.5f, s * 0.47f};
  const float scale = s * 0.36f;
  // A brilliant cut: octagonal table, star facets down to the girdle, a long pavilion.
  std::array<V3, 8> table{}, girdle{}, mid{};
  for (int i = 0; i < 8; ++i) {
    const float ag = 2.0f * pi * static_cast<float>(i) / 8.0f;
    const float at = ag + pi / 8.0f;
    girdle[static_cast<size_t>(i)] = {std::cos(ag), 0.18f, std::sin(ag)};
    table[static_cast<size_t>(i)] = {0.55f * std::cos(at), 0.5f, 0.55f * std::sin(at)};
    mid[static_cast<size_t>(i)] = {std::cos(at) * std::cos(pi / 8.0f), 0.18f,
                                   std::sin(at) * std::cos(pi / 8.0f)};
  }
  const V3 tip{0.0f, -1.05f, 0.0f};
  std::vector<std::vector<V3>> faces;
  std::vector<V3> top(table.begin(), table.end());
  faces.push_back(std::vector<V3>(top.rbegin(), top.rend()));
  for (size_t i = 0; i < 8; ++i) {
    const size_t n = (i + 1) % 8;
    faces.push_back({girdle[i], table[i], girdle[n]});
    faces.push_back({table[(i + 7) % 8], table[i], girdle[i]});
    faces.push_back({girdle[i], mid[i], tip});
    faces.push_back({mid[i], girdle[n], tip});
  }
  const float yaw = pi / 4.0f * phase(f);
  const float pitch = 0.38f;
  const V3 light = normalize({-0.45f, 0.75f, 0.5f});
  auto project = [&](V3 p) {
    const V3 q = orient(p, yaw, pitch);
    return Vec2{ctr.x + q.x * scale, ctr.y - q.y * scale};
  };
  // Halo behind the stone, from its silhouette.
  Mask silhouette(c.width, c.height);
  std::vector<std::vector<Vec2>> visible;
  std::vector<Color> shades;
  for (size_t k = 0; k < faces.size(); ++k) {
    const auto& face = faces[k];
    std::vector<V3> q;
    for (const V3& p : face) q.push_back(orient(p, yaw, pitch));
    // Faces wind clockwise seen from outside; the viewer sits on +z.
    const V3 n = normalize(cross(sub(q[2], q[0]), sub(q[1], q[0])));
    if (n.z <= 0.0f) continue;
    std::vector<Vec2> pts;
    for (const V3& p : face) pts.push_back(project(p));
    fillMask(silhouette, polygonSdf(pts));
    const float diffuse = std::max(0.0f, dot3(n, light));
    const V3 half = normalize({light.x, light.y, light.z + 1.0f});
    const float specular = std::pow(std::max(0.0f, dot3(n, half)), 24.0f);
    const float facet = (k % 2 == 0) ? 0.0f : 0.18f;
    Color col = mix(rgb(0x4a14b8), palette::pink, clamp01(0.15f + 0.8f * diffuse + facet));
    col = mix(col, palette::magenta, 0.25f * (1.0f - diffuse));
    col = brighten(col, clamp01(specular * 0.9f));
    visible.push_back(pts);
    shades.push_back(col);
  }
  Mask halo = silhouette;
  blurMask(halo, s * 0.06f);
  scaleMask(halo, 1.4f);
  paint(c, halo, withAlpha(palette::magenta, 0.8f));
  for (size_t k = 0; k < visible.size(); ++k) fill(c, polygonSdf(visible[k]), shades[k]);
  for (const auto& pts : visible) {
    neonStroke(c, polylineSdf(pts, true, 0.0f), withAlpha(brighten(palette::pink, 0.55f), 0.85f),
               s * 0.006f, 0.0f);
  }
  const float tw = std::sin(2.0f * pi * phase(f));
  sparkle(c, project(table[5]), s * 0.16f, std::pow(std::max(0.0f, tw), 2.0f), palette::white);
  sparkle(c, project(girdle[1]), s * 0.12f, std::pow(std::max(0.0f, -tw), 2.0f), palette::white);
}

void drawToken128(Canvas& c, int f) { drawToken(c, f, "+128", palette::green); }
void drawToken512(Canvas& c, int f) { drawToken(c, f, "+512", palette::cyan); }
void drawToken1024(Canvas& c, int f) { drawToken(c, f, "+1024", palette::gold); }
void drawMultiplier2(Canvas& c, int f) { drawMultiplier(c, f, "2x", palette::orange); }
void drawMultiplier4(Canvas& c, int f) { drawMultiplier(c, f, "4x", palette::magenta); }
void drawMultiplier8(Canvas& c, int f) { drawMultiplier(c, f, "8x", palette::blue); }

void drawRfidCard(Canvas& c, int f) {
  const float s = static_cast<float>(c.width);
  const float bob = s * 0.015f * std::sin(2.0f * pi * phase(f));
  const Vec2 ctr{s * 0.47f, s * 0.56f + bob};
  const float tilt = -0.14f;
  const Color col = palette::cyan;
  const Sdf card = boxSdf(ctr, {s * 0.36f, s * 0.23f}, s * 0.05f, tilt);
  glowFill(c, card, withAlpha(col, 0.5f), s * 0.05f, 1.1f);
  Mask body(c.width, c.height);
  fillMask(body, card);
  paintShaded(c, body, [&](int x, int y) {
    const float t = clamp01((static_cast<float>(x + y) - s * 0.4f) / (s * 1.2f));
    return withAlpha(mix(rgb(0x0c3550), palette::ink, t), 0.95f);
  });
  neonStroke(c, card, col, s * 0.016f);
  // The chip: gold contacts, turned with the card.
  const float ca = std::cos(tilt), sa = std::sin(tilt);
  auto onCard = [&](float u, float v) {
    return Vec2{ctr.x + ca * u - sa * v, ctr.y + sa * u + ca * v};
  };
  const Vec2 chip = onCard(-s * 0.17f, -s * 0.02f);
  fill(c, boxSdf(chip, {s * 0.085f, s * 0.065f}, s * 0.018f, tilt), palette::gold);
  const Sdf contacts = unionSdf(
      segmentSdf(onCard(-s * 0.255f, -s * 0.02f), onCard(-s * 0.085f, -s * 0.02f), s * 0.005f),
      segmentSdf(onCard(-s * 0.17f, -s * 0.085f), onCard(-s * 0.17f, s * 0.045f), s * 0.005f));
  fill(c, contacts, rgb(0x7a5200));
  // Stripe and lettering of the card.
  fill(c, segmentSdf(onCard(s * 0.0f, s * 0.12f), onCard(s * 0.27f, s * 0.12f), s * 0.012f),
       withAlpha(col, 0.7f));
  fill(c, segmentSdf(onCard(s * 0.0f, s * 0.165f), onCard(s * 0.18f, s * 0.165f), s * 0.012f),
       withAlpha(col, 0.45f));
  const Mask text = textMask(c.width, c.height, "ID", onCard(s * 0.14f, -s * 0.04f).x,
                             onCard(s * 0.14f, -s * 0.04f).y, s * 0.11f);
  glowingLabel(c, text, col, s * 0.012f);
  // Radio waves leave the card's corner and fade as they grow.
  const Vec2 source = onCard(s * 0.3f, -s * 0.2f);
  for (int k = 0; k < 3; ++k) {
    const float grow = std::fmod(phase(f) + static_cast<float>(k) / 3.0f, 1.0f);
    const float r = s * (0.06f + 0.2f * grow);
    const float fade = std::sin(pi * grow);
    neonStroke(
        c,
        polylineSdf(arcPoints(source, r, -pi * 0.5f - 0.55f, -pi * 0.5f + 0.75f, 14), false, 0.0f),
        withAlpha(brighten(col, 0.3f), fade), s * 0.012f, 0.6f);
  }
}

void drawDiskette(Canvas& c, int f) {
  const float s = static_cast<float>(c.width);
  const float bob = s * 0.012f * std::sin(2.0f * pi * phase(f));
  const Vec2 ctr{s * 0.5f, s * 0.5f + bob};
  const float h = s * 0.36f;
  const Color col = rgb(0x5c7bff);
  // The body with its clipped corner.
  const std::vector<Vec2> outline{{ctr.x - h, ctr.y - h},
                                  {ctr.x + h * 0.78f, ctr.y - h},
                                  {ctr.x + h, ctr.y - h * 0.78f},
                                  {ctr.x + h, ctr.y + h},
                                  {ctr.x - h, ctr.y + h}};
  const Sdf body = polygonSdf(outline);
  glowFill(c, body, withAlpha(col, 0.5f), s * 0.05f, 1.1f);
  Mask m(c.width, c.height);
  fillMask(m, body);
  paintShaded(c, m, [&](int, int y) {
    const float t = clamp01((static_cast<float>(y) - (ctr.y - h)) / (2.0f * h));
    return withAlpha(mix(rgb(0x1a2a80), rgb(0x0b0d2e), t), 0.96f);
  });
  // Metal shutter with its window.
  const Sdf shutter =
      boxSdf({ctr.x + h * 0.05f, ctr.y - h * 0.62f}, {h * 0.5f, h * 0.38f}, s * 0.01f);
  fill(c, shutter, rgb(0xc9d4e8));
  fill(c, boxSdf({ctr.x + h * 0.22f, ctr.y - h * 0.64f}, {h * 0.12f, h * 0.24f}, s * 0.006f),
       rgb(0x20283c));
  // Label: white with ruled lines and the game's mark.
  const Sdf label = boxSdf({ctr.x, ctr.y + h * 0.45f}, {h * 0.72f, h * 0.48f}, s * 0.015f);
  fill(c, label, rgb(0xf2f0ff));
  fill(c,
       segmentSdf({ctr.x - h * 0.6f, ctr.y + h * 0.12f}, {ctr.x + h * 0.6f, ctr.y + h * 0.12f},
                  s * 0.012f),
       palette::magenta);
  for (int k = 0; k < 2; ++k) {
    const float y = ctr.y + h * (0.62f + 0.22f * static_cast<float>(k));
    fill(c, segmentSdf({ctr.x - h * 0.55f, y}, {ctr.x + h * 0.55f, y}, s * 0.004f), rgb(0x9aa0c8));
  }
  const Mask text =
      textMask(c.width, c.height, "NAVRO", ctr.x, ctr.y + h * 0.36f, s * 0.075f, h * 1.2f);
  paint(c, text, rgb(0x3a1a8a));
  neonStroke(c, polylineSdf(outline, true, 0.0f), col, s * 0.016f);
  // A sheen sweeps diagonally across once per cycle.
  const float sweep = -h * 2.4f + 4.8f * h * phase(f);
  Mask sheen(c.width, c.height);
  fillMask(sheen, body);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const float d = (static_cast<float>(x) - ctr.x) + (static_cast<float>(y) - ctr.y) - sweep;
      sheen.at(x, y) *= 0.55f * std::exp(-d * d / (2.0f * (s * 0.05f) * (s * 0.05f)));
    }
  }
  paint(c, sheen, palette::white);
}

void drawBoxRandomizer(Canvas& c, int f) {
  const float s = static_cast<float>(c.width);
  const Vec2 ctr{s * 0.5f, s * 0.53f};
  const float scale = s * 0.25f;
  // The edges cycle through the palette, one hue after another.
  const Color hues[] = {palette::magenta, palette::amber, palette::lime, palette::cyan,
                        palette::violet};
  const float hp = phase(f) * 5.0f;
  const Color edge = mix(hues[static_cast<int>(hp) % 5], hues[(static_cast<int>(hp) + 1) % 5],
                         hp - std::floor(hp));
  const float yaw = pi * 0.25f + pi * 0.5f * phase(f);
  const float pitch = 0.45f;
  std::array<V3, 8> corner{};
  for (int i = 0; i < 8; ++i) {
    corner[static_cast<size_t>(i)] = {(i & 1) ? 1.0f : -1.0f, (i & 2) ? 1.0f : -1.0f,
                                      (i & 4) ? 1.0f : -1.0f};
  }
  auto project = [&](V3 p) {
    const V3 q = orient(p, yaw, pitch);
    return Vec2{ctr.x + q.x * scale, ctr.y - q.y * scale};
  };
  // Each face: top-left, top-right, bottom-right, bottom-left as seen from outside.
  const int faces[6][4] = {{6, 7, 5, 4}, {7, 3, 1, 5}, {3, 2, 0, 1},
                           {2, 6, 4, 0}, {2, 3, 7, 6}, {4, 5, 1, 0}};
  Mask question(96, 96);
  question = textMask(96, 96, "?", 48.0f, 48.0f, 56.0f);
  const V3 light = normalize({-0.4f, 0.8f, 0.45f});
  Mask silhouette(c.width, c.height);
  struct Shown {
    std::vector<Vec2> pts;
    float lit;
    bool side;
  };
  std::vector<Shown> shown;
  for (int k = 0; k < 6; ++k) {
    std::vector<V3> q;
    for (int i : faces[k]) q.push_back(orient(corner[static_cast<size_t>(i)], yaw, pitch));
    const V3 n = normalize(cross(sub(q[3], q[0]), sub(q[1], q[0])));
    if (n.z <= 0.0f) continue;
    std::vector<Vec2> pts;
    for (int i : faces[k]) pts.push_back(project(corner[static_cast<size_t>(i)]));
    fillMask(silhouette, polygonSdf(pts));
    shown.push_back({pts, std::max(0.0f, dot3(n, light)), k < 4});
  }
  Mask halo = silhouette;
  blurMask(halo, s * 0.06f);
  scaleMask(halo, 1.3f);
  paint(c, halo, withAlpha(edge, 0.75f));
  for (const Shown& face : shown) {
    fill(
        c, polygonSdf(face.pts),
        withAlpha(mix(palette::ink, mix(palette::ink, edge, 0.5f), 0.2f + 0.6f * face.lit), 0.97f));
    if (face.side) {
      const Vec2 inset = (face.pts[2] - face.pts[0]) * 0.08f;
      const Vec2 inset2 = (face.pts[3] - face.pts[1]) * 0.08f;
      paintOnFace(c, face.pts[0] + inset, face.pts[1] + inset2, face.pts[3] - inset2, question,
                  brighten(edge, 0.55f + 0.3f * face.lit));
    }
  }
  for (const Shown& face : shown)
    neonStroke(c, polylineSdf(face.pts, true, 0.0f), edge, s * 0.013f, 0.6f);
  sparkle(c, project(corner[7]), s * 0.12f, 0.5f + 0.5f * std::sin(2.0f * pi * phase(f) * 2.0f),
          palette::white);
}

void drawHardDisk(Canvas& c, int f) {
  const float s = static_cast<float>(c.width);
  const Vec2 ctr{s * 0.5f, s * 0.5f};
  const Color col = rgb(0x9fb3d9);
  const Sdf body = boxSdf(ctr, {s * 0.34f, s * 0.42f}, s * 0.04f);
  glowFill(c, body, withAlpha(palette::cyan, 0.35f), s * 0.05f, 1.0f);
  fill(c, body, withAlpha(rgb(0x161a26), 0.97f));
  neonStroke(c, body, col, s * 0.012f, 0.6f);
  const Vec2 hub{ctr.x, ctr.y - s * 0.08f};
  const float r = s * 0.27f;
  discFill(c, circleSdf(hub, r), hub, r, palette::cyan);
  for (int k = 1; k <= 3; ++k) {
    neonStroke(c, ringSdf(hub, r * (0.3f + 0.22f * static_cast<float>(k)), 0.0f),
               withAlpha(palette::cyan, 0.25f), s * 0.004f, 0.0f);
  }
  // The platter turns once per cycle: a reflection wedge rides on it.
  const float a = 2.0f * pi * phase(f);
  std::vector<Vec2> wedge{hub};
  const std::vector<Vec2> rim = arcPoints(hub, r * 0.97f, a, a + 0.7f, 12);
  wedge.insert(wedge.end(), rim.begin(), rim.end());
  fill(c, polygonSdf(wedge), withAlpha(palette::white, 0.28f));
  neonStroke(c, ringSdf(hub, r, 0.0f), palette::cyan, s * 0.01f, 0.7f);
  fill(c, circleSdf(hub, s * 0.045f), col);
  // The head arm sweeps across the platter from its pivot.
  const Vec2 pivot{ctr.x + s * 0.24f, ctr.y + s * 0.3f};
  const float sweep = -2.05f + 0.35f * std::sin(2.0f * pi * phase(f));
  const Vec2 head{pivot.x + s * 0.33f * std::cos(sweep), pivot.y + s * 0.33f * std::sin(sweep)};
  fill(c, segmentSdf(pivot, head, s * 0.018f), rgb(0xd9e2f2));
  fill(c, circleSdf(pivot, s * 0.04f), rgb(0x6c7a96));
  const bool ledOn = (f / 3) % 2 == 0;
  sparkle(c, {ctr.x - s * 0.25f, ctr.y + s * 0.35f}, s * 0.06f, ledOn ? 1.0f : 0.3f, palette::lime);
}

void drawWindowIcon(Canvas& c) {
  const float s = static_cast<float>(c.width);
  fill(c, boxSdf({s * 0.5f, s * 0.5f}, {s * 0.47f, s * 0.47f}, s * 0.16f), palette::ink);
  // The stone is drawn at least at sheet size and shrunk, so small icons keep its facets.
  constexpr int gemMinSize = 256;
  const int gemSize = std::max(gemMinSize, c.width);
  Canvas gem(gemSize, gemSize);
  drawDiamond(gem, 0);
  const Canvas small = resize(gem, c.width, c.height);
  composite(c, small, 0, 0);
  neonStroke(c, boxSdf({s * 0.5f, s * 0.5f}, {s * 0.46f, s * 0.46f}, s * 0.15f), palette::violet,
             s * 0.015f, 0.0f);
}

}  // namespace gen
