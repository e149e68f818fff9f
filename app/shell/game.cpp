// Start-up, the frame loop and shutdown of the game, in the order every other module relies on.
#include "app/shell/game.h"

#include <GLFW/glfw3.h>
#include <stb_image.h>
#include <cstdio>
#include <string>

#include "app/data/camera.h"
#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "app/data/save_file.h"
#include "app/data/tunnel_polygon.h"
#include "app/shell/console.h"
#include "app/shell/game_folder.h"
#include "app/shell/host.h"
#include "app/shell/window.h"
#include "render/frame.h"
#include "render/gl_context.h"
#include "render/shader_program.h"
#include "render/sprite_draw.h"
#include "render/text.h"
#include "render/textures.h"
#include "render/tunnel_mesh.h"
#include "sim/frame_update.h"
#include "sim/run_events.h"
#include "sound/sound.h"
#include "ui/gamepad.h"
#include "ui/hud.h"
#include "ui/hud_events.h"
#include "ui/input.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"
#include "ui/ui_requests.h"

namespace {

constexpr const char* windowTitle = "NAVRO";
constexpr const char* iconPath = "./res/zell-ico.png";
constexpr const char* recordHeldLine =
    "NAVRO is already running on this record (save.esf); close that copy first, so that no run is "
    "lost";

// This copy's hold on the record's folder, kept until the process ends.
RecordLock recordLock;

void onGlfwError(int code, const char* description) {
  std::printf("GLFW error %d: %s\n", code, description);
}

void loadWindowIcon() {
  FILE* f = std::fopen(iconPath, "rb");
  unsigned char* pixels = nullptr;
  int width = 0, height = 0, channels = 0;
  if (f != nullptr) {
    pixels = stbi_load_from_file(f, &width, &height, &channels, 0);
    std::fclose(f);
  }
  if (pixels == nullptr) {
    std::printf("Unable to load window icon!\n");
    return;
  }
  GLFWimage icon{width, height, pixels};
  // The window system wants RGBA; an RGB icon is widened first.
  unsigned char* rgba = nullptr;
  if (channels != 4) {
    rgba = new unsigned char[static_cast<size_t>(width) * height * 4];
    for (int i = 0; i < width * height; ++i) {
      for (int c = 0; c < 4; ++c) {
        const int src = channels >= 3 ? (c < 3 ? c : -1) : (c < 3 ? 0 : (channels == 2 ? 1 : -1));
        rgba[i * 4 + c] = src < 0 ? 255 : pixels[i * channels + src];
      }
    }
    icon.pixels = rgba;
  }
  glfwSetWindowIcon(window, 1, &icon);
  delete[] rgba;
  stbi_image_free(pixels);
}

// Start-up cannot go on: the player's line after the window system's own, then every decoding
// worker is joined and the window system ended, so the process leaves at once with a failure.
int abandonStartUp(const std::string& why) {
  std::printf("%s\n", why.c_str());
  discardDecodedTextures();
  glfwTerminate();
  // Last: a box the player must close holds nothing else up.
  tellPlayerStartUpFailed(why);
  return 1;
}

// Start-up, from the GL state to the record: everything before the pictures.
void beginStartUp() {
  initGlState(windowWidth, windowHeight);
  projection = buildProjection(windowWidth, windowHeight);
  glfwSetKeyCallback(window, onKey);
  glfwSetCursorPosCallback(window, onCursorPos);
  glfwSetMouseButtonCallback(window, onMouseButton);
  setCursorCaptured(true);
  loadWindowIcon();
  glfwSetFramebufferSizeCallback(window, onFramebufferSize);
  initSoundEngine();
  readSaveFile();
}

// What start-up builds once the pictures are loaded, in its fixed order.
void loadResourcesAfterTextures() {
  fillTunnelPolygon();
  buildTunnelMeshes();
  buildShaderPrograms();
  setupScene();
  loadGlyphs();
  createUnitQuad();
}

// Start-up as steps, in the same fixed order: the first runs up to the record, each further step
// loads one picture, and the last builds the rest and shows the first screen. False once start-up
// is complete. The desktop runs them back to back; the browser gives its page a turn between two,
// so it can show how far loading has come.
bool continueStartUp() {
  static bool begun = false;
  if (!begun) {
    begun = true;
    beginStartUp();
    return true;
  }
  if (loadNextTexture()) return true;
  loadResourcesAfterTextures();
  showScreen(currentScreen);
  return false;
}

void shutDown() {
  writeSaveFile();
  std::printf("diamonds %i", saveData.totalDiamonds);
  std::printf("runs %i", saveData.runCount);
  std::fflush(stdout);
  // The engine's mixing thread must stop before the process tears down its globals.
  shutdownSoundEngine();
  releaseShaderPrograms();
  releaseGlyphs();
  releaseSpriteBuffers();
  releaseBarrierMeshes();
  releaseWorld();
  glfwTerminate();
}

// One pass of the frame loop; false, with nothing done, once the window is asked to close.
bool playFrame() {
  if (glfwWindowShouldClose(window)) return false;
  advanceFrameClock(static_cast<float>(glfwGetTime()));
  glfwPollEvents();
  // The pad is read with the events: its presses act before this frame is drawn, like keys.
  pollGamepad();
  renderFrame();
  updateFrame();
  glfwSwapBuffers(window);
  keepLogWithinLimit();
  return true;
}

}  // namespace

void connectLayers() {
  runEvents.showScreen = showScreen;
  runEvents.rebuildBladeMeshes = rebuildBarrierMeshes;
  runEvents.playSound = playSound;
  runEvents.diamondFlyers = launchDiamondFlyers;
  runEvents.cardHeld = showCardHeld;
  runEvents.rewardCounted = showRewardCounted;
  runEvents.rewardFlyer = launchRewardFlyer;
  runEvents.heldItemsChanged = showHeldItems;
  runEvents.scorePopup = launchScorePopup;
  runEvents.boostReserveChanged = showBoostReserve;
  runEvents.waveBannerShown = showWaveBanner;
  frameHooks.animateUi = animateUiElements;
  frameHooks.uiPass = uiPass;
  uiRequests.close = requestClose;
  uiRequests.captureCursor = setCursorCaptured;
  uiRequests.toggleFullscreen = toggleFullscreen;
  uiRequests.readGamepad = readGamepad;
  uiRequests.playSound = playSound;
}

void loadGameResources() {
  loadAllTextures();
  loadResourcesAfterTextures();
}

int runGame() {
  makeOutputLineByLine();
  enterGameFolder();
  // A second copy on the same record would overwrite the first one's runs at every save: it ends
  // before it opens anything.
  if (takeRecordLock(saveFileName, recordLock) == RecordLockOutcome::heldByAnotherCopy ||
      hostSeesRecordHeldElsewhere()) {
    std::printf("%s\n", recordHeldLine);
    tellPlayerStartUpFailed(recordHeldLine);
    return 1;
  }
  connectLayers();
  beginHostSession();
  if (!glfwInit()) {
    std::printf("Failed to initialize GLFW (no display or window system?): %s\n",
                describeWindowSystemFailure().c_str());
    tellPlayerStartUpFailed("NAVRO could not reach the window system");
    return 1;
  }
  // The pictures are decoded on worker threads while the window and the sound engine start.
  startDecodingTextures();
  glfwSetErrorCallback(onGlfwError);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 6);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  GLFWwindow* created = glfwCreateWindow(windowWidth, windowHeight, windowTitle, nullptr, nullptr);
  if (created == nullptr) {
    std::printf("Failed to create GLFW window\n");
    return abandonStartUp(describeMissingGl());
  }
  glfwMakeContextCurrent(created);
  if (!loadGlEntryPoints(glfwGetProcAddress)) {
    std::printf("Failed to initialize GLAD\n");
    // No GL call may follow a failed load: the context is simply dropped with the window.
    return abandonStartUp("NAVRO needs OpenGL 4.6; the graphics driver did not give its functions");
  }
  window = created;

  // The desktop starts up and plays every frame here, and shuts down before returning; the
  // browser runs one start-up step or frame per animation frame of the page after this returns.
  runFrameLoop(continueStartUp, playFrame, shutDown);
  return 0;
}
