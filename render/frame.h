// One frame: the scene of the play-like screens (particles, tunnel, player), then the UI.
#pragma once

#include <glm/glm.hpp>

#include "sim/scene_objects.h"

// The UI's two steps of every frame, which the frame composition runs in their place: the
// animation of the pools before anything is drawn, and the UI pass after the scene. The shell
// fills them at start-up; empty, a frame draws no UI.
struct FrameHooks {
  void (*animateUi)();  // every animating element of the pool, one step
  void (*uiPass)();     // the pools' elements, then their texts
};
extern FrameHooks frameHooks;

void setupScene();
void renderFrame();
void drawParticle(glm::mat4 model);
// Every particle of the field, each drawn as drawParticle draws it, with what they share set once.
void drawParticleField();
