# Packs the release zip the way the dist target does, into this test's own
# folder, and checks that it holds exactly zorbanix.exe, README.txt and the
# 18 pictures, each the same bytes as the file it was packed from.
#   cmake -DDIST_SCRIPT=... -DWORK=... -DEXE=... -DREADME=... -DPICTURE_DIR=... -DPICTURES=... -P
set(zip ${WORK}/zorbanix-windows-i686.zip)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${CMAKE_COMMAND} -DZIP=${zip} -DEXE=${EXE} -DREADME=${README}
          -DPICTURE_DIR=${PICTURE_DIR} "-DPICTURES=${PICTURES}" -P ${DIST_SCRIPT}
  RESULT_VARIABLE packed)
if(NOT packed EQUAL 0 OR NOT EXISTS ${zip})
  message(FATAL_ERROR "packing the zip failed")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing
                RESULT_VARIABLE listed)
if(NOT listed EQUAL 0)
  message(FATAL_ERROR "cannot list ${zip}")
endif()
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" entries "${listing}")
set(expected zorbanix.exe README.txt ${PICTURES})
list(SORT entries)
list(SORT expected)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "the zip holds\n  ${entries}\nbut should hold\n  ${expected}")
endif()
list(LENGTH entries count)
if(NOT count EQUAL 20)
  message(FATAL_ERROR "the zip holds ${count} files, not 20")
endif()

set(unpacked ${WORK}/unpacked)
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${unpacked}
                RESULT_VARIABLE extracted)
if(NOT extracted EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${zip}")
endif()
set(sources ${EXE} ${README})
foreach(picture ${PICTURES})
  list(APPEND sources ${PICTURE_DIR}/${picture})
endforeach()
set(names zorbanix.exe README.txt ${PICTURES})
foreach(source name IN ZIP_LISTS sources names)
  file(SHA256 ${source} want)
  file(SHA256 ${unpacked}/${name} got)
  if(NOT want STREQUAL got)
    message(FATAL_ERROR "${name} in the zip differs from ${source}")
  endif()
endforeach()
# Notepad on older Windows shows a file with bare line feeds as one line.
file(READ ${unpacked}/README.txt readme HEX)
string(REGEX REPLACE "0d0a" "" bare "${readme}")
if(bare MATCHES "^(..)*0a")
  message(FATAL_ERROR "README.txt in the zip has a line not ended by CR LF")
endif()
message(STATUS "the zip holds the program, its README with Windows line ends and the 18 pictures")
