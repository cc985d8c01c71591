# SPDX-License-Identifier: GPL-3.0-or-later
# The distribution's hardening flags for every object of the build: stack protector, stack
# clash and control-flow protection, source fortification, format checks,
# position-independent executables, read-only relocations and immediate binding. On Debian they come from dpkg-buildflags (hardening=+all, so that a
# package build's own DEB_BUILD_MAINT_OPTIONS still applies); elsewhere from the same list.
# The sanitizer and fuzzer builds go without: ASan replaces the fortified functions.

option(QELMARIN_HARDENING "Build with the distribution's hardening flags" ON)
if(NOT QELMARIN_HARDENING OR QELMARIN_SANITIZE OR QELMARIN_FUZZ)
  return()
endif()

set(QELMARIN_HARDENING_COMPILE -fstack-protector-strong -Wformat -Werror=format-security)
set(QELMARIN_HARDENING_DEFINES -D_FORTIFY_SOURCE=2)
set(QELMARIN_HARDENING_LINK -Wl,-z,relro -Wl,-z,now)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS)
  set(maint_options "hardening=+all $ENV{DEB_BUILD_MAINT_OPTIONS}")
  foreach(kind CXXFLAGS CPPFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=${maint_options}" ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(WARNING "dpkg-buildflags --get ${kind} failed; the built-in hardening flags are used")
      break()
    endif()
    separate_arguments(flags_${kind} UNIX_COMMAND "${flags_${kind}}")
  endforeach()
  if(status EQUAL 0)
    # Only the hardening flags: the build type chooses -O and -g, and the file prefix map
    # belongs to a package build's own folder.
    set(keep "^-(fstack-protector|fstack-clash-protection|fcf-protection|Wformat|Werror=format-security)")
    list(FILTER flags_CXXFLAGS INCLUDE REGEX "${keep}")
    list(FILTER flags_CPPFLAGS INCLUDE REGEX "^-D_FORTIFY_SOURCE=")
    list(FILTER flags_LDFLAGS INCLUDE REGEX "^-Wl,-z,")
    set(QELMARIN_HARDENING_COMPILE ${flags_CXXFLAGS})
    set(QELMARIN_HARDENING_DEFINES ${flags_CPPFLAGS})
    set(QELMARIN_HARDENING_LINK ${flags_LDFLAGS})
  endif()
endif()

# Stack clash protection and control-flow protection (CET) where the compiler has them;
# newer dpkg-buildflags give them too.
include(CheckCXXCompilerFlag)
foreach(flag -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "QELMARIN_HAS${flag}" has_flag)
  check_cxx_compiler_flag(${flag} ${has_flag})
  if(${has_flag} AND NOT "${QELMARIN_HARDENING_COMPILE}" MATCHES "${flag}")
    list(APPEND QELMARIN_HARDENING_COMPILE ${flag})
  endif()
endforeach()

add_compile_options(${QELMARIN_HARDENING_COMPILE})
# glibc fortifies only optimised code (and warns at -O0); flags the caller already gave win.
if(NOT "${CMAKE_CXX_FLAGS} ${CMAKE_C_FLAGS}" MATCHES "_FORTIFY_SOURCE")
  foreach(define ${QELMARIN_HARDENING_DEFINES})
    add_compile_options($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:${define}>)
  endforeach()
endif()
add_link_options(${QELMARIN_HARDENING_LINK})

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
message(STATUS "Hardening: ${QELMARIN_HARDENING_COMPILE} ${QELMARIN_HARDENING_DEFINES} ${QELMARIN_HARDENING_LINK} -pie")
