// The browser's side of the window: why the page could not give the game its context, the
// gamepad through the browser's standard mapping, F11 as the browser's full screen for the
// canvas's stage, and the cursor hidden, then locked once the player clicks.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstring>

#include "app/shell/window.h"

// F11 arrives inside the page's own key event, the only moment a page may ask for full screen:
// the stage around the canvas is asked at once, so the canvas keeps the page's 16:9 fit within it,
// letterboxed (index.html), and its drawing buffer follows (host_web.cpp).
EM_JS(bool, askForFullscreen, (), {
  var stage = Module['canvas'] && Module['canvas'].parentElement;
  if (!stage || !stage.requestFullscreen) return false;
  stage.requestFullscreen().catch(
      function(error) { err('Full screen refused: ' + error.message); });
  return true;
});

// The desktop hides and captures the cursor at once. A page may lock the pointer only while the
// player is using it, or the browser refuses with an error: the cursor is hidden over the canvas
// at once and locked at the next click on it, while play still wants it. Keys do not lock it:
// with the pointer locked the browser takes Escape to unlock it, and Escape would no longer end
// the game at the first press.
EM_JS(void, captureCursorInPage, (bool captured), {
  var canvas = Module['canvas'];
  if (!Module['navroLockOnClick']) {
    Module['navroLockOnClick'] = function() {
      if (!Module['navroCursorCaptured'] || document.pointerLockElement == canvas) return;
      try {
        var asked = canvas.requestPointerLock();
        // A refusal leaves the cursor hidden, as it is until the lock comes.
        if (asked && asked.catch) asked.catch(function(){});
      } catch (refused) {
      }
    };
    canvas.addEventListener('mousedown', Module['navroLockOnClick']);
  }
  Module['navroCursorCaptured'] = captured;
  canvas.style.cursor = captured ? "none" : "";
  if (!captured && document.pointerLockElement == canvas) document.exitPointerLock();
});

EM_JS(bool, leaveFullscreen, (), {
  if (!document.fullscreenElement) return true;
  document.exitFullscreen().catch(function(error) { err('Full screen kept: ' + error.message); });
  return true;
});

namespace {

// The player can leave the browser's full screen by its own means (Escape, the browser's
// controls): the flag follows the page, so the next F11 enters it again.
EM_BOOL onFullscreenChange(int /*eventType*/, const EmscriptenFullscreenChangeEvent* change,
                           void* /*userData*/) {
  fullscreen = change->isFullscreen != 0;
  return EM_FALSE;
}

// The browser's standard gamepad layout, button by button in the game's order (the guide button is
// the 17th where a browser reports one; the triggers are the analog buttons 6 and 7).
constexpr int standardButtonOf[gamepadButtonCount] = {
    0,   // south
    1,   // east
    2,   // west
    3,   // north
    4,   // left bumper
    5,   // right bumper
    8,   // back
    9,   // start
    16,  // guide, where a browser has it
    10,  // left thumb
    11,  // right thumb
    12,  // d-pad up
    15,  // d-pad right
    13,  // d-pad down
    14,  // d-pad left
};
constexpr int standardLeftTrigger = 6, standardRightTrigger = 7;
constexpr int standardStickAxes = 4;  // left x, left y, right x, right y, as the game counts them
const char* const standardMapping = "standard";

// An analog button (0 let go, 1 pulled) as the game's trigger axis (-1 let go, 1 pulled).
float triggerAxis(double pulled) { return static_cast<float>(pulled * 2.0 - 1.0); }

}  // namespace

std::string describeWindowSystemFailure() { return "the page has no canvas for the game"; }

std::string describeMissingGl() {
  return "NAVRO needs WebGL 2; this browser did not give the page a WebGL 2 context";
}

void setCursorCaptured(bool captured) { captureCursorInPage(captured); }

bool switchFullscreen(bool toFullscreen) {
  static bool following = false;
  if (!following) {
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                             onFullscreenChange);
    following = true;
  }
  if (toFullscreen ? askForFullscreen() : leaveFullscreen()) return true;
  std::printf("Full screen unavailable: the browser refused it\n");
  return false;
}

bool readGamepad(GamepadState& state) {
  state = GamepadState{};
  if (window == nullptr || emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS)
    return false;
  // The first pad the browser maps to its standard layout plays, as the first with a mapping does
  // on the desktop.
  const int count = emscripten_get_num_gamepads();
  for (int index = 0; index < count; ++index) {
    EmscriptenGamepadEvent pad;
    if (emscripten_get_gamepad_status(index, &pad) != EMSCRIPTEN_RESULT_SUCCESS) continue;
    if (!pad.connected || std::strcmp(pad.mapping, standardMapping) != 0) continue;
    for (int b = 0; b < gamepadButtonCount; ++b) {
      const int from = standardButtonOf[b];
      state.buttons[b] = from < pad.numButtons && pad.digitalButton[from] != 0;
    }
    for (int a = 0; a < standardStickAxes && a < pad.numAxes; ++a)
      state.axes[a] = static_cast<float>(pad.axis[a]);
    if (standardRightTrigger < pad.numButtons) {
      state.axes[padLeftTrigger] = triggerAxis(pad.analogButton[standardLeftTrigger]);
      state.axes[padRightTrigger] = triggerAxis(pad.analogButton[standardRightTrigger]);
    }
    return true;
  }
  return false;
}
