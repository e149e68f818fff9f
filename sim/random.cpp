// The shared MT19937-64 engine, the exact integer draw of every random decision, and seed text.
#include "sim/random.h"

#include <cctype>
#include <limits>

std::mt19937_64 rng(5489u);
uint64_t runSeed = 12345;

int32_t uniformInt(std::mt19937_64& engine, int32_t a, int32_t b) {
  const uint32_t range = static_cast<uint32_t>(b) - static_cast<uint32_t>(a);
  if (range == 0xFFFFFFFFu) {
    const uint64_t r = engine();
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(r));
  }
  const uint64_t n = static_cast<uint64_t>(range) + 1;
  uint64_t ret = 0;
  uint64_t mask = 0;
  for (;;) {
    if (range == 0) {
      ret = 0;
      mask = 0;
    } else {
      ret = engine();
      mask = std::numeric_limits<uint64_t>::max();
    }
    // Reject the last, incomplete block of the 64-bit output so every value is equally likely.
    if (ret / n < mask / n || mask % n == n - 1) break;
  }
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
