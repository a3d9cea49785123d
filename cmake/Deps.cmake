# Third-party libraries built from Debian's source packages by scripts/build-deps.sh.
# QUIB_DEPS_PREFIX may be given; otherwise the script is run (it returns at once when cached).
if(NOT QUIB_DEPS_PREFIX)
  message(STATUS "Building or locating dependencies for ${QUIB_ARCH} (first time: several minutes)")
  execute_process(
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/build-deps.sh ${QUIB_ARCH}
    OUTPUT_VARIABLE _deps_out
    RESULT_VARIABLE _deps_rc
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT _deps_rc EQUAL 0)
    message(FATAL_ERROR "scripts/build-deps.sh ${QUIB_ARCH} failed (${_deps_rc})")
  endif()
  string(REGEX REPLACE ".*\n" "" _deps_prefix "${_deps_out}")
  set(QUIB_DEPS_PREFIX "${_deps_prefix}" CACHE PATH "Prefix of the dependency builds")
endif()
message(STATUS "Dependencies: ${QUIB_DEPS_PREFIX}")

set(_mingw /usr/${CMAKE_C_COMPILER_TARGET})
string(REGEX REPLACE "-gcc.*$" "" _triple "${CMAKE_C_COMPILER}")
get_filename_component(_triple "${_triple}" NAME)

add_library(quib_pcre2 STATIC IMPORTED GLOBAL)
set_target_properties(quib_pcre2 PROPERTIES
  IMPORTED_LOCATION ${QUIB_DEPS_PREFIX}/lib/libpcre2-16.a
  INTERFACE_INCLUDE_DIRECTORIES ${QUIB_DEPS_PREFIX}/include
  INTERFACE_COMPILE_DEFINITIONS "PCRE2_STATIC;PCRE2_CODE_UNIT_WIDTH=16")

add_library(quib_zlib STATIC IMPORTED GLOBAL)
set_target_properties(quib_zlib PROPERTIES IMPORTED_LOCATION /usr/${_triple}/lib/libz.a)

foreach(_lib lzma bz2 zstd)
  add_library(quib_${_lib} STATIC IMPORTED GLOBAL)
  set_target_properties(quib_${_lib} PROPERTIES IMPORTED_LOCATION ${QUIB_DEPS_PREFIX}/lib/lib${_lib}.a)
endforeach()

add_library(quib_libarchive STATIC IMPORTED GLOBAL)
set_target_properties(quib_libarchive PROPERTIES
  IMPORTED_LOCATION ${QUIB_DEPS_PREFIX}/lib/libarchive_static.a
  INTERFACE_INCLUDE_DIRECTORIES ${QUIB_DEPS_PREFIX}/include
  INTERFACE_COMPILE_DEFINITIONS "LIBARCHIVE_STATIC"
  INTERFACE_LINK_LIBRARIES "quib_zstd;quib_lzma;quib_bz2;quib_zlib;bcrypt")
