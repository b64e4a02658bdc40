# The 32-bit Windows build: the core on DirectDraw, DirectInput, DirectSound,
# GDI and USER, with the compiler's runtime linked in so the .exe stands alone
# (-static also takes in winpthread, which would otherwise be a DLL of its own).
zorbanix_sources(win32_sources src/platform/win32)
add_executable(zorbanix WIN32 ${win32_sources})
target_link_libraries(zorbanix PRIVATE zorbanix_core ddraw dinput dsound dxguid gdi32 user32 winmm
                      kernel32)
target_link_options(zorbanix PRIVATE -static-libgcc -static-libstdc++ -static)

# The display's pixel tests on the real DirectDraw, for the Linux build to run
# under Wine.
option(ZORBANIX_WINDOWS_TESTS "Build the Windows display test program" OFF)
if(ZORBANIX_WINDOWS_TESTS)
  add_subdirectory(tests/wine/display)
endif()
