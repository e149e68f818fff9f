// The run in play: the generated world of 256 platforms, its objects, and the run's global
// variables.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

constexpr int platformTotal = 256;  // platforms in one run
constexpr int barrierSlots = 10;    // barrier slots per platform
constexpr int activeSlots = 8;      // platforms moved and drawn at once
constexpr int heldSlots = 3;        // held items
constexpr int sheetColumns = 6;     // every sprite sheet of the game is a 6 x 5 grid
constexpr int sheetRows = 5;
constexpr int spriteFrames = sheetColumns * sheetRows;  // frames of one one-second cycle

// Kinds of world objects; 7 and 11 are never generated.
enum ObjectKind : int32_t {
  kindCard = 0,
  kindToken512 = 1,
  kindToken128 = 2,
  kindToken1024 = 3,
  kindMultiplier2x = 4,
  kindMultiplier4x = 5,
  kindMultiplier8x = 6,
  kindDiskette = 8,
  kindBoxRandomizer = 9,
  kindDiamond = 10,
};

using ActionFn = void (*)();

// Default action of world objects and UI elements: prints that nothing is bound.
void noActionSpecified();

// A blade standing on one lane of a platform.
struct Barrier {
  glm::mat4 model;  // placement, rewritten every frame
  uint8_t lane;     // face it stands on
};

// A diamond, an item, or the player sprite.
struct TunnelObject {
  glm::vec3 position;   // placement vector nothing reads
  glm::mat4 model;      // placement, rewritten every frame
  uint8_t lane;         // face it stands on
  int32_t kind;         // ObjectKind
  uint32_t textureId;   // GL texture drawn for it
  bool useSpriteSheet;  // texture is a 6 x 5 sheet
  int32_t cols, rows;   // sheet grid as stored (draws always use 6 x 5)
  int32_t frameCount;   // frames per cycle; one cycle lasts one second
  float frameTime;      // seconds accumulated toward the next frame
  int32_t frameIndex;   // current frame
  ActionFn action;      // run when a held item is used
};

// A door: an object that blocks its lane until opened.
struct Door : TunnelObject {
  bool open;
};

struct World {
  Barrier* barriers[platformTotal][barrierSlots];  // slots 0..barrierCount-1 filled
  TunnelObject* diamonds[platformTotal];
  Door* doors[platformTotal];
  TunnelObject* items[platformTotal];
  uint8_t barrierCount[platformTotal];  // 1..sideCount-2
  uint8_t sideCount[platformTotal];     // min(3 + p / 32, 10)
  uint16_t platformCount;               // 0 while generating, 256 when complete
  Barrier* barrierStore;                // one block holding every blade of the run
};

extern World* world;  // the current run's world; null before the first run

// Run state, reset by startRun.
extern float speed;               // units per second: 35 cruising, 70 boosting, 0 after the end
extern bool boostActive;          // boost is on
extern float boostGauge;          // boost reserve, seconds, 0..2
extern float rotationSpeed;       // radians per second of the tunnel easing
extern float tunnelAngle;         // current tunnel rotation, radians
extern float targetAngle;         // rotation that brings currentLane to the top
extern int32_t currentSides;      // side count under the player, 3..10
extern int32_t wave;              // currentSides - 2
extern uint8_t currentLane;       // 0..currentSides-1
extern uint16_t currentPlatform;  // platform under the player, 0..256
extern int16_t activePlatforms[activeSlots];  // moving platforms; -1 = empty slot
extern double runClock;                       // seconds of play, wave breaks excluded
extern uint64_t runScore;
extern uint64_t runDiamonds;
extern TunnelObject* heldItems[heldSlots];
extern uint8_t heldCount;  // 0..3
extern int32_t count1024, count512, count128;
extern int32_t count2x, count4x, count8x;
extern TunnelObject* last1024;
extern TunnelObject* last512;
extern TunnelObject* last128;
extern TunnelObject* last2x;
extern TunnelObject* last4x;
extern TunnelObject* last8x;
extern float platformLength;  // depth of one platform along the axis

// Sets every run variable to its reset value and releases the held and last-collected objects.
void resetRunState();
// Releases the current world with every object it still holds; world becomes null.
void releaseWorld();
// Releases an object taken out of the world unless a held slot or a last-collected pointer
// still refers to it.
void releaseIfUnreferenced(TunnelObject* object);
// One animation step of a sprite-sheet object by DeltaTime.
void advanceSpriteAnimation(TunnelObject& object);
