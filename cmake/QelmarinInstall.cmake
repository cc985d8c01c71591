# Where `cmake --install` puts the programs and their files (GNU directory names, so
# --prefix /usr gives a Debian layout), and the Debian package that CPack makes of them:
#   cpack -G DEB --config build/CPackConfig.cmake
# The fontconfig rules and the built-in pictures are compiled into the programs, so
# nothing else needs to be installed beside them.

foreach(program qelmarin qelmarin-cli kalvorin-host)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/qelmarin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qelmarin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Qelmarin developers")
set(CPACK_PACKAGE_CONTACT "Qelmarin developers <qelmarin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print Japanese traditional-almanac pages")
set(CPACK_PACKAGE_DESCRIPTION
  "Qelmarin prints pages of the Japanese traditional almanac with the notes of every day:\n"
  "monthly calendars, almanac lists with sunrise and sunset, tear-off daily pages, wall\n"
  "posters and commentary pages. qelmarin-cli draws them to PDF without a display, and\n"
  "kalvorin-host computes the almanac of 1901-2100 and makes the folder the programs read.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries come from dpkg-shlibdeps; the fonts the pages are drawn with, and
# the SVG loader of gdk-pixbuf, are not linked and so are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-liberation2, librsvg2-common")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "poppler-utils")
include(CPack)

if(QELMARIN_TESTS)
  # The package of this tree, unpacked into a temporary root and used there.
  add_test(NAME package.install COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/package-test ${PROJECT_BINARY_DIR})
  set_tests_properties(package.install PROPERTIES TIMEOUT 900 RUN_SERIAL ON)
endif()
