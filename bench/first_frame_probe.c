/* Preloaded into the real game by the start-up benchmark: notes when the first drawn frame has been
 * swapped to the screen, then closes the window as a player would, so the game exits normally. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef struct GLFWwindow GLFWwindow;
typedef void (*SwapFn)(GLFWwindow*);
typedef void (*SetCloseFn)(GLFWwindow*, int);
typedef void (*GetSizeFn)(GLFWwindow*, int*, int*);
typedef void* (*GetProcFn)(const char*);
typedef void (*ReadPixelsFn)(int, int, int, int, unsigned, unsigned, void*);
typedef void (*FinishFn)(void);

enum {
  glRgba = 0x1908,
  glUnsignedByte = 0x1401,
  glfwTrue = 1,
  sampleStep = 4,          /* every 4th pixel of every 4th row is enough to see a menu */
  giveUpAfterFrames = 600, /* a game that never draws anything is reported, not waited on */
};

static int framesSeen = 0;
static int reported = 0;

static int64_t nowNanoseconds(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (int64_t)t.tv_sec * 1000000000 + t.tv_nsec;
}

/* True when the back buffer holds anything but the black clear colour. */
static int frameHasContent(GLFWwindow* w) {
  GetSizeFn getSize = (GetSizeFn)dlsym(RTLD_NEXT, "glfwGetFramebufferSize");
  GetProcFn getProc = (GetProcFn)dlsym(RTLD_NEXT, "glfwGetProcAddress");
  if (getSize == NULL || getProc == NULL) return 0;
  ReadPixelsFn readPixels = (ReadPixelsFn)getProc("glReadPixels");
  if (readPixels == NULL) return 0;
  int width = 0, height = 0;
  getSize(w, &width, &height);
  if (width <= 0 || height <= 0) return 0;
  uint8_t* pixels = malloc((size_t)width * (size_t)height * 4);
  if (pixels == NULL) return 0;
  readPixels(0, 0, width, height, glRgba, glUnsignedByte, pixels);
  int lit = 0;
  for (int y = 0; y < height && !lit; y += sampleStep)
    for (int x = 0; x < width && !lit; x += sampleStep) {
      const uint8_t* p = pixels + ((size_t)y * (size_t)width + (size_t)x) * 4;
      lit = p[0] | p[1] | p[2];
    }
  free(pixels);
  return lit;
}

static void report(GLFWwindow* w, int64_t swappedAt, int64_t checkNanoseconds, int found) {
  const char* path = getenv("NAVRO_PROBE_OUT");
  FILE* out = path != NULL ? fopen(path, "w") : NULL;
  if (out != NULL) {
    fprintf(out, "%s %lld %d %lld\n", found ? "frame" : "blank", (long long)swappedAt, framesSeen,
            (long long)checkNanoseconds);
    fclose(out);
  }
  reported = 1;
  SetCloseFn setClose = (SetCloseFn)dlsym(RTLD_NEXT, "glfwSetWindowShouldClose");
  if (setClose != NULL) setClose(w, glfwTrue);
}

void glfwSwapBuffers(GLFWwindow* w) {
  SwapFn swap = (SwapFn)dlsym(RTLD_NEXT, "glfwSwapBuffers");
  if (swap == NULL) abort();
  if (reported) {
    swap(w);
    return;
  }
  framesSeen += 1;
  /* The look at the frame is not part of start-up: its time is handed back to be taken off. */
  const int64_t checkStart = nowNanoseconds();
  const int found = frameHasContent(w);
  const int64_t checkNanoseconds = nowNanoseconds() - checkStart;
  swap(w);
  if (found || framesSeen >= giveUpAfterFrames) {
    GetProcFn getProc = (GetProcFn)dlsym(RTLD_NEXT, "glfwGetProcAddress");
    FinishFn finish = getProc != NULL ? (FinishFn)getProc("glFinish") : NULL;
    if (finish != NULL) finish();
    report(w, nowNanoseconds(), checkNanoseconds, found);
  }
}

/* The process's own largest resident size, read when it exits. A spawned child's rusage would
 * also count its parent's size at the moment of the spawn, which a benchmark process holding a
 * window and the game's art makes far larger than a bare program. */
__attribute__((destructor)) static void reportPeakMemory(void) {
  const char* path = getenv("NAVRO_PROBE_OUT");
  FILE* status = fopen("/proc/self/status", "r");
  if (path == NULL || status == NULL) {
    if (status != NULL) fclose(status);
    return;
  }
  char line[256];
  long peakKiB = -1;
  while (fgets(line, sizeof line, status) != NULL)
    if (sscanf(line, "VmHWM: %ld", &peakKiB) == 1) break;
  fclose(status);
  FILE* out = fopen(path, "a");
  if (out == NULL) return;
  fprintf(out, "peak %ld\n", peakKiB);
  fclose(out);
}
