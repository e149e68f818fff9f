#version 460 core
// Tunnel prisms and blades: the surface's own lit colour worked out per vertex, where the ship
// is seen from the surface for its glow, and the scrolled texture coordinate.
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

// Every fragment's colour is litBase + litDetail * t + glow * (glowBase + glowLine * t), with t
// the texel and glow the ship's light at that point. Apart from t and glow all of it is the
// same over a triangle, so it is worked out here, once per vertex, and handed on flat.
flat out vec3 litBase;    // the surface's own lit colour where the texel is black
flat out vec3 litDetail;  // and what a white texel adds to it
flat out vec3 glowBase;   // the ship's glow on the bare surface
flat out vec3 glowLine;   // and what it adds on a white texel
out vec3 toShip;
out vec2 surfaceCoord;

// A high ambient term keeps the wireframe white far down the tunnel, away from the light.
const float ambientStrength = 0.95;
const float diffuseStrength = 0.35;
const float specularStrength = 0.3;
const float shininess = 32.0;
// Where the texture is black, a coloured surface (a blade) keeps this share of its colour;
// black and white (the tunnel's faces and edges) ignore the texture for their own colour.
const float detailFloor = 0.55;
// The glow on a surface lit by the ship: this much between the lines, this much more on them.
const float surfaceGlow = 0.05;
const float lineGlow = 0.4;
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
  vec3 lit =
      color * (ambientStrength + diffuseStrength * diffuse + specularStrength * specular) *
      lightColor;
  // A coloured surface is shaded by its texture and glows in its own hue; black and white glow
  // in the light's colour.
  float hue = max(color.r, max(color.g, color.b)) - min(color.r, min(color.g, color.b));
  float detail = hue * (1.0 - detailFloor);
  litBase = lit * (1.0 - detail);
  litDetail = lit * detail;
  vec3 tint = mix(vec3(1.0), color, hue) * lightColor;
  glowBase = tint * surfaceGlow;
  glowLine = tint * lineGlow;
  toShip = lightPos - world.xyz;
  surfaceCoord = texCoord + scrollOffset - vec2(0.0, model[3].z / flowDivisor);
  gl_Position = projection * view * world;
}
