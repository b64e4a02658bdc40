# The browser build played in headless Chromium (browser_run.mjs): one run
# with the keyboard and one with touch emulation, the still screens compared
# pixel for pixel with the headless harness's. It plays in real time, so it
# runs alone (RUN_SERIAL), as the Wine drivers do. Without Emscripten,
# Chromium or the node modules it reports itself skipped.
find_program(NODE_EXECUTABLE node)
if(DEFINED ZORBANIX_WEB_MISSING OR NOT NODE_EXECUTABLE)
  if(NOT NODE_EXECUTABLE)
    set(ZORBANIX_WEB_MISSING "node not found")
  endif()
  add_test(NAME web_browser_run COMMAND sh -c "echo 'skipped: $0'; exit 77" "${ZORBANIX_WEB_MISSING}")
  add_test(NAME web_page_sweep COMMAND sh -c "echo 'skipped: $0'; exit 77" "${ZORBANIX_WEB_MISSING}")
else()
  add_test(NAME web_browser_run
           COMMAND ${NODE_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/browser_run.mjs ${ZORBANIX_WEB_SITE}
                   ${CMAKE_BINARY_DIR}/bin $<TARGET_FILE:zorbanix_wine_screens>
                   ${CMAKE_BINARY_DIR}/web/tests)
  # The page around the picture at many window sizes, by touch and with a
  # mouse, in every state (page_sweep.mjs); its failures leave screenshots
  # in web/sweep.
  add_test(NAME web_page_sweep
           COMMAND ${NODE_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/page_sweep.mjs ${ZORBANIX_WEB_SITE}
                   ${CMAKE_BINARY_DIR}/web/sweep)
endif()
set_tests_properties(web_browser_run web_page_sweep PROPERTIES LABELS web SKIP_RETURN_CODE 77
                                                               RUN_SERIAL ON TIMEOUT 300)
