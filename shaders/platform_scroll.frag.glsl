#version 460 core
// The lit surface colour, with its texture as detail on coloured surfaces (the blades); the white
// wireframe and the black body ignore the texture.
in vec3 light;
in vec2 surfaceCoord;

uniform sampler2D platformTex;  // unit 0
uniform vec3 color;

out vec4 fragColor;

const float detailFloor = 0.25;  // texture black darkens a coloured surface to this share

void main() {
  // Whatever texture unit 0 holds when the tunnel is drawn must not dim its white edges, so the
  // texture only shades surfaces with a hue: weight = the colour's saturation (0 for grey).
  float hue = max(color.r, max(color.g, color.b)) - min(color.r, min(color.g, color.b));
  float texel = dot(texture(platformTex, surfaceCoord).rgb, vec3(1.0 / 3.0));
  float detail = mix(1.0, detailFloor + texel, hue);
  fragColor = vec4(min(color * light * detail, vec3(1.0)), 1.0);
}
