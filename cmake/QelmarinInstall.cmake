# SPDX-License-Identifier: GPL-3.0-or-later
# Where `cmake --install` puts the programs and their files (GNU directory names, so
# --prefix /usr gives a Debian layout), and the Debian package that CPack makes of them:
#   cpack -G DEB --config build/CPackConfig.cmake
# The fontconfig rules and the built-in pictures are compiled into the programs, so
# nothing else needs to be installed beside them.

set(QELMARIN_PROGRAMS)
foreach(program qelmarin qelmarin-cli kalvorin-host)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND QELMARIN_PROGRAMS ${program})
  endif()
endforeach()
# The compilers' version strings (.comment) are of no use in an installed program; the
# install step drops them after the (optional) strip, as Debian's own packaging does.
find_program(QELMARIN_OBJCOPY NAMES objcopy)
if(QELMARIN_OBJCOPY)
  install(CODE "
    foreach(program ${QELMARIN_PROGRAMS})
      set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
      execute_process(COMMAND \"${QELMARIN_OBJCOPY}\" --remove-section=.comment \"\${file}\" RESULT_VARIABLE status)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR \"objcopy could not drop the .comment section of \${file}\")
      endif()
    endforeach()")
endif()

# The documents of /usr/share/doc/qelmarin: the user's README, the machine-readable
# copyright file and the changelog, compressed (-n: no time stamp, so the bytes repeat).
set(QELMARIN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/qelmarin)
set(changelog_gz ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/changelog > ${changelog_gz}
  DEPENDS ${PROJECT_SOURCE_DIR}/data/changelog VERBATIM)
add_custom_target(qelmarin-changelog ALL DEPENDS ${changelog_gz})
install(FILES ${PROJECT_SOURCE_DIR}/data/README.md ${PROJECT_SOURCE_DIR}/data/copyright ${changelog_gz}
  DESTINATION ${QELMARIN_DOC_DIR})

# A package built for a distribution names its own maintainer here.
set(QELMARIN_MAINTAINER "Qelmarin developers <maintainers@qelmarin.example>" CACHE STRING
  "The Debian package's maintainer, as 'Name <address>'")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qelmarin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Qelmarin developers")
set(CPACK_PACKAGE_CONTACT "${QELMARIN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QELMARIN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print Japanese traditional-almanac pages")
# The extended description, in lines of at most 80 characters as dpkg shows them.
set(CPACK_PACKAGE_DESCRIPTION
  "Qelmarin prints pages of the Japanese traditional almanac with the notes\n"
  "of every day: monthly calendars, almanac lists with sunrise and sunset,\n"
  "tear-off daily pages, wall posters and commentary pages. qelmarin-cli\n"
  "draws them to PDF without a display, and kalvorin-host computes the\n"
  "almanac of 1901-2100 and makes the folder the programs read.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries come from dpkg-shlibdeps; the fonts the pages are drawn with, and
# the SVG loader of gdk-pixbuf, are not linked and so are named here. The desktop
# program's help button opens the host folder's help text in the desktop's text viewer,
# which the xdg-utils associations provide where no desktop environment does.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-liberation2, librsvg2-common")
if(TARGET qelmarin)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
endif()
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "poppler-utils")
include(CPack)

if(QELMARIN_TESTS)
  # The package of this tree, unpacked into a temporary root and used there.
  add_test(NAME package.install COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/package-test ${PROJECT_BINARY_DIR})
  set_tests_properties(package.install PROPERTIES TIMEOUT 900 RUN_SERIAL ON)
endif()
