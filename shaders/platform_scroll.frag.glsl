#version 460 core
// The lit surface: its own colour, shaded by the texture where it has a hue, plus the ship's
// glow, which lights the texture's lines and fades with the distance from the ship. The black
// faces thus show only the lines the ship lights; the white edges stay white.
flat in vec3 litBase;
flat in vec3 litDetail;
flat in vec3 glowBase;
flat in vec3 glowLine;
in vec3 toShip;
in vec2 surfaceCoord;

uniform sampler2D platformTex;  // unit 0

out vec4 fragColor;

const float glowReach2 = 36.0;  // squared distance from the ship at which the glow is halved

void main() {
  // One unfiltered read of the top level: the faces cover much of the window, and sparing the
  // choice between the near and the far filter is most of what a read costs here.
  float texel = textureLod(platformTex, surfaceCoord, 0.0).r;
  float glow = glowReach2 / (glowReach2 + dot(toShip, toShip));
  vec3 lit = litBase + litDetail * texel + glow * (glowBase + glowLine * texel);
  fragColor = vec4(min(lit, vec3(1.0)), 1.0);
}
