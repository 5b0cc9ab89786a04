# The Windows executable, KVSsaver.scr, and the small Win32 programs the tests
# run under wine64.
enable_language(RC)

set(KVS_DIST_DIR "" CACHE PATH "Folder that receives KVSsaver.scr after each build")

# Small and hardened: size-optimised, dead code removed, libgcc and libstdc++
# linked in so the file needs Windows' own DLLs only; ASLR, high-entropy VA
# (64-bit) and NX; stack protector and fortified string calls.
set(KVS_WIN_COMPILE -Os -ffunction-sections -fdata-sections -fstack-protector-strong
                    -D_FORTIFY_SOURCE=2 -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX
                    -D_WIN32_WINNT=0x0601)
set(KVS_WIN_LINK -static -s -Wl,--gc-sections -Wl,--dynamicbase -Wl,--nxcompat)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  list(APPEND KVS_WIN_LINK -Wl,--high-entropy-va)
endif()

file(GLOB KVS_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
# Linked into the executable itself, not through the library: the terminate
# handler must replace libstdc++'s before the linker looks there.
set(KVS_ENTRY_SOURCES src/platform/win32/WinMain.cpp src/platform/win32/QuietTerminate.cpp)
list(REMOVE_ITEM KVS_WIN32_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/src/platform/win32/WinMain.cpp
     ${CMAKE_CURRENT_SOURCE_DIR}/src/platform/win32/QuietTerminate.cpp)

add_library(kvs_core STATIC ${KVS_CORE_SOURCES} ${KVS_WIN32_SOURCES})
target_include_directories(kvs_core PUBLIC src)
target_compile_options(kvs_core PRIVATE ${KVS_WARNINGS} ${KVS_WIN_COMPILE})
target_compile_options(kvs_core INTERFACE ${KVS_WIN_COMPILE})
target_link_options(kvs_core INTERFACE ${KVS_WIN_LINK})
target_link_libraries(kvs_core INTERFACE user32 gdi32 kernel32 ssp)

add_executable(KVSsaver WIN32 ${KVS_ENTRY_SOURCES} src/resources/kvssaver.rc)
target_link_libraries(KVSsaver PRIVATE kvs_core)
target_compile_options(KVSsaver PRIVATE ${KVS_WARNINGS})
set_target_properties(KVSsaver PROPERTIES OUTPUT_NAME KVSsaver SUFFIX ".scr")
include(cmake/Resources.cmake OPTIONAL)
if(KVS_DIST_DIR)
  add_custom_command(TARGET KVSsaver POST_BUILD
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${KVS_DIST_DIR}
                     COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:KVSsaver> ${KVS_DIST_DIR}/)
endif()

add_subdirectory(bench)
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine/CMakeLists.txt)
  add_subdirectory(tests/wine)
endif()
