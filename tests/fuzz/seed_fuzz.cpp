// Fuzz target: seed text parsing, and typing on the seed screen through the real key callback.
#include <GLFW/glfw3.h>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "app/data/run_state.h"
#include "app/shell/game.h"
#include "sim/random.h"
#include "tests/fuzz/fuzz_support.h"
#include "ui/input.h"
#include "ui/screens.h"

namespace {

// The engine and seed values the program starts with; every input begins from them so that the
// seed proposed on the seed screen is the same for every run of an input.
constexpr uint64_t engineStartSeed = 5489;
constexpr uint64_t runSeedAtStart = 12345;

// One input byte is one key event: the low six bits pick the key (wrapping past the table, which
// makes the number row the most common), the top two bits the action.
constexpr int keyBits = 6;
constexpr uint8_t keyMask = (1u << keyBits) - 1;
constexpr int keys[] = {
    GLFW_KEY_0,
    GLFW_KEY_1,
    GLFW_KEY_2,
    GLFW_KEY_3,
    GLFW_KEY_4,
    GLFW_KEY_5,
    GLFW_KEY_6,
    GLFW_KEY_7,
    GLFW_KEY_8,
    GLFW_KEY_9,
    GLFW_KEY_KP_0,
    GLFW_KEY_KP_1,
    GLFW_KEY_KP_2,
    GLFW_KEY_KP_3,
    GLFW_KEY_KP_4,
    GLFW_KEY_KP_5,
    GLFW_KEY_KP_6,
    GLFW_KEY_KP_7,
    GLFW_KEY_KP_8,
    GLFW_KEY_KP_9,
    GLFW_KEY_BACKSPACE,
    GLFW_KEY_ENTER,
    GLFW_KEY_KP_ENTER,
    GLFW_KEY_ESCAPE,
    GLFW_KEY_UP,
    GLFW_KEY_DOWN,
    GLFW_KEY_LEFT,
    GLFW_KEY_RIGHT,
    GLFW_KEY_F11,
    GLFW_KEY_SPACE,
    GLFW_KEY_A,
    GLFW_KEY_DELETE,
    GLFW_KEY_TAB,
    GLFW_KEY_MINUS,
    GLFW_KEY_KP_SUBTRACT,
    GLFW_KEY_KP_ADD,
    GLFW_KEY_PERIOD,
    GLFW_KEY_KP_DECIMAL,
    GLFW_KEY_F1,
    GLFW_KEY_LEFT_SHIFT,
    GLFW_KEY_UNKNOWN,
    GLFW_KEY_LAST,
    GLFW_KEY_0 - 1,
    GLFW_KEY_9 + 1,
    INT_MIN,
    INT_MAX,
    GLFW_KEY_HOME,
    GLFW_KEY_Z,
};
constexpr int actions[] = {GLFW_PRESS, GLFW_PRESS, GLFW_RELEASE, GLFW_REPEAT};
static_assert(std::size(actions) == 1u << (CHAR_BIT - keyBits), "one action per top-bit value");

bool isDigitKey(int key) { return key >= GLFW_KEY_0 && key <= GLFW_KEY_9; }

// The seed the game must take from `text`: strtoll's reading, saturated, as the 64-bit seed.
uint64_t referenceSeed(const char* text) {
  return static_cast<uint64_t>(std::strtoll(text, nullptr, 10));
}

void checkSeedLine(const std::string& typed) {
  fuzz::check(seedLength >= 0 && seedLength <= seedDigitsMax, "seedLength out of range");
  fuzz::check(seedText[seedLength] == '\0', "seedText is not terminated at seedLength");
  for (int i = 0; i < seedLength; ++i)
    fuzz::check(std::isdigit(static_cast<unsigned char>(seedText[i])) != 0,
                "seedText holds a non-digit");
  fuzz::check(typed == seedText, "seedText differs from the digits typed");
}

// The seed screen as a player finds it: a fresh proposal, no world, no run state left over.
void openSeedScreen(std::string& typed) {
  releaseWorld();
  resetRunState();
  showScreen(screenSeedEntry);
  typed = seedText;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::silenceStdout();
  connectLayers();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  rng.seed(engineStartSeed);
  runSeed = runSeedAtStart;

  // The bytes as seed text, read up to the first NUL like any C string.
  const std::string text(reinterpret_cast<const char*>(data), size);
  seedFromText(text.c_str());
  fuzz::check(runSeed == referenceSeed(text.c_str()), "seedFromText differs from strtoll");

  // The same bytes as keys on the seed screen.
  std::string typed;
  openSeedScreen(typed);
  checkSeedLine(typed);
  for (size_t i = 0; i < size; ++i) {
    const uint8_t b = data[i];
    const int key = keys[(b & keyMask) % std::size(keys)];
    const int action = actions[b >> keyBits];
    onKey(nullptr, key, b, action, 0);

    if (currentScreen == screenPlay) {
      fuzz::check(action == GLFW_PRESS && key == GLFW_KEY_ENTER, "a run started without Enter");
      fuzz::check(world != nullptr && world->platformCount == platformTotal,
                  "Enter left no complete world");
      fuzz::check(runSeed == referenceSeed(typed.c_str()), "the run does not use the seed shown");
      openSeedScreen(typed);
    } else if (action == GLFW_PRESS) {
      // Only the number row types; keypad digits and everything else leave the line alone.
      if (isDigitKey(key) && typed.size() < seedDigitsMax)
        typed += static_cast<char>('0' + (key - GLFW_KEY_0));
      if (key == GLFW_KEY_BACKSPACE && !typed.empty()) typed.pop_back();
    }
    fuzz::check(currentScreen == screenSeedEntry, "a key left the seed screen");
    checkSeedLine(typed);
  }
  releaseWorld();
  return 0;
}
