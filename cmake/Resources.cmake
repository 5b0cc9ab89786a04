# The icon of KVSsaver.scr: make_icon.py draws the images and their group directory into
# the build folder at build time, and kvssaver.rc takes them in from there.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(KVS_ICON_SCRIPT ${PROJECT_SOURCE_DIR}/src/resources/make_icon.py)
set(KVS_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/resources)
set(KVS_ICON_FILES ${KVS_ICON_DIR}/icon32.bin ${KVS_ICON_DIR}/icon16.bin
                   ${KVS_ICON_DIR}/icongroup.bin ${KVS_ICON_DIR}/kvssaver.ico)

add_custom_command(OUTPUT ${KVS_ICON_FILES}
                   COMMAND Python3::Interpreter ${KVS_ICON_SCRIPT} ${KVS_ICON_DIR}
                   DEPENDS ${KVS_ICON_SCRIPT}
                   COMMENT "Drawing the KVSsaver icon"
                   VERBATIM)

# Listing the generated files as sources ties the command to the target; OBJECT_DEPENDS
# recompiles the .rc whenever they change, since windres reports no dependencies itself.
target_sources(KVSsaver PRIVATE ${KVS_ICON_FILES})
set_source_files_properties(${PROJECT_SOURCE_DIR}/src/resources/kvssaver.rc
                            PROPERTIES OBJECT_DEPENDS "${KVS_ICON_FILES}")
target_include_directories(KVSsaver PRIVATE $<$<COMPILE_LANGUAGE:RC>:${KVS_ICON_DIR}>)
