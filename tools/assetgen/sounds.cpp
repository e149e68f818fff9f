// The game's three sound effects, synthesised sample by sample and written as 16-bit PCM.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/assetgen/art.h"

namespace gen {
namespace {

constexpr float twoPi = 6.28318530718f;
constexpr float fadeInSeconds = 0.002f;   // long enough that no sound starts with a click
constexpr float fadeOutSeconds = 0.015f;  // and none stops with one
constexpr float loudPeak = 0.891f;        // -1 dBFS for the rewards
constexpr float softPeak = 0.5f;          // -6 dBFS for the menu tick
constexpr float bellAttackSeconds = 0.003f;

std::vector<float> silence(float seconds) {
  return std::vector<float>(static_cast<size_t>(seconds * static_cast<float>(soundRate)), 0.0f);
}
float timeOf(size_t i) { return static_cast<float>(i) / static_cast<float>(soundRate); }

// A struck bell-like note: a few harmonics, each dying away faster than the one below.
void addBell(std::vector<float>& out, float start, float freq, float amp, float decay) {
  const float partials[][2] = {{1.0f, 1.0f}, {2.0f, 0.35f}, {3.0f, 0.12f}, {4.2f, 0.06f}};
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = timeOf(i) - start;
    if (t < 0.0f) continue;
    float v = 0.0f;
    for (const auto& p : partials) {
      v += p[1] * std::exp(-t * p[0] / decay) * std::sin(twoPi * freq * p[0] * t);
    }
    // A few milliseconds of attack: a note that starts at full strength clicks.
    out[i] += amp * v * smoothstep(0.0f, bellAttackSeconds, t);
  }
}

std::vector<float> synthCollect() {
  // A quick rising pair (E6, then B6) with a sparkle on top: the sound of a diamond.
  std::vector<float> out = silence(0.42f);
  addBell(out, 0.0f, 1318.5f, 0.55f, 0.07f);
  addBell(out, 0.065f, 1975.5f, 0.8f, 0.13f);
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = timeOf(i) - 0.065f;
    if (t < 0.0f) continue;
    const float tremolo = 0.5f + 0.5f * std::sin(twoPi * 28.0f * t);
    out[i] += 0.12f * tremolo * std::exp(-t / 0.09f) * std::sin(twoPi * 3951.0f * t) *
              smoothstep(0.0f, bellAttackSeconds, t);
  }
  return out;
}

std::vector<float> synthClink() {
  // Inharmonic modes of a small metal plate plus a short strike noise.
  std::vector<float> out = silence(0.22f);
  const float modes[][3] = {{2380.0f, 1.0f, 0.09f},
                            {3520.0f, 0.7f, 0.065f},
                            {4410.0f, 0.35f, 0.05f},
                            {5710.0f, 0.5f, 0.045f},
                            {7930.0f, 0.3f, 0.03f}};
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = timeOf(i);
    float v = 0.0f;
    for (const auto& m : modes)
      v += m[1] * std::exp(-t / m[2]) * std::sin(twoPi * m[0] * t + m[0] * 0.001f);
    out[i] = v;
  }
  Rng rng(0xC11Cu);
  float previous = 0.0f;
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = timeOf(i);
    if (t > 0.006f) break;
    const float noise = rng.range(-1.0f, 1.0f);
    const float bright = noise - previous;  // a first difference keeps the noise high and crisp
    previous = noise;
    out[i] += 0.6f * bright * std::exp(-t / 0.0015f);
  }
  return out;
}

std::vector<float> synthMenuSelect() {
  // A soft, short tick: a sine blip that drops a little in pitch and dies at once.
  std::vector<float> out = silence(0.07f);
  float phaseAcc = 0.0f;
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = timeOf(i);
    const float freq = 1100.0f + 400.0f * std::exp(-t / 0.01f);
    phaseAcc += twoPi * freq / static_cast<float>(soundRate);
    out[i] = std::exp(-t / 0.014f) * (std::sin(phaseAcc) + 0.15f * std::sin(2.0f * phaseAcc));
  }
  return out;
}

// Fades both ends first, then scales to the peak, so the peak is exact after the fades.
void shape(std::vector<float>& s, float peakTarget) {
  const size_t in = static_cast<size_t>(fadeInSeconds * static_cast<float>(soundRate));
  const size_t outLen = static_cast<size_t>(fadeOutSeconds * static_cast<float>(soundRate));
  for (size_t i = 0; i < in && i < s.size(); ++i) {
    s[i] *= 0.5f - 0.5f * std::cos(3.14159265f * static_cast<float>(i) / static_cast<float>(in));
  }
  for (size_t i = 0; i < outLen && i < s.size(); ++i) {
    s[s.size() - 1 - i] *=
        0.5f - 0.5f * std::cos(3.14159265f * static_cast<float>(i) / static_cast<float>(outLen));
  }
  float peak = 0.0f;
  for (float v : s) peak = std::max(peak, std::fabs(v));
  if (peak > 0.0f) {
    for (float& v : s) v *= peakTarget / peak;
  }
}

std::vector<float> collectShaped() {
  std::vector<float> s = synthCollect();
  shape(s, loudPeak);
  return s;
}
std::vector<float> clinkShaped() {
  std::vector<float> s = synthClink();
  shape(s, loudPeak);
  return s;
}
std::vector<float> menuSelectShaped() {
  std::vector<float> s = synthMenuSelect();
  shape(s, softPeak);
  return s;
}

void put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v & 0xff));
  b.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
  put16(b, v & 0xffff);
  put16(b, v >> 16);
}

}  // namespace

const std::vector<SoundSpec>& soundCatalog() {
  static const std::vector<SoundSpec> sounds{{"audio/collect1.wav", collectShaped},
                                             {"audio/clink.wav", clinkShaped},
                                             {"audio/menu_select.wav", menuSelectShaped}};
  return sounds;
}

bool writeWav(const std::string& path, std::vector<float> samples) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> b;
  b.insert(b.end(), {'R', 'I', 'F', 'F'});
  put32(b, 36 + dataBytes);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(b, 16);
  put16(b, 1);  // PCM
  put16(b, 1);  // mono
  put32(b, soundRate);
  put32(b, soundRate * 2);
  put16(b, 2);
  put16(b, 16);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  put32(b, dataBytes);
  for (float v : samples) {
    const long q = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
    put16(b, static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(q))));
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace gen
