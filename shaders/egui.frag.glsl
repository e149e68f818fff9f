#version 460 core
// A UI element: the whole texture or one cell of a sprite sheet, premultiplied alpha.
in vec2 quadCoord;

uniform sampler2D texture1;  // unit 0
uniform int useSpriteSheet;
uniform int frameIndex;
uniform int cols;
uniform int rows;

out vec4 fragColor;

void main() {
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
  fragColor = texture(texture1, uv);
}
