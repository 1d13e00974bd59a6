# Run by CPack between the install into its staging folder and the packing:
# moves the launcher from usr/bin to usr/games, where Debian keeps games. The
# launcher finds the game relative to itself, so it needs no change.
file(GLOB_RECURSE staged_launchers "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/korvane-arcade")
list(LENGTH staged_launchers count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "no single launcher to move in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}: ${staged_launchers}")
endif()
get_filename_component(bin_dir "${staged_launchers}" DIRECTORY)
get_filename_component(prefix_dir "${bin_dir}" DIRECTORY)
file(MAKE_DIRECTORY "${prefix_dir}/games")
file(RENAME "${staged_launchers}" "${prefix_dir}/games/korvane-arcade")
file(GLOB left_in_bin "${bin_dir}/*")
if(NOT left_in_bin)
  file(REMOVE_RECURSE "${bin_dir}")
endif()
