# Writes the browser site's service worker from web/sw.js: the release's
# version with a digest of the files it caches (so that a new release, or a
# rebuilt one, replaces what an earlier visit cached), and their names.
#
#   cmake -DFILES=<list> -DTEMPLATE=<web/sw.js> -DOUT=<sw.js> -DVERSION=<version> -P ServiceWorker.cmake
#
# <list> holds lines in pairs: a file's source, then its name in the site.
foreach(var FILES TEMPLATE OUT VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "ServiceWorker.cmake: ${var} is not set")
  endif()
endforeach()
file(STRINGS ${FILES} lines)
set(digests "")
set(names "")
while(lines)
  list(POP_FRONT lines from name)
  file(SHA256 ${from} digest)
  string(APPEND digests ${digest})
  list(APPEND names "'${name}'")
endwhile()
string(SHA256 digest "${digests}")
string(SUBSTRING ${digest} 0 12 digest)
list(JOIN names ", " site_files)
file(READ ${TEMPLATE} worker)
string(REPLACE "@ZORBANIX_VERSION@" "${VERSION}-${digest}" worker "${worker}")
string(REPLACE "/* @ZORBANIX_SITE_FILES@ */" "${site_files}" worker "${worker}")
file(WRITE ${OUT} "${worker}")
