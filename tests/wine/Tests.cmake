# Backend tests of the Win32 platform layer: the x64 test programs (built in
# KVS_X64_BUILD_DIR by tests/wine/CMakeLists.txt) run under wine64 on a
# private Xvfb display and a wine prefix in this build tree. They share that
# prefix, so they run one at a time.
if(NOT KVS_X64_BUILD_DIR)
  message(STATUS "KVS_X64_BUILD_DIR not set: no wine tests")
  return()
endif()

set(KVS_WINE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine)
set(KVS_WINE_RUN ${KVS_WINE_DIR}/run-wine.sh)
set(KVS_WINE_PROGRAMS ${KVS_X64_BUILD_DIR}/tests/wine)
set(KVS_WINE_CLIP ${CMAKE_BINARY_DIR}/wine/kvscrtel.avi)
# The same file as wine sees it: the root of the Linux file system is drive Z:.
string(REPLACE "/" "\\" KVS_WINE_CLIP_WINDOWS "Z:${KVS_WINE_CLIP}")

# The clip is rendered once into the build tree (make-clip keeps a clip
# that is newer than the script).
add_test(NAME wine.clip COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/scripts/make-clip ${KVS_WINE_CLIP})
set_tests_properties(wine.clip PROPERTIES LABELS wine FIXTURES_SETUP kvs_wine_clip TIMEOUT 300)

function(kvs_wine_test name)
  cmake_parse_arguments(PARSE_ARGV 1 test "" "" "COMMAND;ENVIRONMENT;FIXTURES")
  add_test(NAME ${name} COMMAND ${test_COMMAND})
  set_tests_properties(${name} PROPERTIES
                       LABELS wine
                       RESOURCE_LOCK kvs_wineprefix
                       TIMEOUT 180
                       FIXTURES_REQUIRED "${test_FIXTURES}"
                       ENVIRONMENT "KVS_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;${test_ENVIRONMENT}")
endfunction()

kvs_wine_test(wine.platform_probe
              COMMAND ${KVS_WINE_RUN} ${KVS_WINE_PROGRAMS}/platform_probe.exe --probe-argument)

# Twice: at the usual 96 dpi, where a twip is 15 pixels, and at 144 dpi,
# where a conversion that assumed 15 would be caught.
kvs_wine_test(wine.window_probe COMMAND ${KVS_WINE_RUN} ${KVS_WINE_PROGRAMS}/window_probe.exe)
kvs_wine_test(wine.window_probe_144dpi
              COMMAND ${KVS_WINE_RUN} ${KVS_WINE_PROGRAMS}/window_probe.exe
              ENVIRONMENT KVS_WINE_DPI=144)

kvs_wine_test(wine.send_close
              COMMAND ${KVS_WINE_DIR}/send-close-test.sh ${KVS_WINE_PROGRAMS})

kvs_wine_test(wine.mci_probe
              COMMAND ${KVS_WINE_RUN} ${KVS_WINE_PROGRAMS}/mci_probe.exe ${KVS_WINE_CLIP_WINDOWS}
              FIXTURES kvs_wine_clip)

# A winmm.dll planted beside the program, with wine told to prefer such a
# native DLL: the control shows that a plain LoadLibraryW takes it, the
# probe that the platform's lookup does not.
kvs_wine_test(wine.planted_control
              COMMAND ${KVS_WINE_RUN} ${KVS_WINE_PROGRAMS}/planted/planted_control.exe
              ENVIRONMENT WINEDLLOVERRIDES=winmm=n,b)
kvs_wine_test(wine.planted_winmm_ignored
              COMMAND ${KVS_WINE_RUN} ${KVS_WINE_PROGRAMS}/planted/mci_probe.exe
                      ${KVS_WINE_CLIP_WINDOWS}
              ENVIRONMENT WINEDLLOVERRIDES=winmm=n,b
              FIXTURES kvs_wine_clip)
