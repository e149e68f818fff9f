// The career record kept between program starts in "save.esf": what the game's start-up, its
// run ends and its screens use. The record at any path, its byte image and each system's file
// steps are in save_file_local.h, for this module's own files and tests.
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

// Loads the record (zero when missing; zero with a message when short or unreadable) and prints
// the totals.
void readSaveFile();
// Writes the record atomically (a temporary file renamed over it), or in place where no temporary
// file can be made beside it, a rename is refused or other names share it; returns false when it
// was not written: after a failure (one line, not repeated until a save succeeds), when the record
// is read-only or this player may not write it (one line per session) or was unreadable at
// start-up.
bool writeSaveFile();

// One copy of the game at a time on a record: a lock on the folder that holds it (after its
// links), held by the operating system for the holder and gone with its process however that
// ends, so a killed game leaves nothing behind that would refuse the next start. A second copy
// that plays on the same record would otherwise overwrite the first one's runs at every save.
enum class RecordLockOutcome {
  taken,              // this copy holds the record
  heldByAnotherCopy,  // another running copy holds it
  notAvailable,       // the folder cannot be locked (missing, unreadable): nothing is held
};
struct RecordLock {
  intptr_t handle = -1;  // the system's handle of the held lock; -1 when none is held
};
RecordLockOutcome takeRecordLock(const char* path, RecordLock& lock);
void releaseRecordLock(RecordLock& lock);
