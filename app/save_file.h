// The career record kept between program starts in "save.esf".
#pragma once

#include <cstdint>

// Identical in memory and on disk: 16 bytes, little-endian.
struct SaveData {
  uint64_t highScore;     // best runScore of any ended run
  int32_t totalDiamonds;  // wrapping sum of the low 32 bits of runDiamonds
  int32_t runCount;       // ended runs
};
static_assert(sizeof(SaveData) == 16, "the save file is a raw 16-byte copy of the record");

extern SaveData saveData;

constexpr const char* saveFileName = "save.esf";

// Loads the record (zero when missing; zero with a message when short) and prints the totals.
void readSaveFile();
// Writes the record atomically; returns false (with one line printed) when the write failed.
bool writeSaveFile();
