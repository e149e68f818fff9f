// Drawing the tunnel prism (dark faces lit by the ship, white edges) and its red blades.
#include "render/platform_draw.h"

#include <glad/gl.h>

#include "app/data/camera.h"
#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "app/data/texture_names.h"
#include "app/data/tunnel_polygon.h"
#include "render/edge_lines.h"
#include "render/gl_context.h"
#include "render/shader_program.h"
#include "render/tunnel_mesh.h"
#include "sim/scene_objects.h"

float tunnelScroll = 0.0f;

namespace {

constexpr float scrollDivisor = 100.0f;  // the texture moves speed / 100 repeats per second
constexpr glm::vec3 white{1.0f, 1.0f, 1.0f};
constexpr glm::vec3 black{0.0f, 0.0f, 0.0f};
constexpr glm::vec3 bladeRed{1.0f, 0.0f, 0.0f};
constexpr int bladeVertices = 6;

bool drawableSides(int n) { return n >= minSides && n <= maxSides; }

}  // namespace

void drawTunnel(glm::mat4 tunnelModel) {
  if (!glReady || platformShader == nullptr) return;
  const uint32_t id = platformShader->id;
  glUseProgram(id);
  setUniformMat4(id, "model", tunnelModel);
  setUniformMat4(id, "view", view);
  setUniformMat4(id, "projection", projection);
  tunnelScroll += speed * DeltaTime / scrollDivisor;
  if (tunnelScroll > 1.0f) tunnelScroll -= 1.0f;
  setUniformVec2(id, "scrollOffset", glm::vec2(0.0f, -tunnelScroll));
  setUniformVec3(id, "lightColor", white);
  setUniformVec3(id, "lightPos", playerPosition);
  setUniformVec3(id, "viewPos", cameraPos);
  setUniformInt(id, "flippedNormal", 0);
  // An out-of-range side count has no mesh; drawing stops before touching a table out of bounds.
  if (!drawableSides(currentSides)) return;
  setUniformVec3(id, "color", black);
  glBindVertexArray(tunnelSolid(currentSides).vao);
  glDrawElements(GL_TRIANGLES, solidIndexCount(currentSides), GL_UNSIGNED_INT, nullptr);
  setUniformVec3(id, "color", white);
  drawTunnelEdges(currentSides, tunnelModel);
}

void drawBarrier(glm::mat4 model, uint8_t lane) {
  if (!glReady || platformShader == nullptr) return;
  const uint32_t id = platformShader->id;
  glUseProgram(id);
  setUniformMat4(id, "model", model);
  setUniformMat4(id, "view", view);
  setUniformMat4(id, "projection", projection);
  setUniformVec2(id, "scrollOffset", glm::vec2(0.0f, 0.0f));
  setUniformVec3(id, "viewPos", cameraPos);
  setUniformVec3(id, "lightColor", white);
  setUniformVec3(id, "lightPos", playerPosition);
  setUniformInt(id, "flippedNormal", 0);
  setUniformVec3(id, "color", bladeRed);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, linesTexture);
  setUniformInt(id, "platformTex", 0);
  // Faces at or beyond the side count have no mesh (name 0): nothing is drawn for them.
  const uint32_t vao =
      drawableSides(currentSides) && lane < barrierSlots ? barrierMesh(currentSides, lane).vao : 0;
  glBindVertexArray(vao);
  if (vao != 0) glDrawArrays(GL_TRIANGLE_STRIP, 0, bladeVertices);
}
