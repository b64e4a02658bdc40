# The Linux build: the core on SDL2, the headless harness, the tools, the
# tests, and the Windows executable cross-compiled beside them.
find_package(SDL2 CONFIG REQUIRED)

include(cmake/SdlLayer.cmake)
zorbanix_sdl_layer()

include(GNUInstallDirs)
set(ZORBANIX_DATA_DIR ${CMAKE_INSTALL_FULL_DATADIR}/zorbanix)
add_executable(zorbanix ${CMAKE_SOURCE_DIR}/src/platform/sdl/SdlMain.cpp)
target_link_libraries(zorbanix PRIVATE zorbanix_sdl)
target_compile_definitions(zorbanix PRIVATE ZORBANIX_VERSION="${PROJECT_VERSION}"
                                            ZORBANIX_DATA_DIR="${ZORBANIX_DATA_DIR}")
install(TARGETS zorbanix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The headless harness: fake clock, scripted keys, captured frames.
zorbanix_sources(headless_sources src/platform/headless)
add_library(zorbanix_headless STATIC ${headless_sources})
target_link_libraries(zorbanix_headless PUBLIC zorbanix_sdl_software zorbanix_core)
# The harness provides the core's defaultShellPlatform(); a program may list
# the harness before the core, so its file is asked for by name.
target_link_options(zorbanix_headless INTERFACE "LINKER:--undefined=zorbanixHeadlessDefaultShell")

if(EXISTS ${CMAKE_SOURCE_DIR}/tools/CMakeLists.txt)
  add_subdirectory(tools)
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
