// The desktop's host is the process itself: the frame loop runs on the main thread until the
// window closes, and the game's end is the process's end.
#include "app/host.h"

void beginHostSession() {}

void runFrameLoop(bool (*playFrame)(), void (*endGame)()) {
  while (playFrame()) {
  }
  endGame();
}
