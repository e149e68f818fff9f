// The player sprite and the drifting particles: placed by the scene set-up, moved by the frame
// update, measured against by the contact and pickup tests, drawn by the renderer.
#pragma once

#include <glm/glm.hpp>

#include "app/data/run_state.h"

constexpr int particleCount = 200;

extern glm::mat4 particleModels[particleCount];  // the white specks around the tunnel
extern TunnelObject player;  // the player sprite; its model translation is playerPosition

// The player never moves: blades, doors and pickups are measured from here.
inline const glm::vec3 playerPosition{0.0f, 0.1f, 65.0f};
