/* The floor under the game's start-up: opens the same 1280 x 720 window with the same hints and
 * GL context as the game, clears and swaps one frame, and exits. The start-up benchmark times it
 * exactly as it times the game, so the two figures of one run can be compared. */
#include <GLFW/glfw3.h>
#include <glad/gl.h>
#include <stdio.h>

enum { windowWidth = 1280, windowHeight = 720 };
/* Any colour but black: the benchmark's probe counts a frame as drawn when it is not blank. */
static const float clearGrey = 0.5f;

int main(void) {
  if (!glfwInit()) {
    printf("no window system\n");
    return 1;
  }
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 6);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  GLFWwindow* window = glfwCreateWindow(windowWidth, windowHeight, "NAVRO", NULL, NULL);
  if (window == NULL) {
    printf("no window\n");
    glfwTerminate();
    return 1;
  }
  glfwMakeContextCurrent(window);
  if (gladLoadGL((GLADloadfunc)glfwGetProcAddress) == 0) {
    printf("no GL entry points\n");
    glfwTerminate();
    return 1;
  }
  glViewport(0, 0, windowWidth, windowHeight);
  glClearColor(clearGrey, clearGrey, clearGrey, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glfwPollEvents();
  glfwSwapBuffers(window);
  glfwTerminate();
  return 0;
}
