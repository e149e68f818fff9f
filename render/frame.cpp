// Composing one frame by screen: the particle field, the tunnel, blades, objects, the player, the
// UI.
#include "render/frame.h"

#include <glad/gl.h>
#include <glm/gtc/matrix_transform.hpp>

#include "app/data/camera.h"
#include "app/data/game_screen.h"
#include "app/data/texture_names.h"
#include "app/data/tunnel_polygon.h"
#include "render/edge_lines.h"
#include "render/gl_context.h"
#include "render/platform_draw.h"
#include "render/shader_program.h"
#include "render/sprite_draw.h"
#include "render/warm_up.h"
#include "sim/frame_update.h"
#include "sim/random.h"
#include "sim/run_events.h"

FrameHooks frameHooks = {};

namespace {

constexpr float playerScale = 0.33f;
constexpr float particleScale = 0.25f;
constexpr int32_t particleSpread = 100;  // particles lie within +-100 of the axis in x and y
constexpr int32_t particleNearestZ = 0;  // and between z = -100 and 0
constexpr int32_t particleFarthestZ = -100;
constexpr glm::vec3 cameraStart{0.0f, 1.0f, 70.0f};
constexpr glm::vec3 untinted{1.0f, 1.0f, 1.0f};
constexpr int quadIndexCount = 6;

enum class FrameContent { sceneAndUi, uiOnly, nothing };

FrameContent contentOf(int32_t screen) {
  switch (screen) {
    case screenPlay:
    case screenUnusedScene:
    case screenRunOver:
    case screenItemBox:
      return FrameContent::sceneAndUi;
    case screenMainMenu:
    case screenOptions:
    case screenControls:
    case screenUnusedMenu:
    case screenSeedEntry:
      return FrameContent::uiOnly;
    default:
      return FrameContent::nothing;
  }
}

void drawObject(TunnelObject& o, bool animate) {
  if (animate) advanceSpriteAnimation(o);
  drawItem(o.model, o.textureId, untinted, o.useSpriteSheet, o.frameIndex);
}

// The tunnel draw binds no texture: its faces read whatever unit 0 holds, which by then is what
// the previous frame's last text draw left, texture 0, empty and sampling black. The faces are
// meant to carry the lines picture, the surface that the blades of the same program bind and the
// one picture made to tile along the prism. Unit 0 gets it here: the particles before read no
// texture, and every draw after binds its own.
void bindTunnelSurface() {
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, linesTexture);
}

void drawScene() {
  drawParticleField();
  bindTunnelSurface();
  drawTunnel(tunnelModel);
  if (world != nullptr) {
    for (int slot = 0; slot < activeSlots; ++slot) {
      const int p = activePlatforms[slot];
      if (p < 0 || p >= platformTotal) continue;
      for (Barrier* b : world->barriers[p])
        if (b != nullptr) drawBarrier(b->model, b->lane);
    }
    // Back to front: the farthest platforms are drawn first, so nearer sprites cover them.
    for (int slot = activeSlots - 1; slot >= 0; --slot) {
      const int p = activePlatforms[slot];
      if (p < 0 || p >= platformTotal) continue;
      if (world->doors[p] != nullptr) drawObject(*world->doors[p], false);
      if (world->items[p] != nullptr) drawObject(*world->items[p], true);
      if (world->diamonds[p] != nullptr) drawObject(*world->diamonds[p], true);
    }
  }
  drawObject(player, true);
}

}  // namespace

void setupScene() {
  player.useSpriteSheet = true;
  player.cols = sheetColumns;
  player.rows = sheetRows;
  player.frameCount = spriteFrames;
  player.model =
      glm::scale(glm::translate(glm::mat4(1.0f), playerPosition), glm::vec3(playerScale));
  targetAngle = laneAngle(currentLane, currentSides);

  for (glm::mat4& model : particleModels) {
    const int32_t sx = uniformInt(rng, 0, 1);
    const int32_t sy = uniformInt(rng, 0, 1);
    const int32_t mx = uniformInt(rng, 1, particleSpread);
    const int32_t my = uniformInt(rng, 1, particleSpread);
    const int32_t z = uniformInt(rng, particleFarthestZ, particleNearestZ);
    const glm::vec3 at(static_cast<float>(sx == 1 ? -mx : mx),
                       static_cast<float>(sy == 1 ? -my : my), static_cast<float>(z));
    model = glm::scale(glm::translate(glm::mat4(1.0f), at), glm::vec3(particleScale));
  }

  cameraPos = cameraStart;
  cameraFront = glm::normalize(glm::vec3(tunnelModel[3]) - cameraPos);
}

namespace {

// Everything a speck's draw needs but its model; leaves depth writes off and returns the program.
uint32_t useParticleState() {
  glDepthMask(GL_FALSE);
  const uint32_t id = itemShader->id;
  glUseProgram(id);
  setUniformMat4(id, "view", view);
  setUniformMat4(id, "projection", projection);
  setUniformVec3(id, "color", untinted);
  setUniformInt(id, "useColorOnly", 1);
  glBindVertexArray(quadVao);
  return id;
}

}  // namespace

void drawParticle(glm::mat4 model) {
  if (!glReady || itemShader == nullptr) return;
  const uint32_t id = useParticleState();
  setUniformMat4(id, "model", model);
  glDrawElements(GL_TRIANGLES, quadIndexCount, GL_UNSIGNED_INT, nullptr);
  glDepthMask(GL_TRUE);
}

void drawParticleField() {
  if (!glReady || itemShader == nullptr) return;
  // The state is the same for every speck but the model: set once, the 200 draws change
  // nothing else, and the driver has one state to check instead of 200.
  const uint32_t id = useParticleState();
  for (const glm::mat4& model : particleModels) {
    setUniformMat4(id, "model", model);
    glDrawElements(GL_TRIANGLES, quadIndexCount, GL_UNSIGNED_INT, nullptr);
  }
  glDepthMask(GL_TRUE);
}

void renderFrame() {
  if (!glReady) return;
  // A menu frame has time to spare: before its clear, the driver prepares one draw of what a run
  // will draw. The first frame is left as it always was, so start-up does not wait for this.
  static bool firstFrameDrawn = false;
  if (firstFrameDrawn && contentOf(currentScreen) == FrameContent::uiOnly) warmUpNextDraw();
  firstFrameDrawn = true;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLineWidth(edgeLineWidth);
  emit(frameHooks.animateUi);

  const FrameContent content = contentOf(currentScreen);
  if (content == FrameContent::nothing) return;
  if (content == FrameContent::sceneAndUi) drawScene();
  emit(frameHooks.uiPass);
}
