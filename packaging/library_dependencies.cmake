# Run by CPack between the install into its staging folder and the packing, in
# place of its own library scan (which would make every library any binary
# links a dependency): the libraries the engine links are dependencies, those
# only the remote library links (libxwiimote) are recommendations. The engine
# loads the remote library at run time and plays on without it, so a machine
# that has no remote needs none of them. dpkg-shlibdeps gives each library its
# least version and leaves out of Recommends what Depends already names.
file(GLOB_RECURSE engine "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/lib/games/korvane-arcade/korvane")
file(GLOB_RECURSE bridge "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/lib/games/korvane-arcade/wiiuse.so")
# The replay verifier needs only the C and C++ libraries, which the engine needs too.
file(GLOB_RECURSE verifier "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/games/korvane-verify")
list(LENGTH engine count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "no single engine in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}: ${engine}")
endif()
set(arguments --ignore-missing-info -O -e${engine})
if(verifier)
  list(APPEND arguments -e${verifier})
endif()
if(bridge)
  list(APPEND arguments -dRecommends -e${bridge})
endif()

# dpkg-shlibdeps wants a source package's control file; it gets an empty one
# beside the staged tree, never inside it.
set(work "${CPACK_TEMPORARY_INSTALL_DIRECTORY}.shlibdeps")
file(MAKE_DIRECTORY "${work}/debian")
file(WRITE "${work}/debian/control" "")
execute_process(COMMAND dpkg-shlibdeps ${arguments} WORKING_DIRECTORY "${work}"
                OUTPUT_VARIABLE found ERROR_VARIABLE errors RESULT_VARIABLE result)
file(REMOVE_RECURSE "${work}")
if(NOT result EQUAL 0 OR NOT found MATCHES "shlibs:Depends=([^\n]*)")
  message(FATAL_ERROR "dpkg-shlibdeps ${arguments}: ${errors}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
if(found MATCHES "shlibs:Recommends=([^\n]*)")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${CMAKE_MATCH_1}")
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
