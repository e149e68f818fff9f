#version 460 core
// The lit surface: its own colour, shaded by the texture where it has a hue, plus the ship's
// glow, which lights the texture's lines and fades with the distance from the ship. The black
// faces thus show only the lines the ship lights; the white edges stay white.
in vec3 surfaceLit;
in vec3 glowTint;
in vec3 worldPosition;
in vec2 surfaceCoord;
flat in float detailWeight;

uniform sampler2D platformTex;  // unit 0
uniform vec3 lightPos;

out vec4 fragColor;

const float detailFloor = 0.55;   // where the texture is black, a coloured surface keeps this share
const float glowReach2 = 36.0;    // squared distance at which the glow has fallen to half
const float surfaceGlow = 0.05;   // a face lit by the ship shows this much between its lines
const float lineGlow = 0.4;       // and this much more on a full-white texel

void main() {
  float texel = texture(platformTex, surfaceCoord).r;
  vec3 toLight = lightPos - worldPosition;
  float glow = glowReach2 / (glowReach2 + dot(toLight, toLight));
  float detail = 1.0 - detailWeight * (1.0 - detailFloor) * (1.0 - texel);
  vec3 lit = surfaceLit * detail + glowTint * (glow * (surfaceGlow + lineGlow * texel));
  fragColor = vec4(min(lit, vec3(1.0)), 1.0);
}
