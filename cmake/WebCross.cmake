# The browser build beside the Linux one: cmake/Web.cmake configured with
# Emscripten in the sub-build web/, on SDL2 for WebAssembly that
# scripts/sdl2-wasm builds once per machine into a cache outside the tree.
# Its static site is staged in web/site (served by ./scripts/play --web and
# the tests) and packed into zorbanix-web.zip:
#
#   cmake --build <build> --target zorbanix_web_site
option(ZORBANIX_WEB "Build the browser version with Emscripten" ON)

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
  # The web preset (CMakePresets.json), in this build's own folder.
  CONFIGURE_COMMAND ${web_env} ${EMCMAKE} ${CMAKE_COMMAND} --preset=web -S <SOURCE_DIR>
                    -B <BINARY_DIR> -DZORBANIX_SDL2_WASM=${sdl2_wasm}
                    -DZORBANIX_PICTURE_DIR=${CMAKE_BINARY_DIR}/bin
  BUILD_COMMAND ${web_env} ${CMAKE_COMMAND} --build <BINARY_DIR> --parallel 2
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  DEPENDS zorbanix_pictures zorbanix_sdl2_wasm
  USES_TERMINAL_BUILD ON)

# The site: the page (web/), the program and its data, and a README.
set(ZORBANIX_WEB_ZIP ${CMAKE_BINARY_DIR}/zorbanix-web.zip)
set(web_files ${CMAKE_SOURCE_DIR}/dist/README-web.txt README.txt)
foreach(name index.html style.css page.js loader.js layout.js keys.js settings.js sound.js
             sound-probe.js)
  list(APPEND web_files ${CMAKE_SOURCE_DIR}/web/${name} ${name})
endforeach()
# The program gzipped by the build (cmake/Web.cmake); the page inflates it.
# Its script goes as it is: the page runs it from the site itself.
list(APPEND web_files ${CMAKE_BINARY_DIR}/web/bin/zorbanix.js zorbanix.js)
foreach(name zorbanix.wasm.gz zorbanix.data.gz)
  list(APPEND web_files ${CMAKE_BINARY_DIR}/web/bin/${name} ${name})
endforeach()
# The sounds' own small module, which the page runs to make them.
list(APPEND web_files ${CMAKE_BINARY_DIR}/web/bin/zorbanix-sound.wasm zorbanix-sound.wasm)
list(APPEND web_files ${CMAKE_SOURCE_DIR}/web/manifest.webmanifest manifest.webmanifest)
# The browser tab's icon and the installed app's, where this build paints
# icons.
if(TARGET zorbanix_icons)
  list(APPEND web_files ${ZORBANIX_ICON_DIR}/zorbanix-64.png icon.png)
  foreach(size 192 512 maskable-512)
    list(APPEND web_files ${ZORBANIX_ICON_DIR}/zorbanix-${size}.png icon-${size}.png)
  endforeach()
endif()
# The service worker (web/sw.js) keeps every file but the README for play
# with no network, under a name made of the release's version and a digest
# of the files (cmake/ServiceWorker.cmake).
set(cached_files ${web_files})
list(REMOVE_AT cached_files 0 1)
string(REPLACE ";" "\n" cached_lines "${cached_files}")
file(WRITE ${CMAKE_BINARY_DIR}/zorbanix-web.cached.files "${cached_lines}\n")
set(worker ${CMAKE_BINARY_DIR}/zorbanix-web.sw.js)
add_custom_target(zorbanix_web_worker
  COMMAND ${CMAKE_COMMAND} -DFILES=${CMAKE_BINARY_DIR}/zorbanix-web.cached.files
          -DTEMPLATE=${CMAKE_SOURCE_DIR}/web/sw.js -DOUT=${worker} -DVERSION=${PROJECT_VERSION}
          -P ${CMAKE_SOURCE_DIR}/cmake/ServiceWorker.cmake
  COMMENT "Writing the service worker ${worker}"
  VERBATIM)
add_dependencies(zorbanix_web_worker zorbanix_web)
if(TARGET zorbanix_icons)
  add_dependencies(zorbanix_web_worker zorbanix_icons)
endif()
list(APPEND web_files ${worker} sw.js)
include(${CMAKE_SOURCE_DIR}/cmake/Zip.cmake)
zorbanix_zip(zorbanix_web_site ZIP ${ZORBANIX_WEB_ZIP} STAGE ${ZORBANIX_WEB_SITE} KEEP_STAGE
             FILES ${web_files})
add_dependencies(zorbanix_web_site zorbanix_web_worker)
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
