#version 460 core
// Tunnel prisms and blades: the surface's own lit colour worked out per vertex, the world
// position for the ship's glow, and the scrolled texture coordinate.
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;

uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;
uniform vec2 scrollOffset;
uniform int flippedNormal;
uniform vec3 color;
uniform vec3 lightColor;
uniform vec3 lightPos;
uniform vec3 viewPos;

out vec3 surfaceLit;      // the colour lit by ambient, diffuse and specular light
out vec3 glowTint;        // what the ship's glow and the texture's lines shine in
out vec3 worldPosition;
out vec2 surfaceCoord;
flat out float detailWeight;  // how much the texture shades the colour itself

// A high ambient term keeps the wireframe white far down the tunnel, away from the light.
const float ambientStrength = 0.95;
const float diffuseStrength = 0.35;
const float specularStrength = 0.3;
const float shininess = 32.0;
// Surfaces further along the axis show their texture moved on by the distance over this, the
// same rate as the tunnel's scroll: a blade's lines flow up it as it comes.
const float flowDivisor = 100.0;

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
  surfaceLit =
      color * (ambientStrength + diffuseStrength * diffuse + specularStrength * specular) *
      lightColor;
  // A coloured surface (a blade) is shaded by its texture and glows in its own hue; black and
  // white (the tunnel's faces and edges) glow in the light's colour and keep their own flat.
  float hue = max(color.r, max(color.g, color.b)) - min(color.r, min(color.g, color.b));
  detailWeight = hue;
  glowTint = mix(vec3(1.0), color, hue) * lightColor;
  worldPosition = world.xyz;
  surfaceCoord = texCoord + scrollOffset - vec2(0.0, model[3].z / flowDivisor);
  gl_Position = projection * view * world;
}
