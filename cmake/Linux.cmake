# The Linux build: the core on SDL2, the headless harness, the tools, the
# tests, and the Windows executable cross-compiled beside them.
# -DZORBANIX_GAME_ONLY=ON (./scripts/play) configures only the game, its
# pictures and its install, with nothing but SDL2 besides the compiler.
option(ZORBANIX_GAME_ONLY "Only the Linux game and its pictures: no tests, Windows or browser build"
       OFF)
find_package(SDL2 CONFIG REQUIRED)

include(cmake/SdlLayer.cmake)
zorbanix_sdl_layer()

# What the Linux game keeps between runs (settings, best scores): plain C++
# on POSIX files, no SDL, so its tests and fuzzer need no display.
zorbanix_sources(settings_sources src/platform/sdl/settings)
add_library(zorbanix_settings STATIC ${settings_sources})
target_include_directories(zorbanix_settings PUBLIC ${CMAKE_SOURCE_DIR}/src)

# Replays: the file format, the tape and the seams' decorators that record
# and play a game's reads; plain C++ on the core's seams, no SDL, so the
# harness, the Linux program and the browser share it.
zorbanix_sources(replay_sources src/platform/replay)
add_library(zorbanix_replay STATIC ${replay_sources})
target_include_directories(zorbanix_replay PUBLIC ${CMAKE_SOURCE_DIR}/src)

# The pictures are installed in share/zorbanix, which the game finds from its
# own folder, so that the installed tree works wherever it is unpacked.
include(GNUInstallDirs)
set(ZORBANIX_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zorbanix)
file(RELATIVE_PATH data_from_exe ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${ZORBANIX_DATA_DIR})
# The Linux program: main and what only it has (src/platform/sdl/linux): its
# command line, the choice of a video driver a player can see, and the
# settings and scores it keeps between runs (on zorbanix_settings).
file(GLOB linux_program_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/sdl/linux/*.cpp)
add_executable(zorbanix ${linux_program_sources})
target_link_libraries(zorbanix PRIVATE zorbanix_sdl zorbanix_settings zorbanix_replay)
target_compile_definitions(zorbanix PRIVATE ZORBANIX_VERSION="${PROJECT_VERSION}"
                                            ZORBANIX_DATA_FROM_EXE="${data_from_exe}")
install(TARGETS zorbanix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The headless harness: fake clock, scripted keys, captured frames.
zorbanix_sources(headless_sources src/platform/headless)
add_library(zorbanix_headless STATIC ${headless_sources})
target_link_libraries(zorbanix_headless PUBLIC zorbanix_sdl_software zorbanix_core)
# The harness provides the core's defaultShellPlatform(); a program may list
# the harness before the core, so its file is asked for by name.
target_link_options(zorbanix_headless INTERFACE "LINKER:--undefined=zorbanixHeadlessDefaultShell")

# The icon's sizes in the desktop's icon theme (painted by tools/icons).
set(ZORBANIX_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ZORBANIX_ICON_SIZES 16 24 32 48 64 128 256)
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/CMakeLists.txt)
  add_subdirectory(tools)
endif()

# What ./scripts/play builds: the game and its pictures, side by side.
add_custom_target(zorbanix_playable)
add_dependencies(zorbanix_playable zorbanix zorbanix_pictures)

# The desktop entry, icons, metainfo and the .deb and .tar.gz (CPack).
include(cmake/Release.cmake)
if(ZORBANIX_GAME_ONLY)
  return()
endif()

include(cmake/WindowsCross.cmake)
include(cmake/Dist.cmake)

# Benchmarks, where Google Benchmark is installed (scripts/setup installs it).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_subdirectory(bench)
endif()

enable_testing()
add_subdirectory(tests)
include(cmake/Reliability.cmake)

# The browser build and its tests in headless Chromium.
include(cmake/WebCross.cmake)
include(tests/web/WebTests.cmake)

# The release files as a player gets them (cmake/Release.cmake, cmake/Dist.cmake).
include(tests/release/ReleaseTests.cmake)
