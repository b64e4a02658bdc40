# What the release files say about the game, in one place for the Linux
# packages (cmake/Release.cmake) and the Windows version information
# (cmake/Windows.cmake). The version itself is the project's
# (CMakeLists.txt); the release date goes with it.
set(ZORBANIX_PRODUCT_NAME "Zorbanix")
set(ZORBANIX_RELEASE_DATE "2026-12-08")
set(ZORBANIX_VENDOR "The Zorbanix developers")
set(ZORBANIX_COPYRIGHT_YEAR "2026")
set(ZORBANIX_COPYRIGHT "Copyright (C) ${ZORBANIX_COPYRIGHT_YEAR} ${ZORBANIX_VENDOR}")
set(ZORBANIX_SUMMARY "small full-screen arcade shooter")
set(ZORBANIX_MAINTAINER "${ZORBANIX_VENDOR} <maintainers@zorbanix.example>")
# The desktop entry's and AppStream's id (a reverse domain name), which also
# names the .desktop, metainfo and icon files.
set(ZORBANIX_APP_ID "com.zorbanix.Zorbanix")
# The game's web address; the AppStream screenshots are docs/screenshots
# published under it.
set(ZORBANIX_HOMEPAGE "https://zorbanix.example" CACHE STRING
    "The game's web address, named in the AppStream metainfo")
