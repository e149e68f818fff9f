# Run by CPack on the staged package: strips the game the way Debian's own packages are
# stripped, symbols and the compiler's .comment and .note sections, which nothing reads.
find_program(NAVRO_STRIP strip REQUIRED)
file(GLOB_RECURSE games "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/lib/games/navro/navro")
if(NOT games)
  message(FATAL_ERROR "no game to strip under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(game ${games})
  execute_process(COMMAND ${NAVRO_STRIP} --remove-section=.comment --remove-section=.note ${game}
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
