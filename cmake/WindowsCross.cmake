# Builds zorbanix.exe with the mingw-w64 i686 cross compiler in a sub-build of
# the same tree, with the icon the tools paint, and puts it into bin/ beside
# the Linux executable.
find_program(MINGW_I686_CXX i686-w64-mingw32-g++)
option(ZORBANIX_WINDOWS "Cross-compile zorbanix.exe" ON)
if(ZORBANIX_WINDOWS AND MINGW_I686_CXX)
  include(ExternalProject)
  ExternalProject_Add(zorbanix_windows
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/windows
    # The windows preset (CMakePresets.json), in this build's own folder.
    CMAKE_ARGS --preset=windows -B ${CMAKE_BINARY_DIR}/windows
               -DZORBANIX_ICON=${ZORBANIX_ICON_DIR}/zorbanix.ico
    DEPENDS zorbanix_icons
    BUILD_ALWAYS ON
    INSTALL_COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/windows/bin/zorbanix.exe
                    ${CMAKE_BINARY_DIR}/bin/zorbanix.exe
    USES_TERMINAL_BUILD ON)
  set(ZORBANIX_EXE ${CMAKE_BINARY_DIR}/bin/zorbanix.exe)
  include(${CMAKE_SOURCE_DIR}/tests/wine/display/WineDisplayTests.cmake)
elseif(ZORBANIX_WINDOWS)
  message(WARNING "i686-w64-mingw32-g++ not found: zorbanix.exe is not built")
endif()
