// Opens the hidden window once; the GL tests and the benchmarks share its context.
#include "kit/gl_window.h"

#include <GLFW/glfw3.h>
#include <glad/gl.h>
#include <cstdio>
#include <cstdlib>

#include "app/data/camera.h"
#include "app/shell/window.h"
#include "render/gl_context.h"

namespace {
GLFWwindow* testWindow = nullptr;
bool attempted = false;
}  // namespace

bool ensureGlContext() {
  if (attempted) return testWindow != nullptr;
  attempted = true;
  // Mesa's software renderer offers 4.5 unless told otherwise; other drivers ignore this.
  setenv("MESA_GL_VERSION_OVERRIDE", "4.6", 0);
  setenv("MESA_GLSL_VERSION_OVERRIDE", "460", 0);
  if (!glfwInit()) {
    std::printf("GL tests: the window system could not be initialised\n");
    return false;
  }
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 6);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  testWindow =
      glfwCreateWindow(startWindowWidth, startWindowHeight, "NAVRO tests", nullptr, nullptr);
  if (testWindow == nullptr) {
    std::printf("GL tests: no 4.6 core window\n");
    return false;
  }
  glfwMakeContextCurrent(testWindow);
  glfwSwapInterval(0);  // frame timings must not wait for a refresh
  if (!loadGlEntryPoints(glfwGetProcAddress)) {
    std::printf("GL tests: loader failed\n");
    return false;
  }
  windowWidth = startWindowWidth;
  windowHeight = startWindowHeight;
  initGlState(windowWidth, windowHeight);
  return true;
}

void swapGlBuffers() {
  if (testWindow != nullptr) glfwSwapBuffers(testWindow);
}

std::vector<uint8_t> readPixels(int x, int y, int width, int height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

Rgba pixelAt(int x, int yFromTop) {
  const std::vector<uint8_t> p = readPixels(x, windowHeight - 1 - yFromTop, 1, 1);
  return {p[0], p[1], p[2], p[3]};
}
