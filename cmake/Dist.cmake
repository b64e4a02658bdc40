# The release zip for Windows players: zorbanix.exe, its 18 pictures and a
# README, all at the top of the archive. Part of every build where the
# Windows program is built:
#
#   cmake --build <build> [--target dist]   ->  <build>/zorbanix-windows-i686.zip
#
# Run as a script (cmake -P) this file writes the zip itself, from
#   -DZIP=<zip> -DEXE=<exe> -DREADME=<readme> -DPICTURE_DIR=<folder> -DPICTURES=<a;b;...>

if(CMAKE_SCRIPT_MODE_FILE)
  foreach(var ZIP EXE README PICTURE_DIR PICTURES)
    if(NOT DEFINED ${var})
      message(FATAL_ERROR "Dist.cmake: ${var} is not set")
    endif()
  endforeach()
  get_filename_component(zip_dir ${ZIP} DIRECTORY)
  set(stage ${zip_dir}/zorbanix-windows-i686.stage)
  file(REMOVE_RECURSE ${stage})
  file(MAKE_DIRECTORY ${stage})
  set(entries zorbanix.exe README.txt)
  foreach(from ${EXE} ${README})
    if(NOT EXISTS ${from})
      message(FATAL_ERROR "Dist.cmake: ${from} is missing")
    endif()
  endforeach()
  file(COPY_FILE ${EXE} ${stage}/zorbanix.exe)
  file(COPY_FILE ${README} ${stage}/README.txt)
  foreach(picture ${PICTURES})
    if(NOT EXISTS ${PICTURE_DIR}/${picture})
      message(FATAL_ERROR "Dist.cmake: ${PICTURE_DIR}/${picture} is missing")
    endif()
    file(COPY_FILE ${PICTURE_DIR}/${picture} ${stage}/${picture})
    list(APPEND entries ${picture})
  endforeach()
  file(REMOVE ${ZIP})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${entries}
                  WORKING_DIRECTORY ${stage} RESULT_VARIABLE packed)
  file(REMOVE_RECURSE ${stage})
  if(NOT packed EQUAL 0)
    message(FATAL_ERROR "Dist.cmake: could not write ${ZIP}")
  endif()
  return()
endif()

if(NOT DEFINED ZORBANIX_EXE)
  return()
endif()
set(ZORBANIX_DIST_ZIP ${CMAKE_BINARY_DIR}/zorbanix-windows-i686.zip)
set(ZORBANIX_DIST_README ${CMAKE_SOURCE_DIR}/dist/README-windows.txt)
set(ZORBANIX_DIST_PICTURES
    nanite.bmp poopy.bmp pukey.bmp drippy.bmp
    poopbullet.bmp pukebullet.bmp dripbullet.bmp pbullet.bmp
    background.bmp numbers.bmp getready.bmp paused.bmp
    title.bmp space.bmp ostrelwyn.bmp presents.bmp bird.bmp gameover.bmp)
string(REPLACE ";" "\\;" dist_picture_list "${ZORBANIX_DIST_PICTURES}")
set(ZORBANIX_DIST_ARGS
    -DEXE=${ZORBANIX_EXE} -DREADME=${ZORBANIX_DIST_README}
    -DPICTURE_DIR=${CMAKE_BINARY_DIR}/bin "-DPICTURES=${dist_picture_list}")
add_custom_target(dist ALL
  COMMAND ${CMAKE_COMMAND} -DZIP=${ZORBANIX_DIST_ZIP} ${ZORBANIX_DIST_ARGS}
          -P ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Packing ${ZORBANIX_DIST_ZIP}"
  VERBATIM)
add_dependencies(dist zorbanix_windows)
if(TARGET zorbanix_pictures)
  add_dependencies(dist zorbanix_pictures)
endif()
