// Generating a run: every platform's side count, blades and object, drawn from runSeed in a fixed
// order.
#include "sim/generation.h"

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>

#include "app/data/game_screen.h"
#include "app/data/run_state.h"
#include "app/data/texture_names.h"
#include "app/data/tunnel_polygon.h"
#include "sim/collisions.h"
#include "sim/random.h"
#include "sim/run_events.h"
#include "sim/scene_objects.h"

namespace {

// Item draw t (0..8) to the object kind it makes.
constexpr int32_t itemKinds[itemTextureCount] = {
    kindCard,         kindToken512,     kindToken128, kindToken1024,    kindMultiplier2x,
    kindMultiplier4x, kindMultiplier8x, kindDiskette, kindBoxRandomizer};

// Draws lanes until a free one comes up; generation never fills a platform, so this ends.
int drawFreeLane(bool used[], int n) {
  int lane = 0;
  do {
    lane = uniformInt(rng, 0, n - 1);
  } while (used[lane]);
  used[lane] = true;
  return lane;
}

void initObject(TunnelObject& o, int lane, int32_t kind, uint32_t texture, bool sheet,
                int32_t frameCount, ActionFn action) {
  o.position = glm::vec3(0.0f);
  o.model = glm::mat4(1.0f);
  o.lane = static_cast<uint8_t>(lane);
  o.kind = kind;
  o.textureId = texture;
  o.useSpriteSheet = sheet;
  o.cols = 0;
  o.rows = 0;
  o.frameCount = frameCount;
  o.frameTime = 0.0f;
  o.frameIndex = 0;
  o.action = action;
}

}  // namespace

void generateWorld() {
  World* w = new World{};
  world = w;
  rng.seed(runSeed);
  const glm::mat4 start = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, generatedDepth));
  uint8_t bladeLanes[platformTotal][maxSides - 2];
  int bladeTotal = 0;

  for (int p = 0; p < platformTotal; ++p) {
    const int n = std::min(minSides + p / 32, maxSides);
    w->sideCount[p] = static_cast<uint8_t>(n);
    bool used[maxSides] = {};

    const int bc = uniformInt(rng, 1, n - 2);
    w->barrierCount[p] = static_cast<uint8_t>(bc);

    const bool chained = p > 0 && (w->doors[p - 1] != nullptr || w->diamonds[p - 1] != nullptr);
    const int cls = chained ? uniformInt(rng, 1, chainClassRange) : uniformInt(rng, 1, classRange);

    if (cls <= diamondClassLast) {
      uniformInt(rng, 0, n - bc);  // drawn and discarded: it still advances the engine
      int lane = 0;
      if (p > 0 && w->doors[p - 1] != nullptr) {
        lane = w->doors[p - 1]->lane;
        used[lane] = true;
      } else {
        lane = drawFreeLane(used, n);
      }
      TunnelObject* d = new TunnelObject;
      initObject(*d, lane, kindDiamond, zellSheetTexture, true, spriteFrames, noActionSpecified);
      w->diamonds[p] = d;
    } else if (cls <= itemClassLast) {
      const int lane = drawFreeLane(used, n);
      const int t = uniformInt(rng, 0, itemTextureCount - 1);
      TunnelObject* item = new TunnelObject;
      initObject(*item, lane, itemKinds[t], itemTextures[t], true, spriteFrames,
                 t == 0 ? openDoorsAhead : noActionSpecified);
      w->items[p] = item;
    } else if (cls <= doorClassLast) {
      uniformInt(rng, 0, n - bc);  // drawn and discarded
      const int lane = drawFreeLane(used, n);
      Door* door = new Door;
      initObject(*door, lane, kindCard, doorTexture, false, 0, noActionSpecified);
      door->open = false;
      w->doors[p] = door;
    }

    for (int j = 0; j < bc; ++j) bladeLanes[p][j] = static_cast<uint8_t>(drawFreeLane(used, n));
    bladeTotal += bc;
  }

  // The blades live in one block owned by the world: a run makes hundreds of them and none
  // outlives the world, so one allocation replaces hundreds.
  w->barrierStore = new Barrier[bladeTotal];
  Barrier* next = w->barrierStore;
  for (int p = 0; p < platformTotal; ++p) {
    for (int j = 0; j < w->barrierCount[p]; ++j) {
      *next = Barrier{start, bladeLanes[p][j]};
      w->barriers[p][j] = next++;
    }
  }

  player.textureId = playerSheetTexture;
  w->platformCount = platformTotal;
}

void startRun() {
  resetRunState();
  releaseWorld();
  generateWorld();
  emit(runEvents.rebuildBladeMeshes);
  targetAngle = laneAngle(currentLane, currentSides);
  emit(runEvents.showScreen, screenPlay);
}
