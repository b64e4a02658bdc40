# Run by cpack after it has installed the files to package: the .deb also
# lays the game out as Debian lays out its games, /usr/games/zorbanix being a
# link to ../bin/zorbanix (a package in the games section has that folder).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
  file(MAKE_DIRECTORY ${usr}/games)
  file(CREATE_LINK ../bin/zorbanix ${usr}/games/zorbanix SYMBOLIC)
endif()
