# Runs the Windows display test program (built by the Windows sub-build from
# tests/wine/display) under Wine on a virtual X display. Without Wine or Xvfb
# the test is skipped, with the reason in its output.
add_test(NAME wine_display_pixels
         COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/display/run-under-wine
                 ${CMAKE_BINARY_DIR}/windows/bin/display_tests.exe
                 ${CMAKE_BINARY_DIR}/wine-display)
set_tests_properties(wine_display_pixels PROPERTIES LABELS wine SKIP_RETURN_CODE 77 TIMEOUT 300)
