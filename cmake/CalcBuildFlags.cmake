# What every target of the project is compiled and linked with, carried by the interface target
# calc_flags. calc_work, the lowest library, links it publicly, so every library, program, test and
# benchmark built on it inherits the flags; targets that link no library of ours link calc_flags
# themselves. Nothing is set directory-wide.
#   warnings    -Wall -Wextra
#   sanitizers  CALC_SANITIZE, e.g. address,undefined (the sanitizer build of scripts/hardening)
#   hardening   CALC_HARDENING: the flags Debian builds its packages with, as dpkg-buildflags gives
#               them (stack protector, _FORTIFY_SOURCE=2, format checks, relro and bindnow), with PIE;
#               off in a sanitizer build, where the sanitizers check more than the hardening would;
#               and, as Debian does, the source and build folders mapped to "." and "build" in the
#               binaries (debug information, __FILE__), so one commit built in any folder gives the
#               same bytes
add_library(calc_flags INTERFACE)
target_compile_options(calc_flags INTERFACE -Wall -Wextra)

set(CALC_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined")
option(CALC_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ON)

if(CALC_SANITIZE)
  target_compile_options(calc_flags INTERFACE -fsanitize=${CALC_SANITIZE} -fno-omit-frame-pointer
                                              -fno-sanitize-recover=all)
  target_link_options(calc_flags INTERFACE -fsanitize=${CALC_SANITIZE})
elseif(CALC_HARDENING)
  find_program(CALC_DPKG_BUILDFLAGS dpkg-buildflags)
  if(NOT CALC_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "CALC_HARDENING needs dpkg-buildflags (Debian: dpkg-dev), or -DCALC_HARDENING=OFF")
  endif()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported()
  # The build type chooses optimisation and debug information; dpkg's prefix map names its own folder
  # (ours follows the loop).
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${CALC_DPKG_BUILDFLAGS} --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O.?|g|ffile-prefix-map=.*)$")
    if(kind STREQUAL LDFLAGS)
      target_link_options(calc_flags INTERFACE ${flags})
    else()
      # _FORTIFY_SOURCE needs the optimiser: a Debug build leaves it out rather than warn on every file.
      target_compile_options(calc_flags INTERFACE "$<$<NOT:$<CONFIG:Debug>>:${flags}>")
    endif()
  endforeach()
  # GCC tries the maps from the last one back: the build folder, often inside the source folder, first.
  target_compile_options(calc_flags INTERFACE -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                                              -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()

# An installed program: built as above, and without the compiler's .comment note, which the package
# does not need (lintian: binary-has-unneeded-section).
function(calc_installed_program target)
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment $<TARGET_FILE:${target}> VERBATIM)
endfunction()
