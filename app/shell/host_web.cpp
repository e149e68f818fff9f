// The browser page around the game: the record's copy in the page's storage, the frame loop at the
// page's pace, and the notice that the game has ended.
#include <emscripten.h>

#include <cstdio>

#include "app/data/save_file_local.h"
#include "app/shell/host.h"

// record.js copies the record's folder into IndexedDB once the steps of a save in progress are
// all done (it waits for the page's next turn), so two steps ask for one copy.
EM_JS(void, keepRecordInPage, (), { Module['navroKeepRecord'](); });

// Emscripten's file system belongs to one tab, and its locks reach no other: record.js asks the
// browser for the record's lock (Web Locks) before the game starts, and says whether another tab
// of the site holds it.
EM_JS(bool, recordHeldByAnotherTab, (), { return !!Module['navroRecordHeldElsewhere']; });
EM_JS(void, releaseRecordInPage, (), { Module['navroReleaseRecord'](); });

EM_JS(void, showNoticeOverCanvas, (const char* line),
      { Module['navroShowNotice'](UTF8ToString(line)); });

namespace {

constexpr const char* endedLine = "NAVRO has ended: reload to play again";

int closeAndKeep(FILE* f) {
  const int result = realSaveFileSteps.close(f);
  keepRecordInPage();
  return result;
}

int renameAndKeep(const char* from, const char* to) {
  const int result = realSaveFileSteps.rename(from, to);
  keepRecordInPage();
  return result;
}

struct FrameLoop {
  bool (*playFrame)() = nullptr;
  void (*endGame)() = nullptr;
};
FrameLoop frameLoop;

void playAnimationFrame() {
  if (frameLoop.playFrame()) return;
  emscripten_cancel_main_loop();
  frameLoop.endGame();
  // The record is written and this tab plays no more: another tab may now take it.
  releaseRecordInPage();
  // The totals end without a line break, as on the desktop; the console shows a line once it ends.
  std::printf("\n%s\n", endedLine);
  showNoticeOverCanvas(endedLine);
}

}  // namespace

bool hostSeesRecordHeldElsewhere() { return recordHeldByAnotherTab(); }

void beginHostSession() {
  // "save.esf" in the working folder is a link into the stored folder (record.js), so the game's
  // own steps write the record there; each finished save then reaches the page's storage.
  saveFileSteps.close = closeAndKeep;
  saveFileSteps.rename = renameAndKeep;
}

void runFrameLoop(bool (*playFrame)(), void (*endGame)()) {
  frameLoop = {playFrame, endGame};
  // At the page's own pace (its animation frames), and back to the page now: main returns and the
  // page keeps the program running.
  emscripten_set_main_loop(playAnimationFrame, 0, false);
}
