# SPDX-License-Identifier: GPL-3.0-or-later
# qelmarin_library(NAME SOURCES ... [DEPS ...]): one library target for a source folder.
# Its headers are included as "folder/header.h" from src/.
function(qelmarin_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# qelmarin_tests(NAME SOURCES ... DEPS ...): one GoogleTest executable for a folder's tests.
# Tests run with a pinned time zone and locale so that dates and texts are deterministic.
function(qelmarin_tests name)
  if(NOT QELMARIN_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    QELMARIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QELMARIN_SHARED_DIR="${PROJECT_SOURCE_DIR}/../shared")
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "TZ=Asia/Tokyo;LC_ALL=C.UTF-8;GSETTINGS_BACKEND=memory;NO_AT_BRIDGE=1"
    DISCOVERY_TIMEOUT 60)
endfunction()
