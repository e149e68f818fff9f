// The desktop's host is the process itself: the frame loop runs on the main thread until the
// window closes, and the game's end is the process's end.
#include "app/shell/host.h"

// The record's folder lock is the operating system's, seen by takeRecordLock itself.
bool hostSeesRecordHeldElsewhere() { return false; }

void beginHostSession() {}

void runFrameLoop(bool (*startUpStep)(), bool (*playFrame)(), void (*endGame)()) {
  while (startUpStep()) {
  }
  while (playFrame()) {
  }
  endGame();
}
