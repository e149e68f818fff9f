// The interface pictures: button panel, item hub, boost gauge, confetti and the diskette that
// opens on the item box screen.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/assetgen/art.h"

namespace gen {
namespace {

// Time through a one-shot sheet: 0 at frame 0, exactly 1 at the last frame.
float shotTime(int f) { return static_cast<float>(f) / static_cast<float>(sheetFrames - 1); }
float easeOut(float t) { return 1.0f - (1.0f - t) * (1.0f - t) * (1.0f - t); }

// The height the confetti's pieces were sized for; a taller cell scales them with it.
constexpr float confettiDesignHeight = 144.0f;

std::vector<Vec2> chamfered(Vec2 c, Vec2 half, float cut) {
  return {{c.x - half.x + cut, c.y - half.y}, {c.x + half.x - cut, c.y - half.y},
          {c.x + half.x, c.y - half.y + cut}, {c.x + half.x, c.y + half.y - cut},
          {c.x + half.x - cut, c.y + half.y}, {c.x - half.x + cut, c.y + half.y},
          {c.x - half.x, c.y + half.y - cut}, {c.x - half.x, c.y - half.y + cut}};
}

}  // namespace

void drawPanelBackground(Canvas& c) {
  const float w = static_cast<float>(c.width), h = static_cast<float>(c.height);
  const std::vector<Vec2> shape =
      chamfered({w * 0.5f, h * 0.5f}, {w * 0.5f - 6.0f, h * 0.5f - 6.0f}, h * 0.3f);
  Mask m(c.width, c.height);
  fillMask(m, polygonSdf(shape));
  paintShaded(c, m, [&](int, int y) {
    const float t = std::fabs(static_cast<float>(y) + 0.5f - h * 0.5f) / (h * 0.5f);
    return withAlpha(mix(rgb(0x1a1040), palette::ink, 1.0f - t), 0.85f);
  });
  neonStroke(c, polylineSdf(shape, true, 0.0f), palette::cyan, 1.6f, 0.5f);
}

void drawItemHub(Canvas& c) {
  const float w = static_cast<float>(c.width), h = static_cast<float>(c.height);
  // The hub is centred 0.07 of the window from its left edge, so its left seventh lies off
  // screen: it reads as docked to the edge, and nothing that must be seen goes there.
  const std::vector<Vec2> shape =
      chamfered({w * 0.5f, h * 0.5f}, {w * 0.46f, h * 0.48f}, w * 0.14f);
  glowFill(c, polygonSdf(shape), withAlpha(palette::violet, 0.35f), w * 0.04f, 1.0f);
  Mask m(c.width, c.height);
  fillMask(m, polygonSdf(shape));
  paintShaded(c, m, [&](int, int y) {
    const float t = static_cast<float>(y) / h;
    return withAlpha(mix(rgb(0x1c0f3c), rgb(0x07061a), t), 0.78f);
  });
  neonStroke(c, polylineSdf(shape, true, 0.0f), palette::violet, w * 0.012f, 0.6f);
  const Mask title =
      textMask(c.width, c.height, "ITEMS", w * 0.5f, h * 0.085f, h * 0.03f, w * 0.6f);
  paint(c, title, brighten(palette::violet, 0.5f));
  // The three sockets line up with the held item slots; the keys that use them sit beside.
  const float slotY[] = {0.26f, 0.5f, 0.74f};
  const char* keys[] = {"1", "2", "3"};
  for (int k = 0; k < 3; ++k) {
    const Vec2 at{w * 0.5f, h * slotY[k]};
    const Sdf socket = boxSdf(at, {w * 0.24f, h * 0.095f}, w * 0.04f);
    fill(c, socket, withAlpha(rgb(0x020208), 0.9f));
    neonStroke(c, socket, withAlpha(palette::cyan, 0.75f), w * 0.007f, 0.5f);
    const Vec2 keyAt{w * 0.855f, at.y};
    const Sdf keyCap = boxSdf(keyAt, {w * 0.05f, w * 0.05f}, w * 0.015f);
    fill(c, keyCap, withAlpha(rgb(0x120a2a), 0.9f));
    neonStroke(c, keyCap, withAlpha(palette::violet, 0.9f), w * 0.005f, 0.3f);
    const Mask key = textMask(c.width, c.height, keys[k], keyAt.x, keyAt.y, w * 0.045f);
    paint(c, key, brighten(palette::violet, 0.6f));
  }
  for (int k = 0; k < 3; ++k) {
    const float y = h * (0.9f + 0.025f * static_cast<float>(k));
    fill(c, segmentSdf({w * 0.3f, y}, {w * 0.7f, y}, 0.8f),
         withAlpha(palette::violet, 0.5f - 0.12f * static_cast<float>(k)));
  }
}

void drawBoostGauge(Canvas& c, int f) {
  const float w = static_cast<float>(c.width), h = static_cast<float>(c.height);
  const float level = 1.0f - shotTime(f);  // full at frame 0, empty at frame 29
  const float cx = w * 0.5f;
  // Lightning bolt above the tube, lit while there is boost to spend.
  const std::vector<Vec2> bolt{{cx + w * 0.04f, h * 0.04f}, {cx - w * 0.11f, h * 0.15f},
                               {cx - w * 0.01f, h * 0.15f}, {cx - w * 0.05f, h * 0.245f},
                               {cx + w * 0.11f, h * 0.12f}, {cx + w * 0.01f, h * 0.12f}};
  const Color boltCol = mix(rgb(0x4a4a60), palette::gold, clamp01(level * 4.0f));
  glowFill(c, polygonSdf(bolt), withAlpha(boltCol, 0.6f * clamp01(level * 4.0f)), w * 0.04f, 1.2f);
  fill(c, polygonSdf(bolt), boltCol);
  // The tube and its ten cells, filled from the bottom.
  const float tubeTop = h * 0.29f, tubeBottom = h * 0.86f;
  const Sdf tube = boxSdf({cx, (tubeTop + tubeBottom) * 0.5f},
                          {w * 0.17f, (tubeBottom - tubeTop) * 0.5f}, w * 0.06f);
  fill(c, tube, withAlpha(rgb(0x05040f), 0.85f));
  constexpr int cells = 10;
  const float pitch = (tubeBottom - tubeTop - h * 0.03f) / static_cast<float>(cells);
  for (int k = 0; k < cells; ++k) {
    const float y1 = tubeBottom - h * 0.015f - pitch * static_cast<float>(k);
    const float y0 = y1 - pitch * 0.78f;
    const Sdf cell = boxSdf({cx, (y0 + y1) * 0.5f}, {w * 0.12f, (y1 - y0) * 0.5f}, w * 0.02f);
    const float lit = clamp01(level * static_cast<float>(cells) - static_cast<float>(k));
    const Color col =
        mix(palette::lime, palette::cyan, static_cast<float>(k) / static_cast<float>(cells - 1));
    fill(c, cell, withAlpha(col, 0.12f));
    if (lit > 0.0f) {
      glowFill(c, cell, withAlpha(col, 0.5f * lit), w * 0.03f, 1.0f);
      fill(c, cell, withAlpha(brighten(col, 0.25f), lit));
    }
  }
  const Color rim = level > 0.2f ? palette::cyan : mix(palette::red, palette::cyan, level * 5.0f);
  neonStroke(c, tube, rim, w * 0.012f, 0.6f);
  const Mask label = textMask(c.width, c.height, "BOOST", cx, h * 0.935f, h * 0.05f, w * 0.8f);
  paint(c, label, brighten(rim, 0.4f));
}

void drawConfetti(Canvas& c, int f) {
  const float w = static_cast<float>(c.width), h = static_cast<float>(c.height);
  const float t = shotTime(f);
  const Vec2 origin{w * 0.5f, h * 0.5f};
  const float px = h / confettiDesignHeight;  // the pieces' sizes are given in design pixels
  const Color colours[] = {palette::magenta, palette::cyan, palette::lime,  palette::gold,
                           palette::violet,  palette::pink, palette::orange};
  // Everything fades over the second half, and is gone at the last frame.
  const float fade = t < 0.5f ? 1.0f : clamp01((1.0f - t) / 0.5f);
  if (fade <= 0.0f) return;
  // The first frames: a shock ring.
  if (t < 0.3f) {
    const float r = h * (0.05f + 0.9f * easeOut(t / 0.3f));
    Canvas shock(c.width, c.height);
    neonStroke(shock, ringSdf(origin, r, 0.0f), withAlpha(palette::white, 1.0f - t / 0.3f),
               1.2f * px, 0.8f);
    fadeTowardEdges(shock, h * 0.2f);
    composite(c, shock, 0, 0);
  }
  Rng rng(0xC0FF3771u);
  constexpr int pieces = 110;
  const float time = t * 1.6f;  // seconds of flight shown by the sheet, drawn at a quicker pace
  for (int k = 0; k < pieces; ++k) {
    const float angle = rng.range(0.0f, 2.0f * pi);
    const float speed = rng.range(0.25f, 1.0f) * h * 1.5f;
    const float spin = rng.range(4.0f, 14.0f);
    const float spin0 = rng.range(0.0f, 2.0f * pi);
    const float size = rng.range(2.4f, 4.4f) * px;
    const int kind = static_cast<int>(rng.next() % 4);
    const Color col = colours[rng.next() % 7];
    // Flight with drag and gravity, in pixels of the cell; y grows downward.
    const float drag = 2.2f;
    const float travel = (1.0f - std::exp(-drag * time)) / drag;
    const Vec2 p{origin.x + std::cos(angle) * speed * travel * 1.4f,
                 origin.y + std::sin(angle) * speed * travel + h * 0.35f * time * time};
    const float rot = spin0 + spin * time;
    const float flip = std::fabs(std::cos(rot * 0.7f));  // tumbling pieces show their edge
    const Color shade = withAlpha(mix(col, palette::white, 0.25f * flip), fade);
    if (kind == 0 || kind == 1) {
      fill(c, boxSdf(p, {size, std::max(0.35f * px, size * 0.5f * flip)}, 0.3f * px, rot), shade);
    } else if (kind == 2) {
      fill(c, circleSdf(p, size * 0.6f), shade);
    } else {
      const float r = size * 0.9f;
      std::vector<Vec2> tri;
      for (int i = 0; i < 3; ++i) {
        const float a = rot + 2.0f * pi * static_cast<float>(i) / 3.0f;
        tri.push_back({p.x + r * std::cos(a), p.y + r * std::sin(a) * std::max(0.3f, flip)});
      }
      fill(c, polygonSdf(tri), shade);
    }
  }
  // The sheet's bottom edge lies inside the window: pieces falling out of it fade instead of
  // being cut along a straight line.
  fadeTowardEdges(c, h * 0.08f);
}

void drawDisketteUnlock(Canvas& c, int f) {
  const float w = static_cast<float>(c.width), h = static_cast<float>(c.height);
  const float t = shotTime(f);
  // The prize icon appears at 0.4 of the height; the diskette's shutter window opens there.
  const Vec2 prize{w * 0.5f, h * 0.4f};
  const float half = h * 0.3f;  // diskette half-size
  const Vec2 ctr{w * 0.5f, prize.y + half * 0.45f};
  const float open = smoothstep(0.08f, 0.4f, t);    // shutter slide
  const float burst = smoothstep(0.42f, 0.62f, t);  // flash of light
  const float settle = smoothstep(0.6f, 0.95f, t);  // ring settles round the prize
  const Color col = rgb(0x5c7bff);
  // Rays behind everything, turning slowly once the disk is open; they fade out before the
  // cell's edges so that the enlarged sprite shows no cut.
  if (open > 0.5f) {
    const float strength = (open - 0.5f) * 2.0f * (1.0f - 0.5f * settle);
    Canvas rays(c.width, c.height);
    for (int k = 0; k < 12; ++k) {
      const float a = 2.0f * pi * static_cast<float>(k) / 12.0f + t * 1.2f;
      const float len = h * (0.25f + 0.35f * burst);
      const Vec2 tip{prize.x + std::cos(a) * len * 1.2f, prize.y + std::sin(a) * len};
      const Vec2 side{-std::sin(a) * h * 0.04f, std::cos(a) * h * 0.04f};
      Mask ray(c.width, c.height);
      fillMask(ray, polygonSdf({prize, tip + side, tip - side}));
      blurMask(ray, h * 0.015f);
      scaleMask(ray, 0.7f * strength);
      paint(rays, ray, k % 2 == 0 ? palette::violet : palette::cyan);
    }
    fadeTowardEdges(rays, h * 0.2f);
    composite(c, rays, 0, 0);
  }
  // The diskette body, fading back once the light has burst out of it.
  const float bodyAlpha = 1.0f - 0.3f * burst;
  const std::vector<Vec2> outline{{ctr.x - half, ctr.y - half},
                                  {ctr.x + half * 0.8f, ctr.y - half},
                                  {ctr.x + half, ctr.y - half * 0.8f},
                                  {ctr.x + half, ctr.y + half},
                                  {ctr.x - half, ctr.y + half}};
  const Sdf body = polygonSdf(outline);
  glowFill(c, body, withAlpha(col, 0.45f * bodyAlpha), h * 0.04f, 1.0f);
  fill(c, body, withAlpha(rgb(0x121c5c), 0.95f * bodyAlpha));
  const Sdf label = boxSdf({ctr.x, ctr.y + half * 0.5f}, {half * 0.72f, half * 0.42f}, h * 0.01f);
  fill(c, label, withAlpha(rgb(0xf2f0ff), bodyAlpha));
  const Mask mark =
      textMask(c.width, c.height, "NAVRO", ctr.x, ctr.y + half * 0.45f, h * 0.045f, half);
  paint(c, mark, withAlpha(rgb(0x3a1a8a), bodyAlpha));
  // The window under the shutter: dark, then full of light.
  const Sdf window = boxSdf({prize.x, prize.y}, {half * 0.34f, half * 0.3f}, h * 0.008f);
  const Color lit = mix(rgb(0x05050c), palette::white, open);
  fill(c, window, withAlpha(mix(lit, rgb(0x0a2030), settle), bodyAlpha));
  // The shutter slides right, off the window.
  const float slide = half * 0.72f * open;
  const Sdf shutter = boxSdf({prize.x + slide, prize.y}, {half * 0.5f, half * 0.4f}, h * 0.008f);
  Mask shutterMask(c.width, c.height);
  fillMask(shutterMask, shutter);
  Mask inBody(c.width, c.height);
  fillMask(inBody, body);
  multiplyMask(shutterMask, inBody);
  paint(c, shutterMask, withAlpha(rgb(0xc9d4e8), bodyAlpha));
  neonStroke(c, polylineSdf(outline, true, 0.0f), withAlpha(col, bodyAlpha), h * 0.008f, 0.6f);
  // A tremble before it opens.
  if (t < 0.1f)
    sparkle(c, {ctr.x + half, ctr.y - half}, h * 0.08f, 1.0f - t * 10.0f, palette::white);
  // The flash.
  if (burst > 0.0f && settle < 1.0f) {
    Canvas flash(c.width, c.height);
    const float r = h * (0.05f + 0.45f * burst);
    glowFill(flash, circleSdf(prize, r * 0.5f), withAlpha(palette::white, (1.0f - settle) * 0.9f),
             h * 0.05f, 1.4f);
    neonStroke(flash, ringSdf(prize, r, 0.0f), withAlpha(palette::white, 1.0f - settle), h * 0.006f,
               0.8f);
    fadeTowardEdges(flash, h * 0.15f);
    composite(c, flash, 0, 0);
  }
  // The ring that frames the prize and stays on the last frame.
  if (settle > 0.0f) {
    const float r = h * (0.2f - 0.06f * settle);
    neonStroke(c, ringSdf(prize, r, 0.0f), withAlpha(palette::cyan, settle), h * 0.009f, 0.9f);
    neonStroke(c, ringSdf(prize, r * 1.18f, 0.0f), withAlpha(palette::magenta, settle * 0.7f),
               h * 0.004f, 0.5f);
    for (int k = 0; k < 4; ++k) {
      const float a = pi * 0.25f + pi * 0.5f * static_cast<float>(k) + (1.0f - settle) * 1.5f;
      sparkle(c, {prize.x + std::cos(a) * r * 1.18f, prize.y + std::sin(a) * r * 1.18f}, h * 0.05f,
              settle, palette::white);
    }
  }
}

}  // namespace gen
