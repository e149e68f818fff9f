// The one seeded random engine of the game and the exact integer draw every random decision uses.
#pragma once

#include <cstdint>
#include <random>

// MT19937-64, default-seeded with 5489 at program start.
extern std::mt19937_64 rng;
// Seed of the next world; 12345 at program start.
extern uint64_t runSeed;

// Uniform integer in [a, b], drawn from `engine` by rejection on whole blocks of the 64-bit
// output; a == b consumes no draw. Every world depends on this exact algorithm.
int32_t uniformInt(std::mt19937_64& engine, int32_t a, int32_t b);

// Reads `text` as a signed decimal 64-bit value (as strtoll, saturating) and stores it in runSeed.
void seedFromText(const char* text);
// The same conversion without touching runSeed.
int64_t parseSeedText(const char* text);
