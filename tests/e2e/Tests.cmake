# End-to-end runs of the real KVSsaver.scr (x64 build) under wine64 and Xvfb.
# They share one wine prefix and run one at a time.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(KVS_E2E_SCENARIOS no_window play mouse click key outside_close missing_clip blanks)
foreach(scenario ${KVS_E2E_SCENARIOS})
  add_test(NAME e2e.${scenario}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/saver_e2e.py ${scenario}
                   --dist ${KVS_DIST_ROOT}/x64 --tools ${KVS_X64_BUILD_DIR}/tests/wine
                   --work ${CMAKE_BINARY_DIR}/e2e --prefix ${CMAKE_BINARY_DIR}/wineprefix)
  set_tests_properties(e2e.${scenario} PROPERTIES LABELS e2e TIMEOUT 240 RESOURCE_LOCK kvs_wineprefix)
endforeach()
