// The seeded engine, the exact integer draw and seed text: the vectors every world depends on.
#include <gtest/gtest.h>

#include <string>

#include "sim/random.h"

namespace {

std::mt19937_64 seeded(uint64_t seed) {
  std::mt19937_64 e;
  e.seed(seed);
  return e;
}

}  // namespace

TEST(Engine, RawDrawsMatchThePublishedGenerator) {
  std::mt19937_64 e = seeded(12345);
  EXPECT_EQ(e(), 6597103971274460346ull);
  EXPECT_EQ(e(), 7386862472818278521ull);
  EXPECT_EQ(e(), 12716877617435052285ull);

  std::mt19937_64 d(5489u);
  d.discard(9999);
  EXPECT_EQ(d(), 9981545732273789042ull);

  EXPECT_EQ(seeded(0)(), 2947667278772165694ull);
  EXPECT_EQ(seeded(9223372036854775807ull)(), 10104171168843432680ull);
}

TEST(UniformInt, PublishedValues) {
  std::mt19937_64 e = seeded(12345);
  EXPECT_EQ(uniformInt(e, 1, 200), 147);
  EXPECT_EQ(uniformInt(e, 1, 200), 122);
  EXPECT_EQ(uniformInt(e, 1, 200), 86);

  e = seeded(12345);
  std::string digits;
  for (int k = 0; k < 19; ++k) digits += static_cast<char>('0' + uniformInt(e, 0, 9));
  EXPECT_EQ(digits, "6154658637689626121");

  e = seeded(12345);
  EXPECT_EQ(uniformInt(e, -10000, 10000), 1955);
}

TEST(UniformInt, IsTheRemainderOfOneRawDraw) {
  // The value is ret mod n (not a scaled or high-bits value), and it consumes exactly one draw.
  std::mt19937_64 a = seeded(777);
  std::mt19937_64 b = seeded(777);
  for (int i = 0; i < 1000; ++i) {
    const int32_t lo = -50 + i % 7;
    const int32_t hi = lo + 3 + i % 190;
    const uint64_t raw = b();
    EXPECT_EQ(uniformInt(a, lo, hi),
              lo + static_cast<int32_t>(raw % static_cast<uint64_t>(hi - lo + 1)));
  }
  EXPECT_EQ(a(), b());
}

TEST(UniformInt, DegenerateRangeConsumesNoDraw) {
  std::mt19937_64 a = seeded(12345);
  std::mt19937_64 b = seeded(12345);
  EXPECT_EQ(uniformInt(a, 1, 1), 1);
  EXPECT_EQ(uniformInt(a, -7, -7), -7);
  EXPECT_EQ(a(), b());
}

TEST(UniformInt, FullSpanAndExtremes) {
  std::mt19937_64 a = seeded(99);
  std::mt19937_64 b = seeded(99);
  const uint64_t raw = b();
  EXPECT_EQ(uniformInt(a, INT32_MIN, INT32_MAX),
            static_cast<int32_t>(static_cast<uint32_t>(INT32_MIN) + static_cast<uint32_t>(raw)));
  for (int i = 0; i < 200; ++i) {
    const int32_t v = uniformInt(a, INT32_MAX - 1, INT32_MAX);
    EXPECT_TRUE(v == INT32_MAX - 1 || v == INT32_MAX);
    const int32_t w = uniformInt(a, 0, 7);  // a power of two never rejects
    EXPECT_GE(w, 0);
    EXPECT_LE(w, 7);
  }
}

TEST(SeedText, ReadsLikeASaturatingSignedDecimal) {
  struct Case {
    const char* text;
    uint64_t seed;
  } cases[] = {
      {"0000000000000000042", 42},
      {"42", 42},
      {"", 0},
      {"9223372036854775807", 9223372036854775807ull},
      {"9223372036854775808", 9223372036854775807ull},
      {"9999999999999999999", 9223372036854775807ull},
      {"  17abc", 17},
      {"+5", 5},
      {"x12", 0},
  };
  for (const Case& c : cases) {
    seedFromText(c.text);
    EXPECT_EQ(runSeed, c.seed) << '"' << c.text << '"';
  }
  EXPECT_EQ(parseSeedText("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(parseSeedText("-99999999999999999999"), INT64_MIN);
  EXPECT_EQ(parseSeedText("-3"), -3);
  runSeed = 12345;
}
