// navro-session: a whole played session in one process, drawn in a window like the game's, with
// every frame timed: start-up, menus, the seed screen, runs flown by the pilot bot (pickups, held
// cards used, the prize roll, wave changes), run ends, QUICK PLAY and new seeds. Prints the
// median, 99th percentile and maximum frame time per phase and overall, the slowest frames with
// what they were doing, and a bare clear-and-swap loop in the same window to compare with.
//
// Usage: navro-session [--runs N] [--short] [--frames DIR]; run from the folder holding shaders/,
// res/, fonts/. With --frames, the 30th frame of each screen's first visit and every 1000th frame
// are saved in DIR as PNGs, untimed: the session plays alike every time, so two builds' pictures
// can be compared.
#include <GLFW/glfw3.h>
#include <fcntl.h>
#include <glad/gl.h>
#include <stb_image_write.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/data/camera.h"
#include "app/data/frame_clock.h"
#include "app/data/save_file.h"
#include "app/shell/game.h"
#include "kit/bot_pilot.h"
#include "kit/player_input.h"
#include "render/frame.h"
#include "render/gl_context.h"
#include "render/textures.h"
#include "sound/sound.h"
#include "ui/input.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int defaultRuns = 12;
constexpr int shortRuns = 2;
constexpr int wholeRingEvery = 4;  // every 4th run the pilot flies as far as it can
constexpr int letGoSpread = 70;    // other runs end on purpose before this platform (two waves)
constexpr int letGoLeast = 12;
constexpr int shortLetGo = 10;
constexpr int idleFrames = 40;      // frames a screen is left alone before the next input
constexpr int itemBoxFrames = 150;  // the prize roll is watched two and a half seconds
constexpr int runFrameLimit = 60 * 60 * 6;
constexpr int cardHoldFrames = 90;  // a held card is used this long after it is taken
constexpr int bareFrames = 2000;
constexpr int slowestShown = 8;
constexpr const char* typedSeed = "20261209";
constexpr int capturedFrame = 30;  // of each screen's first visit, when frames are saved
constexpr size_t sessionFrameEvery = 1000;

// One frame of the session: where its time went and what the session was doing.
struct FrameRecord {
  double inputMs = 0, drawMs = 0, updateMs = 0, swapMs = 0;
  double cpuMs = 0;  // the process's CPU time over the frame, the driver's threads included
  int32_t screen = 0;
  std::string step;  // the input or event of this frame; empty for a plain frame
  double totalMs() const { return inputMs + drawMs + updateMs + swapMs; }
};

struct Session {
  GLFWwindow* window = nullptr;
  std::string framesFolder;  // empty: no frame is saved
  int32_t lastScreen = -1;
  int framesOnScreen = 0;
  std::vector<int32_t> captured;
  std::vector<FrameRecord> frames;
  int runs = 0, wholeRings = 0, itemBoxes = 0, cardsUsed = 0, pickups = 0, waveChanges = 0;
};

double msSince(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// On a shared machine the wall clock also counts other programs' turns; the CPU time the process
// spent tells a frame's own cost apart from them.
double processCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

const char* phaseName(int32_t screen);

// Saves the back buffer as it will be shown, top row first, opaque.
void saveFrame(const std::string& path) {
  std::vector<unsigned char> p(static_cast<size_t>(windowWidth) * windowHeight * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, windowWidth, windowHeight, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
  const size_t row = static_cast<size_t>(windowWidth) * 4;
  std::vector<unsigned char> top(p.size());
  for (int y = 0; y < windowHeight; ++y)
    std::copy(p.begin() + static_cast<long>(y * row), p.begin() + static_cast<long>((y + 1) * row),
              top.begin() + static_cast<long>((windowHeight - 1 - y) * row));
  for (size_t i = 3; i < top.size(); i += 4) top[i] = 255;
  stbi_write_png(path.c_str(), windowWidth, windowHeight, 4, top.data(), static_cast<int>(row));
}

// The 30th frame of a screen's first visit goes to the frames folder, outside the timing.
void captureFrame(Session& s, int32_t screen) {
  if (s.framesFolder.empty()) return;
  // Every 1000th frame as well, to see the HUD as pickups fill it.
  if (s.frames.size() % sessionFrameEvery == sessionFrameEvery - 1)
    saveFrame(s.framesFolder + "/frame-" + std::to_string(s.frames.size() + 1) + ".png");
  s.framesOnScreen = screen == s.lastScreen ? s.framesOnScreen + 1 : 1;
  s.lastScreen = screen;
  if (s.framesOnScreen != capturedFrame) return;
  if (std::find(s.captured.begin(), s.captured.end(), screen) != s.captured.end()) return;
  s.captured.push_back(screen);
  std::string name = phaseName(screen);
  std::replace(name.begin(), name.end(), ' ', '-');
  saveFrame(s.framesFolder + "/" + std::to_string(s.captured.size()) + "-" + name + ".png");
}

const char* phaseName(int32_t screen) {
  switch (screen) {
    case screenPlay:
      return "play";
    case screenRunOver:
      return "run over";
    case screenMainMenu:
      return "main menu";
    case screenOptions:
      return "options";
    case screenControls:
      return "controls";
    case screenSeedEntry:
      return "seed entry";
    case screenItemBox:
      return "prize roll";
    default:
      return "other";
  }
}

// One iteration of the game's loop: the input (given here as the callbacks the event processing
// would run), the frame drawn, the simulation advanced, the buffers swapped; at 60 frames a
// second of game time whatever the wall clock says, so every session plays alike.
template <typename Input>
void frame(Session& s, const std::string& step, Input input) {
  FrameRecord r;
  r.step = step;
  const double cpuAtStart = processCpuMs();
  Clock::time_point t = Clock::now();
  DeltaTime = bot::frameSeconds;
  glfwPollEvents();
  input();
  r.inputMs = msSince(t);
  r.screen = currentScreen;
  t = Clock::now();
  renderFrame();
  r.drawMs = msSince(t);
  const int32_t waveBefore = wave;
  t = Clock::now();
  updateFrame();
  r.updateMs = msSince(t);
  if (wave != waveBefore && r.step.empty()) r.step = "wave " + std::to_string(wave);
  if (wave != waveBefore) s.waveChanges += 1;
  const double cpuBeforeCapture = processCpuMs();
  captureFrame(s, r.screen);
  const double captureCpu = processCpuMs() - cpuBeforeCapture;
  t = Clock::now();
  glfwSwapBuffers(s.window);
  r.swapMs = msSince(t);
  r.cpuMs = processCpuMs() - cpuAtStart - captureCpu;
  s.frames.push_back(std::move(r));
}

void idle(Session& s, int count) {
  for (int i = 0; i < count; ++i) frame(s, "", [] {});
}

// Clicks the button captioned `caption`, saying which one is missing.
bool click(const char* caption) {
  if (clickButton(caption)) return true;
  std::printf("navro-session: no button %s on screen %d\n", caption, currentScreen);
  return false;
}

bool clickFrame(Session& s, const char* caption) {
  bool found = false;
  frame(s, std::string("click ") + caption, [&] { found = click(caption); });
  return found;
}

void keyFrame(Session& s, const char* name, int key) {
  frame(s, std::string("key ") + name, [key] { press(key); });
}

// The menus as a player browses them before playing: pointer, arrow keys, options, controls.
bool browseMenus(Session& s) {
  idle(s, idleFrames);
  keyFrame(s, "Down", GLFW_KEY_DOWN);
  idle(s, idleFrames / 4);
  keyFrame(s, "Up", GLFW_KEY_UP);
  idle(s, idleFrames / 4);
  if (!clickFrame(s, "OPTIONS")) return false;
  idle(s, idleFrames);
  if (!clickFrame(s, "CONTROLS")) return false;
  idle(s, idleFrames);
  if (!clickFrame(s, "BACK")) return false;
  idle(s, idleFrames / 2);
  if (!clickFrame(s, "BACK")) return false;
  idle(s, idleFrames / 2);
  return currentScreen == screenMainMenu;
}

// The seed screen: the proposal rubbed out and a seed typed, one key a frame, then Enter.
void typeSeed(Session& s) {
  idle(s, idleFrames / 2);
  for (int i = 0; i < seedDigitsMax; ++i) keyFrame(s, "Backspace", GLFW_KEY_BACKSPACE);
  for (const char* d = typedSeed; *d != '\0'; ++d)
    frame(s, std::string("type ") + *d, [d] { press(GLFW_KEY_0 + (*d - '0')); });
  idle(s, idleFrames / 4);
}

// Plays one run to its end. The pilot steers up to platform `letGoAt`, then into the next
// obstacle; a held card is used a while after it is taken; the prize roll is watched, then left
// with Space.
bool playRun(Session& s, int letGoAt) {
  s.runs += 1;
  int cardHeldFor = 0;
  bool first = true;
  for (int frames = 0; !bot::runOver(); ++frames) {
    if (frames > runFrameLimit) return false;
    if (currentScreen == screenItemBox) {
      s.itemBoxes += 1;
      idle(s, itemBoxFrames);
      keyFrame(s, "Space", GLFW_KEY_SPACE);
      continue;
    }
    const int32_t itemsBefore = count128 + count512 + count1024 + count2x + count4x + count8x;
    const uint64_t diamondsBefore = runDiamonds;
    const uint8_t heldBefore = heldCount;
    std::string step = first ? "run " + std::to_string(s.runs) + " first frame" : "";
    first = false;
    cardHeldFor = heldCount > 0 ? cardHeldFor + 1 : 0;
    const bool useCard = cardHeldFor > cardHoldFrames;
    if (useCard) step = "key 1 (card used)";
    frame(s, step, [&] {
      if (useCard) press(GLFW_KEY_1);
      if (currentPlatform < letGoAt) {
        bot::pilotKeys();
      } else {
        bot::crashKeys();
      }
    });
    if (useCard && heldCount < heldBefore) s.cardsUsed += 1;
    const int32_t itemsAfter = count128 + count512 + count1024 + count2x + count4x + count8x;
    if (itemsAfter != itemsBefore || runDiamonds != diamondsBefore || heldCount > heldBefore)
      s.pickups += 1;
  }
  if (currentPlatform >= platformTotal) s.wholeRings += 1;
  return true;
}

bool playSession(Session& s, int runs, bool brief) {
  if (!browseMenus(s)) return false;
  if (!clickFrame(s, "PLAY")) return false;
  typeSeed(s);
  keyFrame(s, "Enter (typed seed)", GLFW_KEY_ENTER);
  for (int run = 0; run < runs; ++run) {
    const bool far = run % wholeRingEvery == 0 && !brief;
    const int letGoAt = brief ? shortLetGo
                        : far ? platformTotal
                              : letGoLeast + (run * 23) % letGoSpread;
    if (!playRun(s, letGoAt)) return false;
    idle(s, idleFrames);
    if (run + 1 == runs) break;
    // The run-over screen's three ways on, in turn.
    switch (run % 3) {
      case 0:
        if (!clickFrame(s, "QUICK PLAY")) return false;
        break;
      case 1:
        if (!clickFrame(s, "PLAY NEW SEED")) return false;
        idle(s, idleFrames / 2);
        keyFrame(s, "Enter (proposed seed)", GLFW_KEY_ENTER);
        break;
      default:
        if (!clickFrame(s, "EXIT")) return false;
        idle(s, idleFrames);
        if (!clickFrame(s, "PLAY")) return false;
        idle(s, idleFrames / 2);
        keyFrame(s, "Enter (proposed seed)", GLFW_KEY_ENTER);
        break;
    }
  }
  if (!clickFrame(s, "EXIT")) return false;
  idle(s, idleFrames);
  return currentScreen == screenMainMenu;
}

// The same window cleared and swapped, nothing drawn: the floor, and the display's own spikes.
std::vector<FrameRecord> bareLoop(GLFWwindow* window, int count) {
  std::vector<FrameRecord> frames;
  for (int i = 0; i < count; ++i) {
    FrameRecord r;
    const double cpuAtStart = processCpuMs();
    Clock::time_point t = Clock::now();
    glfwPollEvents();
    r.inputMs = msSince(t);
    t = Clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    r.drawMs = msSince(t);
    t = Clock::now();
    glfwSwapBuffers(window);
    r.swapMs = msSince(t);
    r.cpuMs = processCpuMs() - cpuAtStart;
    frames.push_back(r);
  }
  return frames;
}

double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0.0;
  std::sort(v.begin(), v.end());
  const size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

double largest(const std::vector<double>& v) {
  return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}

// Median, 99th percentile and maximum of the wall-clock frame times, then of the CPU times.
void printRow(const char* name, const std::vector<const FrameRecord*>& frames) {
  std::vector<double> wall, cpu;
  for (const FrameRecord* r : frames) {
    wall.push_back(r->totalMs());
    cpu.push_back(r->cpuMs);
  }
  std::printf("%-12s %7zu %9.2f %9.2f %9.2f   %9.2f %9.2f %9.2f\n", name, frames.size(),
              percentile(wall, 0.5), percentile(wall, 0.99), largest(wall), percentile(cpu, 0.5),
              percentile(cpu, 0.99), largest(cpu));
}

void report(const Session& s, const std::vector<FrameRecord>& bare, double startupMs,
            const FrameRecord& firstMenuFrame) {
  std::printf(
      "navro-session: start-up to the first menu frame swapped %.1f ms (that frame %.2f "
      "ms, %.2f ms CPU)\n",
      startupMs, firstMenuFrame.totalMs(), firstMenuFrame.cpuMs);
  std::printf(
      "  %d runs (%d flown to the end of the ring), %d prize rolls, %d cards used, %d "
      "pickups, %d wave changes; texture store %.1f MiB\n",
      s.runs, s.wholeRings, s.itemBoxes, s.cardsUsed, s.pickups, s.waveChanges,
      static_cast<double>(textureStoreBytes()) / (1 << 20));
  std::printf("%-12s %7s %9s %9s %9s   %9s %9s %9s\n", "phase", "frames", "median", "p99", "max",
              "cpu med", "cpu p99", "cpu max");
  std::vector<const FrameRecord*> all;
  for (int32_t screen : {screenMainMenu, screenOptions, screenControls, screenSeedEntry, screenPlay,
                         screenItemBox, screenRunOver}) {
    std::vector<const FrameRecord*> phase;
    for (const FrameRecord& r : s.frames)
      if (r.screen == screen) phase.push_back(&r);
    if (!phase.empty()) printRow(phaseName(screen), phase);
  }
  for (const FrameRecord& r : s.frames) all.push_back(&r);
  printRow("session", all);
  std::vector<const FrameRecord*> bareFrames;
  std::vector<double> bareMs;
  for (const FrameRecord& r : bare) {
    bareFrames.push_back(&r);
    bareMs.push_back(r.totalMs());
  }
  printRow("bare frame", bareFrames);
  std::vector<double> allMs, allCpu;
  for (const FrameRecord* r : all) {
    allMs.push_back(r->totalMs());
    allCpu.push_back(r->cpuMs);
  }
  const double median = percentile(allMs, 0.5);
  const double cpuMedian = percentile(allCpu, 0.5);
  std::printf("frames over 3x the session median: %zu by the wall clock, %zu by CPU time\n",
              static_cast<size_t>(std::count_if(allMs.begin(), allMs.end(),
                                                [&](double v) { return v > 3.0 * median; })),
              static_cast<size_t>(std::count_if(allCpu.begin(), allCpu.end(),
                                                [&](double v) { return v > 3.0 * cpuMedian; })));
  // The slowest frames by either clock, with the step each was taking.
  const auto listSlowest = [&](const char* title, double (*cost)(const FrameRecord&), double med) {
    std::printf(
        "slowest frames by %s (x its session median; input / draw / update / swap ms; "
        "cpu ms):\n",
        title);
    std::vector<size_t> order(s.frames.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    const size_t shown = std::min<size_t>(slowestShown, order.size());
    std::partial_sort(order.begin(), order.begin() + static_cast<long>(shown), order.end(),
                      [&](size_t a, size_t b) { return cost(s.frames[a]) > cost(s.frames[b]); });
    for (size_t k = 0; k < shown; ++k) {
      const FrameRecord& r = s.frames[order[k]];
      std::printf("  #%-6zu %7.2f ms %5.1fx  %-10s %-24s %6.2f %6.2f %6.2f %6.2f  %6.2f\n",
                  order[k], cost(r), cost(r) / med, phaseName(r.screen),
                  r.step.empty() ? "-" : r.step.c_str(), r.inputMs, r.drawMs, r.updateMs, r.swapMs,
                  r.cpuMs);
    }
  };
  listSlowest(
      "wall clock", [](const FrameRecord& r) { return r.totalMs(); }, median);
  listSlowest(
      "CPU time", [](const FrameRecord& r) { return r.cpuMs; }, cpuMedian);
  std::printf("  bare frames: max %.2f ms, %zu over 3x their median\n", largest(bareMs),
              static_cast<size_t>(std::count_if(bareMs.begin(), bareMs.end(), [&](double v) {
                return v > 3.0 * percentile(bareMs, 0.5);
              })));
}

// The game's window and the start-up steps of the game up to its first menu frame.
GLFWwindow* startUp() {
  setenv("MESA_GL_VERSION_OVERRIDE", "4.6", 0);
  setenv("MESA_GLSL_VERSION_OVERRIDE", "460", 0);
  if (!glfwInit()) return nullptr;
  startDecodingTextures();
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 6);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  GLFWwindow* w = glfwCreateWindow(windowWidth, windowHeight, "NAVRO", nullptr, nullptr);
  if (w == nullptr) {
    discardDecodedTextures();
    return nullptr;
  }
  glfwMakeContextCurrent(w);
  if (!loadGlEntryPoints(glfwGetProcAddress)) return nullptr;
  initGlState(windowWidth, windowHeight);
  projection = buildProjection(windowWidth, windowHeight);
  initSoundEngine();
  loadGameResources();
  showScreen(screenMainMenu);
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = defaultRuns;
  bool brief = false;
  std::string framesFolder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--short") == 0) {
      brief = true;
      runs = shortRuns;
    } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
      framesFolder = argv[++i];
    } else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else {
      std::printf("usage: navro-session [--runs N] [--short] [--frames DIR]\n");
      return 2;
    }
  }
  connectLayers();
  Session s;
  s.framesFolder = framesFolder;
  const Clock::time_point start = Clock::now();
  // The game's own lines (textures loaded, runs) are not what this program reports.
  std::fflush(stdout);
  const int savedStdout = dup(STDOUT_FILENO);
  const int devNull = open("/dev/null", O_WRONLY);
  dup2(devNull, STDOUT_FILENO);
  close(devNull);
  s.window = startUp();
  if (s.window == nullptr) {
    std::fflush(stdout);
    dup2(savedStdout, STDOUT_FILENO);
    std::printf("navro-session: no OpenGL 4.6 window could be opened\n");
    return 1;
  }
  // The first menu frame ends the start-up; the session's figures begin after it.
  frame(s, "first menu frame", [] {});
  const double startupMs = msSince(start);
  const FrameRecord firstMenuFrame = s.frames.back();
  s.frames.clear();
  const bool played = playSession(s, runs, brief);
  const std::vector<FrameRecord> bare = bareLoop(s.window, brief ? bareFrames / 10 : bareFrames);
  std::fflush(stdout);
  dup2(savedStdout, STDOUT_FILENO);
  close(savedStdout);
  report(s, bare, startupMs, firstMenuFrame);
  shutdownSoundEngine();
  releaseWorld();
  glfwTerminate();
  return played ? 0 : 1;
}
