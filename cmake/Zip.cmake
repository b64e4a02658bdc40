# One way to pack a release zip with every file at its top, for the Windows
# zip (cmake/Dist.cmake) and the browser's site (cmake/WebCross.cmake):
#
#   zorbanix_zip(<target> ZIP <zip> STAGE <folder> [KEEP_STAGE]
#                FILES <source> <name> [<source> <name>...])
#
# adds <target>, part of every build, which copies each <source> into an
# empty <folder> as <name> and packs that folder into <zip>; the folder is
# removed afterwards unless KEEP_STAGE (the browser's site is served from
# it). The sources are named in <zip>.files; run as a script,
#   cmake -DFILES=<zip>.files -DZIP=<zip> -DSTAGE=<folder> -DKEEP_STAGE=ON|OFF -P Zip.cmake
# this file does the copying and packing.

if(CMAKE_SCRIPT_MODE_FILE)
  # Lines of the file list, in pairs: the source, then its name in the zip.
  file(STRINGS ${FILES} lines)
  file(REMOVE_RECURSE ${STAGE})
  file(MAKE_DIRECTORY ${STAGE})
  set(entries)
  while(lines)
    list(POP_FRONT lines from name)
    if(NOT EXISTS ${from})
      message(FATAL_ERROR "${ZIP}: ${from} is missing")
    endif()
    file(COPY_FILE ${from} ${STAGE}/${name})
    list(APPEND entries ${name})
  endwhile()
  file(REMOVE ${ZIP})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${entries}
                  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE packed)
  if(NOT KEEP_STAGE)
    file(REMOVE_RECURSE ${STAGE})
  endif()
  if(NOT packed EQUAL 0)
    message(FATAL_ERROR "could not write ${ZIP}")
  endif()
  return()
endif()

function(zorbanix_zip target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "KEEP_STAGE" "ZIP;STAGE" "FILES")
  list(LENGTH arg_FILES count)
  math(EXPR odd "${count} % 2")
  if(count EQUAL 0 OR odd)
    message(FATAL_ERROR "zorbanix_zip(${target}): FILES takes pairs of a source and a name")
  endif()
  string(REPLACE ";" "\n" lines "${arg_FILES}")
  file(WRITE ${arg_ZIP}.files "${lines}\n")
  if(arg_KEEP_STAGE)
    set(keep ON)
  else()
    set(keep OFF)
  endif()
  add_custom_target(${target} ALL
    COMMAND ${CMAKE_COMMAND} -DFILES=${arg_ZIP}.files -DZIP=${arg_ZIP} -DSTAGE=${arg_STAGE}
            -DKEEP_STAGE=${keep} -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMENT "Packing ${arg_ZIP}"
    VERBATIM)
endfunction()
