# Turns one of the game's GLSL 4.6 shaders into the GLSL ES 3.00 WebGL 2 compiles: the version
# line is replaced and the precision ES asks for is given; the rest is the same text.
# cmake -DSOURCE=file -DTARGET=file -P es_shader.cmake
file(READ ${SOURCE} text)
string(REGEX MATCH "^#version 460 core\n" version "${text}")
if(NOT version)
  message(FATAL_ERROR "${SOURCE} does not start with the line #version 460 core")
endif()
string(REGEX REPLACE "^#version 460 core\n"
  "#version 300 es\nprecision highp float; precision highp int;\n" text "${text}")
file(WRITE ${TARGET} "${text}")
