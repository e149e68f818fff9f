#version 460 core
// One glyph quad in window pixels; (u, v) with v = 1 at the glyph's upper edge.
layout(location = 0) in vec4 vertex;

uniform mat4 projection;

out vec2 glyphCoord;

void main() {
  gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
  // Row 0 of a glyph bitmap is its top row, so the upper edge (v = 1) samples t = 0.
  glyphCoord = vec2(vertex.z, 1.0 - vertex.w);
}
