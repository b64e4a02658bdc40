# The SDL platform layer, shared by the Linux and the browser build.
# zorbanix_sdl_software: software 16-bit surfaces and the picture-file path,
# with no window, also used by the headless harness. zorbanix_sdl: the
# window, presentation, keyboard, gamepads, audio device and shell, plus the
# sources one build adds (ARGN); each build brings its own main, from
# src/platform/sdl/linux or src/platform/sdl/web.
function(zorbanix_sdl_layer)
  zorbanix_sources(sdl_software_sources src/platform/sdl/software)
  add_library(zorbanix_sdl_software STATIC ${sdl_software_sources})
  target_include_directories(zorbanix_sdl_software PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(zorbanix_sdl_software PUBLIC zorbanix_display SDL2::SDL2)

  set(sdl_sources)
  foreach(owner input display shell audio results)
    zorbanix_sources(owner_sources src/platform/sdl/${owner})
    list(APPEND sdl_sources ${owner_sources})
  endforeach()
  add_library(zorbanix_sdl STATIC ${sdl_sources} ${ARGN})
  target_link_libraries(zorbanix_sdl PUBLIC zorbanix_sdl_software zorbanix_core ${CMAKE_DL_LIBS})
endfunction()
