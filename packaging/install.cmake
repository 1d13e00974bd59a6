# The installed game and its Debian package. Included by the top CMakeLists.txt.
#
# Layout under the prefix (/usr for the package):
#   bin/korvane-arcade                  the launcher (games/ in the package)
#   bin/korvane-verify                  the replay verifier (games/ in the package)
#   lib/games/korvane-arcade/           the engine `korvane` and the remote library
#   share/games/korvane-arcade/         tex/, sfx/, mus/
#   share/applications, share/icons/hicolor, share/metainfo, share/man/man6
#   share/doc/korvane-arcade/           copyright, changelog.gz
# The launcher finds the game relative to its own folder, so both launcher
# folders work and an unpacked package plays where it lies.

# Installing never builds: the package is made from this tree as it stands
# (scripts/package builds what it holds first), so packing it inside the test
# suite does not rebuild the tree under the running tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(KORVANE_APP_ID example.korvane.arcade)  # AppStream's id: the game's web home, reversed

# The version and its date come from the newest entry of the changelog, so a
# release is made by one edit there.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PACKAGING_DIR}/changelog)
file(STRINGS ${PACKAGING_DIR}/changelog CHANGELOG_LINES)
foreach(line ${CHANGELOG_LINES})
  if(NOT KORVANE_VERSION AND line MATCHES "^korvane-arcade \\(([^)]+)\\)")
    set(KORVANE_VERSION ${CMAKE_MATCH_1})
  elseif(NOT KORVANE_RELEASE_DATE AND line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
    set(MONTHS Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND MONTHS ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1")
    string(LENGTH "${CMAKE_MATCH_1}" day_digits)
    set(day ${CMAKE_MATCH_1})
    if(day_digits EQUAL 1)
      set(day 0${day})
    endif()
    if(month LESS 10)
      set(month 0${month})
    endif()
    set(KORVANE_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${day})
  endif()
endforeach()
if(NOT KORVANE_VERSION OR NOT KORVANE_RELEASE_DATE)
  message(FATAL_ERROR "packaging/changelog: no version or date in its newest entry")
endif()

# Text files that carry the version, and the compressed copies Debian wants of
# the manual page and the changelog (gzip -n: no name or time in the header,
# so the same input gives the same bytes).
configure_file(${PACKAGING_DIR}/korvane-arcade.6.in ${PACKAGING_OUT}/korvane-arcade.6 @ONLY)
configure_file(${PACKAGING_DIR}/korvane-verify.6.in ${PACKAGING_OUT}/korvane-verify.6 @ONLY)
configure_file(${PACKAGING_DIR}/korvane-arcade.metainfo.xml.in ${PACKAGING_OUT}/${KORVANE_APP_ID}.metainfo.xml @ONLY)
add_custom_command(
  OUTPUT ${PACKAGING_OUT}/korvane-arcade.6.gz ${PACKAGING_OUT}/korvane-verify.6.gz ${PACKAGING_OUT}/changelog.gz
  COMMAND gzip -9n -c ${PACKAGING_OUT}/korvane-arcade.6 > ${PACKAGING_OUT}/korvane-arcade.6.gz
  COMMAND gzip -9n -c ${PACKAGING_OUT}/korvane-verify.6 > ${PACKAGING_OUT}/korvane-verify.6.gz
  COMMAND gzip -9n -c ${PACKAGING_DIR}/changelog > ${PACKAGING_OUT}/changelog.gz
  DEPENDS ${PACKAGING_OUT}/korvane-arcade.6 ${PACKAGING_OUT}/korvane-verify.6 ${PACKAGING_DIR}/changelog
  COMMENT "Compressing the manual pages and the changelog")
add_custom_target(packaging_docs ALL DEPENDS ${PACKAGING_OUT}/korvane-arcade.6.gz ${PACKAGING_OUT}/korvane-verify.6.gz
                                             ${PACKAGING_OUT}/changelog.gz)

# The hardening Debian builds its packages with: checked string and memory
# calls (they need the optimiser), and the relocations made read-only before
# main runs. The sanitizer trees go without: they check more, in their own way.
if(NOT KORVANE_SANITIZE)
  set(FORTIFY $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  target_compile_definitions(korvane_engine PRIVATE ${FORTIFY})
  target_compile_definitions(korvane PRIVATE ${FORTIFY})
  target_link_options(korvane PRIVATE LINKER:-z,relro,-z,now)
  target_compile_definitions(korvane_replay PRIVATE ${FORTIFY})
  target_compile_definitions(korvane-verify PRIVATE ${FORTIFY})
  target_link_options(korvane-verify PRIVATE LINKER:-z,relro,-z,now)
  if(TARGET wiiuse_bridge)
    target_compile_definitions(wiiuse_bridge PRIVATE ${FORTIFY})
    target_link_options(wiiuse_bridge PRIVATE LINKER:-z,relro,-z,now)
  endif()
endif()

install(TARGETS korvane RUNTIME DESTINATION lib/games/korvane-arcade)
if(TARGET wiiuse_bridge)
  install(TARGETS wiiuse_bridge LIBRARY DESTINATION lib/games/korvane-arcade)
endif()
install(DIRECTORY ${GAME_DIR}/tex ${GAME_DIR}/sfx ${GAME_DIR}/mus DESTINATION share/games/korvane-arcade)
install(PROGRAMS ${PACKAGING_DIR}/korvane-arcade DESTINATION bin)
install(TARGETS korvane-verify RUNTIME DESTINATION bin)
install(FILES ${PACKAGING_DIR}/korvane-arcade.desktop DESTINATION share/applications)
foreach(size ${ICON_SIZES})
  install(FILES ${ICON_DIR}/hicolor/${size}x${size}/apps/korvane-arcade.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PACKAGING_OUT}/${KORVANE_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PACKAGING_OUT}/korvane-arcade.6.gz ${PACKAGING_OUT}/korvane-verify.6.gz DESTINATION share/man/man6)
install(FILES ${PACKAGING_DIR}/copyright ${PACKAGING_OUT}/changelog.gz DESTINATION share/doc/korvane-arcade)

# The Debian package: `cpack` on this build tree (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane-arcade)
set(CPACK_PACKAGE_VERSION ${KORVANE_VERSION})
set(CPACK_PACKAGE_VENDOR "Korvane Studio")
set(CPACK_PACKAGE_CONTACT "Korvane Studio <studio@korvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade space shooter with three fighters and two sections")
file(READ ${PACKAGING_DIR}/description CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://korvane.example/)
# Libraries come from dpkg-shlibdeps, run by library_dependencies.cmake below:
# the engine's are dependencies, the remote library's only recommendations.
# The songs play with their own soundfont, cut from this one: it stays a
# dependency as that file's source and licence, and as the soundfont an engine
# run outside its game folder falls back to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont")
# Binaries ship stripped; the build tree keeps the symbols.
set(CPACK_STRIP_FILES ON)
# Debian keeps games' launchers in /usr/games: moved there from usr/bin after
# the install into the package's staging folder.
set(CPACK_PRE_BUILD_SCRIPTS ${PACKAGING_DIR}/launcher_to_games.cmake ${PACKAGING_DIR}/library_dependencies.cmake)
include(CPack)
