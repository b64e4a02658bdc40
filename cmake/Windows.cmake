# The 32-bit Windows build: the core on DirectDraw, DirectInput, DirectSound,
# GDI and USER, with the compiler's runtime linked in so the .exe stands alone
# (-static also takes in winpthread, which would otherwise be a DLL of its own).

# The program's resources (dist/windows): the game's icon, which the Linux
# build paints from the artwork and names with -DZORBANIX_ICON (see
# cmake/WindowsCross.cmake); the version information, from the project's
# version and cmake/ProductInfo.cmake; a manifest that declares the program
# DPI-aware.
if(NOT ZORBANIX_ICON)
  message(FATAL_ERROR "the Windows build needs -DZORBANIX_ICON=<zorbanix.ico>, which the Linux "
                      "build paints (target zorbanix_icons)")
endif()
enable_language(RC)
include(${CMAKE_SOURCE_DIR}/cmake/ProductInfo.cmake)
string(REPLACE "." "," ZORBANIX_VERSION_COMMAS "${PROJECT_VERSION}.0")
set(ZORBANIX_VERSION_DOTS "${PROJECT_VERSION}.0")
set(ZORBANIX_MANIFEST ${CMAKE_BINARY_DIR}/zorbanix.manifest)
configure_file(${CMAKE_SOURCE_DIR}/dist/windows/zorbanix.manifest.in ${ZORBANIX_MANIFEST} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/windows/zorbanix.rc.in ${CMAKE_BINARY_DIR}/zorbanix.rc
               @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/zorbanix.rc PROPERTIES
                            OBJECT_DEPENDS "${ZORBANIX_ICON};${ZORBANIX_MANIFEST}")

zorbanix_sources(win32_sources src/platform/win32)
add_executable(zorbanix WIN32 ${win32_sources} ${CMAKE_BINARY_DIR}/zorbanix.rc)
target_link_libraries(zorbanix PRIVATE zorbanix_core ddraw dinput dsound dxguid gdi32 user32 winmm
                      kernel32)
target_link_options(zorbanix PRIVATE -static-libgcc -static-libstdc++ -static)

# The display's pixel tests on the real DirectDraw, for the Linux build to run
# under Wine.
option(ZORBANIX_WINDOWS_TESTS "Build the Windows display test program" OFF)
if(ZORBANIX_WINDOWS_TESTS)
  add_subdirectory(tests/wine/display)
endif()
