# The release files checked as a player gets them (label release):
#   release_packages           the files ./scripts/release writes, packed from
#                              this build: the .deb and .tar.gz, each unpacked
#                              and played from another folder, lintian; the
#                              Windows zip's files; the web zip unpacked and
#                              its page played in headless Chromium
#   release_deb_installs       that .deb installed with dpkg, played and
#                              purged, alone (as root only)
#   release_windows_resources  the icon, version and manifest of zorbanix.exe
#   release_play_configures    ./scripts/play's configure where no test,
#                              Windows or browser tool is installed
# The Windows zip is checked by dist_zip_holds_the_game (tests/wine).
set(release_test_dir ${CMAKE_CURRENT_LIST_DIR})
set(release_packages ${CMAKE_BINARY_DIR}/release-tests/packages)
add_test(NAME release_packages
         COMMAND ${release_test_dir}/check_packages.sh ${CMAKE_BINARY_DIR} ${release_packages}
                 ${PROJECT_VERSION})
add_test(NAME release_deb_installs
         COMMAND ${release_test_dir}/install_deb.sh ${release_packages} ${PROJECT_VERSION})
set_tests_properties(release_packages PROPERTIES FIXTURES_SETUP release_deb)
set_tests_properties(release_deb_installs PROPERTIES FIXTURES_REQUIRED release_deb RUN_SERIAL ON)
set(release_tests release_packages release_deb_installs)
if(DEFINED ZORBANIX_EXE)
  add_test(NAME release_windows_resources
           COMMAND ${release_test_dir}/check_windows_resources.sh ${ZORBANIX_EXE}
                   ${PROJECT_VERSION} ${ZORBANIX_ICON_DIR}/zorbanix.ico)
  list(APPEND release_tests release_windows_resources)
endif()
add_test(NAME release_play_configures
         COMMAND ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR} -B ${CMAKE_BINARY_DIR}/release-tests/play
                 -DZORBANIX_GAME_ONLY=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
                 -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON
                 -DMINGW_I686_CXX=NOTFOUND -DEMCMAKE=NOTFOUND)
set_tests_properties(release_play_configures PROPERTIES
                     FAIL_REGULAR_EXPRESSION "mingw32-g\\+\\+ not found|emcmake not found")
list(APPEND release_tests release_play_configures)
set_tests_properties(${release_tests} PROPERTIES LABELS release SKIP_RETURN_CODE 77 TIMEOUT 300)
