// Fuzz target: thousands grouping into any buffer, bound texts of every kind and value, the
// screens' value lines, and the layout of any line of text.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/data/camera.h"
#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "app/data/save_file.h"
#include "app/shell/game.h"
#include "render/text.h"
#include "sim/random.h"
#include "tests/fuzz/fuzz_support.h"
#include "ui/hud.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"

namespace {

constexpr uint64_t engineStartSeed = 5489;
constexpr int groupedMax = 26;    // "18,446,744,073,709,551,615"
constexpr int capacitySlack = 4;  // capacities a little past the longest text, and below zero
constexpr int guardBytes = 16;    // canaries on both sides of the output
constexpr char canary = '\x5A';
constexpr int digitsPerGroup = 3;
constexpr size_t prefixMax = 2 * uiTextCapacity;  // longer than a line, so the cut is reached
constexpr size_t seedTextMax = 64;
constexpr int updatesMax = 8;
constexpr float flightMin = -1.0f;  // window fractions
constexpr float flightMax = 2.0f;
constexpr float moveSpeedMax = 60.0f;       // easing rate per second
constexpr int32_t layoutSizeMax = 1 << 16;  // framebuffer pixels
constexpr int32_t layoutAnchorMax = 3;      // one past the last anchor
constexpr int advanceKinds = 16;
constexpr int heightKinds = 32;
constexpr int advanceFractionBits = 6;
constexpr float madeUpAscent = 36.0f;
constexpr const char* untouched = "untouched";
constexpr int32_t screens[] = {screenPlay, screenMainMenu, screenRunOver, screenSeedEntry};

std::string grouped(uint64_t v) {
  char out[groupedMax + 1];
  formatWithThousands(v, out, sizeof out);
  return out;
}

// Without commas the text reads as v, and from the right every fourth character is a comma.
void checkGrouping(uint64_t v, const std::string& g) {
  std::string digits;
  for (size_t i = 0; i < g.size(); ++i) {
    const size_t fromRight = g.size() - 1 - i;
    const bool commaPlace = fromRight % (digitsPerGroup + 1) == digitsPerGroup;
    fuzz::check((g[i] == ',') == commaPlace, "a comma is out of place");
    if (g[i] != ',') digits += g[i];
  }
  fuzz::check(digits == std::to_string(v), "the grouped digits are not the value");
}

void checkCutGrouping(uint64_t v, int capacity, const std::string& full) {
  char buffer[guardBytes + groupedMax + capacitySlack + guardBytes];
  std::memset(buffer, canary, sizeof buffer);
  char* out = buffer + guardBytes;
  const int n = formatWithThousands(v, out, capacity);
  const int room = capacity > 0 ? capacity : 0;
  for (int i = 0; i < static_cast<int>(sizeof buffer); ++i) {
    if (i >= guardBytes && i < guardBytes + room) continue;
    fuzz::check(buffer[i] == canary, "formatWithThousands wrote outside its capacity");
  }
  if (capacity <= 0) {
    fuzz::check(n == 0, "nothing fits, yet a length was returned");
    return;
  }
  fuzz::check(n >= 0 && n < capacity, "the returned length leaves no room for the NUL");
  fuzz::check(out[n] == '\0' && std::strlen(out) == static_cast<size_t>(n),
              "the cut text is not terminated at its length");
  fuzz::check(full.compare(0, static_cast<size_t>(n), out) == 0,
              "the cut text is not the start of the whole one");
  if (static_cast<size_t>(capacity) > full.size())
    fuzz::check(static_cast<size_t>(n) == full.size(), "a text that fits was cut");
}

bool terminated(const UiText& t) { return std::memchr(t.text, '\0', sizeof t.text) != nullptr; }

std::string cutToLine(const std::string& s) { return s.substr(0, uiTextCapacity - 1); }

// A local text bound to a value of any kind, updated a few times, possibly in flight.
void checkBoundText(FuzzedDataProvider& in) {
  const int32_t kind = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(valueNone, valueDigits)
                                        : in.ConsumeIntegral<int32_t>();
  const int32_t i32 = in.ConsumeIntegral<int32_t>();
  const int64_t i64 = in.ConsumeIntegral<int64_t>();
  const uint64_t u64 = in.ConsumeIntegral<uint64_t>();
  const float f = in.ConsumeFloatingPoint<float>();
  const std::string seedDigits = in.ConsumeRandomLengthString(seedTextMax);
  const std::string prefixBytes = in.ConsumeRandomLengthString(prefixMax);
  const bool noPrefix = in.ConsumeBool();
  const bool noSource = in.ConsumeBool();

  UiText t;
  std::strcpy(t.text, untouched);
  t.valueKind = kind;
  t.prefix = noPrefix ? nullptr : prefixBytes.c_str();
  t.factor = in.ConsumeFloatingPoint<float>();
  // Flights across and just off the window at real speeds, so that some of them arrive.
  t.currentX = in.ConsumeFloatingPointInRange(flightMin, flightMax);
  t.currentY = in.ConsumeFloatingPointInRange(flightMin, flightMax);
  t.targetX = in.ConsumeFloatingPointInRange(flightMin, flightMax);
  t.targetY = in.ConsumeFloatingPointInRange(flightMin, flightMax);
  t.moveSpeed = in.ConsumeFloatingPointInRange(0.0f, moveSpeedMax);
  DeltaTime = in.ConsumeFloatingPointInRange<float>(0.0f, maxDeltaTime);
  runScore = in.ConsumeIntegral<uint64_t>();

  std::string body;
  switch (kind) {
    case valueInt32:
      t.valueSource = &i32;
      body = std::to_string(i32);
      break;
    case valueInt64:
      t.valueSource = &i64;
      body = std::to_string(i64);
      break;
    case valueThousands:
      t.valueSource = &u64;
      body = grouped(u64);
      break;
    case valueFloat:
      t.valueSource = &f;
      break;
    case valueDigits:
      t.valueSource = seedDigits.c_str();
      body = std::to_string(std::strtoll(seedDigits.c_str(), nullptr, 10));
      break;
    default:
      t.valueSource = &u64;  // an unknown kind must not read its source at all
      break;
  }
  if (noSource) t.valueSource = nullptr;
  const bool prints = t.valueSource != nullptr && kind > valueNone && kind <= valueDigits;
  const std::string head = noPrefix ? std::string() : std::string(prefixBytes.c_str());

  const int updates = in.ConsumeIntegralInRange(1, updatesMax);
  for (int u = 0; u < updates; ++u) {
    const uint64_t scoreBefore = runScore;
    updateUiText(t);
    fuzz::check(terminated(t), "a bound text overran its line");
    if (!prints) {
      fuzz::check(std::strcmp(t.text, untouched) == 0, "a text without a value was rewritten");
      continue;
    }
    if (kind == valueFloat) {
      fuzz::check(std::string(t.text).rfind(cutToLine(head), 0) == 0, "the prefix is lost");
    } else {
      fuzz::check(t.text == cutToLine(head + body), "a bound text prints the wrong value");
    }
    if (kind == valueInt32 && i32 < 0)
      fuzz::check(runScore <= scoreBefore, "a negative score text raised the score");
  }

  // The line as drawn: any bytes, no terminator, every anchor, any framebuffer.
  const std::string raw = in.ConsumeBytesAsString(uiTextCapacity);
  std::memcpy(t.text, raw.data(), raw.size());
  t.anchor = in.ConsumeIntegralInRange<int32_t>(0, layoutAnchorMax);
  t.x = in.ConsumeFloatingPoint<float>();
  t.y = in.ConsumeFloatingPoint<float>();
  t.scale = in.ConsumeFloatingPoint<float>();
  placeText(t, in.ConsumeIntegralInRange<int32_t>(0, layoutSizeMax),
            in.ConsumeIntegralInRange<int32_t>(0, layoutSizeMax));
}

// A screen whose value lines show any run state and career record, through the UI pass.
void checkScreenTexts(FuzzedDataProvider& in) {
  rng.seed(engineStartSeed);
  resetRunState();
  runScore = in.ConsumeIntegral<uint64_t>();
  runDiamonds = in.ConsumeIntegral<uint64_t>();
  runSeed = in.ConsumeIntegral<uint64_t>();
  wave = in.ConsumeIntegral<int32_t>();
  count8x = in.ConsumeIntegral<int32_t>();
  count1024 = in.ConsumeIntegral<int32_t>();
  saveData.highScore = in.ConsumeIntegral<uint64_t>();
  saveData.totalDiamonds = in.ConsumeIntegral<int32_t>();
  saveData.runCount = in.ConsumeIntegral<int32_t>();
  showScreen(in.PickValueInArray(screens));
  uiPass();
  for (const UiText& t : uiTexts) {
    fuzz::check(terminated(t), "a screen text overran its line");
    placeText(t, windowWidth, windowHeight);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::silenceStdout();
  connectLayers();
  // No GL context means no font; made-up metrics give the layout real widths to add up.
  for (int c = 0; c < glyphCount; ++c) {
    glyphs[c].advance = (c % advanceKinds + 1) << advanceFractionBits;
    glyphs[c].rows = c % heightKinds;
  }
  fontAscent = madeUpAscent;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  resetUi();

  const uint64_t v = in.ConsumeIntegral<uint64_t>();
  const std::string full = grouped(v);
  checkGrouping(v, full);
  checkCutGrouping(v, in.ConsumeIntegralInRange(-capacitySlack, groupedMax + capacitySlack), full);

  checkBoundText(in);
  checkScreenTexts(in);
  resetRunState();
  return 0;
}
