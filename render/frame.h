// One frame: the scene of the play-like screens (particles, tunnel, player), then the UI.
#pragma once

#include <glm/glm.hpp>

#include "app/run_state.h"

constexpr int particleCount = 200;

extern glm::mat4 particleModels[particleCount];
extern TunnelObject player;  // the player sprite; its model translation is playerPosition

// The player never moves: blades, doors and pickups are measured from here.
inline const glm::vec3 playerPosition{0.0f, 0.1f, 65.0f};

void setupScene();
void renderFrame();
void drawParticle(glm::mat4 model);
