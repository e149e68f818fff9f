/* The one translation unit that compiles the picture decoder where no system library has it. */
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
