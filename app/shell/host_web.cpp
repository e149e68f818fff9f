// The browser page around the game: the record's copy in the page's storage, start-up and the
// frame loop at the page's pace, the canvas's drawing buffer at its size on the page, and the
// notice that the game has ended.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdio>

#include "app/data/save_file_local.h"
#include "app/shell/host.h"
#include "app/shell/window.h"
#include "render/textures.h"

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

// The page shows how far start-up has come: it counts the picture lines the game prints.
EM_JS(void, tellPageStartUpBegins, (int pictures), { Module['navroStartUpBegins'](pictures); });
// The game plays: the page hands it the keys and the pointer from now on.
EM_JS(void, tellPagePlayBegins, (), { Module['navroPlayBegins'](); });

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
  bool (*startUpStep)() = nullptr;
  bool (*playFrame)() = nullptr;
  void (*endGame)() = nullptr;
  bool startingUp = true;
};
FrameLoop frameLoop;

constexpr const char* canvasSelector = "#canvas";
constexpr double startUpSliceMs = 50;  // start-up's work in one animation frame, at least one step

// The canvas's drawing buffer takes the canvas's size on the page in the screen's own pixels, so
// the picture is sharp on a high-density screen; the game then sets its viewport and projection
// through its framebuffer-size callback, as for a resized desktop window.
void fitCanvasToPage() {
  double cssWidth = 0, cssHeight = 0;
  if (emscripten_get_element_css_size(canvasSelector, &cssWidth, &cssHeight) !=
      EMSCRIPTEN_RESULT_SUCCESS)
    return;
  const double ratio = emscripten_get_device_pixel_ratio();
  const int width = static_cast<int>(std::lround(cssWidth * ratio));
  const int height = static_cast<int>(std::lround(cssHeight * ratio));
  int current = 0, currentHeight = 0;
  emscripten_get_canvas_element_size(canvasSelector, &current, &currentHeight);
  if (width <= 0 || height <= 0 || (width == current && height == currentHeight)) return;
  emscripten_set_canvas_element_size(canvasSelector, width, height);
  onFramebufferSize(window, width, height);
}

void playAnimationFrame() {
  if (frameLoop.startingUp) {
    // Steps until a slice of time has gone: the page still shows the progress several times a
    // second, and the small pictures do not wait for an animation frame each.
    const double sliceEnd = emscripten_get_now() + startUpSliceMs;
    while (frameLoop.startUpStep()) {
      if (emscripten_get_now() >= sliceEnd) return;
    }
    frameLoop.startingUp = false;
    tellPagePlayBegins();
    return;
  }
  // Looked at every frame: a resized window, full screen, a changed zoom or screen density (which
  // fires no resize event when the canvas's size on the page stays the same).
  fitCanvasToPage();
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

void runFrameLoop(bool (*startUpStep)(), bool (*playFrame)(), void (*endGame)()) {
  frameLoop = {startUpStep, playFrame, endGame, true};
  tellPageStartUpBegins(pictureCount());
  // At the page's own pace (its animation frames), and back to the page now: main returns and the
  // page keeps the program running. Start-up's steps take turns with the page, so it shows how
  // far the pictures have come while they are decoded on this one thread.
  emscripten_set_main_loop(playAnimationFrame, 0, false);
}
