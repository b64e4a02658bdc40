# The browser build beside the Linux one: cmake/Web.cmake configured with
# Emscripten in the sub-build web/, on SDL2 for WebAssembly that
# scripts/sdl2-wasm builds once per machine into a cache outside the tree.
# Its static site is staged in web/site (served by ./scripts/play --web and
# the tests) and packed into zorbanix-web.zip:
#
#   cmake --build <build> --target zorbanix_web_site
#
# Run as a script (cmake -P) this file stages and packs the site itself, from
#   -DSITE=<folder> -DZIP=<zip> -DPAGE_DIR=<web/> -DPROGRAM_DIR=<folder> -DREADME=<readme>
#   -DVERSION=<version> [-DICON_DIR=<folder of the painted icons>]
option(ZORBANIX_WEB "Build the browser version with Emscripten" ON)

set(ZORBANIX_WEB_PAGE_FILES index.html style.css page.js loader.js layout.js keys.js settings.js
    manifest.webmanifest)
# The program gzipped by the build (cmake/Web.cmake); the page inflates it.
set(ZORBANIX_WEB_PROGRAM_FILES zorbanix.js.gz zorbanix.wasm.gz zorbanix.data.gz)

if(CMAKE_SCRIPT_MODE_FILE)
  foreach(var SITE ZIP PAGE_DIR PROGRAM_DIR README VERSION)
    if(NOT DEFINED ${var})
      message(FATAL_ERROR "WebCross.cmake: ${var} is not set")
    endif()
  endforeach()
  file(REMOVE_RECURSE ${SITE})
  file(MAKE_DIRECTORY ${SITE})
  set(entries README.txt)
  file(COPY_FILE ${README} ${SITE}/README.txt)
  foreach(name ${ZORBANIX_WEB_PAGE_FILES})
    file(COPY_FILE ${PAGE_DIR}/${name} ${SITE}/${name})
    list(APPEND entries ${name})
  endforeach()
  foreach(name ${ZORBANIX_WEB_PROGRAM_FILES})
    file(COPY_FILE ${PROGRAM_DIR}/${name} ${SITE}/${name})
    list(APPEND entries ${name})
  endforeach()
  # The browser tab's icon and the installed app's, where this build paints
  # icons.
  if(ICON_DIR)
    foreach(icon 64 192 512 maskable-512)
      set(name icon-${icon}.png)
      if(icon STREQUAL 64)
        set(name icon.png)
      endif()
      file(COPY_FILE ${ICON_DIR}/zorbanix-${icon}.png ${SITE}/${name})
      list(APPEND entries ${name})
    endforeach()
  endif()
  # The service worker caches every file but the README under a name of the
  # release's version and of what the files hold, so that a new release, or
  # a rebuilt one, replaces what an earlier visit cached.
  set(cached ${entries})
  list(REMOVE_ITEM cached README.txt)
  set(digests "")
  foreach(name ${cached})
    file(SHA256 ${SITE}/${name} digest)
    string(APPEND digests ${digest})
  endforeach()
  string(SHA256 digest "${digests}")
  string(SUBSTRING ${digest} 0 12 digest)
  list(TRANSFORM cached REPLACE "(.+)" "'\\1'")
  list(JOIN cached ", " site_files)
  file(READ ${PAGE_DIR}/sw.js worker)
  string(REPLACE "@ZORBANIX_VERSION@" "${VERSION}-${digest}" worker "${worker}")
  string(REPLACE "@ZORBANIX_SITE_FILES@" "${site_files}" worker "${worker}")
  file(WRITE ${SITE}/sw.js "${worker}")
  list(APPEND entries sw.js)
  file(REMOVE ${ZIP})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${entries}
                  WORKING_DIRECTORY ${SITE} RESULT_VARIABLE packed)
  if(NOT packed EQUAL 0)
    message(FATAL_ERROR "WebCross.cmake: could not write ${ZIP}")
  endif()
  return()
endif()

set(ZORBANIX_WEB_SITE ${CMAKE_BINARY_DIR}/web/site)
find_program(EMCMAKE emcmake)
if(NOT ZORBANIX_WEB)
  set(ZORBANIX_WEB_MISSING "the browser build is switched off (-DZORBANIX_WEB=OFF)")
elseif(NOT EMCMAKE)
  set(ZORBANIX_WEB_MISSING "emcmake not found (Emscripten: ./scripts/setup installs it)")
  message(WARNING "${ZORBANIX_WEB_MISSING}: the browser build is left out")
elseif(NOT TARGET zorbanix_pictures)
  set(ZORBANIX_WEB_MISSING "the pictures are not painted in this build")
endif()
if(NOT DEFINED ZORBANIX_WEB_MISSING)
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/sdl2-wasm --prefix
                  OUTPUT_VARIABLE sdl2_wasm OUTPUT_STRIP_TRAILING_WHITESPACE)
  # SDL2 is built from Debian's source package, which needs a deb-src entry
  # (scripts/setup adds it) unless it was built on this machine before.
  execute_process(COMMAND apt-cache showsrc libsdl2 OUTPUT_VARIABLE sdl2_source ERROR_QUIET)
  if(NOT EXISTS ${sdl2_wasm}/.complete AND NOT sdl2_source MATCHES "Package: libsdl2")
    set(ZORBANIX_WEB_MISSING "apt has no source for libsdl2 (./scripts/setup adds a deb-src entry)")
    message(WARNING "${ZORBANIX_WEB_MISSING}: the browser build is left out")
  endif()
endif()
if(DEFINED ZORBANIX_WEB_MISSING)
  return()
endif()

set(web_env ${CMAKE_SOURCE_DIR}/scripts/web-env)
add_custom_target(zorbanix_sdl2_wasm
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/sdl2-wasm >/dev/null
  COMMENT "SDL2 for WebAssembly (built once into ${sdl2_wasm})")

include(ExternalProject)
ExternalProject_Add(zorbanix_web
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/web
  CONFIGURE_COMMAND ${web_env} ${EMCMAKE} ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR>
                    -DCMAKE_BUILD_TYPE=Release
                    # -O2, as the Linux build, so that the two play frames compare.
                    "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
                    -DZORBANIX_SDL2_WASM=${sdl2_wasm}
                    -DZORBANIX_PICTURE_DIR=${CMAKE_BINARY_DIR}/bin
  BUILD_COMMAND ${web_env} ${CMAKE_COMMAND} --build <BINARY_DIR> --parallel 2
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  DEPENDS zorbanix_pictures zorbanix_sdl2_wasm
  USES_TERMINAL_BUILD ON)

set(ZORBANIX_WEB_ZIP ${CMAKE_BINARY_DIR}/zorbanix-web.zip)
add_custom_target(zorbanix_web_site ALL
  COMMAND ${CMAKE_COMMAND} -DSITE=${ZORBANIX_WEB_SITE} -DZIP=${ZORBANIX_WEB_ZIP}
          -DPAGE_DIR=${CMAKE_SOURCE_DIR}/web -DPROGRAM_DIR=${CMAKE_BINARY_DIR}/web/bin
          -DREADME=${CMAKE_SOURCE_DIR}/dist/README-web.txt
          -DVERSION=${PROJECT_VERSION}
          -DICON_DIR=$<$<TARGET_EXISTS:zorbanix_icons>:${ZORBANIX_ICON_DIR}>
          -P ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Staging the browser site in ${ZORBANIX_WEB_SITE} and packing ${ZORBANIX_WEB_ZIP}"
  VERBATIM)
add_dependencies(zorbanix_web_site zorbanix_web)
if(TARGET zorbanix_icons)
  add_dependencies(zorbanix_web_site zorbanix_icons)
endif()

# The same play frame natively, for scripts/bench-web.
add_executable(zorbanix_play_frame_timer ${CMAKE_SOURCE_DIR}/bench/web/PlayFrameTimer.cpp
                                         ${CMAKE_SOURCE_DIR}/bench/PlayRig.cpp)
target_include_directories(zorbanix_play_frame_timer PRIVATE ${CMAKE_SOURCE_DIR}/bench)
target_link_libraries(zorbanix_play_frame_timer PRIVATE zorbanix_sdl zorbanix_headless)
target_compile_definitions(zorbanix_play_frame_timer PRIVATE
                           ZORBANIX_PICTURE_DIR="${CMAKE_BINARY_DIR}/bin")
set_target_properties(zorbanix_play_frame_timer PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                           ${CMAKE_BINARY_DIR}/tools)
