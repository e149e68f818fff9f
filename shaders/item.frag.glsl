#version 460 core
// A scene sprite: a soft solid dot (particles) or a texture / sprite-sheet cell tinted by color.
in vec2 quadCoord;

uniform sampler2D quadTexture;  // unit 0
uniform vec3 color;
uniform int useColorOnly;
uniform int useSpriteSheet;
uniform int frameIndex;
uniform int cols;
uniform int rows;

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
  vec2 uv = quadCoord;
  if (useSpriteSheet != 0 && cols > 0 && rows > 0) {
    // Frame f sits in column f % cols and row f / cols counted from the top of the image;
    // sheets are stored so that texture t = 1 is the image's top, and v = 1 is the quad's top.
    int f = max(frameIndex, 0);
    int col = f % cols;
    int row = (f / cols) % rows;
    uv = vec2((float(col) + quadCoord.x) / float(cols),
              (float(rows - 1 - row) + quadCoord.y) / float(rows));
  }
  vec4 texel = texture(quadTexture, uv);
  // Texels are premultiplied: tinting the colour channels keeps them consistent with alpha.
  fragColor = vec4(texel.rgb * color, texel.a);
}
