#version 460 core
// A UI element: premultiplied texels straight from the texture.
in vec2 sampleCoord;

uniform sampler2D texture1;  // unit 0

out vec4 fragColor;

void main() {
  fragColor = texture(texture1, sampleCoord);
}
