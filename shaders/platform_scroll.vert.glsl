#version 460 core
// Tunnel prisms and blades: ambient, diffuse and a little specular light worked out per vertex,
// and the scrolled texture coordinate.
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;

uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;
uniform vec2 scrollOffset;
uniform int flippedNormal;
uniform vec3 lightColor;
uniform vec3 lightPos;
uniform vec3 viewPos;

out vec3 light;
out vec2 surfaceCoord;

// A high ambient term keeps the wireframe white far down the tunnel, away from the light.
const float ambientStrength = 0.95;
const float diffuseStrength = 0.35;
const float specularStrength = 0.3;
const float shininess = 32.0;

void main() {
  vec4 world = model * vec4(position, 1.0);
  // The tunnel is stretched hundreds of times along z: the inverse transpose keeps its normals
  // pointing away from the axis instead of along it.
  vec3 n = mat3(transpose(inverse(model))) * normal;
  if (flippedNormal != 0) n = -n;
  float len = length(n);
  n = len > 0.0 ? n / len : vec3(0.0, 1.0, 0.0);
  vec3 toLight = normalize(lightPos - world.xyz);
  vec3 toEye = normalize(viewPos - world.xyz);
  float diffuse = max(dot(n, toLight), 0.0);
  float specular = pow(max(dot(toEye, reflect(-toLight, n)), 0.0), shininess);
  light = (ambientStrength + diffuseStrength * diffuse + specularStrength * specular) * lightColor;
  surfaceCoord = texCoord + scrollOffset;
  gl_Position = projection * view * world;
}
