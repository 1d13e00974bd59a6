# Run by CPack between the install into its staging folder and the packing:
# moves the launcher and the replay verifier from usr/bin to usr/games, where
# Debian keeps games. The launcher finds the game relative to itself and the
# verifier needs nothing beside it, so neither needs a change.
foreach(program korvane-arcade korvane-verify)
  file(GLOB_RECURSE staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/${program}")
  list(LENGTH staged count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "no single ${program} to move in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}: ${staged}")
  endif()
  get_filename_component(bin_dir "${staged}" DIRECTORY)
  get_filename_component(prefix_dir "${bin_dir}" DIRECTORY)
  file(MAKE_DIRECTORY "${prefix_dir}/games")
  file(RENAME "${staged}" "${prefix_dir}/games/${program}")
endforeach()
file(GLOB left_in_bin "${bin_dir}/*")
if(NOT left_in_bin)
  file(REMOVE_RECURSE "${bin_dir}")
endif()
