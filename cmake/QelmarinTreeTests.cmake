# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of the source tree itself: every source file names its licence, and the README's
# runnable commands work from a fresh copy of the tree and leave its git status empty.
if(NOT QELMARIN_TESTS)
  return()
endif()
add_test(NAME tree.spdx COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/spdx --check)
# The README's commands build the programs again (scripts/demo's Release build in the
# copy), so this test runs alone.
add_test(NAME readme.commands COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/readme-test)
set_tests_properties(readme.commands PROPERTIES
  TIMEOUT 5400 RUN_SERIAL ON SKIP_RETURN_CODE 77 ENVIRONMENT "TZ=Asia/Tokyo;LC_ALL=C.UTF-8")
