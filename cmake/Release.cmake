# What a Linux player installs beside the game and its pictures: a desktop
# entry, icons in the hicolor theme, AppStream metainfo, a manual page and
# the Debian documentation files; and CPack's .deb and .tar.gz of all that:
#
#   cmake --install <build> [--prefix <dir>] [--strip]
#   cpack --config <build>/CPackConfig.cmake -B <dir>   (after a build)
#
# Every install rule is relative to the prefix, so the tree works wherever it
# is unpacked: the game reads its pictures from ../share/zorbanix beside
# its own folder.
include(${CMAKE_SOURCE_DIR}/cmake/ProductInfo.cmake)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(release_sources ${CMAKE_SOURCE_DIR}/dist/linux)
set(release_files ${CMAKE_BINARY_DIR}/release)
set(ZORBANIX_DESKTOP_FILE ${release_files}/${ZORBANIX_APP_ID}.desktop)
set(ZORBANIX_METAINFO_FILE ${release_files}/${ZORBANIX_APP_ID}.metainfo.xml)
execute_process(COMMAND date -u -R -d "${ZORBANIX_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE ZORBANIX_RELEASE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${release_sources}/zorbanix.desktop.in ${ZORBANIX_DESKTOP_FILE} @ONLY)
configure_file(${release_sources}/zorbanix.metainfo.xml.in ${ZORBANIX_METAINFO_FILE} @ONLY)
configure_file(${release_sources}/copyright.in ${release_files}/copyright @ONLY)
configure_file(${release_sources}/zorbanix.6.in ${release_files}/zorbanix.6 @ONLY)
configure_file(${release_sources}/changelog.in ${release_files}/changelog @ONLY)
# The tarball's own README, at its top level: how to start the game and
# where it keeps its settings and scores. Only the tarball has it (a
# packaged game is started from the desktop's menu).
string(REGEX REPLACE "." "=" ZORBANIX_PRODUCT_NAME_UNDERLINE "${ZORBANIX_PRODUCT_NAME} ${PROJECT_VERSION}")
configure_file(${release_sources}/README.in ${release_files}/tarball/README @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/cmake/CPackPerPackage.cmake.in
               ${release_files}/CPackPerPackage.cmake @ONLY)

# Debian wants the manual page and the changelog compressed, without a
# timestamp in the gzip header.
add_custom_command(
  OUTPUT ${release_files}/zorbanix.6.gz ${release_files}/changelog.gz
  COMMAND gzip -9nkf ${release_files}/zorbanix.6 ${release_files}/changelog
  DEPENDS ${release_files}/zorbanix.6 ${release_files}/changelog
  VERBATIM)
add_custom_target(zorbanix_release_docs ALL
                  DEPENDS ${release_files}/zorbanix.6.gz ${release_files}/changelog.gz)

install(FILES ${ZORBANIX_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZORBANIX_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${release_files}/zorbanix.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${release_files}/copyright ${release_files}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zorbanix)
if(TARGET zorbanix_icons)
  foreach(size ${ZORBANIX_ICON_SIZES})
    install(FILES ${ZORBANIX_ICON_DIR}/zorbanix-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${ZORBANIX_APP_ID}.png)
  endforeach()
else()
  message(STATUS "No libpng: the install has no icons (./scripts/setup installs libpng-dev)")
endif()

# The packages. cpack installs what the build made, without building it
# again (and without waking the Windows and browser sub-builds): build first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_NAME zorbanix)
set(CPACK_PACKAGE_VENDOR ${ZORBANIX_VENDOR})
set(CPACK_PACKAGE_CONTACT ${ZORBANIX_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${ZORBANIX_SUMMARY})
set(CPACK_PACKAGE_DESCRIPTION
    "Your ship slides along the bottom of the screen and fires upwards; a formation
of 55 invaders marches from side to side, drops a step at each edge, speeds up
as it thins out and fires back. Three bunkers stand between you and wear away
under fire from both sides. Keyboard or gamepad, full screen or in a window.")
set(CPACK_PACKAGE_FILE_NAME zorbanix-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_STRIP_FILES ON)
# The .deb installs under /usr (CPack's default for it) and is named
# zorbanix_<version>_<architecture>.deb.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Debian's games are in /usr/games: the .deb adds the game there as a link to
# /usr/bin/zorbanix (cmake/DebianGames.cmake).
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/DebianGames.cmake)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries it links come from dpkg-shlibdeps: libsdl2-2.0-0 (the
# runtime, not the -dev package), libc6, libstdc++6, libgcc-s1.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PROJECT_CONFIG_FILE ${release_files}/CPackPerPackage.cmake)
include(CPack)
