#version 460 core
// A UI quad in window pixels, origin at the top-left corner; the whole texture or one sheet cell.
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texCoord;

uniform mat4 projection;
uniform int useSpriteSheet;
uniform int frameIndex;
uniform int cols;
uniform int rows;

out vec2 sampleCoord;

// Texture coordinate of (u, v) inside frame f of a cols x rows sheet. Frame f sits in column
// f % cols and row f / cols counted from the top of the picture; sheets are stored so that
// t = 1 is the picture's top, and v = 1 is the quad's top edge. Worked out per vertex: the
// mapping is affine in (u, v), so interpolation gives every fragment its exact coordinate.
vec2 sheetCell(vec2 uv, int f, int cols, int rows) {
  f = max(f, 0);
  int col = f % cols;
  int row = (f / cols) % rows;
  return vec2((float(col) + uv.x) / float(cols), (float(rows - 1 - row) + uv.y) / float(rows));
}

void main() {
  gl_Position = projection * vec4(position, 0.0, 1.0);
  bool sheet = useSpriteSheet != 0 && cols > 0 && rows > 0;
  sampleCoord = sheet ? sheetCell(texCoord, frameIndex, cols, rows) : texCoord;
}
