# The host build: the core on the simulated platform with its unit tests, the
# fuzz targets, and the CTest entries for the Windows builds.
enable_testing()

option(KVS_SANITIZE "Build the host tests with AddressSanitizer and UBSan" ON)
option(KVS_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
set(KVS_DIST_ROOT ${CMAKE_CURRENT_SOURCE_DIR}/dist CACHE PATH "dist/ folder of the Windows builds")
set(KVS_X64_BUILD_DIR "" CACHE PATH "Build folder of the x86_64 Windows build (its test programs)")

set(KVS_SANITIZER_FLAGS)
if(KVS_SANITIZE)
  set(KVS_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
                          -fno-sanitize-recover=all)
endif()

file(GLOB KVS_SIM_SOURCES CONFIGURE_DEPENDS src/platform/sim/*.cpp)
add_library(kvs_core STATIC ${KVS_CORE_SOURCES} ${KVS_SIM_SOURCES})
target_include_directories(kvs_core PUBLIC src)
target_compile_options(kvs_core PRIVATE ${KVS_WARNINGS} PUBLIC ${KVS_SANITIZER_FLAGS} -g)
target_link_options(kvs_core PUBLIC ${KVS_SANITIZER_FLAGS})

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB KVS_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${KVS_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE kvs_core GTest::gtest_main)
target_compile_options(unit_tests PRIVATE ${KVS_WARNINGS})
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)

if(KVS_FUZZ AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/CMakeLists.txt)
  add_subdirectory(fuzz)
endif()
foreach(suite pe wine e2e)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/${suite}/Tests.cmake)
    include(tests/${suite}/Tests.cmake)
  endif()
endforeach()
