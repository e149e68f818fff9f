#version 460 core
// A unit quad placed in the scene: objects, the player sprite and the particle specks.
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;

uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;
uniform int useSpriteSheet;
uniform int frameIndex;
uniform int cols;
uniform int rows;
uniform sampler2D quadTexture;  // unit 0

out vec2 quadCoord;    // position on the quad, 0..1
out vec2 sampleCoord;  // where the texture is read

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

// The quad is square, but pictures that the HUD also shows have cells as wide as its 16:9 slots,
// with the object drawn in their square middle: only that middle is read here, so the object
// keeps its shape in the scene too. Square cells are read whole.
vec2 squareMiddle(vec2 uv, bool sheet) {
  vec2 cell = vec2(textureSize(quadTexture, 0)) / (sheet ? vec2(cols, rows) : vec2(1.0));
  float share = cell.x > cell.y ? cell.y / cell.x : 1.0;
  return vec2(0.5 + (uv.x - 0.5) * share, uv.y);
}

void main() {
  gl_Position = projection * view * model * vec4(position, 1.0);
  quadCoord = texCoord;
  bool sheet = useSpriteSheet != 0 && cols > 0 && rows > 0;
  vec2 uv = squareMiddle(texCoord, sheet);
  sampleCoord = sheet ? sheetCell(uv, frameIndex, cols, rows) : uv;
}
