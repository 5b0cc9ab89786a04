# File checks of the two built KVSsaver.scr: PE headers, imported DLLs, icon and version
# resources (see check_pe.py). They read dist/, so run them after the Windows builds.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

foreach(arch x86 x64)
  add_test(NAME pe.${arch}
           COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/tests/pe/check_pe.py
                   --arch ${arch} ${KVS_DIST_ROOT}/${arch}/KVSsaver.scr)
  set_tests_properties(pe.${arch} PROPERTIES LABELS pe)
endforeach()
