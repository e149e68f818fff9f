#version 460 core
// Tunnel prisms and blades: world position, normal and the scrolled texture coordinate.
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;

uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;
uniform vec2 scrollOffset;
uniform int flippedNormal;

out vec3 worldPos;
out vec3 worldNormal;
out vec2 surfaceCoord;

void main() {
  vec4 world = model * vec4(position, 1.0);
  worldPos = world.xyz;
  // The tunnel is stretched hundreds of times along z: the inverse transpose keeps its normals
  // pointing away from the axis instead of along it.
  vec3 n = mat3(transpose(inverse(model))) * normal;
  worldNormal = flippedNormal != 0 ? -n : n;
  surfaceCoord = texCoord + scrollOffset;
  gl_Position = projection * view * world;
}
