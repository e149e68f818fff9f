#version 460 core
// Glyph coverage in the red channel; text is drawn without blending, so empty texels are dropped.
in vec2 glyphCoord;

uniform sampler2D glyph;  // unit 0
uniform vec3 textColor;

out vec4 fragColor;

void main() {
  float coverage = texture(glyph, glyphCoord).r;
  if (coverage <= 0.0) discard;
  // Some screens give their colours as 0..255 byte values; scale those into 0..1.
  vec3 c = textColor;
  if (max(c.r, max(c.g, c.b)) > 1.0) c /= 255.0;
  // Anti-aliased edges fade toward black, the colour of almost everything behind text.
  fragColor = vec4(c * coverage, 1.0);
}
