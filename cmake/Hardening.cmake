# Debian's hardening flags for every binary we build, so that the package ships what its tests
# ran: stack protector, fortified C library calls, read-only relocations bound at start-up.
# dpkg-buildflags (dpkg-dev) gives them without its optimisation, debug and file-path flags,
# which stay the build type's. A build without optimisation goes without, as fortified calls
# need it; so does a sanitized build (the sanitizer or the fuzzing build), whose own checks the
# fortified calls would bypass.
if(VELMARO_SANITIZED OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(STATUS "dpkg-buildflags not found: building without Debian's hardening flags")
  return()
endif()

foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env
      "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
      "DEB_CXXFLAGS_MAINT_STRIP=-g -O2"
      ${DPKG_BUILDFLAGS} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(hardening_${kind} UNIX_COMMAND "${flags}")
endforeach()
target_compile_options(velmaro_options INTERFACE ${hardening_CPPFLAGS} ${hardening_CXXFLAGS})
target_link_options(velmaro_options INTERFACE ${hardening_LDFLAGS})
