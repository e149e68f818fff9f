#version 460 core
// Kept for completeness: nothing is drawn with this program, it only has to build.
out vec4 fragColor;

void main() {
  fragColor = vec4(1.0);
}
