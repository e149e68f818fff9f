# The libraries of the Windows build, from the folder tools/windows-libraries.sh fills: GLFW and
# FreeType built static from Debian's sources, and the header-only libraries alone in their own
# folder. Every program is linked static, so navro.exe needs only the DLLs Windows itself has.
if(NOT EXISTS ${NAVRO_WINDOWS_PREFIX}/include/navro-headers)
  message(FATAL_ERROR "The Windows libraries are missing: run tools/windows-libraries.sh")
endif()

find_package(glfw3 3.3 REQUIRED CONFIG)
find_package(Freetype REQUIRED)
find_package(OpenGL REQUIRED)

set(NAVRO_WINDOWS_HEADERS ${NAVRO_WINDOWS_PREFIX}/include/navro-headers)
add_library(glm::glm INTERFACE IMPORTED)
target_include_directories(glm::glm INTERFACE ${NAVRO_WINDOWS_HEADERS})
set(MINIAUDIO_INCLUDE_DIR ${NAVRO_WINDOWS_HEADERS})
# The Linux build links Debian's compiled stb; here the decoder is compiled once from its header.
add_library(navro_stb STATIC ${CMAKE_SOURCE_DIR}/render/stb_image_impl.c)
target_include_directories(navro_stb SYSTEM PUBLIC ${NAVRO_WINDOWS_HEADERS})
target_compile_options(navro_stb PRIVATE -w)

add_link_options(-static)

# The game itself: a window program (no console opens with it) carrying the icon and the version.
function(navro_windows_game target)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/navro.rc.in
    ${CMAKE_BINARY_DIR}/navro.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/navro.rc)
  set_property(SOURCE ${CMAKE_BINARY_DIR}/navro.rc APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_SOURCE_DIR}/packaging/windows/navro.ico)
endfunction()
enable_language(RC)
