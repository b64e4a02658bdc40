# The release zip for Windows players: zorbanix.exe, its 18 pictures and a
# README, all at the top of the archive. Part of every build where the
# Windows program is built:
#
#   cmake --build <build> [--target dist]   ->  <build>/zorbanix-windows-i686.zip
if(NOT DEFINED ZORBANIX_EXE)
  return()
endif()
include(${CMAKE_SOURCE_DIR}/cmake/Pictures.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/Zip.cmake)
set(ZORBANIX_DIST_ZIP ${CMAKE_BINARY_DIR}/zorbanix-windows-i686.zip)
set(ZORBANIX_DIST_README ${CMAKE_SOURCE_DIR}/dist/README-windows.txt)
set(dist_files ${ZORBANIX_EXE} zorbanix.exe ${ZORBANIX_DIST_README} README.txt)
foreach(picture ${ZORBANIX_PICTURE_NAMES})
  list(APPEND dist_files ${CMAKE_BINARY_DIR}/bin/${picture} ${picture})
endforeach()
zorbanix_zip(dist ZIP ${ZORBANIX_DIST_ZIP} STAGE ${CMAKE_BINARY_DIR}/zorbanix-windows-i686.stage
             FILES ${dist_files})
add_dependencies(dist zorbanix_windows)
if(TARGET zorbanix_pictures)
  add_dependencies(dist zorbanix_pictures)
endif()

# What the zip's check (tests/wine/CheckDistZip.cmake) compares it with.
string(REPLACE ";" "\\;" dist_picture_list "${ZORBANIX_PICTURE_NAMES}")
set(ZORBANIX_DIST_ARGS
    -DEXE=${ZORBANIX_EXE} -DREADME=${ZORBANIX_DIST_README}
    -DPICTURE_DIR=${CMAKE_BINARY_DIR}/bin "-DPICTURES=${dist_picture_list}")
