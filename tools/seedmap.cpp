// navro-seedmap: previews the run a seed text generates, platform by platform, without a display.
#include <cstdio>
#include <cstring>

#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "sim/generation.h"
#include "sim/random.h"

namespace {

constexpr int usageStatus = 2;

bool isDigitText(const char* text) {
  if (text == nullptr || *text == '\0') return false;
  for (const char* c = text; *c != '\0'; ++c)
    if (*c < '0' || *c > '9') return false;
  return true;
}

void printObject(const World& w, int p) {
  if (w.diamonds[p] != nullptr) {
    std::printf("diamond:%d", w.diamonds[p]->lane);
  } else if (w.doors[p] != nullptr) {
    std::printf("door:%d", w.doors[p]->lane);
  } else if (w.items[p] != nullptr) {
    std::printf("item:%d:%d", w.items[p]->lane, w.items[p]->kind);
  } else {
    std::printf("-");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || !isDigitText(argv[1])) {
    std::fprintf(stderr,
                 "usage: navro-seedmap SEED   (SEED: the digits typed on the seed screen)\n");
    return usageStatus;
  }
  seedFromText(argv[1]);
  generateWorld();
  const World& w = *world;

  int diamonds = 0, items = 0, doors = 0, empty = 0;
  for (int p = 0; p < w.platformCount; ++p) {
    std::printf("%d %d ", p, w.sideCount[p]);
    printObject(w, p);
    std::printf(" ");
    for (int j = 0; j < w.barrierCount[p]; ++j)
      std::printf(j == 0 ? "%d" : ",%d", w.barriers[p][j]->lane);
    std::printf("\n");
    diamonds += w.diamonds[p] != nullptr;
    items += w.items[p] != nullptr;
    doors += w.doors[p] != nullptr;
    empty += w.diamonds[p] == nullptr && w.items[p] == nullptr && w.doors[p] == nullptr;
  }
  // The run-over screen prepares the next quick run from the engine's next output.
  std::printf("next %llu\n", static_cast<unsigned long long>(rng() & 0x7FFFFFFFFFFFFFFFull));
  std::printf("diamonds %d items %d doors %d empty %d\n", diamonds, items, doors, empty);
  releaseWorld();
  return 0;
}
