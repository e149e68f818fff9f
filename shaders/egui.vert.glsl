#version 460 core
// A UI quad in window pixels, origin at the top-left corner.
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texCoord;

uniform mat4 projection;

out vec2 quadCoord;

void main() {
  gl_Position = projection * vec4(position, 0.0, 1.0);
  quadCoord = texCoord;
}
