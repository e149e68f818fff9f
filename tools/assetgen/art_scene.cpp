// The pictures of the scene itself: the player's hover craft, the door, the blade texture and
// the circuit board.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assetgen/art.h"

namespace gen {
namespace {

float phase(int f) { return static_cast<float>(f) / static_cast<float>(sheetFrames); }
// Whole-cycle harmonics keep every wobble seamless from frame 29 back to frame 0.
float wave(int f, int harmonic, float offset = 0.0f) {
  return std::sin(2.0f * pi * (static_cast<float>(harmonic) * phase(f) + offset));
}

std::vector<Vec2> mirrored(const std::vector<Vec2>& left, float axis) {
  std::vector<Vec2> out = left;
  for (auto it = left.rbegin(); it != left.rend(); ++it)
    out.push_back({2.0f * axis - it->x, it->y});
  return out;
}

}  // namespace

void drawPlayer(Canvas& c, int f) {
  // The craft is drawn a little larger than its cell's unit so that it fills the width.
  const float cw = static_cast<float>(c.width);
  const float s = cw * 1.05f;
  const float cx = cw * 0.5f;
  const float bob = cw * 0.018f * wave(f, 1);
  const float base = cw * 0.76f + bob;  // underside of the hull
  // Light pool on the face below: it breathes with the hover height.
  {
    Mask pool(c.width, c.height);
    fillMask(pool, boxSdf({cx, cw * 0.88f}, {s * 0.3f, s * 0.03f}, s * 0.03f));
    blurMask(pool, s * 0.04f);
    scaleMask(pool, 1.2f - 0.25f * wave(f, 1));
    paint(c, pool, withAlpha(palette::magenta, 0.8f));
  }
  // Hull seen from behind: a low wedge with swept fins, symmetric about the centre line.
  const std::vector<Vec2> hullLeft{{cx, base - s * 0.30f},
                                   {cx - s * 0.12f, base - s * 0.26f},
                                   {cx - s * 0.2f, base - s * 0.13f},
                                   {cx - s * 0.38f, base - s * 0.06f},
                                   {cx - s * 0.4f, base - s * 0.01f},
                                   {cx - s * 0.24f, base + s * 0.02f}};
  const std::vector<Vec2> hull = mirrored(hullLeft, cx);
  const Sdf hullShape = polygonSdf(hull);
  glowFill(c, hullShape, withAlpha(palette::cyan, 0.5f), s * 0.05f, 1.0f);
  Mask body(c.width, c.height);
  fillMask(body, hullShape);
  paintShaded(c, body, [&](int, int y) {
    const float t = clamp01((static_cast<float>(y) - (base - s * 0.3f)) / (s * 0.32f));
    return withAlpha(mix(rgb(0x263a5c), palette::ink, t), 0.98f);
  });
  // Fins, cockpit and the panel lines of the hull.
  const std::vector<Vec2> finL{{cx - s * 0.36f, base - s * 0.05f},
                               {cx - s * 0.43f, base - s * 0.17f},
                               {cx - s * 0.4f, base - s * 0.18f},
                               {cx - s * 0.3f, base - s * 0.075f}};
  std::vector<Vec2> finR;
  for (const Vec2& p : finL) finR.push_back({2.0f * cx - p.x, p.y});
  for (const auto& fin : {finL, finR}) {
    fill(c, polygonSdf(fin), rgb(0x1b2440));
    neonStroke(c, polylineSdf(fin, true, 0.0f), palette::magenta, s * 0.007f, 0.6f);
  }
  const Sdf canopy = boxSdf({cx, base - s * 0.2f}, {s * 0.075f, s * 0.055f}, s * 0.05f);
  Mask glass(c.width, c.height);
  fillMask(glass, canopy);
  paintShaded(c, glass, [&](int x, int y) {
    const float t = clamp01((static_cast<float>(x + y) - (cx + base - s * 0.33f)) / (s * 0.2f));
    return mix(brighten(palette::cyan, 0.6f), rgb(0x0a5a7a), t);
  });
  neonStroke(c, polylineSdf(hull, true, 0.0f), brighten(palette::cyan, 0.4f), s * 0.009f, 0.5f);
  neonStroke(
      c, segmentSdf({cx - s * 0.34f, base - s * 0.045f}, {cx + s * 0.34f, base - s * 0.045f}, 0.0f),
      withAlpha(palette::cyan, 0.6f), s * 0.004f, 0.0f);
  // Twin engines: bright nozzles with flickering exhaust.
  for (int side = -1; side <= 1; side += 2) {
    const Vec2 nozzle{cx + static_cast<float>(side) * s * 0.13f, base - s * 0.05f};
    const float flicker = 1.0f + 0.18f * wave(f, 3, side > 0 ? 0.25f : 0.0f) + 0.1f * wave(f, 7);
    Mask flame(c.width, c.height);
    fillMask(flame, circleSdf(nozzle, s * 0.05f * flicker));
    blurMask(flame, s * 0.035f);
    scaleMask(flame, 2.0f);
    paint(c, flame, withAlpha(palette::magenta, 0.9f));
    fill(c, circleSdf(nozzle, s * 0.04f), rgb(0x3a1040));
    fill(c, circleSdf(nozzle, s * 0.028f * flicker), brighten(palette::pink, 0.6f));
  }
  // Wing-tip lights blink in turn.
  sparkle(c, hull[4], s * 0.07f, 0.55f + 0.45f * wave(f, 2), palette::red);
  sparkle(c, hull[hull.size() - 5], s * 0.07f, 0.55f - 0.45f * wave(f, 2), palette::lime);
}

void drawDoor(Canvas& c) {
  const float s = static_cast<float>(c.width);
  const float cx = s * 0.5f;
  // Only the top seven tenths stand above the face; the foot sinks into the tunnel.
  const float top = s * 0.05f, bottom = s * 0.99f;
  const std::vector<Vec2> frame{
      {s * 0.04f, bottom}, {s * 0.04f, top + s * 0.12f}, {s * 0.16f, top},
      {s * 0.84f, top},    {s * 0.96f, top + s * 0.12f}, {s * 0.96f, bottom}};
  const Sdf frameShape = polygonSdf(frame);
  Mask body(c.width, c.height);
  fillMask(body, frameShape);
  paintShaded(c, body, [&](int, int y) {
    const float t = clamp01(static_cast<float>(y) / (s * 0.7f));
    return withAlpha(mix(rgb(0x3a2410), rgb(0x120a06), t), 0.97f);
  });
  // Two leaves meeting at a centre seam, with riveted panels.
  for (int side = -1; side <= 1; side += 2) {
    const float x0 = side < 0 ? s * 0.1f : cx + s * 0.015f;
    const float x1 = side < 0 ? cx - s * 0.015f : s * 0.9f;
    const Sdf panel =
        boxSdf({(x0 + x1) * 0.5f, s * 0.27f}, {(x1 - x0) * 0.5f, s * 0.12f}, s * 0.015f);
    neonStroke(c, panel, withAlpha(palette::amber, 0.45f), s * 0.003f, 0.0f);
  }
  neonStroke(c, segmentSdf({cx, top + s * 0.02f}, {cx, bottom}, 0.0f),
             withAlpha(palette::amber, 0.6f), s * 0.004f, 0.3f);
  // Hazard band across the leaves.
  Mask band(c.width, c.height);
  fillMask(band, boxSdf({cx, s * 0.53f}, {s * 0.42f, s * 0.065f}, 0.0f));
  Mask stripes = band;
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const float u = std::fmod(static_cast<float>(x + y) / (s * 0.09f), 1.0f);
      stripes.at(x, y) *= clamp01((std::fabs(u - 0.5f) - 0.25f) * s * 0.09f + 0.5f);
    }
  }
  paint(c, band, rgb(0x1a1206));
  paint(c, stripes, palette::amber);
  // The lock: a ring with a card symbol and a red status light.
  const Vec2 lock{cx, s * 0.3f};
  fill(c, circleSdf(lock, s * 0.11f), rgb(0x140c08));
  neonStroke(c, ringSdf(lock, s * 0.11f, 0.0f), palette::red, s * 0.012f, 0.9f);
  const Sdf card = boxSdf({lock.x, lock.y + s * 0.005f}, {s * 0.055f, s * 0.036f}, s * 0.01f);
  neonStroke(c, card, palette::cyan, s * 0.006f, 0.4f);
  fill(c, boxSdf({lock.x - s * 0.022f, lock.y}, {s * 0.014f, s * 0.011f}, s * 0.003f),
       palette::gold);
  glowFill(c, circleSdf({cx, s * 0.15f}, s * 0.02f), palette::red, s * 0.03f, 2.0f);
  fill(c, circleSdf({cx, s * 0.15f}, s * 0.018f), brighten(palette::red, 0.4f));
  neonStroke(c, polylineSdf(frame, false, 0.0f), palette::amber, s * 0.012f, 0.8f);
}

void drawLines(Canvas& c) {
  // The tunnel's surface and the blades' stripes: bright bars across the picture's height,
  // which the tunnel carries across its faces and scrolls toward the player, and which run up a
  // blade from its foot. Fainter bars between them and a faint grid along the faces make the
  // surface read as one, and the dark ground between keeps the faces dark.
  const int w = c.width, h = c.height;
  constexpr int majorBars = 8;  // per repeat; the tunnel repeats 22 times along its length
  constexpr int minorPerMajor = 4;
  constexpr int gridLines = 8;
  const float majorPeriod = static_cast<float>(h) / majorBars;
  const float minorPeriod = majorPeriod / minorPerMajor;
  const float gridPeriod = static_cast<float>(w) / gridLines;
  // Distance from a texel's centre to the nearest bar of a period, in texels.
  auto barDistance = [](float at, float period) {
    const float u = std::fmod(at, period);
    return std::min(u, period - u);
  };
  for (int y = 0; y < h; ++y) {
    const float ty = static_cast<float>(y) + 0.5f;
    const float major = barDistance(ty, majorPeriod);
    const float minor = barDistance(ty, minorPeriod);
    // The tunnel reads the texture unfiltered, magnified near the camera: crisp bars a few
    // texels wide stay clean there, where a soft falloff would show as steps.
    const float bar = major < 1.0f ? 1.0f : (major < 2.0f ? 0.45f : 0.0f);
    const float fine = minor < 1.0f ? 0.16f : 0.0f;
    for (int x = 0; x < w; ++x) {
      const float seam =
          barDistance(static_cast<float>(x) + 0.5f, gridPeriod) < 1.0f ? 0.12f : 0.0f;
      const float v = clamp01(0.1f + bar + fine + seam);
      float* p = c.at(x, y);
      p[0] = v;
      p[1] = v * 0.96f;
      p[2] = v * 0.96f;
      p[3] = 1.0f;
    }
  }
}

void drawCircuitBoard(Canvas& c) {
  const float s = static_cast<float>(c.width);
  fill(c, boxSdf({s * 0.5f, s * 0.5f}, {s, s}, 0.0f), rgb(0x04140f));
  Rng rng(0xC1C017u);
  const float grid = s / 16.0f;
  // Traces wander across a grid with 45-degree bends; pads mark their ends.
  for (int t = 0; t < 26; ++t) {
    Vec2 p{grid * (1.0f + static_cast<float>(rng.next() % 15)),
           grid * (1.0f + static_cast<float>(rng.next() % 15))};
    std::vector<Vec2> path{p};
    int dir = static_cast<int>(rng.next() % 4);
    const int steps = 3 + static_cast<int>(rng.next() % 5);
    for (int k = 0; k < steps; ++k) {
      const float dx[] = {1, 0, -1, 0}, dy[] = {0, 1, 0, -1};
      const float len = grid * (1.0f + static_cast<float>(rng.next() % 3));
      p = {std::clamp(p.x + dx[dir] * len, grid, s - grid),
           std::clamp(p.y + dy[dir] * len, grid, s - grid)};
      if (rng.uniform() < 0.4f) {
        p = {std::clamp(p.x + grid * 0.5f, grid, s - grid),
             std::clamp(p.y + grid * 0.5f, grid, s - grid)};
      }
      path.push_back(p);
      dir = (dir + (rng.uniform() < 0.5f ? 1 : 3)) % 4;
    }
    const Color col = (t % 5 == 0) ? palette::cyan : rgb(0x2fd88a);
    neonStroke(c, polylineSdf(path, false, 0.0f), withAlpha(col, 0.8f), s * 0.004f, 0.4f);
    for (const Vec2& end : {path.front(), path.back()}) {
      fill(c, circleSdf(end, s * 0.012f), rgb(0xd8c060));
      fill(c, circleSdf(end, s * 0.005f), rgb(0x04140f));
    }
  }
  // A few chips.
  for (int k = 0; k < 3; ++k) {
    const Vec2 at{grid * (3.0f + 5.0f * static_cast<float>(k)),
                  grid * (4.0f + 4.0f * static_cast<float>(k % 2) + static_cast<float>(k))};
    fill(c, boxSdf(at, {grid * 1.2f, grid * 0.8f}, 2.0f), rgb(0x111418));
    neonStroke(c, boxSdf(at, {grid * 1.2f, grid * 0.8f}, 2.0f), withAlpha(palette::cyan, 0.5f),
               0.6f, 0.2f);
  }
}

}  // namespace gen
