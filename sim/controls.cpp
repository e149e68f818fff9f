// The player's keys during a run: turning the tunnel a face at a time, boost, doors, held items.
#include "sim/controls.h"

#include "app/data/run_state.h"
#include "app/data/tunnel_polygon.h"
#include "sim/collisions.h"
#include "sim/key_codes.h"
#include "sim/pickups.h"

namespace {

constexpr int keyItem1 = key1;
constexpr int keyItem3 = key3;

// The lane is logical and changes at once; the tunnel eases toward the new target afterwards.
void changeLane(int by) {
  const int n = currentSides;
  currentLane = static_cast<uint8_t>((currentLane + n + by) % n);
  targetAngle = laneAngle(currentLane, n);
}

}  // namespace

bool onPlayKey(int key, int action) {
  if (action == keyRelease) {
    if (key != keyUp) return false;
    boostActive = false;
    return true;
  }
  if (action != keyPress) return false;  // key repeats do nothing
  switch (key) {
    case keyLeft:
      changeLane(1);
      return true;
    case keyRight:
      changeLane(-1);
      return true;
    case keyUp:
      boostActive = true;
      return true;
    case keyA:
      openDoorAhead();
      return true;
    default:
      break;
  }
  if (key >= keyItem1 && key <= keyItem3) {
    useHeldItem(key - keyItem1);
    return true;
  }
  return false;
}
