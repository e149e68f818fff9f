// The shared MT19937-64 engine, the exact integer draw of every random decision, and seed text.
#include "sim/random.h"

#include <array>
#include <cctype>
#include <limits>

std::mt19937_64 rng(5489u);
uint64_t runSeed = 12345;

namespace {

constexpr uint64_t fullMask = std::numeric_limits<uint64_t>::max();
constexpr uint64_t tabledRanges = 256;

// A draw ret is accepted when floor(ret / n) < floor(mask / n), that is when ret lies below the
// last whole block of n values, or when the blocks tile the 64-bit range exactly. The bound of
// every small n is computed once, at compile time, so a draw costs one division instead of three.
constexpr uint64_t acceptBound(uint64_t n) {
  if (fullMask % n == n - 1) return fullMask;  // whole blocks: everything is accepted
  return (fullMask / n) * n;                   // accepted iff ret < bound
}

constexpr std::array<uint64_t, tabledRanges + 1> acceptBounds = [] {
  std::array<uint64_t, tabledRanges + 1> bounds{};
  for (uint64_t n = 1; n <= tabledRanges; ++n) bounds[n] = acceptBound(n);
  return bounds;
}();

}  // namespace

int32_t uniformInt(std::mt19937_64& engine, int32_t a, int32_t b) {
  const uint32_t range = static_cast<uint32_t>(b) - static_cast<uint32_t>(a);
  if (range == 0xFFFFFFFFu) {
    const uint64_t r = engine();
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(r));
  }
  if (range == 0) return a;  // a single value: no draw is taken
  const uint64_t n = static_cast<uint64_t>(range) + 1;
  const uint64_t bound = n <= tabledRanges ? acceptBounds[n] : acceptBound(n);
  uint64_t ret = engine();
  // Reject the last, incomplete block of the 64-bit output so every value is equally likely.
  while (bound != fullMask && ret >= bound) ret = engine();
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(ret % n));
}

int64_t parseSeedText(const char* text) {
  const char* c = text;
  while (*c != '\0' && std::isspace(static_cast<unsigned char>(*c))) ++c;
  bool negative = false;
  if (*c == '+' || *c == '-') {
    negative = (*c == '-');
    ++c;
  }
  // Accumulate as a negative number so that INT64_MIN is reachable, then saturate.
  constexpr int64_t lowest = std::numeric_limits<int64_t>::min();
  int64_t value = 0;
  bool overflow = false;
  for (; *c >= '0' && *c <= '9'; ++c) {
    const int digit = *c - '0';
    if (value < (lowest + digit) / 10) {
      overflow = true;
    } else {
      value = value * 10 - digit;
    }
  }
  if (negative) return overflow ? lowest : value;
  if (overflow || value == lowest) return std::numeric_limits<int64_t>::max();
  return -value;
}

void seedFromText(const char* text) { runSeed = static_cast<uint64_t>(parseSeedText(text)); }
