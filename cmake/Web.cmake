# The browser build: the game core on SDL compiled to WebAssembly with
# Emscripten, configured by cmake/WebCross.cmake from the Linux build (or by
# hand with emcmake). It needs
#   -DZORBANIX_SDL2_WASM=<prefix>   SDL2 built for WebAssembly (scripts/sdl2-wasm)
#   -DZORBANIX_PICTURE_DIR=<folder> the 18 pictures, painted by the Linux build
# and makes zorbanix.js, zorbanix.wasm and zorbanix.data (the pictures), each
# also gzipped for the site, plus the play-frame timer for Node.js that
# scripts/bench-web runs.
if(NOT ZORBANIX_SDL2_WASM OR NOT ZORBANIX_PICTURE_DIR)
  message(FATAL_ERROR "the browser build needs -DZORBANIX_SDL2_WASM and -DZORBANIX_PICTURE_DIR")
endif()
# SDL2 as scripts/sdl2-wasm leaves it: one static library and its headers.
if(NOT EXISTS ${ZORBANIX_SDL2_WASM}/lib/libSDL2.a)
  message(FATAL_ERROR "no SDL2 for WebAssembly in ${ZORBANIX_SDL2_WASM} (scripts/sdl2-wasm)")
endif()
add_library(SDL2::SDL2 STATIC IMPORTED)
set_target_properties(SDL2::SDL2 PROPERTIES
  IMPORTED_LOCATION ${ZORBANIX_SDL2_WASM}/lib/libSDL2.a
  INTERFACE_INCLUDE_DIRECTORIES ${ZORBANIX_SDL2_WASM}/include/SDL2)

# WebAssembly's 128-bit vectors carry the SSE2 code paths of the blits and
# the presentation (Emscripten maps the SSE2 intrinsics onto them): a play
# frame takes about a third of the time it takes without.
string(APPEND CMAKE_CXX_FLAGS " -msimd128 -msse2")

zorbanix_sources(web_sources src/platform/sdl/web)
list(FILTER web_sources EXCLUDE REGEX "(Web(Main|Score)|SoundTables)\\.cpp$")
include(${CMAKE_SOURCE_DIR}/cmake/SdlLayer.cmake)
# The score book, the same text-in, text-out code the Linux program keeps
# its best scores with.
zorbanix_sdl_layer(${web_sources} ${CMAKE_SOURCE_DIR}/src/platform/sdl/settings/ScoreBook.cpp
                   ${CMAKE_SOURCE_DIR}/src/platform/sdl/settings/KeptText.cpp)

# Both programs keep their stacks across the yield to the browser (Asyncify),
# so that the play frame the timer measures is the one the game runs.
set(web_link_options
    -sASYNCIFY -sASYNCIFY_IMPORTS=zorbanix_wait_for_animation_frame
    -sALLOW_MEMORY_GROWTH=1
    # SDL's audio calls these from its inline JavaScript, which the linker
    # does not see.
    "SHELL:--js-library ${CMAKE_SOURCE_DIR}/src/platform/sdl/web/SdlAudioNeeds.js"
    -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=zorbanix_sdl_audio_needs
    # The cues' way to the page's sound. (SHELL: keeps CMake from merging
    # the two --js-library flags into one.)
    "SHELL:--js-library ${CMAKE_SOURCE_DIR}/src/platform/sdl/web/WebSound.js")

include(${CMAKE_SOURCE_DIR}/cmake/Pictures.cmake)
set(preload_options)
set(picture_files)
foreach(picture ${ZORBANIX_PICTURE_NAMES} ${ZORBANIX_BETWEEN_GAMES_PICTURE_NAMES})
  list(APPEND preload_options "SHELL:--preload-file ${ZORBANIX_PICTURE_DIR}/${picture}@/${picture}")
  list(APPEND picture_files ${ZORBANIX_PICTURE_DIR}/${picture})
endforeach()

# The program's entry file, with the functions it exports to the page.
add_executable(zorbanix ${CMAKE_SOURCE_DIR}/src/platform/sdl/web/WebMain.cpp)
target_link_libraries(zorbanix PRIVATE zorbanix_sdl)
# One factory, createZorbanix(), so that "Play again" makes a fresh instance
# with fresh static state, as a new run of the program has.
target_link_options(zorbanix PRIVATE ${web_link_options} ${preload_options}
                    -sMODULARIZE=1 -sEXPORT_NAME=createZorbanix -sENVIRONMENT=web)
set_target_properties(zorbanix PROPERTIES SUFFIX ".js" LINK_DEPENDS "${picture_files}")
# The three files the page downloads, also gzipped: the site ships these,
# which loader.js inflates, so that the first visit is small whatever the
# web server compresses (the pictures are 2.4 MB of plain bitmaps).
find_program(GZIP_EXECUTABLE gzip REQUIRED)
add_custom_command(TARGET zorbanix POST_BUILD
  COMMAND ${GZIP_EXECUTABLE} -9 -n -f -k zorbanix.js zorbanix.wasm zorbanix.data
  WORKING_DIRECTORY $<TARGET_FILE_DIR:zorbanix> VERBATIM)

# The sounds, which the page plays with the browser's own nodes
# (web/sound.js): the synthesiser and the mixer's numbers alone, a
# WebAssembly module with no JavaScript runtime, whose few imports the page
# fills itself.
add_executable(zorbanix_sound ${CMAKE_SOURCE_DIR}/src/platform/sdl/web/SoundTables.cpp
               ${CMAKE_SOURCE_DIR}/src/platform/sdl/audio/Sounds.cpp
               ${CMAKE_SOURCE_DIR}/src/platform/sdl/audio/Synth.cpp
               ${CMAKE_SOURCE_DIR}/src/platform/sdl/audio/OutputVolume.cpp)
target_include_directories(zorbanix_sound PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_options(zorbanix_sound PRIVATE -sSTANDALONE_WASM --no-entry -sALLOW_MEMORY_GROWTH=1
                    -sFILESYSTEM=0)
set_target_properties(zorbanix_sound PROPERTIES OUTPUT_NAME zorbanix-sound SUFFIX ".wasm")

# One play frame, timed in Node.js against the same frame natively.
add_executable(zorbanix_play_frame_timer ${CMAKE_SOURCE_DIR}/bench/web/PlayFrameTimer.cpp
                                         ${CMAKE_SOURCE_DIR}/bench/PlayRig.cpp)
target_include_directories(zorbanix_play_frame_timer PRIVATE ${CMAKE_SOURCE_DIR}/bench)
zorbanix_sources(headless_sources src/platform/headless)
target_sources(zorbanix_play_frame_timer PRIVATE ${headless_sources})
target_link_libraries(zorbanix_play_frame_timer PRIVATE zorbanix_sdl_software zorbanix_core)
target_compile_definitions(zorbanix_play_frame_timer PRIVATE
                           ZORBANIX_PICTURE_DIR="${ZORBANIX_PICTURE_DIR}")
target_link_options(zorbanix_play_frame_timer PRIVATE ${web_link_options}
                    -sENVIRONMENT=node -sNODERAWFS=1
                    # Node 20 has fetch, which this Emscripten would use for a
                    # file path; a synchronous compile reads the file instead.
                    -sWASM_ASYNC_COMPILATION=0)
set_target_properties(zorbanix_play_frame_timer PROPERTIES SUFFIX ".js")
