#version 460 core
// A scene sprite: a soft solid dot (particles) or a texture / sprite-sheet cell tinted by color.
in vec2 quadCoord;
in vec2 sampleCoord;

uniform sampler2D quadTexture;  // unit 0
uniform vec3 color;
uniform int useColorOnly;

out vec4 fragColor;

void main() {
  if (useColorOnly != 0) {
    // Particles are drawn without blending: a round speck that fades out, corners discarded.
    float d = length(quadCoord - vec2(0.5)) * 2.0;
    float glow = 1.0 - smoothstep(0.2, 1.0, d);
    if (glow <= 0.05) discard;
    fragColor = vec4(color * glow, glow);
    return;
  }
  vec4 texel = texture(quadTexture, sampleCoord);
  // Texels are premultiplied: tinting the colour channels keeps them consistent with alpha.
  fragColor = vec4(texel.rgb * color, texel.a);
}
