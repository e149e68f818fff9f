#version 460 core
// Kept for completeness: nothing is drawn with this program, it only has to build.
void main() {
  gl_Position = vec4(0.0, 0.0, 0.0, 1.0);
}
