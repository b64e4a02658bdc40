# Reliability checks: the picture path fuzzed with libFuzzer, a bot's soak
# under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, and
# memcheck on one whole game.
#
# The fuzzer needs clang and the sanitizers are best with it, while the main
# build uses g++: both programs are built by a sub-build of this same tree
# with clang and the sanitizers (ZORBANIX_SANITIZED=ON), which ctest builds
# on first use, so that an ordinary build is not slowed down by it.

option(ZORBANIX_SANITIZED "This tree is the sanitizer sub-build of the reliability checks" OFF)

set(reliability_dir ${CMAKE_SOURCE_DIR}/tests)
set(picture_path_sources ${reliability_dir}/fuzz/PicturePath.cpp)
file(GLOB soak_bot_sources CONFIGURE_DEPENDS ${reliability_dir}/soak/*.cpp)
list(FILTER soak_bot_sources EXCLUDE REGEX "SoakMain\\.cpp$")

function(reliability_program name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${reliability_dir})
endfunction()

# The soak program: the bot plays game after game, in every build.
if(soak_bot_sources)
  reliability_program(zorbanix_soak ${reliability_dir}/soak/SoakMain.cpp ${soak_bot_sources})
  target_link_libraries(zorbanix_soak PRIVATE zorbanix_headless)
endif()

if(ZORBANIX_SANITIZED)
  # Coverage for the fuzzer on the code the picture bytes go through.
  target_compile_options(zorbanix_display PRIVATE -fsanitize=fuzzer-no-link)
  target_compile_options(zorbanix_sdl_software PRIVATE -fsanitize=fuzzer-no-link)
  reliability_program(picture_fuzzer ${reliability_dir}/fuzz/PictureFuzzer.cpp
                      ${picture_path_sources})
  target_link_libraries(picture_fuzzer PRIVATE zorbanix_sdl_software zorbanix_display)
  target_link_options(picture_fuzzer PRIVATE -fsanitize=fuzzer)
  target_compile_options(zorbanix_settings PRIVATE -fsanitize=fuzzer-no-link)
  reliability_program(settings_fuzzer ${reliability_dir}/fuzz/SettingsFuzzer.cpp
                      ${reliability_dir}/fuzz/KeptFilePath.cpp)
  target_link_libraries(settings_fuzzer PRIVATE zorbanix_settings)
  target_link_options(settings_fuzzer PRIVATE -fsanitize=fuzzer)
  target_compile_options(zorbanix_replay PRIVATE -fsanitize=fuzzer-no-link)
  reliability_program(replay_fuzzer ${reliability_dir}/fuzz/ReplayFuzzer.cpp)
  target_compile_definitions(replay_fuzzer PRIVATE ZORBANIX_LIBFUZZER)
  target_link_libraries(replay_fuzzer PRIVATE zorbanix_replay)
  target_link_options(replay_fuzzer PRIVATE -fsanitize=fuzzer)
  return()
endif()

# The saved fuzz inputs, replayed by the ordinary build.
reliability_program(picture_replay ${reliability_dir}/fuzz/PictureReplay.cpp
                    ${picture_path_sources})
target_link_libraries(picture_replay PRIVATE zorbanix_sdl_software zorbanix_display)
add_test(NAME fuzz_saved_inputs
         COMMAND picture_replay ${reliability_dir}/fuzz/regressions ${reliability_dir}/fuzz/formats
                 --game-pictures ${CMAKE_BINARY_DIR}/bin)
set_tests_properties(fuzz_saved_inputs PROPERTIES LABELS fuzz)
# The same for the files the Linux game keeps (settings, best scores).
reliability_program(settings_replay ${reliability_dir}/fuzz/SettingsReplay.cpp
                    ${reliability_dir}/fuzz/KeptFilePath.cpp)
target_link_libraries(settings_replay PRIVATE zorbanix_settings)
add_test(NAME fuzz_kept_files_saved COMMAND settings_replay ${reliability_dir}/fuzz/kept)
set_tests_properties(fuzz_kept_files_saved PROPERTIES LABELS fuzz)
# And the replay files' reader.
reliability_program(replay_files_replay ${reliability_dir}/fuzz/ReplayFuzzer.cpp)
target_link_libraries(replay_files_replay PRIVATE zorbanix_replay)
add_test(NAME fuzz_replays_saved COMMAND replay_files_replay ${reliability_dir}/fuzz/replays)
set_tests_properties(fuzz_replays_saved PROPERTIES LABELS fuzz)

# One whole game under memcheck: no error and no block left at exit, lost
# or still reachable, since tear-down frees all that set-up made.
reliability_program(zorbanix_one_game ${reliability_dir}/valgrind/OneGame.cpp ${soak_bot_sources})
target_link_libraries(zorbanix_one_game PRIVATE zorbanix_headless)
find_program(RELIABILITY_VALGRIND valgrind)
if(RELIABILITY_VALGRIND)
  add_test(NAME valgrind_one_game
           COMMAND ${RELIABILITY_VALGRIND} --tool=memcheck --error-exitcode=99
                   --leak-check=full --errors-for-leak-kinds=all --show-leak-kinds=all
                   $<TARGET_FILE:zorbanix_one_game> ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(valgrind_one_game PROPERTIES LABELS valgrind TIMEOUT 900)
else()
  message(WARNING "valgrind not found: no memcheck of a whole game (./scripts/setup installs it)")
endif()
if(TARGET zorbanix_pictures)
  add_dependencies(picture_replay zorbanix_pictures)
  add_dependencies(zorbanix_one_game zorbanix_pictures)
endif()

# The sanitizer sub-build.
find_program(RELIABILITY_CLANGXX NAMES clang++ clang++-14)
find_program(RELIABILITY_CLANG NAMES clang clang-14)
if(NOT RELIABILITY_CLANGXX OR NOT RELIABILITY_CLANG)
  message(WARNING "clang not found: no fuzzing or sanitizer soak (./scripts/setup installs it)")
  return()
endif()
include(ExternalProject)
include(ProcessorCount)
ProcessorCount(reliability_jobs)
if(reliability_jobs EQUAL 0)
  set(reliability_jobs 2)
endif()
set(sanitized_dir ${CMAKE_BINARY_DIR}/sanitized)
set(sanitizer_flags "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer")
ExternalProject_Add(zorbanix_sanitized
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${sanitized_dir}
  CMAKE_ARGS -DCMAKE_C_COMPILER=${RELIABILITY_CLANG}
             -DCMAKE_CXX_COMPILER=${RELIABILITY_CLANGXX}
             -DCMAKE_BUILD_TYPE=RelWithDebInfo
             "-DCMAKE_C_FLAGS=${sanitizer_flags}"
             "-DCMAKE_CXX_FLAGS=${sanitizer_flags}"
             "-DCMAKE_EXE_LINKER_FLAGS=${sanitizer_flags}"
             -DZORBANIX_WINDOWS=OFF
             -DZORBANIX_SANITIZED=ON
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${sanitized_dir} -j ${reliability_jobs}
                --target picture_fuzzer settings_fuzzer replay_fuzzer zorbanix_soak
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  EXCLUDE_FROM_ALL ON)

# Built by the first test that needs it; the checks themselves run through
# the scripts that also run them for longer by hand.
add_test(NAME sanitized_build
         COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target zorbanix_sanitized)
set_tests_properties(sanitized_build PROPERTIES FIXTURES_SETUP sanitized TIMEOUT 1500
                                                LABELS "fuzz;soak")
add_test(NAME fuzz_pictures_briefly
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz --seconds 60 --build ${CMAKE_BINARY_DIR}
                 --no-build)
add_test(NAME soak_under_sanitizers_briefly
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/soak --waves 12 --frame-time 50
                 --build ${CMAKE_BINARY_DIR} --no-build)
# The kept files' fuzzer for a minute, from the saved inputs; its corpus
# grows in fuzz/kept-corpus, findings go to fuzz/findings.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz/kept-corpus ${CMAKE_BINARY_DIR}/fuzz/findings)
add_test(NAME fuzz_kept_files_briefly
         COMMAND ${sanitized_dir}/bin/settings_fuzzer -max_total_time=60 -timeout=10
                 -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz/findings/
                 ${CMAKE_BINARY_DIR}/fuzz/kept-corpus ${reliability_dir}/fuzz/kept)
# The replay reader for a few seconds, from the saved replays.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz/replay-corpus)
add_test(NAME fuzz_replays_briefly
         COMMAND ${sanitized_dir}/bin/replay_fuzzer -max_total_time=5 -timeout=10
                 -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz/findings/
                 ${CMAKE_BINARY_DIR}/fuzz/replay-corpus ${reliability_dir}/fuzz/replays)
set_tests_properties(fuzz_replays_briefly PROPERTIES LABELS fuzz)
set_tests_properties(fuzz_pictures_briefly fuzz_kept_files_briefly fuzz_replays_briefly
                     soak_under_sanitizers_briefly
                     PROPERTIES FIXTURES_REQUIRED sanitized TIMEOUT 900)
set_tests_properties(fuzz_kept_files_briefly PROPERTIES LABELS fuzz)
set_tests_properties(fuzz_pictures_briefly PROPERTIES LABELS fuzz)
set_tests_properties(soak_under_sanitizers_briefly PROPERTIES LABELS soak)
